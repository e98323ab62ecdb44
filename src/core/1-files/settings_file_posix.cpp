#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <optional>

#include "settings_file.h"

namespace stakora {
namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The one place where the system's error codes become the numbers shown.
ReportNumber ErrorNumber(int code, const std::string& path) {
  switch (code) {
    case ENOENT:
      return IsFolder(FolderOf(path)) ? ReportNumber::FileNotFound : ReportNumber::PathNotFound;
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

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  // Closes now, as the last step of a write: close can report a late error.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// All of it, or false with errno set.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool WriteFlushClose(Fd& fd, std::string_view bytes) {
  return WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0 && fd.Close();
}

// Up to one byte past the largest settings file, or false with errno set.
bool ReadUpToLimit(int fd, std::string& out) {
  std::array<char, 4096> buf{};
  while (out.size() <= kMaxSettingsBytes) {
    const ssize_t n = ::read(fd, buf.data(), buf.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    out.append(buf.data(), static_cast<std::size_t>(n));
  }
  return true;
}

// A fresh file beside the target, made exclusively: whatever lies about, a
// link or a FIFO included, is never opened. Created with 0666 so that the
// umask shapes it as it does any new file, without the process touching it.
int CreateCompanion(const std::string& target, std::string& name) {
  static std::atomic<unsigned> made{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    name = target + "." + std::to_string(::getpid()) + "-" + std::to_string(made++) + "-" +
           std::to_string(now % 1000000);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// After a rename the folder holds the new name only once it reaches the disk
// too. A folder that cannot be synced (some file systems refuse) still holds
// a whole file under one name or the other.
void SyncFolder(const std::string& path) {
  Fd folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) (void)::fsync(folder.get());
}

}  // namespace

std::string ProgramFolder() {
  std::array<char, PATH_MAX> buf{};
  const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n <= 0) return {};
  return FolderOf(std::string(buf.data(), static_cast<std::size_t>(n)));
}

DesktopFolders FindDesktopFolders(const std::string& program_folder) {
  auto is_file = [](const std::string& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  };
  DesktopFolders f{program_folder, program_folder};
  const std::string shared = FolderOf(program_folder) + "/share/stakora";
  const bool portable = is_file(program_folder + "/help.htm") || !is_file(shared + "/help.htm");
  if (!portable) f.pages = shared;
  struct stat st {};
  if (::lstat((program_folder + "/config.txt").c_str(), &st) == 0) return f;
  if (portable && ::access(program_folder.c_str(), W_OK) == 0) return f;

  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  std::string base;
  if (xdg && xdg[0] == '/') {
    base = xdg;
  } else if (home && home[0] == '/') {
    base = std::string(home) + "/.config";
  } else {
    return f;  // nowhere better: the program's folder, which reports what it must
  }
  // Made one level at a time, the new folders private to the user.
  for (std::size_t at = 1; at != std::string::npos;) {
    at = base.find('/', at + 1);
    ::mkdir(base.substr(0, at).c_str(), 0700);
  }
  f.settings = base + "/stakora";
  ::mkdir(f.settings.c_str(), 0700);
  return f;
}

FileBytes ReadSettingsFile(const std::string& path) {
  // Non-blocking, so that a FIFO in the file's place cannot hold up start-up.
  Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) {
    const int code = errno;
    // A link to nothing is not a missing file: it names somewhere else.
    struct stat st {};
    if (code == ENOENT && ::lstat(path.c_str(), &st) == 0)
      return {{}, ReportNumber::PathFileAccess};
    return {{}, ErrorNumber(code, path)};
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return {{}, ErrorNumber(errno, path)};
  if (!S_ISREG(st.st_mode)) return {{}, ReportNumber::PathFileAccess};
  FileBytes out;
  if (!ReadUpToLimit(fd.get(), out.bytes)) return {{}, ErrorNumber(errno, path)};
  if (ForeignSettingsBytes(out.bytes)) return {{}, ReportNumber::PathFileAccess};
  return out;
}

ReportNumber ReplaceSettingsFile(const std::string& path, std::string_view bytes) {
  std::optional<mode_t> keep;  // an existing file's permission bits
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0) {
    // A link, a folder, a FIFO or a device is not ours to replace, nor is a
    // file that holds what no settings file does.
    if (!S_ISREG(st.st_mode)) return ReportNumber::PathFileAccess;
    Fd old(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    std::string held;
    if (old.get() >= 0 && ReadUpToLimit(old.get(), held) && ForeignSettingsBytes(held))
      return ReportNumber::PathFileAccess;
    // A file we may not write keeps its owner's wish, as a plain overwrite would.
    Fd probe(::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (probe.get() < 0) return ErrorNumber(errno, path);
    keep = st.st_mode & 07777;
  } else if (errno != ENOENT) {
    return ErrorNumber(errno, path);
  }

  // The new file takes the path's own name: should a link appear there
  // meanwhile, the rename replaces the link, never the file it names.
  std::string temp;
  Fd fd(CreateCompanion(path, temp));
  if (fd.get() >= 0) {
    if ((!keep || ::fchmod(fd.get(), *keep) == 0) && WriteFlushClose(fd, bytes) &&
        ::rename(temp.c_str(), path.c_str()) == 0) {
      SyncFolder(path);
      return ReportNumber::None;
    }
    const int code = errno;
    ::unlink(temp.c_str());
    return ErrorNumber(code, path);
  }

  // No new file can be made in the folder (it may be read-only while the
  // file is not): rewrite the file in place.
  Fd in_place(::open(path.c_str(),
                     O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666));
  if (in_place.get() < 0 || !WriteFlushClose(in_place, bytes)) return ErrorNumber(errno, path);
  return ReportNumber::None;
}

}  // namespace stakora
