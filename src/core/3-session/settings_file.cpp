#include "settings_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define STAKORA_HAVE_FSYNC 1
#endif

#include "report_number.h"

namespace stakora {
namespace {

bool FolderExists(const std::string& path) {
  const auto slash = path.rfind('/');
  const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
  std::error_code ec;
  return std::filesystem::is_directory(folder, ec);
}

// The one place where the system's error codes become the numbers shown.
ReportNumber ErrorNumber(int code, const std::string& path) {
  switch (code) {
    case ENOENT:
      return FolderExists(path) ? ReportNumber::FileNotFound : ReportNumber::PathNotFound;
    case ENOTDIR:
      return ReportNumber::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return ReportNumber::PermissionDenied;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
      return ReportNumber::DiskFull;
    default:
      return ReportNumber::PathFileAccess;
  }
}

struct Closer {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, Closer>;

}  // namespace

FileBytes ReadWholeFile(const std::string& path) {
  errno = 0;
  File f(std::fopen(path.c_str(), "rb"));
  if (!f) return {{}, ErrorNumber(errno, path)};
  FileBytes out;
  char buf[4096];
  while (const std::size_t n = std::fread(buf, 1, sizeof buf, f.get())) out.bytes.append(buf, n);
  if (std::ferror(f.get())) return {{}, ErrorNumber(errno, path)};
  return out;
}

ReportNumber ReplaceFile(const std::string& path, std::string_view bytes) {
  // An existing file we may not write keeps its owner's wish, as a plain
  // overwrite would.
  errno = 0;
  if (File probe{std::fopen(path.c_str(), "r+b")}; !probe && errno != ENOENT)
    return ErrorNumber(errno, path);

  const std::string temp = path + ".new";
  auto fail = [&](int code) {
    std::remove(temp.c_str());
    return ErrorNumber(code, path);
  };
  errno = 0;
  std::FILE* raw = std::fopen(temp.c_str(), "wb");
  if (!raw) return ErrorNumber(errno, path);
  File f(raw);
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), raw) != bytes.size() || std::fflush(raw) != 0)
    return fail(errno);
#ifdef STAKORA_HAVE_FSYNC
  if (fsync(fileno(raw)) != 0) return fail(errno);
#endif
  errno = 0;
  if (std::fclose(f.release()) != 0) return fail(errno);
  errno = 0;
  if (std::rename(temp.c_str(), path.c_str()) != 0) return fail(errno);
  return ReportNumber::None;
}

}  // namespace stakora
