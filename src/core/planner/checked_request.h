#pragma once
// A plan's request read and checked: the planner's limits, the money and odds
// texts read exactly, and the refusals every kind of plan shares.

#include <cstdint>
#include <limits>
#include <string>

#include "exact.h"
#include "plan.h"
#include "plan_limits.h"
#include "result.h"
#include "solver.h"

namespace stakora::plan {

struct Checked {
  std::int64_t step = 0;        // cents
  std::int64_t commission = 0;  // hundredths of a percent
  std::int64_t amount = 0;      // cents; 0 when no cap is given around held bets
  Field field;                  // the minimum in steps
};

// The request's choices and runners, or the first reason they cannot be
// planned. Each-way terms are read apart (each_way.h). Every refusal starts
// with a capital letter, and with the name of the box or runner it is about.
Result<Checked, std::string> Check(const Request& r);

// Odds as typed ("3.5", "7/2", "evens"), or why they cannot be planned,
// the message starting with `who`.
Result<Odds, std::string> ReadOdds(const std::string& odds, const std::string& who);

// A money box's text in cents: at most two decimals, at most `most` cents;
// the message starts with `what`, the box's name.
Result<std::int64_t, std::string> ReadMoney(const std::string& what, const std::string& text,
                                            std::int64_t most);
// The same, above 0 and at most kMostCents: an amount or a held bet's stake.
Result<std::int64_t, std::string> ReadPositiveMoney(const std::string& what,
                                                    const std::string& text);

// Each box on its own, in cents or hundredths of a percent, or why it cannot
// be read; every message starts with the box's name ("Step: ...").
Result<std::int64_t, std::string> ReadStep(const std::string& text);        // above 0
Result<std::int64_t, std::string> ReadCommission(const std::string& text);  // "5" or "5%"
Result<std::int64_t, std::string> ReadMinStake(const std::string& text);
Result<std::int64_t, std::string> ReadAmount(const std::string& text);  // above 0

}  // namespace stakora::plan
