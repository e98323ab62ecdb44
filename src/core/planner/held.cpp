#include "held.h"

#include <algorithm>
#include <optional>

#include "big.h"
#include "each_way.h"
#include "held_bounds.h"
#include "held_search.h"
#include "plan_figures.h"

namespace stakora::plan {

Q HeldIfWins(const HeldBet& b, int rule4) {
  const i128 s = b.stake, a = b.odds.a, d = b.odds.b, keep = 100 - rule4;
  switch (b.kind) {
    case HeldKind::Back:
    case HeldKind::Free:
      return Q::Of(s * (a - d) * keep, d * 100);
    case HeldKind::Lay:
      return Q::Of(-s * (a - d), d);
    case HeldKind::EachWay:
      return Q::Of(s * (a - d) * keep * (b.terms.fraction_den + b.terms.fraction_num),
                   d * 100 * b.terms.fraction_den);
    case HeldKind::FreeStakeReturned:
      break;
  }
  return Q::Of(s * (100 * d + (a - d) * keep), d * 100);
}

Q HeldIfPlaces(const HeldBet& b, int rule4) {
  if (b.kind != HeldKind::EachWay) return Q::Of(HeldIfLoses(b));
  const i128 s = b.stake, a = b.odds.a, d = b.odds.b, keep = 100 - rule4;
  return Q::Of(s * (a - d) * keep * b.terms.fraction_num - s * d * 100 * b.terms.fraction_den,
               d * 100 * b.terms.fraction_den);
}

i128 HeldIfLoses(const HeldBet& b) {
  switch (b.kind) {
    case HeldKind::Back:
      return -b.stake;
    case HeldKind::EachWay:
      return -2 * b.stake;
    case HeldKind::Lay:
      return b.stake;
    case HeldKind::Free:
    case HeldKind::FreeStakeReturned:
      break;
  }
  return 0;
}

std::optional<Q> AddHeld(const Q& x, const Q& y) {
  const i128 den = x.den() / Gcd(x.den(), y.den()) * y.den();
  if (den > kMostHeldDen) return std::nullopt;
  return Q::Of(x.num() * (den / x.den()) + y.num() * (den / y.den()), den);
}

std::vector<HeldShown> HeldShownOf(const Request& r, const Checked& c) {
  std::vector<HeldShown> out;
  for (std::size_t i = 0; i < c.held.size(); ++i) {
    const HeldBet& b = c.held[i];
    HeldShown& shown = out.emplace_back();
    shown.runner = RunnerName(r.runners[b.runner].name, b.runner);
    shown.kind = HeldKindName(b.kind);
    shown.stake = b.stake;
    shown.odds = r.held[i].odds;
    if (b.kind == HeldKind::EachWay) {
      shown.places = b.terms.places;
      shown.fraction = FractionText(b.terms);
    }
  }
  return out;
}

std::optional<HeldConflict> HeldConflictOf(const Request& r) {
  if (r.held.empty()) return std::nullopt;
  if (r.each_way.on) return HeldConflict{HeldConflict::EachWay};
  if (r.mode == Mode::Profit) return HeldConflict{HeldConflict::Profit};
  for (std::size_t j = 0; j < r.runners.size(); ++j)
    if (r.runners[j].saver) return HeldConflict{HeldConflict::Saver, j};
  return std::nullopt;
}

namespace {

// The search's problem: what the held bets return on each outcome, and the
// caps on the new bets.
Result<HeldProblem, std::string> ProblemOf(const Request& r, const Checked& c, bool covered,
                                           bool capped, bool full_book) {
  HeldProblem problem;
  problem.side = r.side;
  problem.odds = c.field.odds;
  problem.step = c.step;
  problem.min = c.field.min;
  problem.commission = c.commission;
  i128 all_lose = 0;
  for (const HeldBet& b : c.held) all_lose += HeldIfLoses(b);
  problem.held.assign(c.field.size(), Q::Of(all_lose));
  for (const HeldBet& b : c.held) {
    const auto sum = AddHeld(problem.held[b.runner], HeldIfWins(b, c.rule4));
    if (!sum)
      return "The held bets on " + RunnerName(r.runners[b.runner].name, b.runner) +
             " are at prices too unlike to add up exactly; give their odds as decimals";
    problem.held[b.runner] = Q::Of(sum->num() - HeldIfLoses(b) * sum->den(), sum->den());
  }
  if (!covered) problem.held_other = Q::Of(all_lose);
  problem.most_total = capped ? c.amount / c.step : kMostCents / c.step;
  // An empty amount caps nothing, whichever it names.
  if (r.mode == Mode::Liability && c.amount > 0) problem.most_loss = c.amount;
  problem.full_book = full_book;
  return problem;
}

// The plan's figures from the best the search found.
Plan PlanOf(const Request& r, const Checked& c, const HeldProblem& problem, const HeldBest& best,
            const Fraction& book, bool covered) {
  const std::size_t n = c.field.size();
  Plan p = PlanHead(r, c, book);
  p.total_stake = best.total * c.step;
  p.field_covered = covered;
  const auto cents = [](const Ratio& q) { return To64(RoundHalfEven(q)); };
  p.worst_profit = cents(best.worst);
  if (!covered) p.if_another_wins = cents(best.outcomes[n]);
  for (std::size_t j = 0; j < n; ++j) {
    RunnerPlan runner = RunnerOf(r, c, j);
    runner.stake = best.stakes[j] * c.step;
    if (r.side == Side::Lay) runner.liability = LayLiability(runner.stake, c.field.odds[j]);
    runner.profit_if_wins = cents(best.outcomes[j]);
    runner.held_if_wins = cents(problem.held[j]);
    p.runners.push_back(std::move(runner));
  }
  p.best_profit = covered ? BestWin(p.runners) : std::max(BestWin(p.runners), p.if_another_wins);
  // No unrounded twin: the figures stand for themselves.
  p.unrounded = false;
  p.held = HeldShownOf(r, c);
  return p;
}

}  // namespace

Result<Plan, std::string> MakeHeldPlan(const Request& r, const Checked& c, std::stop_token stop) {
  const bool covered = c.field_size && static_cast<std::size_t>(*c.field_size) == c.field.size();
  const Books books = BooksOf(c.field);
  const auto side = books.all <=> Whole(1);
  const bool capped = r.mode == Mode::Stake && c.amount > 0;  // an empty amount caps nothing
  const auto problem = ProblemOf(r, c, covered, capped, side == 0);
  if (!problem) return problem.error();
  const bool back = r.side == Side::Back;
  if (!capped && ((back && covered && side < 0) || (!back && side > 0)))
    return "The new bets alone would win whatever happens (the runners' book is " +
           BookText(books.all) + "%), so there is no best plan without a cap: give a stake";

  Search search{problem->most_total, std::move(stop), kHeldWorkBudget};
  const auto best = BestAroundHeld(*problem, search);
  if (!best)
    return search.why == Stop::Cancelled
               ? std::string(kStopped)
               : "The best plan could not be found within the work allowed (the runners' book "
                 "is " +
                     BookText(books.all) + "%); give a smaller stake cap or leave a runner out";
  // Without a cap the planner's own limit caps the new money: a plan that does
  // better beyond it is not the best, and is not offered as such.
  if (!capped && !LevelOutOfReach(*problem, best->worst, true, problem->most_total + 1,
                                  4 * problem->most_total, search.work))
    return "The best plan around these bets needs more than " + MoneyText(kMostCents) + " of " +
           (back ? "new stakes" : "backers' stakes") +
           ", the most the planner takes; give a stake to cap them";
  return PlanOf(r, c, *problem, *best, books.all, covered);
}

}  // namespace stakora::plan
