#include "lay_lean.h"

#include <algorithm>
#include <optional>

#include "checked_request.h"
#include "exact.h"
#include "held.h"
#include "number_text.h"
#include "plan_figures.h"

namespace stakora::plan {
namespace {

// The two outcomes of one lay, in cents, exactly.
struct Outcomes {
  Q win, lose;  // held, if the runner wins and if it loses
  Odds odds;
  std::int64_t commission = 0;  // of kBasis

  Ratio IfWins(i128 l) const {  // w - l (a - b) / b
    return {win.num() * odds.b - l * (odds.a - odds.b) * win.den(), win.den() * odds.b};
  }
  Ratio IfLoses(i128 l) const {  // h + l (1 - c)
    return {lose.num() * kBasis + l * (kBasis - commission) * lose.den(), lose.den() * kBasis};
  }
  // The stakes, in cents, at which each is 0.
  Ratio WinsZero() const { return {win.num() * odds.b, win.den() * (odds.a - odds.b)}; }
  Ratio LosesZero() const { return {-lose.num() * kBasis, lose.den() * (kBasis - commission)}; }
};

int Sign(const Ratio& q) {
  return q.num > 0 ? 1 : q.num < 0 ? -1 : 0;
}

// The end of the lean, in steps: the nearest stake that way at which an
// outcome moving toward 0 has reached it; none when no stake that way (at
// least 0) brings one there.
std::optional<i128> EndOf(const Outcomes& o, i128 best, std::int64_t step, Lean lean) {
  const i128 l0 = best * step;
  const int b0 = Sign(o.IfWins(l0)), s0 = Sign(o.IfLoses(l0));
  std::optional<i128> end;
  const auto nearer = [&](const Ratio& zero, bool up) {
    if (zero.num < 0) return;  // no stake reaches it
    const i128 n = up ? CeilDiv(zero.num, zero.den * step) : FloorDiv(zero.num, zero.den * step);
    if (!end || (lean == Lean::Under ? n > *end : n < *end)) end = n;
  };
  // Each outcome's zero is taken to the step on the side that keeps it at 0
  // or above: B falls as the stake rises, L rises.
  if (lean == Lean::Under) {
    if (b0 <= 0) nearer(o.WinsZero(), false);
    if (s0 >= 0) nearer(o.LosesZero(), true);
  } else {
    if (s0 <= 0) nearer(o.LosesZero(), true);
    if (b0 >= 0) nearer(o.WinsZero(), false);
  }
  return end;
}

}  // namespace

const char* LeanName(Lean lean) {
  return lean == Lean::Under ? "Underlay" : "Overlay";
}

Result<Q, std::string> ReadLeanFraction(Lean lean, const std::string& text) {
  const auto f = ParseDecimal(TrimBlanks(text), kMostReadDecimals);
  if (!f || f->num() > f->den())
    return LeanName(lean) + std::string(": \"") + text +
           "\" is no fraction from 0 to 1; give one such as 0.5";
  return *f;
}

Result<Plan, std::string> LeanPlan(const Request& r, const Plan& best, Lean lean,
                                   const Q& fraction) {
  const std::string name = LeanName(lean);
  const Q& f = fraction;
  const bool one_runner = r.side == Side::Lay && r.runners.size() == 1 && !r.held.empty() &&
                          best.runners.size() == 1 && best.place_market == 0;
  if (!one_runner) return name + " moves a lay around bets held on one runner: lay one runner";
  if (best.field_covered) return name + " needs the runner able to lose: the field is covered";
  const auto c = Check(r);
  if (!c) return c.error();
  if (c->amount > 0) return name + " takes no cap on the new stakes: leave the amount empty";
  Outcomes o{Q::Of(0), Q::Of(0), c->field.odds[0], c->commission};
  for (const HeldBet& b : c->held) {
    const auto win = AddHeld(o.win, HeldIfWins(b, c->rule4));
    if (!win) return std::string("The held bets are at prices too unlike to add up exactly");
    o.win = *win;
    o.lose = Q::Of(o.lose.num() + HeldIfLoses(b) * o.lose.den(), o.lose.den());
  }
  const std::int64_t step = c->step, n0 = best.runners[0].stake / step;
  const auto end = EndOf(o, n0, step, lean);
  if (!end)
    return name + ": no " + (lean == Lean::Under ? "smaller" : "larger") +
           " lay brings either outcome to 0";
  const i128 span = *end - n0;
  // |span| f rounded, a half toward the best: ceil(x - 1/2).
  const i128 moved = CeilDiv(2 * (span < 0 ? -span : span) * f.num() - f.den(), 2 * f.den());
  const i128 l = (n0 + (span < 0 ? -moved : moved)) * step;
  if (l > 0 && l < c->field.min * step)
    return "The lay stake " + MoneyText(To64(l)) + " is below the minimum stake " +
           MoneyText(c->field.min * step);
  Plan p = best;
  RunnerPlan& runner = p.runners[0];
  runner.stake = To64(l);
  runner.liability = LayLiability(runner.stake, o.odds);
  const Ratio wins = o.IfWins(l), loses = o.IfLoses(l);
  runner.profit_if_wins = To64(RoundHalfEven(wins));
  p.if_another_wins = To64(RoundHalfEven(loses));
  p.total_stake = runner.stake;
  p.worst_profit = std::min(runner.profit_if_wins, p.if_another_wins);
  p.best_profit = std::max(runner.profit_if_wins, p.if_another_wins);
  return p;
}

}  // namespace stakora::plan
