#pragma once
// The searches behind the plans, in whole steps of money. Odds are a/b; every
// choice of stakes or of a total compares exact 128-bit products, and the
// bounds a search starts from are exact too (big.h). The searches for a total
// jump over every total they can rule out, so their work does not grow with
// the amounts; it grows only as a book nears 100% (see LeastBackTotal).

#include <cstdint>
#include <optional>
#include <stop_token>
#include <vector>

#include "big.h"
#include "exact.h"

namespace stakora::plan {

struct Odds {
  std::int64_t a = 1, b = 1;  // decimal odds a/b in lowest terms, above 1
  long double value() const { return static_cast<long double>(a) / static_cast<long double>(b); }
};

// What a new bet of `stake` makes if its runner wins, gross and over o.b,
// against `total` of new money in all: backed, stake * a - total * b; laid,
// total * b - stake * a. Both in one unit (cents or steps).
inline i128 GrossIfWins(bool back, i128 stake, i128 total, const Odds& o) {
  const i128 win = stake * o.a, rest = total * o.b;
  return back ? win - rest : rest - win;
}

// Whether k_i stakes on runner i return less than k_j on runner j: k_i * O_i
// < k_j * O_j, exactly. Stakes are at most kMostStakeSteps (solver.cpp) or
// cents, odds any price a plan compares (plan_limits.h).
bool ReturnLess(const std::vector<Odds>& o, std::int64_t ki, std::size_t i, std::int64_t kj,
                std::size_t j);

// The runners of a plan and the least stake each takes: the minimum, or
// where an exchange takes less from a bet that pays enough, each runner's own.
struct Field {
  std::vector<Odds> odds;
  std::vector<bool> saver;
  std::int64_t min = 0;             // steps
  std::vector<std::int64_t> least;  // steps, one per runner; empty when all take min
  std::size_t size() const { return odds.size(); }
  std::int64_t MinOf(std::size_t j) const { return least.empty() ? min : least[j]; }
  std::int64_t MinTotal() const;
};

// The least whole steps whose stake at odds o pays at least `payout` cents,
// at least one: (steps * step) * o >= payout.
std::int64_t PayoutSteps(const Odds& o, std::int64_t payout, std::int64_t step);

// Σ 1/O over every runner, over those that are no savers, and over the savers.
struct Books {
  Fraction all, others, savers;
};
Books BooksOf(const Field& f);

using Stakes = std::vector<std::int64_t>;  // in steps, one per runner

// Back stakes adding up to `total`, each at least its least stake, every saver's
// return at least the total, maximising the smallest return of the others.
// Empty when the minimums or the savers do not fit.
Stakes BackStakes(const Field& f, std::int64_t total);

// Among the stakes adding up as k does that keep the smallest return of the
// runners that are no savers where BackStakes put it (the savers keep
// theirs), those maximising the smallest k_j * place_j over every runner.
Stakes BestPlaces(const Field& f, const std::vector<Odds>& place, Stakes k);

// Lay stakes adding up to `total` (each at least its least stake) that minimise
// the largest l_j * O_j. Needs total >= f.MinTotal().
Stakes LayStakes(const Field& f, std::int64_t total);

// How much a search for a total may do (runner prices looked at) before it
// gives up: only a book within a hair of 100% gets near it.
inline constexpr std::int64_t kWorkBudget = 400'000'000;

// Why a search for a total gave no answer although one may exist.
enum class Stop { None, Cancelled, WorkBudget, BeyondMost };

struct Search {
  std::int64_t most = 0;  // the largest total allowed, in steps
  std::stop_token stop;   // asked to stop: the answer is no longer wanted
  std::int64_t budget = kWorkBudget;
  Stop why = Stop::None;  // set when the search ends without an answer
  std::int64_t work = 0;  // runner prices looked at

  // Counts `looks` more; false, with `why` set, once the search must end. A
  // stop is asked for each time the looks pass a multiple of 1024: often
  // enough to end within moments, rarely enough to cost nothing.
  bool Spend(std::int64_t looks);
  bool Stopped() const { return why != Stop::None; }
};

// The least total at which every runner that is no saver can return at least
// total + target (in steps) and every saver at least the total. Needs the
// book below 100%. nullopt with s.why set when it lies beyond s.most or the
// search stopped.
std::optional<std::int64_t> LeastBackTotal(const Field& f, const Books& books, Q target, Search& s);

// The largest total whose best lay stakes lose at most `loss` (in steps) when
// a laid runner wins. Needs the book below 100%. nullopt with s.why unset
// when even the least total the minimum stake allows loses more.
std::optional<std::int64_t> LargestLayTotal(const Field& f, const Books& books, Q loss, Search& s);

}  // namespace stakora::plan
