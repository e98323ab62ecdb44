#pragma once
// What stakora-cli prints after a press: JSON for tools, a table for people.

#include <string>
#include <vector>

#include "calculate.h"
#include "form1.h"

namespace stakora::cli {

struct Report {
  CalcOutcome outcome = CalcOutcome::Completed;
  std::vector<std::string> messages;  // every message shown, in order
  int rows_in_use = 0;                // 0 to 5; none are shown for a refused press
};

std::string JsonReport(const Form1& f, const Report& r);
// The rows of a completed press; messages go to standard error, not here.
std::string TableReport(const Form1& f, const Report& r, bool colour);

}  // namespace stakora::cli
