#pragma once
// A plan's request read and checked: the planner's limits, the money and odds
// texts read exactly, and the refusals every kind of plan shares.

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "exact.h"
#include "plan.h"
#include "plan_limits.h"
#include "request_texts.h"
#include "result.h"
#include "solver.h"

namespace stakora::plan {

struct HeldBet {
  std::size_t runner = 0;
  HeldKind kind = HeldKind::Back;
  std::int64_t stake = 0;  // cents, each part's each way
  Odds odds;
  PlaceTerms terms;  // each way's
};

// A request as numbers: every text of it read.
struct Checked {
  std::int64_t step = 0;            // cents
  std::int64_t commission = 0;      // hundredths of a percent
  std::int64_t amount = 0;          // cents; 0 when no cap is given around held bets
  Field field;                      // the minimum in steps
  std::optional<int> field_size;    // when given, at least the runners
  std::optional<PlaceTerms> terms;  // an each-way plan's
  std::vector<HeldBet> held;
  int rule4 = 0;  // pence off the held bookmaker bets' winnings
  // Around held each-way bets: the place market's winners, each runner's
  // lay odds there (none when it is not laid there), and each runner's one
  // held each-way bet.
  int place_market = 0;
  std::vector<std::optional<Odds>> place_odds;
  std::vector<std::size_t> each_way_bet;
};

// Whether any held bet is each way: the plan then lays in two markets.
bool HoldsEachWay(const Request& r);

// Whether the runners' odds must be on the exchange's ladder.
bool RunnersOnLadder(const Choices& c);

// The request's choices, runners, each-way terms and held bets, or the first
// reason they cannot be planned. Every refusal starts with a capital letter,
// and with the name of the box, runner or held bet it is about.
Result<Checked, std::string> Check(const Request& r);

}  // namespace stakora::plan
