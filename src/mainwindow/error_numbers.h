#pragma once
// The runtime error numbers the settings report shows the user.

namespace stakora::err {

inline constexpr int kNone = 0;
inline constexpr int kOverflow = 6;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kFileNotFound = 53;
inline constexpr int kDiskFull = 61;
inline constexpr int kInputPastEnd = 62;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kPathFileAccess = 75;
inline constexpr int kPathNotFound = 76;
inline constexpr int kNoSuchRow = 340;  // a control array element that does not exist

}  // namespace stakora::err
