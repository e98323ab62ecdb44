#pragma once
// The stake planner: stakes a bookmaker or an exchange will take (whole steps,
// a minimum stake), chosen exactly so that no other such stakes do better.
//
// Back, runner j wins:      gross = s_j * O_j - total
// Lay, laid runner j wins:  gross = total - l_j * O_j; another wins: total
// Commission takes its share of a positive gross; a loss keeps all of it.
//   Back stake:      total = amount; maximise the worst gross of the runners
//                    that are not savers, every saver breaking even.
//   Back profit:     the least total at which every such runner nets the
//                    amount (savers break even); then as back stake.
//   Lay stake:       total = amount; minimise the largest loss.
//   Lay liability:   the largest total whose best stakes lose at most the
//                    amount; then as lay stake.

#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

#include "ladder.h"
#include "result.h"

namespace stakora::plan {

enum class Side { Back, Lay };
enum class Mode { Stake, Profit, Liability };

// The words for them on the command line, in JSON and in the settings file.
const char* SideName(Side side);
const char* ModeName(Mode mode);

// A back plan has no liability mode and a lay plan no profit mode.
bool SideHasMode(Side side, Mode mode);
// The mode a plan of that side takes: the one asked for, or else a stake.
Mode ModeFor(Side side, Mode wanted);

// Each way is a bookmaker's bet: backed, never laid, and free of commission.
// Every part of the program that offers a side or commission asks these.
bool TakesLay(bool each_way);
bool TakesCommission(bool each_way);
// The side a plan takes: the one asked for, unless each way backs.
Side SideFor(Side wanted, bool each_way);

// "Runner 3" for the third runner, counted from one.
std::string RunnerLabel(std::size_t index);
// Its name, or the label when it has none.
std::string RunnerName(const std::string& name, std::size_t index);

struct RunnerInput {
  std::string name;
  std::string odds;  // "3.5", "7/2", "evens" or "evs"
  bool saver = false;
  // Around held each-way bets: the runner's lay odds in the exchange's place
  // market; "" when it is not laid there.
  std::string place_odds{};
  friend bool operator==(const RunnerInput&, const RunnerInput&) = default;
};

// Each-way terms as typed. A field size gives the usual places and place
// fraction (each_way.h); places or a fraction typed override that term.
struct EachWayChoices {
  bool on = false;
  bool handicap = false;
  std::string places;          // "" for the usual
  std::string place_fraction;  // "1/5"; "" for the usual
  friend bool operator==(const EachWayChoices&, const EachWayChoices&) = default;
};

// What a plan is asked for, as the user typed it.
struct Choices {
  Side side = Side::Back;
  Mode mode = Mode::Stake;
  std::string amount;
  std::string commission = "0";  // percent
  std::string step = "0.01";
  std::string min_stake = "0";
  std::string field_size;  // runners in the race; "" when not given
  EachWayChoices each_way;
  // Pence in the pound a non-runner takes from held bookmaker bets' winnings
  // (Rule 4); "" for none.
  std::string rule4;
  // An exchange's rules: a stake below the minimum is taken when it pays at
  // least this much at its odds ("" or 0 for no such rule); prices must be on
  // the ladder; the back bets are placed at an exchange.
  std::string min_payout;
  bool ladder = false;
  bool exchange = false;
  // Around held each-way bets: the winners the exchange's place market pays.
  std::string place_market;
  friend bool operator==(const Choices&, const Choices&) = default;
};

// Whether the runners' odds are an exchange's prices: a lay plan's, or an
// exchange back plan's; never each way's.
bool AtExchange(const Choices& c);

// An exchange's rules (ladder.h) set in the choices: the step, the minimum
// stake and payout, the ladder, and back bets at the exchange.
void ApplyExchangeRules(Choices& c, const ExchangeRules& rules);

// A bet the bettor already holds, as typed: the runner's name or position
// ("2"), its kind ("back", "lay", "free", "free-sr", "each-way"), stake (each
// part's, each way) and odds; each way, the bookmaker's places and fraction.
struct HeldInput {
  std::string runner;
  std::string kind;
  std::string stake;
  std::string odds;
  std::string places{};
  std::string fraction{};
  friend bool operator==(const HeldInput&, const HeldInput&) = default;
};

// Texts as the user gave them; the planner reads and checks them all. With
// held bets the plan is of new bets around them (held.h), and the amount,
// which may be empty, caps them.
struct Request : Choices {
  std::vector<RunnerInput> runners;
  std::vector<HeldInput> held;
  friend bool operator==(const Request&, const Request&) = default;
};

struct RunnerPlan {
  std::string name;
  std::string odds;          // as given
  std::string decimal_odds;  // "4.5" for "7/2"
  bool saver = false;
  std::int64_t stake = 0;           // cents, a whole number of steps
  std::int64_t liability = 0;       // cents (lay only), to the cent
  std::int64_t profit_if_wins = 0;  // cents, net of commission
  // Each way: the place part's odds ("1.8") and the worst result if the
  // runner places but does not win (none with one place: the winner's alone).
  std::string place_odds;
  std::optional<std::int64_t> profit_if_places;
  // With held bets: what they alone return if this runner wins.
  std::int64_t held_if_wins = 0;
  // Around held each-way bets: the place market's lay, its liability, and the
  // worst total if the runner finishes in an extra place (paid by the
  // bookmaker, not by the place market; none without one) or outside the
  // bookmaker's places. profit_if_places is then the worst total if it is
  // placed by both.
  std::int64_t lay_place_stake = 0;
  std::int64_t place_liability = 0;
  std::optional<std::int64_t> profit_if_extra_place;
  std::optional<std::int64_t> profit_if_unplaced;
  // The finishing places each outcome covers: 2-3 placed by both, 4-4 extra.
  std::optional<std::pair<int, int>> places_span, extra_span;
  // At an exchange: the ladder prices next to the runner's.
  std::optional<Ticks> ticks;
};

// A held bet as read, to show beside the plan.
struct HeldShown {
  std::string runner;  // the runner's name as the plan shows it
  std::string kind;    // "back", "lay", "free", "free-sr", "each-way"
  std::int64_t stake = 0;
  std::string odds;  // as given
  int places = 0;    // each way: the bookmaker's terms
  std::string fraction{};
};

// Money in cents. In an each-way plan a runner's stake is each part's, the
// total stake the outlay (both parts), its profit if it wins the result when
// the other places go to runners outside the plan while there are any and then
// to the plan's runners with the smallest place returns, and the best profit
// that when the plan's best runners fill the other places. The "exact"
// figures are those of the same plan with neither rounding to the step nor a
// minimum stake, where the plan has such a twin.
struct Plan {
  Side side = Side::Back;
  Mode mode = Mode::Stake;
  std::int64_t step = 1;
  std::string commission_percent;  // as a decimal text: "0", "2.5"
  // Two decimals, or as many more as it takes never to read 100.00 for a
  // book that is not exactly 100%.
  std::string book_percent;
  std::vector<RunnerPlan> runners;
  std::int64_t total_stake = 0;
  std::int64_t if_another_wins = 0;
  std::int64_t worst_profit = 0;
  std::int64_t best_profit = 0;
  std::int64_t exact_worst_profit = 0;
  std::int64_t exact_total_stake = 0;
  std::int64_t rounding_cost = 0;
  bool each_way = false;
  int places = 0;
  std::string place_fraction;                      // "1/5"
  std::optional<std::int64_t> worst_place_profit;  // over every runner; none with one place
  // Another runner wins and none of the plan's places: none when the field
  // leaves too few runners outside the plan to fill the places.
  std::optional<std::int64_t> if_none_places;
  // A plan around held bets: totals are held + new, net; the total stake is
  // the new money; it has no unrounded twin, and no "another wins" outcome
  // when its runners are the whole field.
  std::vector<HeldShown> held;
  bool field_covered = false;  // no runner outside the plan can win
  // Around held each-way bets: the place market's winners, the worst total
  // over the outcomes with an extra place (none without one), and the most
  // the new bets can lose, net of commission.
  int place_market = 0;
  std::optional<std::int64_t> extra_place_profit;
  std::int64_t new_liability = 0;
  // Whether the exact figures and the rounding cost stand beside it: not
  // around held bets, nor where the plan's runners must fill places.
  bool unrounded = true;
};

// The plan, or why there is none: one sentence for the user. A stop asked for
// through `stop` ends the search early with a refusal nobody needs to read.
Result<Plan, std::string> MakePlan(const Request& request, std::stop_token stop = {});

}  // namespace stakora::plan
