#include "plan.h"

#include <algorithm>
#include <limits>

#include "big.h"
#include "exact.h"
#include "number_text.h"
#include "solver.h"

namespace stakora::plan {
namespace {

using std::int64_t;

// The planner's limits. An amount, a minimum stake and a total stake go up to
// 1000000000.00, a step up to 100000.00, odds up to 10000 with six decimals
// (a/b with a <= 10^10, b <= 10^6) or a fraction whose terms go up to 10^6.
constexpr int64_t kMostCents = 100'000'000'000;
constexpr int64_t kMostStepCents = 10'000'000;
constexpr i128 kMostOddsA = 10'000'000'000, kMostOddsB = 1'000'000;
constexpr i128 kMostTerm = 1'000'000;
constexpr i128 kBasis = 10000;  // commission in hundredths of a percent
// At those limits a stake times a price times the commission basis, and the
// searches' totals times a target's or a loss's denominator times a price,
// stay far inside 128 bits.
constexpr i128 kI128Most = std::numeric_limits<i128>::max();
static_assert(kMostCents * kMostOddsA * kMostOddsB * kBasis < kI128Most / 1000);
static_assert(kMostCents * (kMostStepCents * kBasis) * kMostOddsB < kI128Most / 1000);
static_assert((i128{1} << 66) * kMostStepCents * kMostOddsB < kI128Most / 1000);
// A profit or a liability in cents is at most the largest total times the
// longest odds: it fits the 64 bits the plan keeps it in.
static_assert(kMostCents * 10000 < std::numeric_limits<int64_t>::max() / 1000);

constexpr const char* kStopped = "stopped before the plan was found";

std::optional<int64_t> Rounded(const Fraction& q) {
  const auto whole = RoundHalfEven(q);
  return whole ? Fit64(*whole) : std::nullopt;
}

// A money box's text in cents: at most two decimals, at most the given cents.
Result<int64_t, std::string> ReadMoney(const std::string& what, const std::string& text,
                                       int64_t most) {
  const auto q = ParseDecimal(TrimBlanks(text), 2, true);
  const std::string limit = "the " + what + " must be at most " + MoneyText(most);
  if (!q) {
    switch (q.error()) {
      case DecimalProblem::TooLarge:
        return limit;
      case DecimalProblem::TooManyDecimals:
        return "the " + what + " \"" + text + "\" has more than two decimals";
      case DecimalProblem::NotANumber:
        break;
    }
    return "the " + what + " \"" + text + "\" is not a number";
  }
  const i128 cents = q->num * 100 / q->den;
  if (cents > most) return limit;
  return static_cast<int64_t>(cents);
}

Result<Odds, std::string> ReadOdds(const RunnerInput& runner, std::size_t j) {
  const std::string t = AsciiLower(TrimBlanks(runner.odds));
  const std::string who = RunnerLabel(j) + ": ";
  const std::string unreadable = who + "cannot read the odds \"" + runner.odds +
                                 "\"; give decimal odds such as 3.5, a fraction such as 7/2, "
                                 "or evens";
  Q q;
  if (t == "evens" || t == "evs") {
    q = Q::Of(2);
  } else if (const auto slash = t.find('/'); slash != std::string::npos) {
    const auto up = ParseDecimal(t.substr(0, slash), 0),
               down = ParseDecimal(t.substr(slash + 1), 0);
    if (!up || !down || down->num == 0) return unreadable;
    if (up->num > kMostTerm || down->num > kMostTerm)
      return who + "the fraction " + runner.odds + " has a term above 1000000";
    q = Q::Of(up->num + down->num, down->num);
  } else if (const auto d = ParseDecimal(t, 6)) {
    q = *d;
  } else if (d.error() == DecimalProblem::TooManyDecimals) {
    return who + "odds of " + runner.odds + " have more than six decimals";
  } else if (d.error() == DecimalProblem::TooLarge) {
    return who + "odds of " + runner.odds + " are above 10000";
  } else {
    return unreadable;
  }
  if (100 * q.num < 101 * q.den) return who + "odds of " + runner.odds + " are below 1.01";
  if (q.num > 10000 * q.den) return who + "odds of " + runner.odds + " are above 10000";
  return Odds{static_cast<int64_t>(q.num), static_cast<int64_t>(q.den)};
}

struct Checked {
  int64_t step = 0;        // cents
  int64_t commission = 0;  // hundredths of a percent
  int64_t amount = 0;      // cents
  Field field;             // the minimum in steps
};

Result<Checked, std::string> Check(const Request& r) {
  Checked c;
  if (r.runners.empty()) return std::string("no runners: give the odds of at least one runner");
  if (r.runners.size() > kMaxRunners) return std::string("at most 1000 runners can be planned");
  if (!SideHasMode(r.side, r.mode))
    return std::string(r.side == Side::Back ? "a back plan takes a stake or a profit to win"
                                            : "a lay plan takes a stake or a liability");
  const auto step = ReadMoney("step", r.step, kMostStepCents);
  if (!step) return step.error();
  if (*step <= 0) return std::string("the step must be more than 0, such as 0.01, 0.50 or 1");
  c.step = *step;
  const auto commission = ParseDecimal(TrimBlanks(r.commission), 2);
  if (!commission || commission->num >= 100 * commission->den)
    return std::string(
        "the commission must be a percentage from 0 to below 100, with at most two decimals");
  c.commission = static_cast<int64_t>(commission->num * 100 / commission->den);
  const auto min = ReadMoney("minimum stake", r.min_stake, kMostCents);
  if (!min) return min.error();
  if (*min < 0) return std::string("the minimum stake must be 0 or more");
  // A minimum between two steps counts as the next whole step.
  c.field.min = static_cast<int64_t>(CeilDiv(*min, c.step));
  const auto amount = ReadMoney("amount", r.amount, kMostCents);
  if (!amount) return amount.error();
  if (*amount <= 0) return std::string("the amount must be more than 0");
  c.amount = *amount;
  if (r.mode == Mode::Stake && c.amount % c.step != 0)
    return "the stake " + MoneyText(c.amount) + " is not a whole number of steps of " +
           MoneyText(c.step);

  for (std::size_t j = 0; j < r.runners.size(); ++j) {
    const auto odds = ReadOdds(r.runners[j], j);
    if (!odds) return odds.error();
    if (r.runners[j].saver && r.side == Side::Lay)
      return RunnerLabel(j) + " is marked as a saver, but a lay plan has no savers";
    c.field.odds.push_back(*odds);
    c.field.saver.push_back(r.runners[j].saver);
  }
  if (std::all_of(c.field.saver.begin(), c.field.saver.end(), [](bool s) { return s; }))
    return std::string("every runner is a saver: leave at least one to share the profit");
  return c;
}

// The book as a percentage that never reads 100 when the book is not 100%:
// two decimals, more where they are needed, and past thirty the last digit
// leans to the side the book is on.
std::string BookText(const Fraction& book) {
  const Fraction percent = book * Whole(100);
  const auto side = book <=> Whole(1);
  for (int decimals = 2; decimals <= 30; ++decimals) {
    const std::string text = FixedText(percent, decimals).value_or("");
    if (side == 0 || text != "100." + std::string(static_cast<std::size_t>(decimals), '0'))
      return text;
  }
  return side < 0 ? "99." + std::string(30, '9') : "100." + std::string(29, '0') + "1";
}

// What commission leaves of a gross result, over kBasis: a loss keeps all of it.
i128 Kept(const Checked& c, bool gain) {
  return gain ? kBasis - c.commission : kBasis;
}

// A gross result net of commission, in whole cents: exactly for the unrounded
// plan's figures, in 128 bits for a runner's.
std::optional<int64_t> NetCents(const Checked& c, const Fraction& gross) {
  const bool gain = !gross.num.negative() && !gross.num.zero();
  return Rounded(gross * Fraction{Big(Kept(c, gain)), Big(kBasis)});
}

int64_t NetCents(const Checked& c, i128 gross_num, i128 gross_den) {
  const i128 keep = Kept(c, gross_num > 0);
  return static_cast<int64_t>(RoundHalfEven(Q::Of(gross_num * keep, gross_den * kBasis)));
}

std::string MinimumsTooMuch(const Checked& c) {
  return "the minimum stakes add up to " +
         MoneyText(c.field.min * c.step * static_cast<int64_t>(c.field.size())) +
         ", more than the stake " + MoneyText(c.amount);
}

std::string TooCloseTo100(const char* whose, const std::string& book_text) {
  return std::string("the ") + whose + " book is " + book_text +
         "%, too close to 100% for the stakes to be worked out: leave a runner out";
}

// The total a search found, or the refusal for why it found none: `beyond`
// when it lies past the largest total, `none` when there is none at all.
Result<int64_t, std::string> Found(const std::optional<int64_t>& total, const Search& s,
                                   const char* whose, const std::string& book_text,
                                   const std::string& beyond, const std::string& none) {
  if (total) return *total;
  switch (s.why) {
    case Stop::Cancelled:
      return std::string(kStopped);
    case Stop::WorkBudget:
      return TooCloseTo100(whose, book_text);
    case Stop::BeyondMost:
      return beyond;
    case Stop::None:
      break;
  }
  return none;
}

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

std::string RunnerLabel(std::size_t index) {
  return "Runner " + std::to_string(index + 1);
}

std::string RunnerName(const std::string& name, std::size_t index) {
  return name.empty() ? RunnerLabel(index) : name;
}

Result<Plan, std::string> MakePlan(const Request& request, std::stop_token stop) {
  const auto checked = Check(request);
  if (!checked) return checked.error();
  const Checked& c = *checked;
  const Field& field = c.field;
  const std::size_t n = field.size();
  const Books books = BooksOf(field);
  const Fraction one = Whole(1), amount = Whole(c.amount);
  const bool book_full = books.all >= one;
  const std::string book_text = BookText(books.all);
  Search search{kMostCents / c.step, std::move(stop)};

  Plan p;
  p.side = request.side;
  p.mode = request.mode;
  p.step = c.step;
  p.commission_percent = DecimalText(Fraction::Of(Q::Of(c.commission, 100)), 2).value_or("");
  p.book_percent = book_text;
  Stakes stakes;
  int64_t total = 0;                                // steps
  std::optional<int64_t> exact_worst, exact_total;  // cents
  if (request.mode == Mode::Stake) {
    total = c.amount / c.step;
    if (field.min * static_cast<int64_t>(n) > total) return MinimumsTooMuch(c);
    exact_total = c.amount;
  }
  if (request.side == Side::Back && request.mode == Mode::Stake) {
    stakes = BackStakes(field, total);
    if (stakes.empty())
      return "the savers cannot break even with " + MoneyText(c.amount) +
             " staked in all; stake more or mark fewer savers";
    exact_worst = NetCents(c, amount * (one - books.savers) / books.others - amount);
  } else if (request.side == Side::Back) {
    if (book_full)
      return "the runners' book is " + book_text +
             "%, so no stakes can make a profit whichever of them wins";
    // Net target P needs a gross of P / (1 - commission): in steps, exactly.
    const Q target = Q::Of(static_cast<i128>(c.amount) * kBasis,
                           static_cast<i128>(c.step) * (kBasis - c.commission));
    const std::string beyond =
        "a profit of " + MoneyText(c.amount) + " needs more than 1000000000.00 staked";
    const auto least = Found(LeastBackTotal(field, books, target, search), search, "runners'",
                             book_text, beyond, beyond);
    if (!least) return least.error();
    total = *least;
    stakes = BackStakes(field, total);  // the search has made sure they fit
    if (stakes.empty()) return std::string("no stakes reach the profit within the limits");
    const Fraction gross = amount * Fraction{Big(kBasis), Big(kBasis - c.commission)};
    exact_total = Rounded(gross * books.others / (one - books.all));
    exact_worst = c.amount;
  } else if (request.mode == Mode::Stake) {
    stakes = LayStakes(field, total);
    exact_worst = NetCents(c, amount - amount / books.all);
  } else {
    if (book_full)
      return "the lay book is " + book_text +
             "%, so the backers' stakes can grow without ever losing more than the liability";
    const auto laid = Found(LargestLayTotal(field, books, Q::Of(c.amount, c.step), search), search,
                            "lay", book_text,
                            "a liability of " + MoneyText(c.amount) +
                                " allows more than 1000000000.00 of backers' stakes; lay with a "
                                "smaller liability",
                            "even the minimum stake on every runner loses more than " +
                                MoneyText(c.amount) + " when a laid runner wins");
    if (!laid) return laid.error();
    if (*laid == 0)
      return "a liability of " + MoneyText(c.amount) + " is too small to lay one step of " +
             MoneyText(c.step) + " on any runner";
    total = *laid;
    stakes = LayStakes(field, total);
    exact_total = Rounded(amount * books.all / (one - books.all));
    exact_worst = -c.amount;
  }
  if (!exact_worst || !exact_total)
    return std::string("the unrounded plan's figures are too large to show; ask for less");

  const bool back = request.side == Side::Back;
  p.total_stake = total * c.step;
  p.if_another_wins = back ? -p.total_stake : NetCents(c, p.total_stake, 1);
  p.exact_worst_profit = *exact_worst;
  p.exact_total_stake = *exact_total;
  bool first = true;
  for (std::size_t j = 0; j < n; ++j) {
    const Odds& o = field.odds[j];
    RunnerPlan r;
    r.name = request.runners[j].name;
    r.odds = request.runners[j].odds;
    r.decimal_odds = DecimalText(Fraction::Of(Q::Of(o.a, o.b)), 4).value_or("");
    r.saver = field.saver[j];
    r.stake = stakes[j] * c.step;
    // If it wins: back s*O - total; lay total - l*O (cents, over b).
    const i128 win = static_cast<i128>(r.stake) * o.a,
               rest = static_cast<i128>(p.total_stake) * o.b;
    r.profit_if_wins = NetCents(c, back ? win - rest : rest - win, o.b);
    if (!back)
      r.liability =
          static_cast<int64_t>(RoundHalfEven(Q::Of(static_cast<i128>(r.stake) * (o.a - o.b), o.b)));
    if (!r.saver) {
      p.worst_profit = first ? r.profit_if_wins : std::min(p.worst_profit, r.profit_if_wins);
      p.best_profit = first ? r.profit_if_wins : std::max(p.best_profit, r.profit_if_wins);
      first = false;
    }
    p.runners.push_back(std::move(r));
  }
  switch (request.mode) {
    case Mode::Stake:
      p.rounding_cost = p.exact_worst_profit - p.worst_profit;
      break;
    case Mode::Profit:
      p.rounding_cost = p.total_stake - p.exact_total_stake;
      break;
    case Mode::Liability:
      p.rounding_cost = p.exact_total_stake - p.total_stake;
      break;
  }
  return p;
}

}  // namespace stakora::plan
