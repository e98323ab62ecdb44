#pragma once
// Levels no plan around held bets can reach, told apart without a search.
//
// At a level w each runner's new stake is bounded by a line z_k of the total
// X of new money (held_lines.h), and the stakes add up to X. Summed without rounding, the lines
// rule a level out when even fractions of a step fall short. Rounded they rule
// out more: a lay stake is at most floor(z_k), a back stake at least
// ceil(z_k), and for a runner whose price is a/b the part rounding loses
// repeats every a steps of X, so over each residue class of the totals those
// runners lose a known amount. Every figure is a whole number or a fraction
// rounded to the safe side, so a level is ruled out only when no plan, of any
// total in the range, reaches it.

#include <cstdint>

#include "exact.h"
#include "held_search.h"

namespace stakora::plan {

// True when no total in [lo, hi] (steps) lets every outcome of p reach w (or
// pass it, when `above`); false when some may, or when it cannot tell. Adds
// the runner looks it took to `looks`.
bool LevelOutOfReach(const HeldProblem& p, const Ratio& w, bool above, std::int64_t lo,
                     std::int64_t hi, std::int64_t& looks);

}  // namespace stakora::plan
