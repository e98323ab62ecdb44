#pragma once
// At a level w each runner's outcome asks a line of its new stake against the
// total X of new money: a back stake of at least z(X), a lay stake of at most
// z(X). The lines are exact; sums of many are taken on a grid of 2^-24,
// rounded to whichever side keeps a conclusion drawn from them true.

#include <cstdint>
#include <limits>
#include <optional>

#include "exact.h"
#include "held_search.h"

namespace stakora::plan {

// Over 1000 runners the grid gives away less than 10^-4 of a step.
inline constexpr int kGridBits = 24;
inline constexpr i128 kGrid = i128{1} << kGridBits;
// Slopes are also summed on a finer grid, 2^-64, so that the sum of a
// thousand of them against 1 still tells a book within 10^-7 of 100%.
inline constexpr int kFineBits = 64;
inline constexpr i128 kFine = i128{1} << kFineBits;
// Every figure stays within 2^100, so that one times the grid fits 128 bits.
inline constexpr i128 kMostFigure = i128{1} << 100;
static_assert(kMostFigure < std::numeric_limits<i128>::max() / kGrid);

// Whole-number arithmetic that notes a figure passing kMostFigure; the
// caller then draws no conclusion.
struct Safe {
  bool ok = true;
  i128 Mul(i128 x, i128 y);
  i128 Add(i128 x, i128 y);
};

// z(X) = (X * slope + offset) / den with den > 0, slope / den being b / a of
// the runner's price; `strict` when z itself is not allowed (a level to pass,
// not to reach).
struct StakeLine {
  i128 slope = 0, offset = 0, den = 1;
  bool strict = false;
  i128 fine_slope_down = 0, fine_slope_up = 0;  // slope / den in units of 1 / kFine
  // The totals after which the fraction z leaves repeats.
  i128 Period() const { return den / Gcd(slope, den); }
};

// z at X as a whole part and a remainder in [0, den).
struct LinePoint {
  i128 whole = 0, rest = 0;
};
std::optional<LinePoint> PointAt(const StakeLine& l, std::int64_t x);

// n / den (den > 0, |n| at most den) in grid units, rounded down or up.
i128 GridDown(i128 n, i128 den);
i128 GridUp(i128 n, i128 den);
// z at X in grid units, rounded down or up; nullopt past kMostFigure.
std::optional<i128> GridAt(const StakeLine& l, std::int64_t x, bool up);

// A sum of lines at one total x, every term rounded the same way (`up`, or
// down): the sum at x in grid units and its slope per step in fine units.
struct GridSum {
  bool up = false;
  i128 at = 0, slope = 0;
  bool ok = true;
  // z(x), or max(0, z(x)) when `positive`, whose slope is at most z's.
  void AddLine(const StakeLine& l, std::int64_t x, bool positive = false);
  // The total itself: x, slope 1.
  void AddTotal(std::int64_t x);

  // The sum less the total, at x and after t more steps: excess + t * rate,
  // both in fine units. Nullopt when a figure is too large.
  struct Drift {
    i128 excess = 0, rate = 0;
  };
  std::optional<Drift> Against(std::int64_t x) const;
};

// What the new bets must make, gross in cents, for an outcome holding `held`
// to reach w: w - held, over (1 - commission) when that is a gain.
std::optional<Q> Threshold(const Ratio& w, const Q& held, std::int64_t commission);

// Runner k's line: back, the least stake x with s (x a / b - X) >= G; lay,
// the most stake l with s (X - l a / b) >= G, and with l a / b - X at most
// the lay's loss cap, whichever is less. Nullopt past kMostFigure.
// Not in lowest terms: Reduced() makes it so, at the cost of three divisions.
std::optional<StakeLine> StakeLineOf(const HeldProblem& p, std::size_t k, const Ratio& w,
                                     bool above);
StakeLine Reduced(StakeLine l);

}  // namespace stakora::plan
