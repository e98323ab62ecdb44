#include "plan_text.h"

#include <algorithm>

#include "big.h"
#include "exact.h"
#include "number_text.h"
#include "request_texts.h"

namespace stakora::plan {

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> out;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    out.push_back(line);
  }
  return out;
}

namespace {

std::array<std::string*, 2> RunnerCells(RunnerInput& r) {
  return {&r.name, &r.odds};
}

std::array<std::string*, 6> HeldCells(HeldInput& h) {
  return {&h.runner, &h.kind, &h.stake, &h.odds, &h.places, &h.fraction};
}

}  // namespace

PastedRunners ParseRunnerLines(std::string_view text) {
  PastedRunners pasted;
  std::vector<RunnerInput>& out = pasted.runners;
  for (std::string_view line : Lines(text)) {
    if (TrimBlanks(line).empty()) continue;
    RunnerInput r;
    const auto tab = line.rfind('\t');
    if (tab == std::string_view::npos) {
      r.odds = line;
    } else {
      r.name = line.substr(0, tab);
      r.odds = line.substr(tab + 1);
    }
    out.push_back(std::move(r));
  }
  pasted.heading = SkipHeading(out, &RunnerInput::odds, RunnerCells);
  return pasted;
}

std::optional<HeldInput> ParseHeldText(std::string_view text) {
  const auto at = text.rfind('@');
  if (at == std::string_view::npos) return std::nullopt;
  const std::string_view bet = text.substr(0, at);
  const auto stake = bet.rfind(':');
  if (stake == std::string_view::npos || stake == 0) return std::nullopt;
  const auto kind = bet.rfind(':', stake - 1);
  if (kind == std::string_view::npos) return std::nullopt;
  HeldInput held{std::string(bet.substr(0, kind)),
                 std::string(bet.substr(kind + 1, stake - kind - 1)),
                 std::string(bet.substr(stake + 1)),
                 std::string(text.substr(at + 1)),
                 "",
                 ""};
  // Each way: "ODDS:PLACES:FRACTION" after the "@".
  const auto places = held.odds.find(':');
  if (places != std::string::npos) {
    const auto fraction = held.odds.find(':', places + 1);
    if (fraction == std::string::npos) return std::nullopt;
    held.fraction = held.odds.substr(fraction + 1);
    held.places = held.odds.substr(places + 1, fraction - places - 1);
    held.odds.resize(places);
  }
  return held;
}

std::string HeadingNote(const std::string& heading) {
  return "The first line, \"" + heading + "\", was taken as a heading and skipped.";
}

PastedHeld ParseHeldLines(std::string_view text) {
  return ParseBetLines(text, ParseHeldText, HeldCells, &HeldInput::odds);
}

PlanColumns ColumnsFor(Side side, bool each_way, bool places, bool held) {
  return {side == Side::Lay, each_way, each_way && places, held};
}

const char* StakeHeading(Side side, bool each_way) {
  return side == Side::Lay ? "Lay stake" : each_way ? "Stake each" : "Stake";
}

std::string StakesText(const Plan& p) {
  std::string out;
  for (std::size_t j = 0; j < p.runners.size(); ++j)
    out += RunnerName(p.runners[j].name, j) + "\t" + MoneyText(p.runners[j].stake) + "\n";
  return out;
}

namespace {

// A lay plan's worst case as the most it can lose.
std::string MostToLose(std::int64_t worst) {
  return worst < 0 ? "Most you can lose " + MoneyText(-worst)
                   : "Nothing to lose: worst " + MoneyText(worst);
}

// What a runner outside the plan winning leaves, or that there is none.
std::string IfAnotherWins(const Plan& p) {
  return p.field_covered ? "; no other runner can win"
                         : "; if another wins " + MoneyText(p.if_another_wins);
}

// The terms, the outlay, the worst and best win outcomes, the worst place
// outcome where there is one, and what a runner outside the plan winning
// leaves where one can: the loss of the outlay when none of the plan's
// runners places (where the field has runners enough outside it to fill the
// places; else some of them place, as the place outcome says).
std::string EachWaySummary(const Plan& p) {
  std::string out = "Each way, " + std::to_string(p.places) +
                    (p.places == 1 ? " place" : " places") + " at " + p.place_fraction +
                    ". Outlay " + MoneyText(p.total_stake) + ". If one of these wins: worst " +
                    MoneyText(p.worst_profit) + ", best " + MoneyText(p.best_profit);
  if (p.worst_place_profit)
    out += "; if one only places, worst " + MoneyText(*p.worst_place_profit);
  if (p.field_covered) return out + "; no other runner can win";
  if (p.if_none_places)
    out += "; if another wins and none of these places " + MoneyText(*p.if_none_places);
  return out;
}

// The book, the stakes, and every outcome: one of the plan's runners wins
// (for a lay plan, the most that can be lost), or another does.
std::string WinSummary(const Plan& p) {
  const bool lay = p.side == Side::Lay;
  return "Book " + p.book_percent + "%. " + (lay ? "Lay stakes " : "Total stake ") +
         MoneyText(p.total_stake) + ". " +
         (lay ? MostToLose(std::min(p.worst_profit, p.if_another_wins)) +
                    "; if one of these wins, best " + MoneyText(p.best_profit)
              : "If one of these wins: worst " + MoneyText(p.worst_profit) + ", best " +
                    MoneyText(p.best_profit)) +
         IfAnotherWins(p);
}

// The held bets, the new money, the worst and best totals over every
// outcome, and the total if another runner wins, or that there is no other.
// " Retention 74.75% of the free bet's stake.", when free bets are held.
std::string RetentionText(const Plan& p) {
  const auto kept = RetentionPercent(p);
  if (!kept) return {};
  const auto free = std::count_if(p.held.begin(), p.held.end(), IsFreeBet);
  return " Retention " + *kept +
         (free == 1 ? "% of the free bet's stake." : "% of the free bets' stakes.");
}

std::string HeldSummary(const Plan& p) {
  const std::size_t n = p.held.size();
  const bool lay = p.side == Side::Lay;
  // Backing more rarely helps held bets: laying them off is what was meant.
  const bool nothing_new = !lay && p.total_stake == 0;
  return "With the " + std::to_string(n) + (n == 1 ? " bet" : " bets") + " you hold" +
         (lay ? ": new lay stakes " : ": new stakes ") + MoneyText(p.total_stake) + ". " +
         (lay ? MostToLose(p.worst_profit) + "; best "
              : "Worst " + MoneyText(p.worst_profit) + ", best ") +
         MoneyText(p.best_profit) + IfAnotherWins(p) + "." + RetentionText(p) +
         (nothing_new ? std::string(" ") + kChooseLayHint : "");
}

}  // namespace

bool IsFreeBet(const HeldShown& h) {
  return h.kind == HeldKindName(HeldKind::Free) ||
         h.kind == HeldKindName(HeldKind::FreeStakeReturned);
}

std::optional<std::string> RetentionPercent(const Plan& p) {
  i128 free = 0;
  for (const HeldShown& h : p.held)
    if (IsFreeBet(h)) free += h.stake;
  if (free == 0) return std::nullopt;
  // Worked out in 128 bits: a cent of free bet beside a large held win
  // leaves a percentage past 64 bits.
  return FixedText(Fraction::Of(Q::Of(i128{p.worst_profit} * 100, free)), 2);
}

std::string SignedMoney(std::int64_t cents) {
  return (cents > 0 ? "+" : "") + MoneyText(cents);
}

std::string Ordinal(int n) {
  const int tens = n % 100, units = n % 10;
  const char* suffix = (tens >= 11 && tens <= 13) ? "th"
                       : units == 1               ? "st"
                       : units == 2               ? "nd"
                       : units == 3               ? "rd"
                                                  : "th";
  return std::to_string(n) + suffix;
}

std::string PlacesText(std::pair<int, int> span) {
  return span.first == span.second ? Ordinal(span.first)
                                   : Ordinal(span.first) + "-" + Ordinal(span.second);
}

std::string OutcomesText(const RunnerPlan& r) {
  std::string out = "If it wins " + SignedMoney(r.profit_if_wins);
  if (r.profit_if_places && r.places_span)
    out += "; places " + PlacesText(*r.places_span) + " " + SignedMoney(*r.profit_if_places);
  if (r.profit_if_extra_place && r.extra_span)
    out += "; finishes " + PlacesText(*r.extra_span) + " " + SignedMoney(*r.profit_if_extra_place);
  if (r.profit_if_unplaced) out += "; unplaced " + SignedMoney(*r.profit_if_unplaced);
  return out;
}

namespace {

// Each runner's outcomes (by name when there are several), the worst of all
// where several runners mix, and the new lays with what they can lose.
std::string EachWayLaySummary(const Plan& p) {
  std::string out;
  for (std::size_t j = 0; j < p.runners.size(); ++j) {
    const std::string outcomes = OutcomesText(p.runners[j]);
    out += p.runners.size() == 1 ? outcomes
                                 : RunnerName(p.runners[j].name, j) + ": i" + outcomes.substr(1);
    out += ". ";
  }
  if (p.runners.size() > 1) {
    out += "Worst " + SignedMoney(p.worst_profit);
    if (p.extra_place_profit) out += ", with an extra place " + SignedMoney(*p.extra_place_profit);
    out += ". ";
  }
  return out + "New lays " + MoneyText(p.total_stake) + "; the most they can lose " +
         MoneyText(p.new_liability) + ".";
}

}  // namespace

std::string SummaryText(const Plan& p) {
  if (p.place_market > 0) return EachWayLaySummary(p);
  if (!p.held.empty()) return HeldSummary(p);
  const std::string out = p.each_way ? EachWaySummary(p) : WinSummary(p);
  if (!p.unrounded) return out + ".";
  const std::string cost = ". Rounding costs " + MoneyText(p.rounding_cost);
  switch (p.mode) {
    case Mode::Stake:
      return out + cost + " of profit (unrounded worst " + MoneyText(p.exact_worst_profit) + ").";
    case Mode::Profit:
      return out + cost + " more stake (unrounded " + MoneyText(p.exact_total_stake) + ").";
    case Mode::Liability:
      break;
  }
  return out + cost + " of backers' stakes (unrounded " + MoneyText(p.exact_total_stake) + ").";
}

}  // namespace stakora::plan
