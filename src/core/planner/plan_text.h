#pragma once
// The texts around a plan that any front end shows or takes: pasted runner
// lists, the stakes to copy, the summary line, and the planner's own settings.

#include <string>
#include <string_view>
#include <vector>

#include "plan.h"

namespace stakora::plan {

// Lines of "NAME<TAB>ODDS" or "ODDS" (as copied from a spreadsheet or a
// betting site); blank lines are skipped, a CR before the line end dropped.
std::vector<RunnerInput> ParseRunnerLines(std::string_view text);

// "NAME<TAB>STAKE" per runner, a runner without a name as "Runner N".
std::string StakesText(const Plan& p);

// Book, total stake, worst and best profit and what rounding costs.
std::string SummaryText(const Plan& p);

// The planner window's choices, kept in a file of their own.
struct PlannerSettings {
  Side side = Side::Back;
  Mode mode = Mode::Stake;
  std::string step = "0.01";
  std::string min_stake = "0";
  std::string commission = "0";
  friend bool operator==(const PlannerSettings&, const PlannerSettings&) = default;
};

inline constexpr const char* kPlannerSettingsFile = "planner.txt";

// "key=value" lines. Reading takes what it knows and keeps the defaults for
// the rest, so an old or damaged file never stops the window.
std::string PlannerSettingsText(const PlannerSettings& s);
PlannerSettings ReadPlannerSettings(std::string_view text);

}  // namespace stakora::plan
