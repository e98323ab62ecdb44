// stakora-settle: what a race pays a set of bets, or a plan's.

#include <iostream>

#include "cli/settle_run.h"

int main(int argc, char** argv) {
  return stakora::cli::RunSettle({argv + 1, argv + argc}, std::cin, std::cout, std::cerr);
}
