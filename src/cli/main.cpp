// stakora-cli: one press of Calculate on the window's start-up state, driven
// from the command line.

#include <unistd.h>

#include <iostream>

#include "cli/run.h"

int main(int argc, char** argv) {
  return stakora::cli::Run({argv + 1, argv + argc}, std::cout, std::cerr,
                           isatty(STDOUT_FILENO) == 1);
}
