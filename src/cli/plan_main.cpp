// stakora-plan: stakes a bookmaker or an exchange will take, rounded optimally.

#include <iostream>

#include "cli/plan_run.h"

int main(int argc, char** argv) {
  return stakora::cli::RunPlan({argv + 1, argv + argc}, std::cout, std::cerr);
}
