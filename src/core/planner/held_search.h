#pragma once
// The best new bets around bets already held, in whole steps: the largest
// worst total (held + new, net of commission) over every outcome, and among
// the plans that reach it the least new money. New bets are all on one side,
// each 0 or at least the minimum stake.
//
// The search climbs through levels w: "can every outcome total at least w?"
// For a level and a total X of new money that is a question per runner (the
// least back stake, or the most lay stake, that keeps its outcome at w), so
// the least X for a level is found by iterating over X alone, and the levels
// are climbed by whole cents and then through the totals plans reach. A level
// a short search does not settle is put to held_bounds.h, which rules out
// most of those a book near 100% leaves in reach only of fractions of a step.
// Stakes and totals are chosen by exact comparisons of fractions (256-bit
// cross products), and every jump past totals and every give-up by exact
// bounds (held_lines.h); floating point only picks where a search starts.

#include <cstdint>
#include <optional>
#include <vector>

#include "exact.h"
#include "plan.h"
#include "solver.h"

namespace stakora::plan {

struct HeldProblem {
  Side side = Side::Back;
  std::vector<Odds> odds;       // the plan's runners
  std::vector<Q> held;          // cents the held bets return if each runner wins
  std::optional<Q> held_other;  // ... if another runner wins; none when the field is covered
  std::int64_t step = 1;        // cents
  std::int64_t min = 0;         // steps
  std::int64_t commission = 0;  // of kBasis
  std::int64_t most_total = 0;  // steps: the stake cap, or the largest total
  std::optional<std::int64_t> most_loss;  // cents: what new lay bets may lose at most
  bool full_book = false;                 // the runners' book is exactly 100%
};

// The looks a plan around held bets may take, whatever its size: under a
// second at 1000 runners. A plan a 100% book keeps beyond it is refused.
inline constexpr std::int64_t kHeldWorkBudget = 10'000'000;

struct HeldBest {
  Stakes stakes;           // steps
  std::int64_t total = 0;  // steps
  // Cents: the total if each runner wins, then if another does (when one can).
  std::vector<Ratio> outcomes;
  Ratio worst;
};

// The best plan; nullopt when the search stopped first (s.why says why).
// The caller has refused a problem whose best has no bound.
std::optional<HeldBest> BestAroundHeld(const HeldProblem& p, Search& s);

}  // namespace stakora::plan
