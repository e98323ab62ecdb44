#include "plan.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <stdexcept>
#include <tuple>

#include "big.h"
#include "core/planner/price_cases.h"
#include "exact.h"
#include "plan_figures.h"
#include "solver.h"

namespace stakora::plan {
namespace {

using std::int64_t;

// A return x/y, compared exactly; y == 0 stands for none.
struct Ret {
  i128 x = 0, y = 0;
  bool operator<(const Ret& o) const { return x * o.y < o.x * y; }
};

struct Case {
  std::vector<Price> prices;
  std::vector<bool> savers;
  int64_t min = 0;  // steps
  Step step;
  int64_t commission = 0;  // hundredths of a percent
  const char* commission_text;
  // An exchange's minimum payout, in cents: a stake of s steps at a/b is
  // taken below the minimum when s * step * a / b reaches it.
  int64_t payout = 0;
  int64_t MinOf(std::size_t j) const {
    int64_t s = 1;
    while (payout && s < min && s * step.cents * prices[j].a < payout * prices[j].b) ++s;
    return payout ? std::min(s, min) : min;
  }
};

int64_t LeastTotal(const Case& c) {
  int64_t least = 0;
  for (std::size_t j = 0; j < c.prices.size(); ++j) least += c.MinOf(j);
  return least;
}

// Every way of putting `total` steps on the runners, each at least its least.
void EachSplit(const Case& c, int64_t total,
               const std::function<void(const std::vector<int64_t>&)>& f) {
  const std::size_t n = c.prices.size();
  std::vector<int64_t> k(n);
  std::function<void(std::size_t, int64_t)> go = [&](std::size_t j, int64_t left) {
    if (j + 1 == n) {
      k[j] = c.MinOf(j) + left;
      return f(k);
    }
    for (int64_t x = 0; x <= left; ++x) {
      k[j] = c.MinOf(j) + x;
      go(j + 1, left - x);
    }
  };
  if (total >= LeastTotal(c)) go(0, total - LeastTotal(c));
}

// The smallest back return k*O over the runners that are no savers; none when
// a saver does not break even.
Ret Worst(const Case& c, const std::vector<int64_t>& k, int64_t total) {
  Ret worst;
  for (std::size_t j = 0; j < k.size(); ++j) {
    const Ret r{k[j] * c.prices[j].a, c.prices[j].b};
    if (c.savers[j] && r < Ret{total, 1}) return {};
    if (!c.savers[j] && (worst.y == 0 || r < worst)) worst = r;
  }
  return worst;
}
// The largest lay return l*O.
Ret Largest(const Case& c, const std::vector<int64_t>& l) {
  Ret top{0, 1};
  for (std::size_t j = 0; j < l.size(); ++j)
    top = std::max(top, Ret{l[j] * c.prices[j].a, c.prices[j].b});
  return top;
}

Ret BestBack(const Case& c, int64_t total) {
  Ret best;
  EachSplit(c, total, [&](const std::vector<int64_t>& k) {
    const Ret w = Worst(c, k, total);
    if (w.y && (best.y == 0 || best < w)) best = w;
  });
  return best;
}
Ret BestLay(const Case& c, int64_t total) {
  Ret best;
  EachSplit(c, total, [&](const std::vector<int64_t>& l) {
    const Ret t = Largest(c, l);
    if (best.y == 0 || t < best) best = t;
  });
  return best;
}

// `steps` of the case's step as money text.
std::string Money(const Case& c, int64_t steps) {
  return MoneyText(steps * c.step.cents);
}

Request MakeRequest(const Case& c, Side side, Mode mode, int64_t steps) {
  Request r;
  r.side = side, r.mode = mode, r.amount = Money(c, steps), r.commission = c.commission_text;
  r.step = c.step.text, r.min_stake = Money(c, c.min);
  if (c.payout) r.min_payout = MoneyText(c.payout);
  for (std::size_t j = 0; j < c.prices.size(); ++j)
    r.runners.push_back({"", c.prices[j].text, c.savers[j]});
  return r;
}

std::vector<int64_t> Steps(const Case& c, const Plan& p) {
  std::vector<int64_t> k;
  for (const auto& r : p.runners) k.push_back(r.stake / c.step.cents);
  return k;
}

class Optimal : public ::testing::TestWithParam<int> {
 protected:
  Case Random(bool savers) {
    Case c;
    const std::size_t n = 1 + gen() % 4;
    for (std::size_t j = 0; j < n; ++j) {
      c.prices.push_back(kPrices[gen() % std::size(kPrices)]);
      c.savers.push_back(savers && j > 0 && gen() % 3 == 0);
    }
    c.min = static_cast<int64_t>(gen() % 3);
    c.step = kSteps[gen() % std::size(kSteps)];
    // Half the cases take a minimum payout of up to three steps.
    if (gen() % 2) {
      c.min += 1;
      c.payout = 1 + static_cast<int64_t>(gen() % static_cast<unsigned>(3 * c.step.cents));
    }
    const std::size_t k = gen() % std::size(kCommissions);
    c.commission_text = kCommissions[k];
    c.commission = static_cast<int64_t>(k) * 250;
    return c;
  }
  int64_t Upto(unsigned most) { return 1 + static_cast<int64_t>(gen() % most); }
  std::mt19937 gen{static_cast<unsigned>(GetParam())};
};

TEST_P(Optimal, BackStakeHasTheBestWorstCase) {
  const Case c = Random(true);
  const int64_t total = Upto(14);
  const auto plan = MakePlan(MakeRequest(c, Side::Back, Mode::Stake, total));
  const Ret best = BestBack(c, total);
  ASSERT_EQ(plan.ok(), best.y != 0) << (plan ? "" : plan.error());
  if (!plan) return;
  const Ret got = Worst(c, Steps(c, *plan), total);
  ASSERT_NE(got.y, 0) << "a saver loses";
  EXPECT_FALSE(got < best);
  EXPECT_EQ(plan->total_stake, total * c.step.cents);
}

TEST_P(Optimal, BackProfitHasTheLeastTotal) {
  const Case c = Random(true);
  const int64_t target = Upto(5);  // steps, net of commission
  const auto plan = MakePlan(MakeRequest(c, Side::Back, Mode::Profit, target));
  // Reaches the target: (worst - t) * (1 - commission) >= target, exactly.
  auto reaches = [&](const Ret& w, int64_t t) {
    const i128 keep = 10000 - c.commission;
    return w.y && !(w < Ret{t * keep + target * 10000, keep});
  };
  constexpr int64_t kSearched = 18;
  std::optional<int64_t> least;
  for (int64_t t = 0; t <= kSearched && !least; ++t)
    if (reaches(BestBack(c, t), t)) least = t;
  if (!least) {
    if (plan) {
      EXPECT_GT(plan->total_stake, kSearched * c.step.cents);
    }
    return;
  }
  ASSERT_TRUE(plan.ok()) << plan.error();
  EXPECT_EQ(plan->total_stake, *least * c.step.cents);
  EXPECT_FALSE(Worst(c, Steps(c, *plan), *least) < BestBack(c, *least));
}

TEST_P(Optimal, LayStakeHasTheSmallestLargestLoss) {
  const Case c = Random(false);
  const int64_t total = Upto(14);
  const auto plan = MakePlan(MakeRequest(c, Side::Lay, Mode::Stake, total));
  ASSERT_EQ(plan.ok(), total >= LeastTotal(c));
  if (plan) {
    EXPECT_FALSE(BestLay(c, total) < Largest(c, Steps(c, *plan)));
  }
}

TEST_P(Optimal, LayLiabilityHasTheLargestTotal) {
  const Case c = Random(false);
  const int64_t liability = Upto(4);
  const auto plan = MakePlan(MakeRequest(c, Side::Lay, Mode::Liability, liability));
  constexpr int64_t kSearched = 24;
  std::optional<int64_t> largest;
  for (int64_t t = LeastTotal(c); t <= kSearched; ++t)
    if (!(Ret{liability + t, 1} < BestLay(c, t))) largest = t;  // loses best - t if it wins
  if (plan && plan->total_stake > kSearched * c.step.cents) {
    // Beyond what is searched: its stakes at least keep the promise.
    const int64_t t = plan->total_stake / c.step.cents;
    EXPECT_FALSE((Ret{liability + t, 1} < Largest(c, Steps(c, *plan))));
    return;
  }
  if (!plan && plan.error().find("book is") != std::string::npos) return;  // no largest
  ASSERT_EQ(plan.ok(), largest.value_or(0) > 0) << (plan ? "" : plan.error());
  if (!plan) return;
  EXPECT_EQ(plan->total_stake, *largest * c.step.cents);
  EXPECT_FALSE(BestLay(c, *largest) < Largest(c, Steps(c, *plan)));
}

Ret operator+(const Ret& a, const Ret& b) {
  return {a.x * b.y + b.x * a.y, a.y * b.y};
}

// Each way at a place fraction n/d, `places` paid, in a race of `field`
// runners (0: as many as it takes, none of the plan's runners forced to
// place): a runner's win return s * E and place return s * P, against an
// outlay of 2T. When one wins, runners outside the plan take the other
// places while there are any, then the plan's with the least place returns.
struct EachWayCase {
  Case c;
  i128 n = 1, d = 4;
  int places = 3;
  int field = 0;
  Ret Place(std::size_t j, int64_t k) const {
    const Price& o = c.prices[j];
    return {k * (d * o.b + n * (o.a - o.b)), d * o.b};
  }
  Ret Win(std::size_t j, int64_t k) const {
    const Ret p = Place(j, k);
    return {p.x + k * d * c.prices[j].a, p.y};
  }
  std::size_t Runners() const { return c.prices.size(); }
  int Field() const { return field ? field : static_cast<int>(Runners()) + places; }
  // The plan's runners forced into the places when one of them wins.
  std::size_t Forced() const {
    const int placed = std::min(places, Field());
    return static_cast<std::size_t>(
        std::max(0, placed - 1 - (Field() - static_cast<int>(Runners()))));
  }
  // W_i: i wins, its rivals' least place returns fill the forced places.
  std::vector<Ret> Wins(const std::vector<int64_t>& k) const {
    std::vector<Ret> w;
    for (std::size_t i = 0; i < Runners(); ++i) {
      std::vector<Ret> rivals;
      for (std::size_t j = 0; j < Runners(); ++j)
        if (j != i) rivals.push_back(Place(j, k[j]));
      std::sort(rivals.begin(), rivals.end());
      Ret sum = Win(i, k[i]);
      for (std::size_t j = 0; j < Forced(); ++j) sum = sum + rivals[j];
      w.push_back(sum);
    }
    return w;
  }
  // The worst win return of the runners that are no savers (none when a
  // saver loses), then the worst outcome in which one of them only places:
  // the m + 1 least place returns where a runner outside the plan can win,
  // else the worst win return of all (none with a single place).
  std::pair<Ret, Ret> Outcomes(const std::vector<int64_t>& k, int64_t total) const {
    const std::vector<Ret> w = Wins(k);
    Ret win, place;
    for (std::size_t j = 0; j < k.size(); ++j) {
      if (c.savers[j] && w[j] < Ret{2 * total, 1}) return {};
      if (!c.savers[j] && (win.y == 0 || w[j] < win)) win = w[j];
    }
    if (std::min(places, Field()) < 2) return {win, Ret{0, 1}};
    if (Field() > static_cast<int>(Runners())) {
      std::vector<Ret> r;
      for (std::size_t j = 0; j < k.size(); ++j) r.push_back(Place(j, k[j]));
      std::sort(r.begin(), r.end());
      place = Ret{0, 1};
      for (std::size_t j = 0; j <= Forced(); ++j) place = place + r[j];
    } else {
      place = *std::min_element(w.begin(), w.end());
    }
    return {win, place};
  }
  // Every finish the race allows, by brute force: the winner, then the
  // runners placed with it (indexes past the plan's runners are outside it).
  void EachFinish(const std::function<void(std::size_t, const std::vector<bool>&)>& f) const {
    const std::size_t all = static_cast<std::size_t>(Field()),
                      with = static_cast<std::size_t>(std::min(places, Field())) - 1;
    for (std::size_t winner = 0; winner < all; ++winner)
      for (unsigned mask = 0; mask < (1u << all); ++mask)
        if (!(mask >> winner & 1) && static_cast<std::size_t>(__builtin_popcount(mask)) == with) {
          std::vector<bool> placed(all);
          for (std::size_t j = 0; j < all; ++j) placed[j] = mask >> j & 1;
          f(winner, placed);
        }
  }
  Ret Result(const std::vector<int64_t>& k, std::size_t winner,
             const std::vector<bool>& placed) const {
    Ret sum{0, 1};
    for (std::size_t j = 0; j < Runners(); ++j)
      sum = sum + (j == winner ? Win(j, k[j]) : placed[j] ? Place(j, k[j]) : Ret{0, 1});
    return sum;
  }
  std::pair<Ret, Ret> Best(int64_t total) const {
    std::pair<Ret, Ret> best;
    EachSplit(c, total, [&](const std::vector<int64_t>& k) {
      const auto o = Outcomes(k, total);
      if (o.first.y && (best.first.y == 0 || best.first < o.first ||
                        (!(o.first < best.first) && best.second < o.second)))
        best = o;
    });
    return best;
  }
  Request Ask(Mode mode, int64_t steps) const {
    Request r = MakeRequest(c, Side::Back, mode, steps);
    r.commission = "0";
    if (field) r.field_size = std::to_string(field);
    r.each_way = {true, false, std::to_string(places),
                  std::to_string(static_cast<int>(n)) + "/" + std::to_string(static_cast<int>(d))};
    return r;
  }
  void ExpectSame(const std::pair<Ret, Ret>& got, const std::pair<Ret, Ret>& best) const {
    ASSERT_NE(got.first.y, 0) << "a saver loses";
    EXPECT_FALSE(got.first < best.first || best.first < got.first);
    EXPECT_FALSE(got.second < best.second || best.second < got.second);
  }
  // Every figure the plan shows against the worst finish the race allows.
  void ExpectFigures(const Plan& p, const std::vector<int64_t>& k, int64_t total) const {
    const auto cents = [&](const Ret& r) {  // a result less the outlay, to the cent
      return static_cast<int64_t>(
          RoundHalfEven(Q::Of((r.x - 2 * total * r.y) * c.step.cents, r.y)));
    };
    std::vector<std::optional<Ret>> wins(Runners()), placings(Runners());
    std::optional<Ret> another, none, best;
    EachFinish([&](std::size_t winner, const std::vector<bool>& placed) {
      const Ret r = Result(k, winner, placed);
      const auto lower = [&](std::optional<Ret>& at) { at = at && *at < r ? *at : r; };
      if (winner < Runners()) lower(wins[winner]), best = best && r < *best ? *best : r;
      for (std::size_t j = 0; j < Runners(); ++j)
        if (placed[j]) lower(placings[j]);
      if (winner >= Runners()) lower(another);
      if (winner >= Runners() &&
          std::none_of(placed.begin(), placed.begin() + static_cast<std::ptrdiff_t>(Runners()),
                       [](bool b) { return b; }))
        lower(none);
    });
    for (std::size_t j = 0; j < Runners(); ++j) {
      EXPECT_EQ(p.runners[j].profit_if_wins, cents(*wins[j])) << j;
      EXPECT_EQ(p.runners[j].profit_if_places.has_value(), placings[j].has_value());
      if (placings[j]) {
        EXPECT_EQ(*p.runners[j].profit_if_places, cents(*placings[j])) << j;
      }
    }
    EXPECT_EQ(p.field_covered, !another);
    if (another) {
      EXPECT_EQ(p.if_another_wins, cents(*another));
    }
    EXPECT_EQ(p.if_none_places, none ? std::optional(cents(*none)) : std::nullopt);
    // The best finish: one wins and the best place returns fill the places.
    EXPECT_EQ(p.best_profit, cents(*best));
  }
};

class EachWayOptimal : public Optimal {
 protected:
  EachWayCase Random() {
    EachWayCase e{Optimal::Random(true)};
    e.c.payout = 0;  // a bookmaker's bet
    const std::pair<i128, i128> fractions[] = {{1, 4}, {1, 5}, {1, 3}, {2, 5}, {1, 1}};
    std::tie(e.n, e.d) = fractions[gen() % std::size(fractions)];
    e.places = 1 + static_cast<int>(gen() % 4);
    // A race as large as it takes, or one the runners cover or nearly cover.
    if (gen() % 3 != 0) e.field = static_cast<int>(e.c.prices.size() + gen() % 4);
    return e;
  }
};

TEST_P(EachWayOptimal, StakeHasTheBestWinThenPlaceOutcomes) {
  const EachWayCase e = Random();
  const int64_t total = Upto(12);  // each-way stakes; the outlay is twice that
  const auto plan = MakePlan(e.Ask(Mode::Stake, 2 * total));
  const auto best = e.Best(total);
  ASSERT_EQ(plan.ok(), best.first.y != 0) << (plan ? "" : plan.error());
  if (!plan) return;
  EXPECT_EQ(plan->total_stake, 2 * total * e.c.step.cents);
  const std::vector<int64_t> k = Steps(e.c, *plan);
  e.ExpectSame(e.Outcomes(k, total), best);
  e.ExpectFigures(*plan, k, total);
}

TEST_P(EachWayOptimal, ProfitHasTheLeastOutlay) {
  const EachWayCase e = Random();
  const int64_t target = Upto(5);  // steps
  const auto plan = MakePlan(e.Ask(Mode::Profit, target));
  const bool savers = std::count(e.c.savers.begin(), e.c.savers.end(), true) > 0;
  if (savers && e.Forced() > 0) {  // refused: see the next test
    ASSERT_FALSE(plan);
    return;
  }
  constexpr int64_t kSearched = 14;
  std::optional<int64_t> least;
  for (int64_t t = 0; t <= kSearched && !least; ++t) {
    const Ret w = e.Best(t).first;
    if (w.y && !(w < Ret{2 * t + target, 1})) least = t;
  }
  if (!least) {
    if (plan) {
      EXPECT_GT(plan->total_stake, 2 * kSearched * e.c.step.cents);
    }
    return;
  }
  ASSERT_TRUE(plan.ok()) << plan.error();
  EXPECT_EQ(plan->total_stake, 2 * *least * e.c.step.cents);
  e.ExpectSame(e.Outcomes(Steps(e.c, *plan), *least), e.Best(*least));
}

INSTANTIATE_TEST_SUITE_P(AgainstEveryStake, EachWayOptimal, ::testing::Range(1, 101));

INSTANTIATE_TEST_SUITE_P(AgainstEveryStake, Optimal, ::testing::Range(1, 101));

Request Crowd(Side side, Mode mode, const char* amount, std::size_t n, const char* odds) {
  Request r;
  r.side = side, r.mode = mode, r.amount = amount;
  r.runners.assign(n, {"", odds, false});
  return r;
}

// Books within a hair of 100% at the limits: exact, not refused for the work.
TEST(Plan, BooksNearOneHundredPercentAreExact) {
  // The least total is the unrounded one: 1000 stakes of 10000.00.
  const auto profit = MakePlan(Crowd(Side::Back, Mode::Profit, "0.01", 1000, "1000.000001"));
  ASSERT_TRUE(profit) << profit.error();
  EXPECT_EQ(profit->total_stake, 1'000'000'000);
  EXPECT_EQ(profit->rounding_cost, 0);
  EXPECT_EQ(profit->book_percent, "99.9999999");
  const auto lay = MakePlan(Crowd(Side::Lay, Mode::Liability, "1", 1000, "1000.000001"));
  ASSERT_TRUE(lay) << lay.error();
  EXPECT_EQ(lay->total_stake, 100'000'000'000);
  const auto wide = MakePlan(Crowd(Side::Lay, Mode::Liability, "40000", 1000, "1000.1"));
  ASSERT_TRUE(wide) << wide.error();
  EXPECT_EQ(wide->total_stake, 40'000'000'000);
}

// The largest amount at the longest odds with six decimals: every figure in cents
// is far beyond 64 bits before it is divided down.
TEST(Plan, FiguresAtTheLimitsAreExact) {
  const auto lay = MakePlan(Crowd(Side::Lay, Mode::Stake, "1000000000", 1, "5000.123457"));
  ASSERT_TRUE(lay);
  EXPECT_EQ(lay->runners[0].liability, 499'912'345'700'000);
  EXPECT_EQ(lay->runners[0].profit_if_wins, -499'912'345'700'000);
}

// A book within 4 * 10^-7 of 100%: the searches take a million looks.
TEST(Search, EndsWhenStoppedOrOutOfWork) {
  const Field field{{{2000001, 1000000}, {3000001, 1000000}, {6, 1}}, {false, false, false}, 0, {}};
  const Books books = BooksOf(field);
  std::stop_source stopped;
  stopped.request_stop();
  Search back{100'000'000'000, stopped.get_token()}, lay{100'000'000'000, {}, 1000};
  EXPECT_EQ(LeastBackTotal(field, books, Q::Of(1), back), std::nullopt);
  EXPECT_EQ(back.why, Stop::Cancelled);
  EXPECT_EQ(LargestLayTotal(field, books, Q::Of(1), lay), std::nullopt);
  EXPECT_EQ(lay.why, Stop::WorkBudget);
  EXPECT_LE(lay.work, 1003);
  // A book within 10^-20 of 100%: the top lies past any search's reach.
  const Field hair{{{9999999999, 9999999998}, {10000000000, 1}}, {false, false}, 0, {}};
  Search far{100'000'000'000, {}};
  EXPECT_EQ(LargestLayTotal(hair, BooksOf(hair), Q::Of(1), far), std::nullopt);
  EXPECT_EQ(far.why, Stop::WorkBudget);
  EXPECT_EQ(far.work, 0);
  // What the refusal says of each way a search ends.
  for (const auto& [why, says] : {std::pair{Stop::Cancelled, kStopped},
                                  std::pair{Stop::WorkBudget,
                                            "The lay book is 99.9%, too close to "
                                            "100% for the stakes to be worked out"},
                                  std::pair{Stop::BeyondMost, "beyond"}}) {
    Search ended{1, {}};
    ended.why = why;
    const auto r = TotalOrRefusal(std::nullopt, ended, "lay", "99.9", "beyond", "none");
    EXPECT_EQ(r.error().rfind(says, 0), 0u) << r.error();
  }
}

TEST(Exact, DecimalTextsRoundHalfToEven) {
  const std::pair<Q, const char*> cases[] = {{Q::Of(9, 2), "4.5"},    {Q::Of(-1, 8), "-0.12"},
                                             {Q::Of(-3, 8), "-0.38"}, {Q::Of(-41, 10), "-4.1"},
                                             {Q::Of(-1, 1000), "0"},  {Q::Of(4, 3), "1.33"}};
  for (const auto& [q, text] : cases) EXPECT_EQ(DecimalText(Fraction::Of(q), 2), text);
}

// Lowest terms and a positive denominator whatever the signs; a zero
// denominator, a division by zero and a narrowing that would wrap refused.
TEST(Exact, FractionsKeepTheirInvariant) {
  const Q q = Q::Of(6, -4);
  EXPECT_EQ(q.num(), -3);
  EXPECT_EQ(q.den(), 2);
  EXPECT_THROW(Q::Of(1, 0), std::domain_error);
  EXPECT_THROW(FloorDiv(1, 0), std::domain_error);
  const i128 big = (i128{1} << 70) + 1;  // past 64 bits: the 128-bit division
  EXPECT_EQ(FloorDiv(-big, 2), -(i128{1} << 69) - 1);
  EXPECT_EQ(CeilDiv(big, 2), (i128{1} << 69) + 1);
  EXPECT_THROW(To64(big), std::overflow_error);
  EXPECT_EQ(To64(-(i128{1} << 63)), INT64_MIN);
}

TEST(Exact, BigNumbersKeepEveryDigit) {
  Big x = Big(1) * Big(static_cast<i128>(1) << 100);
  x = x * x - Big(1);  // 2^200 - 1
  EXPECT_EQ(FloorDiv(x, Big(static_cast<i128>(1) << 100) * Big(static_cast<i128>(1) << 90)),
            (static_cast<i128>(1) << 10) - 1);
  EXPECT_EQ(FloorDiv(Big(0) - x, x), -1);
  EXPECT_EQ(FloorDiv(x, Big(1)), std::nullopt);  // too large to say
  const Fraction third{Big(1), Big(3)};
  EXPECT_TRUE((third < third + Fraction{Big(1), x}));
}

}  // namespace
}  // namespace stakora::plan
