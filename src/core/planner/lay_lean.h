#pragma once
// Underlay and overlay: a lay around bets held on one runner moved off its
// best stake, so that one outcome carries the loss (or the profit) and the
// other none. Two outcomes move as the lay stake l does:
//   the runner wins:  B(l) = held if it wins - l (O - 1), falling
//   it loses:         L(l) = held if it loses + l (1 - commission), rising
// Underlay lowers l until the outcome it moves toward 0 reaches it (B from a
// loss, or L from a profit); overlay raises l the same way (L from a loss,
// or B from a profit). Each end is a whole step, the outcome reaching 0 kept
// at 0 or above: nothing is lost in it.

#include <string>

#include "exact.h"
#include "plan.h"
#include "result.h"

namespace stakora::plan {

enum class Lean { Under, Over };

// "Underlay", "Overlay".
const char* LeanName(Lean lean);

// A fraction of the way as typed ("0" to "1"), the message naming the lean.
Result<Q, std::string> ReadLeanFraction(Lean lean, const std::string& text);

// `best`, the plan of `r`, moved `fraction` (0 to 1) of the way from its lay
// stake to the end, rounded to the nearest step (a half toward the best).
// Refused for anything but a lay around bets held on one runner that can
// lose, with no cap on the new stakes, and when no stake that way brings
// either outcome to 0.
Result<Plan, std::string> LeanPlan(const Request& r, const Plan& best, Lean lean,
                                   const Q& fraction);

}  // namespace stakora::plan
