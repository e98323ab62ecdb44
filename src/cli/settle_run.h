#pragma once
// stakora-settle, run on its words: what a race pays a set of bets.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace stakora::cli {

// `in` is read for "--plan -". The exit status: 0 settled, 1 refused, 2 misuse.
int RunSettle(const std::vector<std::string>& words, std::istream& in, std::ostream& out,
              std::ostream& err);

}  // namespace stakora::cli
