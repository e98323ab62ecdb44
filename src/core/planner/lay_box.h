#pragma once
// The search behind plans with a lay in two markets per runner: a few whole
// numbers of steps v_i, each 0 or from its least to its most, chosen exactly.
// Every outcome s of the race nets each market's new bets as a linear form,
// and commission c takes its share of a market's net gain:
//   new_s(v)   = f(win_s . v) + f(place_s . v),  f(N) = N, or N (1 - c) above 0
//   total_s(v) = held_s + new_s(v)
// The best v makes, in this order, the worst total as large as it can, the
// worst total over the outcomes with an extra place as large as it can, the
// new bets' largest loss as small as it can, and the new stakes as few as
// they can; then the first such v in order. f is concave, so each outcome
// reaching a level is four linear inequalities: boxes of v are split and
// narrowed by them, and dropped once no point in them can do better.
//
// Figures are whole numbers in one unit (`scale` of them to the cent): the
// forms count units of money before commission per step, over kBasis.

#include <cstdint>
#include <optional>
#include <vector>

#include "exact.h"
#include "solver.h"

namespace stakora::plan {

struct LayOutcome {
  std::vector<i128> win, place;    // per stake, in units before commission
  i128 held = 0;                   // the least held total over the outcome, in units times kBasis
  std::optional<i128> extra_held;  // the same over its cases with an extra place
};

struct LayBoxProblem {
  std::vector<std::int64_t> least, most;  // per stake, in steps; most 0: never staked
  std::int64_t most_total = 0;            // Σ v
  std::optional<i128> most_loss;          // the new bets' loss, in units times kBasis
  std::int64_t commission = 0;            // hundredths of a percent
  std::vector<LayOutcome> outcomes;
};

// The work a plan may take, as in Search: about ten seconds. One or two
// runners' plans take milliseconds; five runners' held to a stake cap, whose
// plans tie by the thousand, may need all of it.
inline constexpr std::int64_t kLayBoxWorkBudget = 1'000'000'000;

// What new_s comes to at v, in units times kBasis.
i128 NewOf(const LayBoxProblem& p, const LayOutcome& o, const std::vector<std::int64_t>& v);

struct LayBoxBest {
  std::vector<std::int64_t> stakes;
  i128 worst = 0;
  std::optional<i128> extra;  // none when no outcome has an extra place
  i128 loss = 0;              // at least 0
};

// The best stakes, or nullopt with s.why set when the search had to stop.
// s.most is not read: the problem carries its own caps.
std::optional<LayBoxBest> BestLayBox(const LayBoxProblem& p, Search& s);

}  // namespace stakora::plan
