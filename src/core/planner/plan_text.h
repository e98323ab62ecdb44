#pragma once
// The texts around a plan that every front end shows or takes: pasted runner
// lists, the stakes to copy, and the summary sentence.

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "number_text.h"
#include "plan.h"
#include "request_texts.h"

namespace stakora::plan {

// The lines of a text, split at LF with a CR before it dropped.
std::vector<std::string_view> Lines(std::string_view text);

// Lines of "NAME<TAB>ODDS" or "ODDS" (as copied from a spreadsheet or a
// betting site); blank lines are skipped, a CR before the line end dropped.
// A first line whose odds cannot be read, when a later line's can, is a
// heading: it is skipped, and said.
struct PastedRunners {
  std::vector<RunnerInput> runners;
  std::string heading;  // the heading skipped, its cells joined by spaces
};
PastedRunners ParseRunnerLines(std::string_view text);

// What a back plan around held bets that places nothing probably meant.
inline constexpr const char* kChooseLayHint = "To lay your bets off at an exchange, choose Lay.";

// "RUNNER:KIND:STAKE@ODDS": the odds follow the last "@", the stake the last
// ":" before it and the kind the ":" before that; the runner is the rest.
// Each way, "@ODDS:PLACES:FRACTION" ends it.
std::optional<HeldInput> ParseHeldText(std::string_view text);

// Pasted lines of bets: a line of TAB-separated cells, or a bet in its
// one-text form (`form`); blank lines are skipped and a line that is neither
// is kept whole as its first cell, for the list to refuse by name. A heading
// is skipped as above. `cells` names a bet's texts in the columns' order.
template <typename Bet>
struct PastedLines {
  std::vector<Bet> lines;
  std::string heading;
};
template <typename Bet, std::size_t N>
PastedLines<Bet> ParseBetLines(std::string_view text, std::optional<Bet> (*form)(std::string_view),
                               std::array<std::string*, N> (*cells)(Bet&), std::string Bet::*odds);

// What to tell the user of a heading skipped.
std::string HeadingNote(const std::string& heading);

// Lines of held bets, "RUNNER<TAB>KIND<TAB>STAKE<TAB>ODDS" (then each way
// "<TAB>PLACES<TAB>FRACTION") or as above.
using PastedHeld = PastedLines<HeldInput>;
PastedHeld ParseHeldLines(std::string_view text);

// The columns a plan's table shows besides runner, odds, stake and profit:
// a lay's liability, each way's place odds and place result (when a runner
// can place without winning), and what held bets return.
struct PlanColumns {
  bool liability = false, place_odds = false, place_profit = false, held = false;
  // Around held each-way bets: the place odds typed, the place lays and the
  // extra-place and unplaced results.
  bool place_lays = false;
  friend bool operator==(const PlanColumns&, const PlanColumns&) = default;
};
PlanColumns ColumnsFor(Side side, bool each_way, bool places, bool held);

// The stake column's heading: a lay plan's stakes are lays, an each-way
// plan's one per part.
const char* StakeHeading(Side side, bool each_way);

// "NAME<TAB>STAKE" per runner, a runner without a name by its label.
std::string StakesText(const Plan& p);

// Book, total stake, worst and best profit, what happens if a runner outside
// the plan wins, and what rounding costs. Around held each-way bets, each
// runner's outcomes and what the new lays can lose.
std::string SummaryText(const Plan& p);

// Whether a held bet is a free bet, its stake returned or not.
bool IsFreeBet(const HeldShown& h);
// Around free bets: the worst profit as a percentage of their stakes, to two
// decimals ("74.75"); none without a free bet.
std::optional<std::string> RetentionPercent(const Plan& p);

// Money with its sign: "+9.94", "-3.00", "0.00".
std::string SignedMoney(std::int64_t cents);
// "1st", "2nd", "23rd"; "2nd-3rd" for places 2 to 3, "4th" for 4 alone.
std::string Ordinal(int n);
std::string PlacesText(std::pair<int, int> span);
// A runner laid around a held each-way bet: "If it wins +9.94; places
// 2nd-3rd +9.92; finishes 4th +124.92; unplaced +9.92".
std::string OutcomesText(const RunnerPlan& r);

// A sheet's or a page's heading: a first line whose odds cannot be read when
// a later line's can. Taken out of the lines; its non-empty cells joined by
// spaces returned.
template <typename Bet, std::size_t N>
std::string SkipHeading(std::vector<Bet>& lines, std::string Bet::*odds,
                        std::array<std::string*, N> (*cells)(Bet&)) {
  const auto reads = [odds](const Bet& b) { return ReadOdds(b.*odds, "").ok(); };
  if (lines.size() < 2 || reads(lines.front()) ||
      std::none_of(lines.begin() + 1, lines.end(), reads))
    return {};
  std::string heading;
  for (const std::string* cell : cells(lines.front()))
    if (!cell->empty()) heading += (heading.empty() ? "" : " ") + *cell;
  lines.erase(lines.begin());
  return heading;
}

template <typename Bet, std::size_t N>
PastedLines<Bet> ParseBetLines(std::string_view text, std::optional<Bet> (*form)(std::string_view),
                               std::array<std::string*, N> (*cells)(Bet&), std::string Bet::*odds) {
  PastedLines<Bet> pasted;
  for (std::string_view line : Lines(text)) {
    if (TrimBlanks(line).empty()) continue;
    Bet& bet = pasted.lines.emplace_back();
    if (line.find('\t') == std::string_view::npos) {
      if (auto read = form(TrimBlanks(line)))
        bet = std::move(*read);
      else
        *cells(bet)[0] = std::string(line);
      continue;
    }
    for (std::string* cell : cells(bet)) {
      const auto tab = line.find('\t');
      *cell = std::string(line.substr(0, tab));
      line = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
    }
  }
  pasted.heading = SkipHeading(pasted.lines, odds, cells);
  return pasted;
}

}  // namespace stakora::plan
