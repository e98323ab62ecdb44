#pragma once
// A plan's bets, to settle: the new bets of every runner staked, then the
// bets held around them, in the kinds a settlement reads.

#include <cstdint>
#include <string>
#include <vector>

#include "plan.h"
#include "settle_texts.h"

namespace stakora::settle {

// What of a plan its bets need, from the plan itself or from the JSON a
// command line printed of it. Stakes in cents, texts as the plan gives them.
struct PlanSketch {
  bool lay = false, each_way = false;
  std::string places, place_fraction;  // each way's terms
  std::string commission = "0";        // percent
  struct Runner {
    std::string name, odds;
    std::int64_t stake = 0;
    // Around held each-way bets: the lay in the place market, if any.
    std::string place_odds{};
    std::int64_t place_stake = 0;
  };
  std::string place_market{};  // its winners; "" when the plan has no place lays
  std::vector<Runner> runners;
  std::vector<plan::HeldShown> held;
};

PlanSketch SketchOf(const plan::Plan& p);

// New back bets are an exchange's when the plan takes commission, a
// bookmaker's otherwise; each way is always a bookmaker's.
struct PlanBets {
  std::vector<BetInput> bets;
  std::vector<std::string> runners;  // every runner of the plan, staked or not
  std::string commission;
};
PlanBets BetsOf(const PlanSketch& sketch);

}  // namespace stakora::settle
