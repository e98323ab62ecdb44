#pragma once
// A fresh folder under the system's temporary folder, removed afterwards.
// Names are UTF-8 on every system, as the core takes paths; on POSIX systems
// they are bytes, which need not be UTF-8.

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace stakora::testing {

class TempFolder {
 public:
  TempFolder() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("stakora-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string str() const { return Text(path_); }
  std::filesystem::path operator/(const std::string& name) const { return path_ / Path(name); }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(*this / name, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ostringstream s;
    s << std::ifstream(*this / name, std::ios::binary).rdbuf();
    return s.str();
  }

 private:
#ifdef _WIN32
  static std::string Text(const std::filesystem::path& p) {
    const std::u8string u = p.u8string();
    return std::string(u.begin(), u.end());
  }
  static std::filesystem::path Path(const std::string& s) {
    return std::u8string(s.begin(), s.end());
  }
#else
  static std::string Text(const std::filesystem::path& p) {
    return p.string();
  }
  static std::filesystem::path Path(const std::string& s) {
    return s;
  }
#endif
  std::filesystem::path path_;
};

}  // namespace stakora::testing
