#pragma once
// The texts a settlement is given, read: bets as "NAME:KIND:STAKE@ODDS[:TERMS]",
// finishing positions as "NAME=POS", non-runners as "NAME[@PRICE][:RF[:PRF]]",
// and the window's cells, each message starting with what it is about.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "result.h"
#include "settle.h"

namespace stakora::settle {

// A bet as typed, one text per cell.
struct BetInput {
  std::string runner, kind, stake, odds, terms;
  friend bool operator==(const BetInput&, const BetInput&) = default;
};

// "NAME:KIND:STAKE@ODDS[:TERMS]": the odds and terms follow the last "@"
// (the terms after the odds' first ":"), the stake the last ":" before it
// and the kind the ":" before that; the name is the rest.
std::optional<BetInput> ParseBetText(std::string_view text);

// Bet i (from 0) read, its messages starting "Bet N: ".
Result<Bet, std::string> ReadBet(const BetInput& in, std::size_t i);
Result<BetKind, std::string> ReadBetKind(const std::string& text, std::size_t i);

// A runner as the window's runners list holds it, or as the command line
// gives it: its position (blank: unplaced), or withdrawn with its price and
// reduction factors (blank: none; the place factor is the win factor's).
struct RunnerInput {
  std::string name, position;
  bool non_runner = false;
  std::string price, factor, place_factor;
  friend bool operator==(const RunnerInput&, const RunnerInput&) = default;
};

// "NAME=POS": the position follows the last "=".
std::optional<RunnerInput> ParseFinishText(std::string_view text);
// "NAME[@PRICE][:RF[:PRF]]": with an "@", the name ends at the last one;
// without, at the first ":".
std::optional<RunnerInput> ParseNonRunnerText(std::string_view text);

// Runners read into the race; a line with a name and nothing else is a
// runner that ran and was not placed.
Result<Race, std::string> ReadRace(const std::vector<RunnerInput>& runners);

// "5" or "5%", at most two decimals, below 100: hundredths of a percent;
// blank is 0.
Result<std::int64_t, std::string> ReadPercent(const std::string& what, const std::string& text);
// Whole pence from 0 to 90; blank is 90.
Result<int, std::string> ReadRule4Cap(const std::string& text);

}  // namespace stakora::settle
