// The settings file on Windows: paths are UTF-8 in the core and UTF-16 at
// every call, so a folder named in any script works whatever the code page.

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <array>
#include <random>
#include <string>

#include "settings_file.h"

namespace stakora {
namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string Narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::wstring FolderOf(const std::wstring& path) {
  const auto cut = path.find_last_of(L"/\\");
  return cut == std::wstring::npos ? L"." : path.substr(0, cut);
}

bool IsFolder(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// The one place where Windows' error codes become the numbers shown.
ReportNumber ErrorNumber(DWORD code, const std::wstring& path) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
      return IsFolder(FolderOf(path)) ? ReportNumber::FileNotFound : ReportNumber::PathNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_INVALID_DRIVE:
      return ReportNumber::PathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return ReportNumber::PermissionDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ReportNumber::DiskFull;
    default:
      return ReportNumber::PathFileAccess;
  }
}

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (ok()) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  bool Close() {
    const HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return CloseHandle(h) != 0;
  }

 private:
  HANDLE h_;
};

// Up to one byte past the largest settings file, or false.
bool ReadUpToLimit(HANDLE h, std::string& out) {
  std::array<char, 4096> buf{};
  while (out.size() <= kMaxSettingsBytes) {
    DWORD n = 0;
    if (!ReadFile(h, buf.data(), static_cast<DWORD>(buf.size()), &n, nullptr)) return false;
    if (n == 0) break;
    out.append(buf.data(), n);
  }
  return true;
}

bool WriteFlushClose(Handle& h, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD done = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
    if (!WriteFile(h.get(), bytes.data(), chunk, &done, nullptr) || done == 0) return false;
    bytes.remove_prefix(done);
  }
  return FlushFileBuffers(h.get()) && h.Close();
}

}  // namespace

std::string ProgramFolder() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) {
      buf.resize(n);
      break;
    }
    buf.resize(buf.size() * 2);  // a long path: try a larger buffer
  }
  return Narrow(FolderOf(buf));
}

DesktopFolders FindDesktopFolders(const std::string& program_folder) {
  return {program_folder, program_folder};  // the folder the program was put in
}

FileBytes ReadSettingsFile(const std::string& path) {
  const std::wstring w = Wide(path);
  if (IsFolder(w)) return {{}, ReportNumber::PathFileAccess};
  Handle h(CreateFileW(w.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h.ok()) {
    const DWORD code = GetLastError();
    // A link to nothing is not a missing file: it names somewhere else.
    if (code == ERROR_FILE_NOT_FOUND && GetFileAttributesW(w.c_str()) != INVALID_FILE_ATTRIBUTES)
      return {{}, ReportNumber::PathFileAccess};
    return {{}, ErrorNumber(code, w)};
  }
  if (GetFileType(h.get()) != FILE_TYPE_DISK) return {{}, ReportNumber::PathFileAccess};
  FileBytes out;
  if (!ReadUpToLimit(h.get(), out.bytes)) return {{}, ErrorNumber(GetLastError(), w)};
  if (ForeignSettingsBytes(out.bytes)) return {{}, ReportNumber::PathFileAccess};
  return out;
}

ReportNumber ReplaceSettingsFile(const std::string& path, std::string_view bytes) {
  const std::wstring target = Wide(path);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    // A link (never written through), a folder, or a file that holds what no
    // settings file does is not ours to replace.
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
      return ReportNumber::PathFileAccess;
    Handle old(CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string held;
    if (old.ok() && ReadUpToLimit(old.get(), held) && ForeignSettingsBytes(held))
      return ReportNumber::PathFileAccess;
    // A file we may not write keeps its owner's wish, as a plain overwrite would.
    Handle probe(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe.ok()) return ErrorNumber(GetLastError(), target);
  } else if (const DWORD code = GetLastError(); code != ERROR_FILE_NOT_FOUND) {
    return ErrorNumber(code, target);
  }

  // A fresh name, made exclusively: nothing that lies about is ever opened.
  std::random_device random;
  std::wstring temp;
  DWORD code = ERROR_FILE_EXISTS;
  HANDLE made = INVALID_HANDLE_VALUE;
  for (int tries = 0; tries < 16 && made == INVALID_HANDLE_VALUE && code == ERROR_FILE_EXISTS;
       ++tries) {
    temp = target + L"." + std::to_wstring(random() % 1000000);
    made = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
    code = made == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
  }
  Handle fresh(made);
  if (fresh.ok()) {
    if (WriteFlushClose(fresh, bytes) &&
        MoveFileExW(temp.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return ReportNumber::None;
    const DWORD failed = GetLastError();
    DeleteFileW(temp.c_str());
    return ErrorNumber(failed, target);
  }
  if (code != ERROR_ACCESS_DENIED && code != ERROR_WRITE_PROTECT) return ErrorNumber(code, target);

  // No new file can be made in the folder: rewrite the file in place.
  Handle in_place(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!in_place.ok() || !SetEndOfFile(in_place.get()) || !WriteFlushClose(in_place, bytes))
    return ErrorNumber(GetLastError(), target);
  return ReportNumber::None;
}

}  // namespace stakora
