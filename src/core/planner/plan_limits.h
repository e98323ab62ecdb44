#pragma once
// The planner's limits, each named once. The bounds of its arithmetic rest on
// them: each product they bound is asserted beside the code that forms it.

#include <cstddef>
#include <cstdint>
#include <limits>

#include "exact.h"

namespace stakora::plan {

inline constexpr std::size_t kMaxRunners = 1000;  // runners in a plan, and a field's size
inline constexpr std::size_t kMaxHeld = 100;      // bets held around a plan
// Runners laid in two markets around held each-way bets: every finishing
// order of them is an outcome.
inline constexpr std::size_t kMostEachWayLaid = 5;

// An amount, a minimum stake and a total stake go up to 1000000000.00, a step
// up to 100000.00, odds up to 10000 with six decimals (a/b with a <= 10^10,
// b <= 10^6) or a fraction whose terms go up to 10^6.
inline constexpr std::int64_t kMostCents = 100'000'000'000;
inline constexpr std::int64_t kMostStepCents = 10'000'000;
inline constexpr i128 kMostOddsA = 10'000'000'000, kMostOddsB = 1'000'000;
inline constexpr i128 kMostTerm = 1'000'000;
inline constexpr int kMostOddsDecimals = 6;
inline constexpr i128 kBasis = 10000;  // commission in hundredths of a percent

// Each-way place fractions have terms up to 100. The each-way odds of a/b at
// n/d are E = (d(a + b) + n(a - b)) / db and E / 2 that over 2db: their terms,
// and a place price's, stay within these, which bound every price compared.
inline constexpr i128 kMostFractionTerm = 100;
inline constexpr i128 kMostPriceA = 3 * kMostFractionTerm * kMostOddsA;
inline constexpr i128 kMostPriceB = 2 * kMostFractionTerm * kMostOddsB;

// A runner's held results add fractions of the held prices; their common
// denominator stays at most this.
inline constexpr i128 kMostHeldDen = 1'000'000;
// What held bets return on one outcome, in cents: each at most its stake at
// the longest odds.
inline constexpr i128 kMostHeldCents = static_cast<i128>(kMaxHeld) * kMostCents * 10000;

// Steps: far beyond any total the planner allows, which a search for a total
// looks no further than.
inline constexpr i128 kFarthestTop = i128{1} << 66;

inline constexpr i128 kI128Most = std::numeric_limits<i128>::max();

// A profit or a liability in cents is at most the largest total times the
// longest odds: it fits the 64 bits a plan keeps it in.
static_assert(kMostCents * 10000 < std::numeric_limits<std::int64_t>::max() / 1000);

}  // namespace stakora::plan
