#include "settler.h"

#include <algorithm>
#include <array>

#include "exact.h"
#include "number_text.h"
#include "plan_text.h"

namespace stakora::settle {
namespace {

bool Blank(const BetInput& b) {
  return TrimBlanks(b.runner).empty() && TrimBlanks(b.kind).empty() &&
         TrimBlanks(b.stake).empty() && TrimBlanks(b.odds).empty() && TrimBlanks(b.terms).empty();
}

// A bet's texts in the order of BetCell, as a pasted line's columns run.
std::array<std::string*, 5> CellsOf(BetInput& b) {
  return {&b.runner, &b.kind, &b.stake, &b.odds, &b.terms};
}

void ListRunner(Settler& s, const std::string& name) {
  const std::string_view wanted = TrimBlanks(name);
  if (wanted.empty()) return;
  for (const RunnerInput& r : s.runners)
    if (TrimBlanks(r.name) == wanted) return;
  s.runners.push_back({std::string(wanted), "", false, "", "", ""});
}

std::string Signed(std::int64_t cents) {
  return (cents > 0 ? "+" : "") + plan::MoneyText(cents);
}

}  // namespace

void TypeBetCell(Settler& s, std::size_t line, BetCell cell, const std::string& text) {
  if (line >= s.bets.size()) return;
  *CellsOf(s.bets[line])[static_cast<std::size_t>(cell)] = text;
  if (cell == BetCell::Runner) ListRunner(s, text);
}

void TypeRunnerCell(Settler& s, std::size_t line, RunnerCell cell, const std::string& text) {
  if (line >= s.runners.size()) return;
  RunnerInput& r = s.runners[line];
  std::string* cells[] = {&r.name, &r.position, &r.price, &r.factor, &r.place_factor};
  *cells[static_cast<int>(cell)] = text;
}

void MarkNonRunner(Settler& s, std::size_t line, bool non_runner) {
  if (line < s.runners.size()) s.runners[line].non_runner = non_runner;
}

void AddBet(Settler& s) {
  if (s.bets.size() < kMaxBets) s.bets.emplace_back();
}

void AddRunner(Settler& s) {
  if (s.runners.size() < kMaxBets) s.runners.emplace_back();
}

void RemoveBet(Settler& s, std::size_t line) {
  if (line < s.bets.size()) s.bets.erase(s.bets.begin() + static_cast<std::ptrdiff_t>(line));
}

void RemoveRunner(Settler& s, std::size_t line) {
  if (line < s.runners.size())
    s.runners.erase(s.runners.begin() + static_cast<std::ptrdiff_t>(line));
}

Pasted PasteBets(Settler& s, std::string_view text) {
  auto [bets, heading] = plan::ParseBetLines(text, ParseBetText, CellsOf, &BetInput::odds);
  Pasted out{0, std::move(heading)};
  for (BetInput& bet : bets) {
    if (s.bets.size() >= kMaxBets) break;
    ListRunner(s, bet.runner);
    s.bets.push_back(std::move(bet));
    ++out.added;
  }
  return out;
}

void FillFromPlan(Settler& s, const PlanBets& plan) {
  s.bets = plan.bets;
  s.runners.clear();
  for (const std::string& name : plan.runners) ListRunner(s, name);
  s.commission = plan.commission;
}

SettlerView ViewOf(const Settler& s) {
  SettlerView v;
  std::vector<Bet>& bets = v.bets;
  std::vector<std::size_t>& line_of = v.bet_lines;
  for (std::size_t i = 0; i < s.bets.size(); ++i) {
    if (Blank(s.bets[i])) continue;
    const auto bet = ReadBet(s.bets[i], i);
    if (!bet) {
      v.problem = bet.error();
      return v;
    }
    bets.push_back(*bet);
    line_of.push_back(i);
  }
  if (bets.empty()) {
    v.problem = "Type or paste the bets to settle, then give the result";
    return v;
  }
  const auto race = ReadRace(s.runners);
  if (!race) {
    v.problem = race.error();
    return v;
  }
  Terms terms;
  const auto commission = ReadPercent("Commission", s.commission);
  if (!commission) {
    v.problem = commission.error();
    return v;
  }
  terms.commission = *commission;
  const auto cap = ReadRule4Cap(s.rule4_cap);
  if (!cap) {
    v.problem = cap.error();
    return v;
  }
  terms.rule4_cap = *cap;
  const auto settled = Settle(bets, *race, terms);
  if (!settled) {
    v.problem = settled.error();
    return v;
  }
  v.lines.resize(s.bets.size());
  for (std::size_t k = 0; k < bets.size(); ++k) {
    const SettledBet& b = settled->bets[k];
    SettledLine& line = v.lines[line_of[k]];
    line.status = StatusName(b.status);
    if (b.dead_heat) line.status += " " + DeadHeatText(*b.dead_heat);
    if (b.rule4_pence && *b.rule4_pence > 0) line.rule4 = std::to_string(*b.rule4_pence) + "p";
    if (b.reduced_odds) line.reduced_odds = plan::MoneyText(*b.reduced_odds);  // hundredths
    line.returned = plan::MoneyText(b.returned);
    line.profit = Signed(b.profit);
  }
  const Settlement& t = *settled;
  v.totals =
      "Staked " + plan::MoneyText(t.total_stake) + ", returned " + plan::MoneyText(t.total_return) +
      (t.commission > 0 ? ", commission " + plan::MoneyText(t.commission) : "") + ": profit " +
      Signed(t.profit) +
      (t.rule4_pence > 0 ? " (Rule 4: " + std::to_string(t.rule4_pence) + "p in the pound)" : "");
  v.settled = t;
  return v;
}

}  // namespace stakora::settle
