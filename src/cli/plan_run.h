#pragma once
// stakora-plan as a function: main() is this on the real streams.

#include <ostream>
#include <string>
#include <vector>

namespace stakora::cli {

// Returns the exit status: 0 planned, 1 refused or not written, 2 usage error.
int RunPlan(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

}  // namespace stakora::cli
