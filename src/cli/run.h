#pragma once
// stakora-cli as a function: the program's main() is this on the real streams,
// and the tests call it with their own.

#include <ostream>
#include <string>
#include <vector>

namespace stakora::cli {

// One press of Calculate as the words ask; returns the exit status (0
// completed, 1 refused, 2 usage error). `terminal`: out is a terminal, so
// warned rows may be coloured.
int Run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err, bool terminal);

}  // namespace stakora::cli
