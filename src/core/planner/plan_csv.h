#pragma once
// A plan as comma-separated text for a spreadsheet: a heading, one line per
// runner with its odds, stakes, liabilities and the profit in every outcome
// the plan has, then the totals, one "label,value" line each.

#include <string>

#include "plan.h"

namespace stakora::plan {

std::string PlanCsv(const Plan& p);

// A name as a spreadsheet cell: one that starts as a formula would (=, +,
// -, @) gets a leading apostrophe, so that opening the file runs nothing.
std::string InertCell(const std::string& text);

}  // namespace stakora::plan
