#pragma once
// A plan as `stakora-plan --json` printed it, read back for its bets.

#include <string_view>

#include "result.h"
#include "settle_plan.h"

namespace stakora::cli {

// The plan's bets, or why the text is no plan (not JSON, a refusal, a field
// missing or of the wrong type).
Result<settle::PlanSketch, std::string> ReadPlanJson(std::string_view text);

}  // namespace stakora::cli
