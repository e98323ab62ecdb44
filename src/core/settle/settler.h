#pragma once
// The Settle window's state as a plain value: the bets as typed, the runners
// with their result, commission and the Rule 4 cap. Its view is worked out
// from it at once (settling is quick), and every edit is a function here, so
// the window only draws and forwards.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "settle.h"
#include "settle_plan.h"
#include "settle_texts.h"

namespace stakora::settle {

struct Settler {
  std::vector<BetInput> bets;
  std::vector<RunnerInput> runners;
  std::string commission = "0";
  std::string rule4_cap = "90";
  friend bool operator==(const Settler&, const Settler&) = default;
};

enum class BetCell { Runner, Kind, Stake, Odds, Terms };
enum class RunnerCell { Name, Position, Price, Factor, PlaceFactor };

// Edits. A bet naming a runner the list lacks adds it, so that its result
// can be given.
void TypeBetCell(Settler& s, std::size_t line, BetCell cell, const std::string& text);
void TypeRunnerCell(Settler& s, std::size_t line, RunnerCell cell, const std::string& text);
void MarkNonRunner(Settler& s, std::size_t line, bool non_runner);
void AddBet(Settler& s);
void AddRunner(Settler& s);
void RemoveBet(Settler& s, std::size_t line);
void RemoveRunner(Settler& s, std::size_t line);
// Pasted lines of "RUNNER<TAB>KIND<TAB>STAKE<TAB>ODDS[<TAB>TERMS]" or
// "NAME:KIND:STAKE@ODDS[:TERMS]", after the bets there are, as held bets
// are pasted (plan_text.h): a heading is skipped, and said.
struct Pasted {
  std::size_t added = 0;
  std::string heading;  // the first line, skipped as a heading; empty for none
};
Pasted PasteBets(Settler& s, std::string_view text);
// A plan's bets and runners in place of everything typed, its commission too.
void FillFromPlan(Settler& s, const PlanBets& plan);

// What the window shows: one line per bet (blank figures until the whole
// settles), the totals, or the first reason it cannot settle.
struct SettledLine {
  std::string status, rule4, reduced_odds, returned, profit;
};
struct SettlerView {
  std::vector<SettledLine> lines;  // one per bet, empty when the problem stands
  std::string totals;              // the sentence under the bets
  std::string problem;             // empty when settled
  std::optional<Settlement> settled;
  std::vector<Bet> bets;               // as read, the blank lines left out
  std::vector<std::size_t> bet_lines;  // the line each was read from
};
SettlerView ViewOf(const Settler& s);

}  // namespace stakora::settle
