#pragma once
// The stake planner: stakes a bookmaker or an exchange will take (whole steps,
// a minimum stake), chosen exactly so that no other such stakes do better.
//
// Back, runner j wins:      gross = s_j * O_j - total
// Lay, laid runner j wins:  gross = total - l_j * O_j; another wins: total
// Commission takes its share of a positive gross; a loss keeps all of it.
//   Back stake:      total = amount; maximise the worst gross of the runners
//                    that are not savers, every saver breaking even.
//   Back profit:     the least total at which every such runner nets the
//                    amount (savers break even); then as back stake.
//   Lay stake:       total = amount; minimise the largest loss.
//   Lay liability:   the largest total whose best stakes lose at most the
//                    amount; then as lay stake.

#include <cstdint>
#include <string>
#include <vector>

#include "result.h"

namespace stakora::plan {

enum class Side { Back, Lay };
enum class Mode { Stake, Profit, Liability };

// The words for them on the command line, in JSON and in the settings file.
const char* SideName(Side side);
const char* ModeName(Mode mode);

inline constexpr std::size_t kMaxRunners = 1000;

struct RunnerInput {
  std::string name;
  std::string odds;  // "3.5", "7/2", "evens" or "evs"
  bool saver = false;
};

// Texts as the user gave them; the planner reads and checks them all.
struct Request {
  Side side = Side::Back;
  Mode mode = Mode::Stake;
  std::string amount;
  std::string commission = "0";  // percent
  std::string step = "0.01";
  std::string min_stake = "0";
  std::vector<RunnerInput> runners;
};

struct RunnerPlan {
  std::string name;
  std::string odds;          // as given
  std::string decimal_odds;  // "4.5" for "7/2"
  bool saver = false;
  std::int64_t stake = 0;           // cents, a whole number of steps
  std::int64_t liability = 0;       // cents (lay only), to the cent
  std::int64_t profit_if_wins = 0;  // cents, net of commission
};

// Money in cents. The "exact" figures are those of the same plan with neither
// rounding to the step nor a minimum stake.
struct Plan {
  Side side = Side::Back;
  Mode mode = Mode::Stake;
  std::int64_t step = 1;
  std::string commission_percent;  // as a decimal text: "0", "2.5"
  std::string book_percent;        // two decimals
  std::vector<RunnerPlan> runners;
  std::int64_t total_stake = 0;
  std::int64_t if_another_wins = 0;
  std::int64_t worst_profit = 0;
  std::int64_t best_profit = 0;
  std::int64_t exact_worst_profit = 0;
  std::int64_t exact_total_stake = 0;
  std::int64_t rounding_cost = 0;
};

// The plan, or why there is none: one sentence for the user.
Result<Plan, std::string> MakePlan(const Request& request);

}  // namespace stakora::plan
