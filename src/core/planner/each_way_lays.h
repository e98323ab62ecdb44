#pragma once
// Held each-way bets laid off at an exchange: per runner a lay in the win
// market and one in the place market, whose W winners may be fewer than the
// bookmaker's K places (an extra place: the bookmaker pays, the place lay
// wins) or more. Every finishing order of the plan's runners that a race
// allows is an outcome: one winner, distinct places, the rest of a large
// field (or of the field size given) anywhere else. The plan is the best
// (lay_box.h): the worst total, then the worst with an extra place, then the
// new bets' largest loss.

#include <stop_token>
#include <string>

#include "checked_request.h"
#include "plan.h"
#include "result.h"

namespace stakora::plan {

// The plan of a checked request holding each-way bets (HoldsEachWay).
Result<Plan, std::string> MakeEachWayLayPlan(const Request& r, const Checked& c,
                                             std::stop_token stop);

}  // namespace stakora::plan
