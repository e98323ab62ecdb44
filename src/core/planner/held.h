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
#include <vector>

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

// What a held bet returns, in cents, if its runner wins, if it is placed by
// the bookmaker without winning (each way; others lose then), and if it
// loses. Rule 4 takes `rule4` pence in the pound from a bookmaker bet's
// winnings, never from its stake.
Q HeldIfWins(const HeldBet& b, int rule4);
Q HeldIfPlaces(const HeldBet& b, int rule4);
i128 HeldIfLoses(const HeldBet& b);
// x + y, when their common denominator stays within kMostHeldDen.
std::optional<Q> AddHeld(const Q& x, const Q& y);

// The held bets as a plan shows them.
std::vector<HeldShown> HeldShownOf(const Request& r, const Checked& c);

// The plan of a checked request that holds bets.
Result<Plan, std::string> MakeHeldPlan(const Request& r, const Checked& c, std::stop_token stop);

}  // namespace stakora::plan
