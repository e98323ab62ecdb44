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
  int rows_in_use = 0;                // 0 to 5
};

std::string JsonReport(const Form1& f, const Report& r);
std::string TableReport(const Form1& f, const Report& r, bool colour);

}  // namespace stakora::cli
