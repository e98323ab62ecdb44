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

enum class HeldKind { Back, Lay, Free, FreeStakeReturned };

// "back", "lay", "free", "free-sr".
const char* HeldKindName(HeldKind kind);

// Held bet i's cells, each on its own, or why it cannot be read; the message
// starts "Held bet N". The runner is a name of the request's runners, else a
// position among them.
Result<std::size_t, std::string> ReadHeldRunner(const Request& r, std::size_t i);
Result<HeldKind, std::string> ReadHeldKind(const std::string& text, std::size_t i);
Result<std::int64_t, std::string> ReadHeldStake(const std::string& text, std::size_t i);
Result<Odds, std::string> ReadHeldOdds(const std::string& text, std::size_t i);

// The plan of a checked request that holds bets.
Result<Plan, std::string> MakeHeldPlan(const Request& r, const Checked& c, std::stop_token stop);

}  // namespace stakora::plan
