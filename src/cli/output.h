#pragma once
// Results go to standard output, and a failure to write them is a failure.

#include <ostream>
#include <string>

namespace stakora::cli {

// Writes and flushes; on a write error says so on err and returns 1, else 0.
int WriteResults(std::ostream& out, const std::string& text, std::ostream& err,
                 const char* program);

}  // namespace stakora::cli
