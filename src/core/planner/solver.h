#pragma once
// The searches behind the plans, in whole steps. Odds are a/b; every choice of
// stakes compares exact 128-bit products, and floating point only guesses a
// starting point that the exact steps then correct.

#include <cstdint>
#include <optional>
#include <vector>

#include "exact.h"

namespace stakora::plan {

struct Odds {
  std::int64_t a = 1, b = 1;  // decimal odds a/b, in lowest terms, above 1
  long double value() const { return static_cast<long double>(a) / static_cast<long double>(b); }
};

using Stakes = std::vector<std::int64_t>;  // in steps

// Back stakes adding up to `total`, each at least `min`, every saver's return
// at least the total, maximising the smallest return of the others. Empty
// when the minimums or the savers do not fit. Needs a runner that is no saver.
Stakes BackStakes(const std::vector<Odds>& odds, const std::vector<bool>& saver, std::int64_t min,
                  std::int64_t total);

// How much work a search may do before it gives up: a book within a hair
// of 100% needs more steps than anyone would wait for.
inline constexpr std::int64_t kWorkBudget = 20'000'000;

// Why a search for a total found none, beyond the plan being impossible.
enum class Stop { None, WorkBudget, BeyondMost };

// The least total (up to `most`) at which every runner that is no saver
// returns at least total + target and every saver at least total; nullopt,
// with `stop` set, when it lies beyond `most` or the budget ran out first.
std::optional<std::int64_t> LeastBackTotal(const std::vector<Odds>& odds,
                                           const std::vector<bool>& saver, std::int64_t min,
                                           Q target, std::int64_t most, Stop& stop);

// Lay stakes adding up to `total` (at least min each) that minimise the
// largest l_j * O_j. Needs total >= min * runners.
Stakes LayStakes(const std::vector<Odds>& odds, std::int64_t min, std::int64_t total);

// The largest total whose best lay stakes lose at most `loss` when a laid
// runner wins, with those stakes. nullopt when even the least total loses
// more, or, with `stop` set, when the total lies beyond `most` or the budget
// ran out first.
struct LayPlan {
  std::int64_t total = 0;
  Stakes stakes;
};
std::optional<LayPlan> LargestLayTotal(const std::vector<Odds>& odds, std::int64_t min, Q loss,
                                       std::int64_t most, Stop& stop);

// Σ 1/O_j over the runners, exactly where it fits.
std::optional<Q> Book(const std::vector<Odds>& odds);

}  // namespace stakora::plan
