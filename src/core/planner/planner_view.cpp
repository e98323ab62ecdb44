#include "planner_view.h"

#include <algorithm>
#include <cstdlib>

#include "exact.h"
#include "plan_text.h"

namespace stakora::plan {
namespace {

PlannerControls ControlsOf(const Planner& p) {
  PlannerControls c;
  const bool each_way = p.each_way.on;
  c.lay = TakesLay(each_way);
  c.commission = TakesCommission(each_way);
  c.exchange = TakesCommission(each_way);
  c.ticks = RunnersAtExchange(p);
  const bool held = HasHeld(p);
  c.profit = SideHasMode(p.side, Mode::Profit) && !held;
  if (held && SideHasMode(p.side, Mode::Profit))
    c.profit_why = "Around held bets the plan makes the most of them: cap the new bets with Stake";
  c.liability = SideHasMode(p.side, Mode::Liability);
  c.terms = each_way;
  c.held = !each_way;
  if (each_way) c.held_why = "Held bets are planned win only: turn each way off to use them";
  c.saver = !held;
  if (held) c.saver_why = "Around held bets no runner is a saver";
  c.held_caption = "Held bets (" + std::to_string(p.held.size()) + ")";
  c.columns = ColumnsFor(p.side, each_way, each_way, held);
  c.place_market = c.columns.place_lays = HasHeldEachWay(p) && !each_way;
  if (c.place_market) c.columns.place_odds = c.columns.place_profit = true;
  c.stake_heading = StakeHeading(p.side, each_way);
  return c;
}

// A row for each grid row, the summary and the controls; no figures.
PlannerView Bare(const Planner& p, std::string summary) {
  PlannerView v;
  v.summary = p.note.empty() ? std::move(summary) : p.note + " " + summary;
  v.rows.resize(p.rows.size());
  v.controls = ControlsOf(p);
  return v;
}

// The largest figure of a plan, without its sign: the bars' scale, so that a
// loss of cents is a sliver beside the stakes.
std::int64_t LargestFigure(const Plan& plan) {
  std::int64_t largest = 0;
  const auto see = [&](std::int64_t cents) {
    largest = std::max(largest, cents < 0 ? -cents : cents);
  };
  for (const RunnerPlan& r : plan.runners) {
    for (std::int64_t cents : {r.stake, r.liability, r.profit_if_wins, r.held_if_wins}) see(cents);
    for (const auto& cents : {r.profit_if_places, r.profit_if_extra_place, r.profit_if_unplaced})
      if (cents) see(*cents);
  }
  for (std::int64_t cents :
       {plan.total_stake, plan.if_another_wins, plan.worst_profit, plan.best_profit})
    see(cents);
  if (plan.if_none_places) see(*plan.if_none_places);
  return largest;
}

// The bars: each figure a share of the plan's largest, and their zero where
// the losses and the gains both fit.
void DrawBars(PlannerView& v, std::int64_t largest) {
  bool loss = false, gain = false;
  for (const RowResult& r : v.rows) {
    if (r.stake.empty()) continue;
    for (std::int64_t cents :
         {r.profit_cents, r.place_profit_cents, r.extra_profit_cents, r.unplaced_profit_cents})
      (cents < 0 ? loss : gain) |= cents != 0;
  }
  v.bar_zero = loss ? (gain ? 0.5 : 1.0) : 0.0;
  const auto share = [&](std::int64_t cents) {
    return largest == 0 ? 0.0 : static_cast<double>(cents) / static_cast<double>(largest);
  };
  for (RowResult& r : v.rows) {
    if (!r.stake.empty()) r.bar = share(r.profit_cents);
    if (!r.place_profit.empty()) r.place_bar = share(r.place_profit_cents);
    if (!r.extra_profit.empty()) r.extra_bar = share(r.extra_profit_cents);
    if (!r.unplaced_profit.empty()) r.unplaced_bar = share(r.unplaced_profit_cents);
  }
}

// A runner laid around a held each-way bet: both lays and every outcome.
void ShowLays(RowResult& shown, const RunnerPlan& r) {
  shown.place_lay = MoneyText(r.lay_place_stake);
  shown.place_liability = MoneyText(r.place_liability);
  if (r.profit_if_extra_place) {
    shown.extra_profit = MoneyText(*r.profit_if_extra_place);
    shown.extra_profit_cents = *r.profit_if_extra_place;
  }
  if (r.profit_if_unplaced) {
    shown.unplaced_profit = MoneyText(*r.profit_if_unplaced);
    shown.unplaced_profit_cents = *r.profit_if_unplaced;
  }
  const std::string outcomes = OutcomesText(r);
  shown.bar_text = "i" + outcomes.substr(1);
}

}  // namespace

std::string ShownBoxText(const Planner& p, Box box) {
  const bool terms = box == Box::FieldSize || box == Box::Places || box == Box::PlaceFraction;
  return terms && !p.each_way.on ? std::string() : BoxText(p, box);
}

PlannerView ViewWithout(const Planner& p, std::string summary) {
  PlannerView v = Bare(p, std::move(summary));
  v.problems = Problems(p);
  return v;
}

PlannerView PromptView(const Planner& p) {
  const std::vector<Problem> problems = Problems(p);
  const std::size_t cleared =
      static_cast<std::size_t>(std::count_if(p.cleared.begin(), p.cleared.end(), IsRunner));
  std::string summary = kAskForRunners;
  if (!problems.empty())
    summary = problems.front().message;
  else if (cleared > 0)
    summary = "Cleared " + std::to_string(cleared) + (cleared == 1 ? " runner" : " runners") +
              "; Ctrl+Z brings them back.";
  return ViewWithout(p, std::move(summary));
}

PlannerView Copied(PlannerView v) {
  const auto n =
      static_cast<std::size_t>(std::count(v.stakes_text.begin(), v.stakes_text.end(), '\n'));
  v.summary += " Copied " + std::to_string(n) + (n == 1 ? " stake" : " stakes") +
               " to the clipboard, a runner's name and stake a line.";
  return v;
}

PlannerView ViewOf(const Planner& p, const Plan& plan) {
  // A plan was made, so every box and cell was read: there are no problems.
  PlannerView v = Bare(p, SummaryText(plan));
  std::size_t j = 0;
  for (std::size_t row = 0; row < p.rows.size() && j < plan.runners.size(); ++row) {
    if (!IsRunner(p.rows[row])) continue;
    const RunnerPlan& r = plan.runners[j++];
    RowResult& shown = v.rows[row];
    shown.stake = MoneyText(r.stake), shown.liability = MoneyText(r.liability);
    shown.profit = MoneyText(r.profit_if_wins), shown.profit_cents = r.profit_if_wins;
    shown.bar_text = "if it wins " + shown.profit;
    if (!plan.held.empty()) shown.held = MoneyText(r.held_if_wins);
    if (plan.each_way) shown.place_odds = r.place_odds;
    if (r.profit_if_places) {
      shown.place_profit = MoneyText(*r.profit_if_places);
      shown.place_profit_cents = *r.profit_if_places;
      shown.bar_text = "if it wins " + shown.profit + ", if it places " + shown.place_profit;
    }
    if (plan.place_market > 0) ShowLays(shown, r);
  }
  DrawBars(v, LargestFigure(plan));
  v.stakes_text = StakesText(plan);
  v.controls.copy = !v.stakes_text.empty();
  return v;
}

PlannerView ViewAfter(const Planner& p, PlannerView v, const Applied& applied) {
  if (applied.rows.Any()) return ViewWithout(p, std::move(v.summary));
  v.problems = Problems(p);
  const bool copy = v.controls.copy;
  v.controls = ControlsOf(p);
  v.controls.copy = copy;
  return v;
}

}  // namespace stakora::plan
