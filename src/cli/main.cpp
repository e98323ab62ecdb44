// stakora-cli: one press of Calculate on the window's start-up state, driven
// from the command line.

#include <cstdio>
#include <iostream>

#include "cli/run.h"

#ifdef _WIN32
#include <io.h>
#define STAKORA_ISATTY(f) _isatty(_fileno(f))
#else
#include <unistd.h>
#define STAKORA_ISATTY(f) isatty(fileno(f))
#endif

int main(int argc, char** argv) {
  return stakora::cli::Run({argv + 1, argv + argc}, std::cout, std::cerr,
                           STAKORA_ISATTY(stdout) == 1);
}
