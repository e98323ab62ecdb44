#pragma once
// An exchange's price ladder: the prices it takes, from 1.01 to 1000 in steps
// that widen with the price (350 of them), and the presets of an exchange's
// rules. Prices are compared exactly, as fractions a/b.

#include <cstdint>
#include <optional>
#include <string>

#include "exact.h"

namespace stakora::plan {

// A ladder price in hundredths: 101 for 1.01, 100000 for 1000.
using LadderPrice = std::int64_t;

inline constexpr LadderPrice kLowestOnLadder = 101, kHighestOnLadder = 100000;

// Whether a/b (above 0) is a price on the ladder.
bool OnLadder(i128 a, i128 b);

// The ladder prices next below and next above a/b, either missing past an
// end of the ladder. For a price on it, one tick down and one tick up.
struct Ticks {
  std::optional<LadderPrice> down, up;
  friend bool operator==(const Ticks&, const Ticks&) = default;
};
Ticks TicksOf(i128 a, i128 b);

// "3.40", "1000.00".
std::string LadderText(LadderPrice price);

// The ladder's prices, lowest first: the table the rest is worked from.
std::size_t LadderSize();
LadderPrice LadderAt(std::size_t i);

// What an exchange's rules fill in: its step, minimum stake and minimum
// payout; the ladder and exchange back bets come with every preset.
// Commission is the account's, never a preset's.
struct ExchangeRules {
  const char* name;   // on the command line and in planner.txt
  const char* label;  // in the window
  const char* step;
  const char* min_stake;
  const char* min_payout;
};
inline constexpr ExchangeRules kExchangeRules[] = {
    {"betfair", "Betfair GBP", "0.01", "1", "10"},
    {"betfair-eur", "Betfair EUR", "0.01", "1", "20"},
};
const ExchangeRules* FindExchangeRules(const std::string& name);

}  // namespace stakora::plan
