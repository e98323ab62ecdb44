#include "plan_figures.h"

#include <stdexcept>

namespace stakora::plan {
namespace {

// What commission leaves of a gross result, over kBasis: a loss keeps all of it.
i128 KeptOfGross(const Checked& c, bool gain) {
  return gain ? kBasis - c.commission : kBasis;
}

std::string TooCloseTo100(const char* whose, const std::string& book_text) {
  return std::string("The ") + whose + " book is " + book_text +
         "%, too close to 100% for the stakes to be worked out: leave a runner out";
}

}  // namespace

// Past thirty decimals the last digit leans to the side the book is on.
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

std::optional<std::int64_t> Rounded(const Fraction& q) {
  const auto whole = RoundHalfEven(q);
  return whole ? TryTo64(*whole) : std::nullopt;
}

std::optional<std::int64_t> NetCents(const Checked& c, const Fraction& gross) {
  const bool gain = !gross.num.negative() && !gross.num.zero();
  return Rounded(gross * Fraction{Big(KeptOfGross(c, gain)), Big(kBasis)});
}

// A gross over a price's b: at most a stake of kMostCents at odds of a.
static_assert(kMostCents * kMostOddsA * kBasis < kI128Most / 1000);
std::int64_t NetCents(const Checked& c, i128 gross_num, i128 gross_den) {
  const i128 keep = KeptOfGross(c, gross_num > 0);
  return To64(RoundHalfEven(Ratio{gross_num * keep, gross_den * kBasis}));
}

std::string MinimumsTooMuch(const Checked& c, std::int64_t parts) {
  return "The minimum stakes add up to " + MoneyText(parts * c.field.MinTotal() * c.step) +
         ", more than the stake " + MoneyText(c.amount);
}

Result<std::int64_t, std::string> TotalOrRefusal(const std::optional<std::int64_t>& total,
                                                 const Search& s, const char* whose,
                                                 const std::string& book_text,
                                                 const std::string& beyond,
                                                 const std::string& none) {
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

Result<BackPlan, std::string> PlanBack(const Checked& c, const Field& f, const Books& books,
                                       Mode mode, std::int64_t unit, const BackWords& words,
                                       std::stop_token stop) {
  const Fraction one = Whole(1), amount = Whole(c.amount);
  BackPlan b;
  if (mode == Mode::Stake) {
    b.total = c.amount / unit;
    if (f.MinTotal() > b.total) return MinimumsTooMuch(c, unit / c.step);
    b.stakes = BackStakes(f, b.total);
    if (b.stakes.empty())
      return "The savers cannot break even with " + MoneyText(c.amount) + " " + words.spent +
             " in all; stake more or mark fewer savers";
    const auto worst = NetCents(c, amount * (one - books.savers) / books.others - amount);
    if (!worst) return std::string(kTooLarge);
    b.exact_worst = *worst;
    b.exact_total = c.amount;
    return b;
  }
  if (books.all >= one)
    return std::string("The ") + words.book + " is " + BookText(books.all) +
           "%, so no stakes can make a profit whichever of them wins";
  // Net target P needs a gross of P / (1 - commission): in steps, exactly.
  const Q target = Q::Of(static_cast<i128>(c.amount) * kBasis,
                         static_cast<i128>(unit) * (kBasis - c.commission));
  const std::string beyond = "A profit of " + MoneyText(c.amount) + " needs more than " +
                             MoneyText(kMostCents) + " " + words.spent;
  Search search{kMostCents / unit, std::move(stop)};
  const auto found = LeastBackTotal(f, books, target, search);
  const auto least =
      TotalOrRefusal(found, search, words.whose, found ? "" : BookText(books.all), beyond, beyond);
  if (!least) return least.error();
  b.total = *least;
  b.stakes = BackStakes(f, b.total);
  // The search counted every stake at its minimum and the savers' at break
  // even: they fit. A broken promise is refused by MakePlan, never shown.
  if (b.stakes.empty()) throw std::logic_error("the least total's stakes do not fit");
  const Fraction gross = amount * Fraction{Big(kBasis), Big(kBasis - c.commission)};
  const auto total = Rounded(gross * books.others / (one - books.all));
  if (!total) return std::string(kTooLarge);
  b.exact_total = *total;
  b.exact_worst = c.amount;
  return b;
}

Plan PlanHead(const Request& r, const Checked& c, const Fraction& book) {
  Plan p;
  p.side = r.side;
  p.mode = r.mode;
  p.step = c.step;
  p.commission_percent = DecimalText(Fraction::Of(Q::Of(c.commission, 100)), 2).value_or("");
  p.book_percent = BookText(book);
  return p;
}

RunnerPlan RunnerOf(const Request& r, const Checked& c, std::size_t j) {
  const Odds& o = c.field.odds[j];
  RunnerPlan runner;
  runner.name = r.runners[j].name;
  runner.odds = r.runners[j].odds;
  runner.decimal_odds = DecimalText(Fraction::Of(Q::Of(o.a, o.b)), 4).value_or("");
  runner.saver = c.field.saver[j];
  if (AtExchange(r)) runner.ticks = TicksOf(o.a, o.b);
  return runner;
}

std::int64_t RoundingCost(const Plan& p) {
  switch (p.mode) {
    case Mode::Stake:
      return p.exact_worst_profit - p.worst_profit;
    case Mode::Profit:
      return p.total_stake - p.exact_total_stake;
    case Mode::Liability:
      break;
  }
  return p.exact_total_stake - p.total_stake;
}

std::int64_t LayLiability(std::int64_t stake, const Odds& o) {
  return To64(RoundHalfEven(Ratio{static_cast<i128>(stake) * (o.a - o.b), o.b}));
}

namespace {

template <class Pick>
std::int64_t WinOutcome(const std::vector<RunnerPlan>& runners, Pick pick) {
  std::optional<std::int64_t> out;
  for (const RunnerPlan& r : runners)
    if (!r.saver) out = out ? pick(*out, r.profit_if_wins) : r.profit_if_wins;
  return out.value_or(0);
}

}  // namespace

std::int64_t WorstWin(const std::vector<RunnerPlan>& runners) {
  return WinOutcome(runners, [](std::int64_t a, std::int64_t b) { return std::min(a, b); });
}

std::int64_t BestWin(const std::vector<RunnerPlan>& runners) {
  return WinOutcome(runners, [](std::int64_t a, std::int64_t b) { return std::max(a, b); });
}

}  // namespace stakora::plan
