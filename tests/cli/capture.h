#pragma once
// A command-line program run in-process on words, its streams captured; and
// the exit status of a shell command line, for the one run of each binary.

#include <cstdlib>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace stakora::testing {

struct Ran {
  int status;
  std::string out, err;
};

template <typename Program>
Ran Capture(Program program, const std::vector<std::string>& words) {
  std::ostringstream out, err;
  const int status = program(words, out, err);
  return {status, out.str(), err.str()};
}

inline bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

#ifndef _WIN32
inline int ShellStatus(const std::string& command) {
  const int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}
#endif

}  // namespace stakora::testing
