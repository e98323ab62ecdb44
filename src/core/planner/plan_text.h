#pragma once
// The texts around a plan that every front end shows or takes: pasted runner
// lists, the stakes to copy, and the summary sentence.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plan.h"

namespace stakora::plan {

// The lines of a text, split at LF with a CR before it dropped.
std::vector<std::string_view> Lines(std::string_view text);

// Lines of "NAME<TAB>ODDS" or "ODDS" (as copied from a spreadsheet or a
// betting site); blank lines are skipped, a CR before the line end dropped.
// A first line whose odds cannot be read, when a later line's can, is a
// heading: it is skipped, and said.
struct PastedRunners {
  std::vector<RunnerInput> runners;
  std::string heading;  // the heading skipped, its cells joined by spaces
};
PastedRunners ParseRunnerLines(std::string_view text);

// What a back plan around held bets that places nothing probably meant.
inline constexpr const char* kChooseLayHint = "To lay your bets off at an exchange, choose Lay.";

// "RUNNER:KIND:STAKE@ODDS": the odds follow the last "@", the stake the last
// ":" before it and the kind the ":" before that; the runner is the rest.
std::optional<HeldInput> ParseHeldText(std::string_view text);

// Lines of held bets, "RUNNER<TAB>KIND<TAB>STAKE<TAB>ODDS" or as above; blank
// lines are skipped and a line that is neither is kept whole as its runner,
// for the plan to refuse by name. A heading is skipped as above.
struct PastedHeld {
  std::vector<HeldInput> held;
  std::string heading;
};
PastedHeld ParseHeldLines(std::string_view text);

// The columns a plan's table shows besides runner, odds, stake and profit:
// a lay's liability, each way's place odds and place result (when a runner
// can place without winning), and what held bets return.
struct PlanColumns {
  bool liability = false, place_odds = false, place_profit = false, held = false;
  friend bool operator==(const PlanColumns&, const PlanColumns&) = default;
};
PlanColumns ColumnsFor(Side side, bool each_way, bool places, bool held);

// The stake column's heading: a lay plan's stakes are lays, an each-way
// plan's one per part.
const char* StakeHeading(Side side, bool each_way);

// "NAME<TAB>STAKE" per runner, a runner without a name by its label.
std::string StakesText(const Plan& p);

// Book, total stake, worst and best profit, what happens if a runner outside
// the plan wins, and what rounding costs.
std::string SummaryText(const Plan& p);

}  // namespace stakora::plan
