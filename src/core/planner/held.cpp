#include "held.h"

#include <algorithm>
#include <array>
#include <optional>

#include "big.h"
#include "each_way.h"
#include "held_bounds.h"
#include "held_search.h"
#include "number_text.h"
#include "plan_figures.h"

namespace stakora::plan {
namespace {

using std::int64_t;

constexpr std::array<HeldKind, 4> kKinds = {HeldKind::Back, HeldKind::Lay, HeldKind::Free,
                                            HeldKind::FreeStakeReturned};

struct HeldBet {
  std::size_t runner = 0;
  HeldKind kind = HeldKind::Back;
  int64_t stake = 0;  // cents
  Odds odds;
};

std::string Which(std::size_t i) {
  return "Held bet " + std::to_string(i + 1);
}

Result<HeldBet, std::string> ReadHeld(const Request& r, std::size_t i) {
  const HeldInput& in = r.held[i];
  HeldBet bet;
  const auto runner = ReadHeldRunner(r, i);
  if (!runner) return runner.error();
  bet.runner = *runner;
  const auto kind = ReadHeldKind(in.kind, i);
  if (!kind) return kind.error();
  bet.kind = *kind;
  const auto stake = ReadHeldStake(in.stake, i);
  if (!stake) return stake.error();
  bet.stake = *stake;
  const auto odds = ReadHeldOdds(in.odds, i);
  if (!odds) return odds.error();
  bet.odds = *odds;
  return bet;
}

// What the bet returns, in cents, if its runner wins and if it loses.
Q IfWins(const HeldBet& b) {
  const i128 s = b.stake, a = b.odds.a, d = b.odds.b;
  switch (b.kind) {
    case HeldKind::Back:
    case HeldKind::Free:
      return Q::Of(s * (a - d), d);
    case HeldKind::Lay:
      return Q::Of(-s * (a - d), d);
    case HeldKind::FreeStakeReturned:
      break;
  }
  return Q::Of(s * a, d);
}
i128 IfLoses(const HeldBet& b) {
  switch (b.kind) {
    case HeldKind::Back:
      return -b.stake;
    case HeldKind::Lay:
      return b.stake;
    case HeldKind::Free:
    case HeldKind::FreeStakeReturned:
      break;
  }
  return 0;
}

std::optional<Q> Add(const Q& x, const Q& y) {
  const i128 den = x.den() / Gcd(x.den(), y.den()) * y.den();
  if (den > kMostHeldDen) return std::nullopt;
  return Q::Of(x.num() * (den / x.den()) + y.num() * (den / y.den()), den);
}

// Held bets are refused, as usage, where the plan has no room for them.
std::optional<std::string> Unplannable(const Request& r) {
  if (r.each_way.on) return "Held bets are planned win only: turn each way off";
  if (r.mode == Mode::Profit)
    return std::string(
        "Around held bets the plan makes the most of them: cap the new bets with a stake, or "
        "leave the amount empty, rather than ask for a profit");
  for (std::size_t j = 0; j < r.runners.size(); ++j)
    if (r.runners[j].saver)
      return RunnerLabel(j) + ": marked as a saver; around held bets no runner is a saver";
  if (r.held.size() > kMaxHeld)
    return "At most " + std::to_string(kMaxHeld) + " held bets can be planned around";
  return std::nullopt;
}

}  // namespace

Result<std::size_t, std::string> ReadHeldRunner(const Request& r, std::size_t i) {
  const std::string text(TrimBlanks(r.held[i].runner));
  std::optional<std::size_t> named;
  for (std::size_t j = 0; j < r.runners.size(); ++j) {
    if (TrimBlanks(r.runners[j].name) != text || text.empty()) continue;
    // Two runners of one name: the bet could be on either.
    if (named)
      return Which(i) + ": runners " + std::to_string(*named + 1) + " and " +
             std::to_string(j + 1) + " are both called \"" + text + "\"; give them different names";
    named = j;
  }
  if (named) return *named;
  const auto position = ParseDecimal(text, 0);
  if (position && position->num() >= 1 && position->num() <= static_cast<i128>(r.runners.size()))
    return static_cast<std::size_t>(position->num() - 1);
  if (position)
    return Which(i) + ": there is no runner " + text + "; the plan has " +
           std::to_string(r.runners.size());
  return Which(i) + ": no runner is called \"" + text + "\"";
}

Result<HeldKind, std::string> ReadHeldKind(const std::string& text, std::size_t i) {
  const std::string kind = AsciiLower(std::string(TrimBlanks(text)));
  const auto named = std::find_if(kKinds.begin(), kKinds.end(),
                                  [&](HeldKind k) { return kind == HeldKindName(k); });
  if (named == kKinds.end())
    return Which(i) + ": the kind \"" + text + "\" is not back, lay, free or free-sr";
  return *named;
}

Result<int64_t, std::string> ReadHeldStake(const std::string& text, std::size_t i) {
  return ReadPositiveMoney(Which(i) + " stake", text);
}

Result<Odds, std::string> ReadHeldOdds(const std::string& text, std::size_t i) {
  return ReadOdds(text, Which(i) + ": ");
}

const char* HeldKindName(HeldKind kind) {
  switch (kind) {
    case HeldKind::Back:
      return "back";
    case HeldKind::Lay:
      return "lay";
    case HeldKind::Free:
      return "free";
    case HeldKind::FreeStakeReturned:
      break;
  }
  return "free-sr";
}

Result<Plan, std::string> MakeHeldPlan(const Request& r, const Checked& c, std::stop_token stop) {
  if (const auto why = Unplannable(r)) return *why;
  const std::size_t n = c.field.size();
  std::vector<HeldBet> bets;
  for (std::size_t i = 0; i < r.held.size(); ++i) {
    const auto bet = ReadHeld(r, i);
    if (!bet) return bet.error();
    bets.push_back(*bet);
  }
  bool covered = false;
  if (!TrimBlanks(r.field_size).empty()) {
    const auto field = ReadFieldSize(r.field_size);
    if (!field) return field.error();
    if (static_cast<std::size_t>(*field) < n)
      return "Field size: " + std::to_string(*field) + " is smaller than the " + std::to_string(n) +
             " runners planned";
    covered = static_cast<std::size_t>(*field) == n;
  }

  HeldProblem problem;
  problem.side = r.side;
  problem.odds = c.field.odds;
  problem.step = c.step;
  problem.min = c.field.min;
  problem.commission = c.commission;
  i128 all_lose = 0;
  for (const HeldBet& b : bets) all_lose += IfLoses(b);
  problem.held.assign(n, Q::Of(all_lose));
  for (const HeldBet& b : bets) {
    const auto sum = Add(problem.held[b.runner], IfWins(b));
    if (!sum)
      return "The held bets on " + RunnerName(r.runners[b.runner].name, b.runner) +
             " are at prices too unlike to add up exactly; give their odds as decimals";
    problem.held[b.runner] = Q::Of(sum->num() - IfLoses(b) * sum->den(), sum->den());
  }
  if (!covered) problem.held_other = Q::Of(all_lose);

  const bool back = r.side == Side::Back;
  const bool capped = r.mode == Mode::Stake && c.amount > 0;
  problem.most_total = capped ? c.amount / c.step : kMostCents / c.step;
  // An empty amount caps nothing, whichever it names.
  if (r.mode == Mode::Liability && c.amount > 0) problem.most_loss = c.amount;
  const Books books = BooksOf(c.field);
  const auto side = books.all <=> Whole(1);
  problem.full_book = side == 0;
  if (!capped && ((back && covered && side < 0) || (!back && side > 0)))
    return "The new bets alone would win whatever happens (the runners' book is " +
           BookText(books.all) + "%), so there is no best plan without a cap: give a stake";

  Search search{problem.most_total, std::move(stop), kHeldWorkBudget};
  const auto best = BestAroundHeld(problem, search);
  if (!best)
    return search.why == Stop::Cancelled
               ? std::string(kStopped)
               : "The best plan could not be found within the work allowed (the runners' book "
                 "is " +
                     BookText(books.all) + "%); give a smaller stake cap or leave a runner out";
  // Without a cap the planner's own limit caps the new money: a plan that does
  // better beyond it is not the best, and is not offered as such.
  if (!capped && !LevelOutOfReach(problem, best->worst, true, problem.most_total + 1,
                                  4 * problem.most_total, search.work))
    return "The best plan around these bets needs more than " + MoneyText(kMostCents) + " of " +
           (back ? "new stakes" : "backers' stakes") +
           ", the most the planner takes; give a stake to cap them";

  Plan p = PlanHead(r, c, books.all);
  p.total_stake = best->total * c.step;
  p.field_covered = covered;
  const auto cents = [](const Q& q) { return To64(RoundHalfEven(q)); };
  p.worst_profit = cents(best->worst);
  p.best_profit = p.worst_profit;
  if (!covered) {
    p.if_another_wins = cents(best->outcomes[n]);
    p.best_profit = std::max(p.best_profit, p.if_another_wins);
  }
  for (std::size_t j = 0; j < n; ++j) {
    const Odds& o = c.field.odds[j];
    RunnerPlan runner = RunnerOf(r, c, j);
    runner.stake = best->stakes[j] * c.step;
    if (!back) runner.liability = cents(Q::Of(static_cast<i128>(runner.stake) * (o.a - o.b), o.b));
    runner.profit_if_wins = cents(best->outcomes[j]);
    runner.held_if_wins = cents(problem.held[j]);
    p.best_profit = std::max(p.best_profit, runner.profit_if_wins);
    p.runners.push_back(std::move(runner));
  }
  // No unrounded twin: the figures stand for themselves.
  p.unrounded = false;
  for (std::size_t i = 0; i < bets.size(); ++i)
    p.held.push_back({RunnerName(r.runners[bets[i].runner].name, bets[i].runner),
                      HeldKindName(bets[i].kind), bets[i].stake, r.held[i].odds});
  return p;
}

}  // namespace stakora::plan
