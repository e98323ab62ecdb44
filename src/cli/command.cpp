#include "cli/command.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace stakora::cli {

int WriteResults(std::ostream& out, const std::string& text, std::ostream& err,
                 const char* program) {
  errno = 0;
  out << text;
  out.flush();
  // std::cout shares stdout's buffer: its errors show only there.
  bool failed = !out;
  if (&out == &std::cout) failed = std::fflush(stdout) != 0 || std::ferror(stdout) || failed;
  if (!failed) return 0;
  err << program << ": cannot write the results";
  if (errno != 0) err << ": " << std::strerror(errno);
  err << "\n";
  return 1;
}

}  // namespace stakora::cli
