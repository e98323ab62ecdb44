#include "checked_request.h"

#include <algorithm>

#include "number_text.h"

namespace stakora::plan {
namespace {

using std::int64_t;

}  // namespace

Result<Odds, std::string> ReadOdds(const std::string& odds, const std::string& who) {
  const std::string t = AsciiLower(TrimBlanks(odds));
  const std::string unreadable = who + "cannot read the odds \"" + odds +
                                 "\"; give decimal odds such as 3.5, a fraction such as 7/2, "
                                 "or evens";
  Q q;
  if (t == "evens" || t == "evs") {
    q = Q::Of(2);
  } else if (t.find('/') != std::string::npos) {
    const auto f = ParseFraction(t);
    if (!f) return unreadable;
    if (f->up > kMostTerm || f->down > kMostTerm)
      return who + "the fraction " + odds + " has a term above 1000000";
    q = Q::Of(f->up + f->down, f->down);
  } else if (const auto d = ParseDecimal(t, kMostOddsDecimals)) {
    q = *d;
  } else if (d.error() == DecimalProblem::TooManyDecimals) {
    return who + "odds of " + odds + " have more than six decimals";
  } else if (d.error() == DecimalProblem::TooLarge) {
    return who + "odds of " + odds + " are above 10000";
  } else {
    return unreadable;
  }
  if (100 * q.num() < 101 * q.den()) return who + "odds of " + odds + " are below 1.01";
  if (q.num() > 10000 * q.den()) return who + "odds of " + odds + " are above 10000";
  return Odds{To64(q.num()), To64(q.den())};
}

Result<int64_t, std::string> ReadMoney(const std::string& what, const std::string& text,
                                       int64_t most) {
  const auto q = ParseDecimal(TrimBlanks(text), 2, true);
  const std::string limit = what + ": must be at most " + MoneyText(most);
  if (!q) {
    switch (q.error()) {
      case DecimalProblem::TooLarge:
        return limit;
      case DecimalProblem::TooManyDecimals:
        return what + ": \"" + text + "\" has more than two decimals";
      case DecimalProblem::NotANumber:
        break;
    }
    return what + ": \"" + text + "\" is not a number";
  }
  const i128 cents = q->num() * 100 / q->den();
  if (cents > most) return limit;
  return To64(cents);
}

Result<int64_t, std::string> ReadStep(const std::string& text) {
  const auto step = ReadMoney("Step", text, kMostStepCents);
  if (step && *step <= 0) return std::string("Step: must be more than 0, such as 0.01, 0.50 or 1");
  return step;
}

Result<int64_t, std::string> ReadCommission(const std::string& text) {
  // "5%" is read as 5: the box and the option already say it is a percentage.
  std::string_view percent = TrimBlanks(text);
  if (percent.ends_with('%')) percent = TrimBlanks(percent.substr(0, percent.size() - 1));
  const auto commission = ParseDecimal(percent, 2);
  if (!commission || commission->num() >= 100 * commission->den())
    return std::string(
        "Commission: must be a percentage from 0 to below 100, with at most two decimals");
  return To64(commission->num() * 100 / commission->den());
}

Result<int64_t, std::string> ReadMinStake(const std::string& text) {
  const auto min = ReadMoney("Minimum stake", text, kMostCents);
  if (min && *min < 0) return std::string("Minimum stake: must be 0 or more");
  return min;
}

Result<int64_t, std::string> ReadPositiveMoney(const std::string& what, const std::string& text) {
  const auto money = ReadMoney(what, text, kMostCents);
  if (money && *money <= 0) return what + ": must be more than 0";
  return money;
}

Result<int64_t, std::string> ReadAmount(const std::string& text) {
  return ReadPositiveMoney("Amount", text);
}

Result<Checked, std::string> Check(const Request& r) {
  Checked c;
  if (r.runners.empty()) return std::string("No runners: give the odds of at least one runner");
  if (r.runners.size() > kMaxRunners)
    return "At most " + std::to_string(kMaxRunners) + " runners can be planned";
  if (r.each_way.on && r.side == Side::Lay)
    return std::string("An each-way plan backs every runner at a bookmaker: it cannot lay");
  if (!SideHasMode(r.side, r.mode))
    return std::string(r.side == Side::Back ? "A back plan takes a stake or a profit to win"
                                            : "A lay plan takes a stake or a liability");
  const auto step = ReadStep(r.step);
  if (!step) return step.error();
  c.step = *step;
  const auto commission = ReadCommission(r.commission);
  if (!commission) return commission.error();
  c.commission = *commission;
  if (r.each_way.on && c.commission != 0)
    return std::string(
        "Commission: an each-way plan is placed with a bookmaker, who takes no commission");
  const auto min = ReadMinStake(r.min_stake);
  if (!min) return min.error();
  // A minimum between two steps counts as the next whole step.
  c.field.min = To64(CeilDiv(*min, c.step));
  // Around held bets the amount only caps the new ones, and may be left out.
  const bool capped = r.held.empty() || !TrimBlanks(r.amount).empty();
  const auto amount = capped ? ReadAmount(r.amount) : int64_t{0};
  if (!amount) return amount.error();
  c.amount = *amount;
  // An each-way stake is two bets of a whole number of steps.
  const int64_t unit = r.each_way.on ? 2 * c.step : c.step;
  if (r.held.empty() && r.mode == Mode::Stake && c.amount % unit != 0)
    return "Amount: the stake " + MoneyText(c.amount) + " is not a whole number of " +
           (r.each_way.on ? "each-way steps (two bets) of " + MoneyText(unit)
                          : "steps of " + MoneyText(unit));

  for (std::size_t j = 0; j < r.runners.size(); ++j) {
    const auto odds = ReadOdds(r.runners[j].odds, RunnerLabel(j) + ": ");
    if (!odds) return odds.error();
    if (r.runners[j].saver && r.side == Side::Lay)
      return RunnerLabel(j) + ": marked as a saver, but a lay plan has no savers";
    c.field.odds.push_back(*odds);
    c.field.saver.push_back(r.runners[j].saver);
  }
  if (std::all_of(c.field.saver.begin(), c.field.saver.end(), [](bool s) { return s; }))
    return std::string("Every runner is a saver: leave at least one to share the profit");
  return c;
}

}  // namespace stakora::plan
