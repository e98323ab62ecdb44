#include "plan.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "exact.h"

namespace stakora::plan {
namespace {

using std::int64_t;

struct Price {
  const char* text;
  int64_t a, b;  // the decimal odds a/b the text means
};
const Price kPrices[] = {{"1.5", 3, 2},  {"2", 2, 1},        {"2.2", 11, 5},  {"evens", 2, 1},
                         {"3.4", 17, 5}, {"7/2", 9, 2},      {"11/4", 15, 4}, {"5.5", 11, 2},
                         {"8", 8, 1},    {"1.01", 101, 100}, {"13", 13, 1},   {"4", 4, 1}};

// x1/y1 < x2/y2 for positive denominators, exactly.
bool Less(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
  return static_cast<i128>(x1) * y2 < static_cast<i128>(x2) * y1;
}

struct Case {
  std::vector<Price> prices;
  std::vector<bool> savers;
  int64_t min = 0;  // steps of 1.00
};

// Every way of putting `total` steps on the runners, at least `min` each.
void EachSplit(std::size_t n, int64_t total, int64_t min,
               const std::function<void(const std::vector<int64_t>&)>& f) {
  std::vector<int64_t> k(n, min);
  std::function<void(std::size_t, int64_t)> go = [&](std::size_t j, int64_t left) {
    if (j + 1 == n) {
      k[j] = min + left;
      return f(k);
    }
    for (int64_t x = 0; x <= left; ++x) {
      k[j] = min + x;
      go(j + 1, left - x);
    }
  };
  if (total >= min * static_cast<int64_t>(n)) go(0, total - min * static_cast<int64_t>(n));
}

// The smallest back return k*O (as num/den) over the runners that are no
// savers, or den 0 when a saver does not break even.
std::pair<int64_t, int64_t> Worst(const Case& c, const std::vector<int64_t>& k, int64_t total) {
  std::pair<int64_t, int64_t> worst{0, 0};
  for (std::size_t j = 0; j < k.size(); ++j) {
    const int64_t x = k[j] * c.prices[j].a, y = c.prices[j].b;
    if (c.savers[j] && x < total * y) return {0, 0};
    if (!c.savers[j] && (worst.second == 0 || Less(x, y, worst.first, worst.second)))
      worst = {x, y};
  }
  return worst;
}
// The largest lay return l*O.
std::pair<int64_t, int64_t> Largest(const Case& c, const std::vector<int64_t>& l) {
  std::pair<int64_t, int64_t> top{0, 1};
  for (std::size_t j = 0; j < l.size(); ++j)
    if (Less(top.first, top.second, l[j] * c.prices[j].a, c.prices[j].b))
      top = {l[j] * c.prices[j].a, c.prices[j].b};
  return top;
}

std::optional<std::pair<int64_t, int64_t>> BestBack(const Case& c, int64_t total) {
  std::optional<std::pair<int64_t, int64_t>> best;
  EachSplit(c.prices.size(), total, c.min, [&](const std::vector<int64_t>& k) {
    const auto w = Worst(c, k, total);
    if (w.second && (!best || Less(best->first, best->second, w.first, w.second))) best = w;
  });
  return best;
}
std::pair<int64_t, int64_t> BestLay(const Case& c, int64_t total) {
  std::pair<int64_t, int64_t> best{1, 0};
  EachSplit(c.prices.size(), total, c.min, [&](const std::vector<int64_t>& l) {
    const auto t = Largest(c, l);
    if (best.second == 0 || Less(t.first, t.second, best.first, best.second)) best = t;
  });
  return best;
}

Request MakeRequest(const Case& c, Side side, Mode mode, int64_t amount) {
  Request r{side, mode, std::to_string(amount), "0", "1", std::to_string(c.min), {}};
  for (std::size_t j = 0; j < c.prices.size(); ++j)
    r.runners.push_back({"", c.prices[j].text, c.savers[j]});
  return r;
}

std::vector<int64_t> Steps(const Plan& p) {
  std::vector<int64_t> k;
  for (const auto& r : p.runners) k.push_back(r.stake / 100);
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
    return c;
  }
  std::mt19937 gen{static_cast<unsigned>(GetParam())};
};

TEST_P(Optimal, BackStakeHasTheBestWorstCase) {
  const Case c = Random(true);
  const int64_t total = 1 + static_cast<int64_t>(gen() % 14);
  const auto plan = MakePlan(MakeRequest(c, Side::Back, Mode::Stake, total));
  const auto best = BestBack(c, total);
  ASSERT_EQ(plan.ok(), best.has_value()) << (plan ? "" : plan.error());
  if (!best) return;
  const auto got = Worst(c, Steps(*plan), total);
  ASSERT_NE(got.second, 0) << "a saver loses";
  EXPECT_FALSE(Less(got.first, got.second, best->first, best->second));
  EXPECT_EQ(plan->total_stake, total * 100);
}

TEST_P(Optimal, BackProfitHasTheLeastTotal) {
  const Case c = Random(true);
  const int64_t target = 1 + static_cast<int64_t>(gen() % 5);  // whole pounds
  const auto plan = MakePlan(MakeRequest(c, Side::Back, Mode::Profit, target));
  constexpr int64_t kSearched = 18;
  std::optional<int64_t> least;
  for (int64_t t = 0; t <= kSearched && !least; ++t)
    if (const auto b = BestBack(c, t); b && !Less(b->first, b->second, t + target, 1)) least = t;
  if (!least) {
    if (plan) {
      EXPECT_GT(plan->total_stake, kSearched * 100);
    }
    return;
  }
  ASSERT_TRUE(plan.ok()) << plan.error();
  EXPECT_EQ(plan->total_stake, *least * 100);
  const auto best = BestBack(c, *least);
  const auto got = Worst(c, Steps(*plan), *least);
  EXPECT_FALSE(Less(got.first, got.second, best->first, best->second));
}

TEST_P(Optimal, LayStakeHasTheSmallestLargestLoss) {
  const Case c = Random(false);
  const int64_t total = 1 + static_cast<int64_t>(gen() % 14);
  const auto plan = MakePlan(MakeRequest(c, Side::Lay, Mode::Stake, total));
  if (total < c.min * static_cast<int64_t>(c.prices.size())) {
    EXPECT_FALSE(plan.ok());
    return;
  }
  ASSERT_TRUE(plan.ok()) << plan.error();
  const auto best = BestLay(c, total), got = Largest(c, Steps(*plan));
  EXPECT_FALSE(Less(best.first, best.second, got.first, got.second));
}

TEST_P(Optimal, LayLiabilityHasTheLargestTotal) {
  const Case c = Random(false);
  const int64_t liability = 1 + static_cast<int64_t>(gen() % 4);
  const auto plan = MakePlan(MakeRequest(c, Side::Lay, Mode::Liability, liability));
  constexpr int64_t kSearched = 24;
  std::optional<int64_t> largest;
  for (int64_t t = c.min * static_cast<int64_t>(c.prices.size()); t <= kSearched; ++t) {
    const auto b = BestLay(c, t);  // loses b - t when that runner wins
    if (!Less(liability + t, 1, b.first, b.second)) largest = t;
  }
  if (!plan.ok() || plan->total_stake >= kSearched * 100) return;  // beyond what is searched
  ASSERT_TRUE(largest.has_value());
  EXPECT_EQ(plan->total_stake, *largest * 100);
  const auto best = BestLay(c, *largest), got = Largest(c, Steps(*plan));
  EXPECT_FALSE(Less(best.first, best.second, got.first, got.second));
}

INSTANTIATE_TEST_SUITE_P(AgainstEveryStake, Optimal, ::testing::Range(1, 101));

// The largest amount at the longest odds with six decimals: every figure in cents
// is far beyond 64 bits before it is divided down.
TEST(Plan, FiguresAtTheLimitsAreExact) {
  const auto lay = MakePlan(
      {Side::Lay, Mode::Stake, "1000000000", "0", "0.01", "0", {{"", "5000.123457", false}}});
  ASSERT_TRUE(lay);
  EXPECT_EQ(lay->runners[0].liability, 499'912'345'700'000);
  EXPECT_EQ(lay->runners[0].profit_if_wins, -499'912'345'700'000);
}

}  // namespace
}  // namespace stakora::plan
