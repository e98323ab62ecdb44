#include "plan.h"

#include <algorithm>

#include "exact.h"
#include "number_text.h"
#include "solver.h"

namespace stakora::plan {
namespace {

using std::int64_t;

constexpr int64_t kMostCents = 100'000'000'000;  // 1,000,000,000.00
constexpr int64_t kMostStepCents = 10'000'000;   // 100,000.00
constexpr i128 kBasis = 10000;                   // commission in hundredths of a percent

// A figure computed exactly while it fits, and in long double throughout, so
// that a shown figure is exact wherever 128 bits hold it.
struct Num {
  std::optional<Q> q;
  long double x = 0;
  Num(Q v) : q(v), x(v.ToLongDouble()) {}  // NOLINT: implicit on purpose
  Num(std::optional<Q> v, long double approx) : q(v), x(approx) {}
  int64_t Rounded() const { return q ? static_cast<int64_t>(RoundHalfEven(*q)) : RoundHalfEven(x); }
};
Num operator+(const Num& a, const Num& b) {
  return {a.q && b.q ? Add(*a.q, *b.q) : std::nullopt, a.x + b.x};
}
Num operator-(const Num& a, const Num& b) {
  return {a.q && b.q ? Sub(*a.q, *b.q) : std::nullopt, a.x - b.x};
}
Num operator*(const Num& a, const Num& b) {
  return {a.q && b.q ? Mul(*a.q, *b.q) : std::nullopt, a.x * b.x};
}
Num operator/(const Num& a, const Num& b) {
  return {a.q && b.q ? Div(*a.q, *b.q) : std::nullopt, a.x / b.x};
}

std::optional<Odds> ParseOdds(const std::string& given) {
  const std::string t = AsciiLower(TrimBlanks(given));
  Q q;
  if (t == "evens" || t == "evs") {
    q = Q::Of(2);
  } else if (const auto slash = t.find('/'); slash != std::string::npos) {
    const auto up = ParseDecimal(t.substr(0, slash), 0),
               down = ParseDecimal(t.substr(slash + 1), 0);
    if (!up || !down || down->num == 0 || up->num > 1'000'000 || down->num > 1'000'000)
      return std::nullopt;
    q = Q::Of(up->num + down->num, down->num);
  } else if (const auto d = ParseDecimal(t, 6)) {
    q = *d;
  } else {
    return std::nullopt;
  }
  return Odds{static_cast<int64_t>(q.num), static_cast<int64_t>(q.den)};
}

struct Checked {
  int64_t step = 0, commission = 0, min = 0, amount = 0;  // cents, hundredths of a percent, steps
  std::vector<Odds> odds;
  std::vector<bool> saver;
};

std::string Runner(std::size_t j) {
  return "Runner " + std::to_string(j + 1);
}

Result<Checked, std::string> Check(const Request& r) {
  Checked c;
  if (r.runners.empty()) return std::string("no runners: give the odds of at least one runner");
  if (r.runners.size() > kMaxRunners) return std::string("at most 1000 runners can be planned");
  if (r.side == Side::Back && r.mode == Mode::Liability)
    return std::string("a back plan takes a stake or a profit to win");
  if (r.side == Side::Lay && r.mode == Mode::Profit)
    return std::string("a lay plan takes a stake or a liability");
  const auto step = ParseDecimal(TrimBlanks(r.step), 2);
  if (!step || step->num <= 0 || step->num * 100 / step->den > kMostStepCents)
    return std::string(
        "the step must be a positive amount with at most two decimals, such as "
        "0.01, 0.50 or 1, and at most 100000");
  c.step = static_cast<int64_t>(step->num * 100 / step->den);
  const auto commission = ParseDecimal(TrimBlanks(r.commission), 2);
  if (!commission || commission->num >= 100 * commission->den)
    return std::string(
        "the commission must be a percentage from 0 to below 100, with at most "
        "two decimals");
  c.commission = static_cast<int64_t>(commission->num * 100 / commission->den);
  const auto min = ParseDecimal(TrimBlanks(r.min_stake), 2);
  if (!min || min->num * 100 / min->den > kMostCents)
    return std::string(
        "the minimum stake must be an amount of 0 or more with at most two decimals");
  // A minimum between two steps counts as the next whole step.
  c.min = static_cast<int64_t>(CeilDiv(min->num * 100 / min->den, c.step));
  const auto amount = ParseDecimal(TrimBlanks(r.amount), 2, true);
  if (!amount) return "the amount \"" + r.amount + "\" is not a number with at most two decimals";
  const i128 cents = amount->num * 100 / amount->den;
  if (cents <= 0) return std::string("the amount must be more than 0");
  if (cents > kMostCents) return std::string("the amount must be at most 1000000000.00");
  c.amount = static_cast<int64_t>(cents);
  if (r.mode == Mode::Stake && c.amount % c.step != 0)
    return "the stake " + MoneyText(c.amount) + " is not a whole number of steps of " +
           MoneyText(c.step);

  for (std::size_t j = 0; j < r.runners.size(); ++j) {
    const auto odds = ParseOdds(r.runners[j].odds);
    if (!odds)
      return Runner(j) + ": cannot read the odds \"" + r.runners[j].odds +
             "\"; give decimal odds such as 3.5, a fraction such as 7/2, or evens";
    if (100 * static_cast<i128>(odds->a) < 101 * static_cast<i128>(odds->b))
      return Runner(j) + ": odds of " + r.runners[j].odds + " are below 1.01";
    if (odds->a > 10000 * odds->b)
      return Runner(j) + ": odds of " + r.runners[j].odds + " are above 10000";
    if (r.runners[j].saver && r.side == Side::Lay)
      return Runner(j) + " is marked as a saver, but a lay plan has no savers";
    c.odds.push_back(*odds);
    c.saver.push_back(r.runners[j].saver);
  }
  if (std::all_of(c.saver.begin(), c.saver.end(), [](bool s) { return s; }))
    return std::string("every runner is a saver: leave at least one to share the profit");
  return c;
}

// Σ 1/O over all the runners, over those that are no savers, and over the savers.
struct Books {
  Num all = Q::Of(0), others = Q::Of(0), savers = Q::Of(0);
};
Books BooksOf(const Checked& c) {
  Books b;
  for (std::size_t j = 0; j < c.odds.size(); ++j) {
    Num& into = c.saver[j] ? b.savers : b.others;
    into = into + Num(Q::Of(c.odds[j].b, c.odds[j].a));
  }
  b.all = b.others + b.savers;
  return b;
}

// A gross result in cents, net of commission when it is a gain.
int64_t Net(const Checked& c, Num gross) {
  const bool gain = gross.q ? gross.q->num > 0 : gross.x > 0;
  return gain ? (gross * Num(Q::Of(kBasis - c.commission, kBasis))).Rounded() : gross.Rounded();
}

std::string Percent(Num fraction) {
  return MoneyText((fraction * Num(Q::Of(10000))).Rounded());
}

std::string MinimumsTooMuch(const Checked& c) {
  return "the minimum stakes add up to " +
         MoneyText(c.min * c.step * static_cast<int64_t>(c.odds.size())) +
         ", more than the stake " + MoneyText(c.amount);
}

std::string TooCloseTo100(const char* whose, const std::string& book_text) {
  return std::string("the ") + whose + " book is " + book_text +
         "%, too close to 100% for stakes that can be worked out: leave a runner out";
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

Result<Plan, std::string> MakePlan(const Request& request) {
  const auto checked = Check(request);
  if (!checked) return checked.error();
  const Checked& c = *checked;
  const std::size_t n = c.odds.size();
  const Books books = BooksOf(c);
  const Num& book = books.all;
  const bool book_full = book.q ? book.q->num >= book.q->den : book.x >= 1;
  const std::string book_text = Percent(book);
  const int64_t most = kMostCents / c.step;
  const Num amount = Q::Of(c.amount);
  const Num keep = Q::Of(kBasis - c.commission, kBasis);  // what commission leaves of a gain

  Plan p;
  p.side = request.side;
  p.mode = request.mode;
  p.step = c.step;
  p.commission_percent = DecimalText(Q::Of(c.commission, 100), 2);
  p.book_percent = book_text;
  Stakes stakes;
  int64_t total = 0;  // steps
  if (request.side == Side::Back) {
    if (request.mode == Mode::Stake) {
      total = c.amount / c.step;
      if (c.min * static_cast<int64_t>(n) > total) return MinimumsTooMuch(c);
      stakes = BackStakes(c.odds, c.saver, c.min, total);
      if (stakes.empty())
        return "the savers cannot break even with " + MoneyText(c.amount) +
               " staked in all; stake more or mark fewer savers";
      const Num level = amount * (Num(Q::Of(1)) - books.savers) / books.others - amount;
      p.exact_worst_profit = Net(c, level);
      p.exact_total_stake = c.amount;
    } else {
      if (book_full)
        return "the runners' book is " + book_text +
               "%, so no stakes can make a profit whichever of them wins";
      // Net target P needs a gross of P / (1 - commission): in steps, exactly.
      const Q target = Q::Of(static_cast<i128>(c.amount) * kBasis,
                             static_cast<i128>(c.step) * (kBasis - c.commission));
      Stop stop = Stop::None;
      const auto least = LeastBackTotal(c.odds, c.saver, c.min, target, most, stop);
      if (stop == Stop::WorkBudget) return TooCloseTo100("runners'", book_text);
      if (!least)
        return "a profit of " + MoneyText(c.amount) + " needs more than 1000000000.00 staked";
      total = *least;
      stakes = BackStakes(c.odds, c.saver, c.min, total);
      const Num gross = amount / keep;
      p.exact_total_stake = (gross * books.others / (Num(Q::Of(1)) - book)).Rounded();
      p.exact_worst_profit = c.amount;
    }
  } else {
    if (request.mode == Mode::Stake) {
      total = c.amount / c.step;
      if (c.min * static_cast<int64_t>(n) > total) return MinimumsTooMuch(c);
      stakes = LayStakes(c.odds, c.min, total);
      p.exact_worst_profit = Net(c, amount - amount / book);
      p.exact_total_stake = c.amount;
    } else {
      if (book_full)
        return "the lay book is " + book_text +
               "%, so the backers' stakes can grow without ever losing more than the liability";
      Stop stop = Stop::None;
      const auto lay = LargestLayTotal(c.odds, c.min, Q::Of(c.amount, c.step), most, stop);
      if (stop == Stop::WorkBudget) return TooCloseTo100("lay", book_text);
      if (stop == Stop::BeyondMost)
        return "a liability of " + MoneyText(c.amount) +
               " allows more than 1000000000.00 of backers' stakes; lay with a smaller liability";
      if (!lay)
        return "even the minimum stake on every runner loses more than " + MoneyText(c.amount) +
               " when a laid runner wins";
      total = lay->total;
      stakes = lay->stakes;
      p.exact_total_stake = (amount * book / (Num(Q::Of(1)) - book)).Rounded();
      p.exact_worst_profit = -c.amount;
    }
  }

  p.total_stake = total * c.step;
  const bool back = request.side == Side::Back;
  p.if_another_wins = back ? -p.total_stake : Net(c, Num(Q::Of(p.total_stake)));
  bool first = true;
  for (std::size_t j = 0; j < n; ++j) {
    const Odds& o = c.odds[j];
    RunnerPlan r;
    r.name = request.runners[j].name;
    r.odds = request.runners[j].odds;
    r.decimal_odds = DecimalText(Q::Of(o.a, o.b), 4);
    r.saver = c.saver[j];
    r.stake = stakes[j] * c.step;
    // If it wins: back s*O - total; lay total - l*O (cents).
    const i128 win = static_cast<i128>(r.stake) * o.a,
               rest = static_cast<i128>(p.total_stake) * o.b;
    r.profit_if_wins = Net(c, Q::Of(back ? win - rest : rest - win, o.b));
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
