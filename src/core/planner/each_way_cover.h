#pragma once
// Each-way stakes on a field the plan's runners cover, or nearly cover. When
// one of them wins, the other places go to runners outside the plan while
// there are any, and then, at worst, to the plan's runners with the smallest
// place returns. With m of the plan's runners forced into the places, runner
// i winning returns, against an outlay of 2T,
//   W_i = s_i E_i + (the m smallest s_j P_j, j != i).
// The plan makes the least W_i of the runners that are no savers as large as
// it can be (a saver's W_i at least 2T), and among such stakes its worst
// place outcome: where a runner outside the plan can win, one of the plan's
// placing beside m others, the m + 1 smallest place returns; where none can,
// every outcome has a winner of the plan's, and the worst is the least W_i of
// all its runners.
//
// How. The m smallest place returns of i's rivals are
//   max over t of  Σ_{j != i} min(s_j P_j, t) - (n - 1 - m) t,
// reached for every i at once at t the (m + 1)-th smallest place return, so
//   W_i = max over t of  h_i(s_i) + U(s) - (n - 1 - m) t
// with h_i(x) = x E_i - min(x P_i, t) and U(s) = Σ min(s_j P_j, t). For one t
// and a floor λ under the h of the runners the plan maximises, the least
// stakes that keep them there, then the steps left given to the largest
// place returns still below t, make U as large as it can be. The best plan is
// the best over t and λ, found by branch and bound over boxes of them, each
// bounded by loosening t (the h of its least t, the place returns capped at
// its most); t runs over the place returns and λ over the values h takes, so
// the boxes end in single points, worked out exactly. Every figure is a whole
// number of 1 / scale.

#include <cstdint>
#include <optional>
#include <vector>

#include "exact.h"
#include "solver.h"

namespace stakora::plan {

struct CoverRunner {
  i128 win = 0;    // E = O + P, in 1 / scale
  i128 place = 0;  // P, in 1 / scale
  bool saver = false;
};

struct CoverProblem {
  std::vector<CoverRunner> runners;
  int forced = 1;                // m: from 1 to the runners less one
  bool outsider_can_win = true;  // which worst place outcome comes second
  std::int64_t min = 0;          // the least stake, in steps
  i128 scale = 1;
};

// Each runner's worst returns, in 1 / scale, the outlay not taken off: if it
// wins (W_i), and if it places without winning (with a runner outside the
// plan winning, its place return and its rivals' m smallest; with none, a
// rival's win beside it and the m - 1 smallest of the rest).
struct CoverReturns {
  std::vector<i128> win, place;
};
CoverReturns ReturnsOf(const CoverProblem& p, const Stakes& s);

// The best stakes adding up to `total` steps; empty when the minimums or the
// savers do not fit. nullopt when the search stopped first (s.why says why).
std::optional<Stakes> BestCoveredStakes(const CoverProblem& p, std::int64_t total, Search& s);

// The least total (steps) at which every runner can return at least 2T +
// target (in 1 / scale); the runners are no savers. nullopt with s.why set
// when the search stopped first or no total up to s.most does.
std::optional<std::int64_t> LeastCoveredTotal(const CoverProblem& p, i128 target, Search& s);

}  // namespace stakora::plan
