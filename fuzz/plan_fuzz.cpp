// Any texts as a stake plan: no crash, no undefined behaviour, and a plan
// that is given keeps its promises: whole steps adding up to the total, savers
// even, a stake plan's total the amount, a profit plan's worst profit at least
// the amount, a liability plan's largest loss at most the amount; each way,
// both parts of every stake in the outlay; around held bets, new stakes of 0
// or at least the minimum, within the cap, and worst and best over every
// outcome; at an exchange, every stake at least the minimum or paying the
// minimum payout, and every price on the ladder when it must be; around held
// each-way bets, both lays of 0 or at least the minimum, the worst and the
// extra-place worst those of the runners' outcomes, the loss within its cap.
// Every plan exports as CSV that reads back, a line per runner after the
// heading; a one-runner lay around held bets moved by underlay or overlay
// stays on its side of the best, no better than it, and at a full lean
// either stays put or leaves an outcome at 0 or above.

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string_view>
#include <vector>

#include "checked_request.h"
#include "csv.h"
#include "exact.h"
#include "fuzz_support.h"
#include "ladder.h"
#include "lay_lean.h"
#include "number_text.h"
#include "plan.h"
#include "plan_csv.h"
#include "plan_text.h"
#include "request_texts.h"

using namespace stakora::plan;
using stakora::fuzz::Check;

namespace {

// Every text is read as the planner reads it: a plan was given, so each reads.
std::int64_t Cents(stakora::Result<std::int64_t, std::string> read) {
  Check(read.ok());
  return *read;
}

void CheckHeld(const Request& r, const Plan& plan) {
  const std::int64_t least = Cents(ReadMinStake(r.min_stake));
  std::int64_t sum = 0, worst = plan.field_covered ? INT64_MAX : plan.if_another_wins;
  std::int64_t best = plan.field_covered ? INT64_MIN : plan.if_another_wins;
  for (const RunnerPlan& runner : plan.runners) {
    Check(runner.stake >= 0 && runner.stake % plan.step == 0);
    Check(runner.stake == 0 || runner.stake >= least);
    sum += runner.stake;
    worst = std::min(worst, runner.profit_if_wins);
    best = std::max(best, runner.profit_if_wins);
  }
  Check(sum == plan.total_stake && worst == plan.worst_profit && best == plan.best_profit &&
        plan.held.size() == r.held.size());
  if (r.mode == Mode::Stake && !stakora::TrimBlanks(r.amount).empty())
    Check(plan.total_stake <= Cents(ReadAmount(r.amount)));
  if (r.side != Side::Lay || plan.runners.size() != 1) return;
  const std::int64_t l0 = plan.runners[0].stake;
  for (Lean lean : {Lean::Under, Lean::Over}) {
    const auto leant = LeanPlan(r, plan, lean, Q::Of(1));
    if (!leant) continue;
    const std::int64_t l = leant->runners[0].stake;
    Check(l % plan.step == 0 && (lean == Lean::Under ? l <= l0 : l >= l0));
    Check(leant->worst_profit <= plan.worst_profit);
    Check(l == l0 || leant->runners[0].profit_if_wins >= 0 || leant->if_another_wins >= 0);
  }
}

void CheckLaid(const Request& r, const Plan& plan) {
  const std::int64_t least = Cents(ReadMinStake(r.min_stake));
  std::int64_t sum = 0, worst = INT64_MAX, extra = INT64_MAX;
  for (const RunnerPlan& runner : plan.runners)
    for (std::int64_t stake : {runner.stake, runner.lay_place_stake}) {
      Check(stake >= 0 && stake % plan.step == 0 && (stake == 0 || stake >= least));
      sum += stake;
    }
  for (const RunnerPlan& runner : plan.runners) {
    worst = std::min(worst, runner.profit_if_wins);
    for (const auto& outcome :
         {runner.profit_if_places, runner.profit_if_extra_place, runner.profit_if_unplaced})
      if (outcome) worst = std::min(worst, *outcome);
    if (runner.profit_if_extra_place) extra = std::min(extra, *runner.profit_if_extra_place);
  }
  Check(sum == plan.total_stake && worst == plan.worst_profit && plan.best_profit >= worst &&
        plan.new_liability >= 0);
  Check(plan.extra_place_profit ? extra == *plan.extra_place_profit : extra == INT64_MAX);
  const bool capped = !stakora::TrimBlanks(r.amount).empty();
  if (capped && r.mode == Mode::Stake) Check(plan.total_stake <= Cents(ReadAmount(r.amount)));
  if (capped && r.mode == Mode::Liability) Check(plan.new_liability <= Cents(ReadAmount(r.amount)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  Request r;
  r.side = data[0] & 1 ? Side::Lay : Side::Back;
  r.mode = static_cast<Mode>((data[0] >> 1) % 3);
  r.each_way.on = data[0] & 8;
  r.each_way.handicap = data[0] & 16;
  const bool held = data[0] & 32;
  r.ladder = data[0] & 64;
  r.exchange = data[0] & 128;
  // amount, commission, step, minimum, (each way: field size, places, place
  // fraction; held bets: field size), then a runner each (a leading ! a
  // saver), or with held bets a held bet each ("@RUNNER:KIND:STAKE@ODDS")
  // and a Rule 4 deduction ("%P"), a place market's winners ("^W") and the
  // last runner's place odds ("&ODDS"); any plan a minimum payout ("$P")
  const auto texts =
      stakora::fuzz::Texts(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  std::vector<std::string*> fields = {&r.amount, &r.commission, &r.step, &r.min_stake};
  if (r.each_way.on)
    fields.insert(fields.end(), {&r.field_size, &r.each_way.places, &r.each_way.place_fraction});
  else if (held)
    fields.push_back(&r.field_size);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const bool saver = texts[i].starts_with('!');
    if (i < fields.size())
      *fields[i] = texts[i];
    else if (texts[i].starts_with('$'))
      r.min_payout = texts[i].substr(1);
    else if (held && texts[i].starts_with('%'))
      r.rule4 = texts[i].substr(1);
    else if (held && texts[i].starts_with('^'))
      r.place_market = texts[i].substr(1);
    else if (held && texts[i].starts_with('&') && !r.runners.empty())
      r.runners.back().place_odds = texts[i].substr(1);
    else if (held && texts[i].starts_with('@'))
      r.held.push_back(ParseHeldText(std::string_view(texts[i]).substr(1))
                           .value_or(HeldInput{texts[i].substr(1), "back", "1", "2"}));
    else
      r.runners.push_back({"", saver ? texts[i].substr(1) : texts[i], saver});
  }
  const auto plan = MakePlan(r);
  if (!plan) return Check(!plan.error().empty()), 0;
  const auto sheet = ReadCsv(PlanCsv(*plan));
  Check(sheet && sheet->size() > plan->runners.size() + 1 &&
        (*sheet)[plan->runners.size()].cells.size() == (*sheet)[0].cells.size());
  if (plan->place_market > 0) return CheckLaid(r, *plan), 0;
  if (!r.held.empty()) return CheckHeld(r, *plan), 0;
  std::int64_t sum = 0;
  // Every stake reaches the minimum, or pays the minimum payout at its odds.
  const std::int64_t least = Cents(ReadMinStake(r.min_stake)),
                     payout = Cents(ReadMinPayout(r.min_payout));
  for (std::size_t j = 0; j < plan->runners.size(); ++j) {
    const RunnerPlan& runner = plan->runners[j];
    Check(runner.stake >= 0 && runner.stake % plan->step == 0);
    Check(!runner.saver || runner.profit_if_wins >= 0);
    const auto odds = ReadOdds(r.runners[j].odds, "");
    Check(odds.ok() && (!RunnersOnLadder(r) || OnLadder(odds->a, odds->b)));
    Check(runner.stake >= least ||
          (payout > 0 && runner.stake > 0 &&
           static_cast<i128>(runner.stake) * odds->a >= static_cast<i128>(payout) * odds->b));
    sum += runner.stake;
  }
  Check(sum * (plan->each_way ? 2 : 1) == plan->total_stake && sum > 0 &&
        plan->worst_profit <= plan->best_profit && plan->each_way == r.each_way.on);
  const std::int64_t cents = Cents(ReadAmount(r.amount));
  if (r.mode == Mode::Stake)
    Check(plan->total_stake == cents);
  else
    Check(plan->worst_profit >= (r.mode == Mode::Profit ? cents : -cents));
  return 0;
}
