#pragma once
// Plans around bets the bettor already holds: matched bets, free bets,
// hedging. A held bet settles as given, without commission:
//   back     stake (O - 1) if its runner wins, -stake otherwise
//   lay      -stake (O - 1) if its runner wins, +stake otherwise
//   free     stake (O - 1) if its runner wins, 0 otherwise
//   free-sr  stake O if its runner wins, 0 otherwise
// The new bets, all backed or all laid, make the worst total over every
// outcome (each runner wins, or another runner does unless the runners are
// the whole field) as large as it can be, then cost as little as they can
// (held_search.h). A stake caps the new stakes, a liability their loss.

#include <stop_token>
#include <string>

#include "checked_request.h"
#include "plan.h"
#include "result.h"

namespace stakora::plan {

// What a request with held bets asks that they leave no room for: each way
// (held bets are planned win only), a profit to win (the plan makes the most
// of them), or a saver (the first such runner). Each front end words it.
struct HeldConflict {
  enum Kind { EachWay, Profit, Saver } kind;
  std::size_t runner = 0;
};
std::optional<HeldConflict> HeldConflictOf(const Request& r);

// The plan of a checked request that holds bets.
Result<Plan, std::string> MakeHeldPlan(const Request& r, const Checked& c, std::stop_token stop);

}  // namespace stakora::plan
