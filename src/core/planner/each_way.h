#pragma once
// Each-way plans. An each-way stake s is two bets of s: the win part returns
// s * O if the runner wins, the place part s * P if it finishes in the first
// K places, P = 1 + f * (O - 1). With E = O + P and T the sum of the stakes:
//   win outcome of i (no other runner of the plan places):   s_i * E - 2T
//   place outcome of i (it places, no other of the plan does): s_i * P - 2T
// A plan maximises the worst win outcome of the runners that are not savers
// (savers break even), and among those stakes the worst place outcome. That
// is the back planner's problem at odds E / 2 and a total of T, followed by
// spreading what the win outcomes leave free over the place outcomes.

#include <optional>
#include <stop_token>
#include <string>

#include "checked_request.h"
#include "plan.h"
#include "result.h"

namespace stakora::plan {

// The usual terms for a race of that many runners; none below five.
std::optional<PlaceTerms> UsualPlaceTerms(int runners, bool handicap);

// "1/5".
std::string FractionText(const PlaceTerms& t);

// The plan of a checked each-way request.
Result<Plan, std::string> MakeEachWayPlan(const Request& r, const Checked& c, std::stop_token stop);

}  // namespace stakora::plan
