#include "plan.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "big.h"
#include "checked_request.h"
#include "each_way.h"
#include "each_way_lays.h"
#include "exact.h"
#include "held.h"
#include "plan_figures.h"
#include "solver.h"

namespace stakora::plan {
namespace {

using std::int64_t;

}  // namespace

const char* SideName(Side side) {
  return side == Side::Back ? "back" : "lay";
}

const char* ModeName(Mode mode) {
  switch (mode) {
    case Mode::Stake:
      return "stake";
    case Mode::Profit:
      return "profit";
    case Mode::Liability:
      break;
  }
  return "liability";
}

bool SideHasMode(Side side, Mode mode) {
  return mode == Mode::Stake || (mode == Mode::Profit) == (side == Side::Back);
}

Mode ModeFor(Side side, Mode wanted) {
  return SideHasMode(side, wanted) ? wanted : Mode::Stake;
}

bool AtExchange(const Choices& c) {
  return !c.each_way.on && (c.side == Side::Lay || c.exchange);
}

void ApplyExchangeRules(Choices& c, const ExchangeRules& rules) {
  c.step = rules.step;
  c.min_stake = rules.min_stake;
  c.min_payout = rules.min_payout;
  c.ladder = c.exchange = true;
}

bool TakesLay(bool each_way) {
  return !each_way;
}

bool TakesCommission(bool each_way) {
  return !each_way;
}

Side SideFor(Side wanted, bool each_way) {
  return TakesLay(each_way) ? wanted : Side::Back;
}

std::string RunnerLabel(std::size_t index) {
  return "Runner " + std::to_string(index + 1);
}

std::string RunnerName(const std::string& name, std::size_t index) {
  return name.empty() ? RunnerLabel(index) : name;
}

namespace {

// The stakes and exact figures of a plan without held bets or each way.
struct Staked {
  Stakes stakes;
  int64_t total = 0;                                // steps
  std::optional<int64_t> exact_worst, exact_total;  // cents
};

Result<Staked, std::string> StakeLay(const Request& request, const Checked& c, const Books& books,
                                     const std::string& book_text, std::stop_token stop) {
  const Field& field = c.field;
  const Fraction one = Whole(1), amount = Whole(c.amount);
  if (request.mode == Mode::Stake) {
    const int64_t total = c.amount / c.step;
    if (field.MinTotal() > total) return MinimumsTooMuch(c, 1);
    return Staked{LayStakes(field, total), total, NetCents(c, amount - amount / books.all),
                  c.amount};
  }
  if (books.all >= one)
    return "The lay book is " + book_text +
           "%, so the backers' stakes can grow without ever losing more than the liability";
  Search search{kMostCents / c.step, std::move(stop)};
  const auto laid = TotalOrRefusal(
      LargestLayTotal(field, books, Q::Of(c.amount, c.step), search), search, "lay", book_text,
      "A liability of " + MoneyText(c.amount) + " allows more than " + MoneyText(kMostCents) +
          " of backers' stakes; lay with a smaller liability",
      "Even the minimum stake on every runner loses more than " + MoneyText(c.amount) +
          " when a laid runner wins");
  if (!laid) return laid.error();
  if (*laid == 0)
    return "A liability of " + MoneyText(c.amount) + " is too small to lay one step of " +
           MoneyText(c.step) + " on any runner";
  return Staked{LayStakes(field, *laid), *laid, -c.amount,
                Rounded(amount * books.all / (one - books.all))};
}

// Each runner's stake and what it makes if it wins, and the plan's range.
void AddRunners(Plan& p, const Request& request, const Checked& c, const Stakes& stakes) {
  const bool back = request.side == Side::Back;
  for (std::size_t j = 0; j < c.field.size(); ++j) {
    const Odds& o = c.field.odds[j];
    RunnerPlan r = RunnerOf(request, c, j);
    r.stake = stakes[j] * c.step;
    r.profit_if_wins = NetCents(c, GrossIfWins(back, r.stake, p.total_stake, o), o.b);
    if (!back) r.liability = LayLiability(r.stake, o);
    p.runners.push_back(std::move(r));
  }
  p.worst_profit = WorstWin(p.runners);
  p.best_profit = BestWin(p.runners);
}

Result<Plan, std::string> PlainPlan(const Request& request, const Checked& c,
                                    std::stop_token stop) {
  const Books books = BooksOf(c.field);
  Plan p = PlanHead(request, c, books.all);
  Result<Staked, std::string> staked = std::string();
  if (request.side == Side::Back) {
    const auto b = PlanBack(c, c.field, books, request.mode, c.step,
                            {"runners' book", "runners'", "staked"}, std::move(stop));
    if (!b) return b.error();
    staked = Staked{b->stakes, b->total, b->exact_worst, b->exact_total};
  } else {
    staked = StakeLay(request, c, books, p.book_percent, std::move(stop));
  }
  if (!staked) return staked.error();
  if (!staked->exact_worst || !staked->exact_total) return std::string(kTooLarge);
  p.total_stake = staked->total * c.step;
  p.if_another_wins = request.side == Side::Back ? -p.total_stake : NetCents(c, p.total_stake, 1);
  p.exact_worst_profit = *staked->exact_worst;
  p.exact_total_stake = *staked->exact_total;
  AddRunners(p, request, c, staked->stakes);
  p.rounding_cost = RoundingCost(p);
  return p;
}

Result<Plan, std::string> PlanOf(const Request& request, std::stop_token stop) {
  const auto checked = Check(request);
  if (!checked) return checked.error();
  if (HoldsEachWay(request)) return MakeEachWayLayPlan(request, *checked, std::move(stop));
  if (!request.held.empty()) return MakeHeldPlan(request, *checked, std::move(stop));
  if (request.each_way.on) return MakeEachWayPlan(request, *checked, std::move(stop));
  return PlainPlan(request, *checked, std::move(stop));
}

}  // namespace

Result<Plan, std::string> MakePlan(const Request& request, std::stop_token stop) {
  // A bound broken inside the planner must neither end the program nor show
  // a wrong stake: the plan is refused instead.
  try {
    return PlanOf(request, std::move(stop));
  } catch (const std::exception& e) {
    return std::string("Stakora could not work this plan out (") + e.what() + ")";
  }
}

}  // namespace stakora::plan
