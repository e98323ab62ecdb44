#pragma once
// The runtime error numbers the settings files report, shown to the user as
// the bare number in a box with the stop icon (see result.h for how the other
// layers fail).

namespace stakora {

enum class ReportNumber : int {
  None = 0,
  Overflow = 6,
  TypeMismatch = 13,
  FileNotFound = 53,
  DiskFull = 61,
  InputPastEnd = 62,
  PermissionDenied = 70,
  PathFileAccess = 75,
  PathNotFound = 76,
  NoSuchRow = 340,  // a control array element that does not exist
};

inline int ToInt(ReportNumber n) {
  return static_cast<int>(n);
}

}  // namespace stakora
