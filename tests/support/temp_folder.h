#pragma once
// A fresh folder under the system's temporary folder, removed afterwards.

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

  // UTF-8 on every system, as the core takes paths.
  std::string str() const {
#ifdef _WIN32
    const std::u8string u = path_.u8string();
    return std::string(u.begin(), u.end());
#else
    return path_.string();  // bytes, which need not be UTF-8
#endif
  }
  std::filesystem::path operator/(const std::string& name) const {
    return path_ / name;
  }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / Utf8(name), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(path_ / Utf8(name), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }

 private:
  static std::filesystem::path Utf8(const std::string& s) {
#ifdef _WIN32
    return std::filesystem::path(std::u8string(s.begin(), s.end()));
#else
    return std::filesystem::path(s);
#endif
  }
  std::filesystem::path path_;
};

}  // namespace stakora::testing
