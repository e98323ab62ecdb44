#pragma once
// Reading and replacing config.txt. Failures come back as the error numbers
// the settings report shows; the system's error codes are mapped here only.

#include <string>
#include <string_view>

#include "report_number.h"

namespace stakora {

struct FileBytes {
  std::string bytes;
  ReportNumber error = ReportNumber::None;
};

FileBytes ReadWholeFile(const std::string& path);

// Writes a new file beside the old one, flushes it to disk and renames it over
// the old one, so a failure part way leaves the previous file whole.
[[nodiscard]] ReportNumber ReplaceFile(const std::string& path, std::string_view bytes);

}  // namespace stakora
