#pragma once
// The core's texts are UTF-8 std::strings, the widgets' QStrings.

#include <QString>
#include <string>

namespace stakora::qt {

inline QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

inline std::string S(const QString& s) {
  return s.toStdString();
}

}  // namespace stakora::qt
