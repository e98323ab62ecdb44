#pragma once
// What stakora-plan prints: JSON for tools, a table for people.

#include <string>

#include "plan.h"

namespace stakora::cli {

std::string PlanJson(const plan::Plan& p);
std::string RefusedPlanJson(const plan::Request& r, const std::string& message);
std::string PlanTable(const plan::Plan& p);

}  // namespace stakora::cli
