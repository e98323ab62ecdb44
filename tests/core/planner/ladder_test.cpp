// The exchange's price ladder and minimum payout, and the plans they shape.

#include "ladder.h"

#include <gtest/gtest.h>

#include "plan.h"

namespace stakora::plan {
namespace {

struct LadderCase {
  i128 a, b;
  bool on;
  const char *down, *up;  // "" past an end
};
class Ladder : public ::testing::TestWithParam<LadderCase> {};

std::string Text(const std::optional<LadderPrice>& p) {
  return p ? LadderText(*p) : "";
}

TEST_P(Ladder, KnowsItsPricesAndTheirNeighbours) {
  const LadderCase& c = GetParam();
  EXPECT_EQ(OnLadder(c.a, c.b), c.on);
  const Ticks t = TicksOf(c.a, c.b);
  EXPECT_EQ(Text(t.down), c.down);
  EXPECT_EQ(Text(t.up), c.up);
}

// Each band's edges, a price between two, the ends and past them.
INSTANTIATE_TEST_SUITE_P(
    Bands, Ladder,
    ::testing::Values(
        LadderCase{101, 100, true, "", "1.02"}, LadderCase{2, 1, true, "1.99", "2.02"},
        LadderCase{201, 100, false, "2.00", "2.02"}, LadderCase{3, 1, true, "2.98", "3.05"},
        LadderCase{333, 100, false, "3.30", "3.35"}, LadderCase{4, 1, true, "3.95", "4.10"},
        LadderCase{9, 2, true, "4.40", "4.60"}, LadderCase{6, 1, true, "5.90", "6.20"},
        LadderCase{10, 1, true, "9.80", "10.50"}, LadderCase{20, 1, true, "19.50", "21.00"},
        LadderCase{30, 1, true, "29.00", "32.00"}, LadderCase{50, 1, true, "48.00", "55.00"},
        LadderCase{100, 1, true, "95.00", "110.00"}, LadderCase{1000, 1, true, "990.00", ""},
        LadderCase{1001, 1, false, "1000.00", ""}, LadderCase{203, 200, false, "1.01", "1.02"}));

TEST(Ladder, HasItsThreeHundredAndFiftyPricesInOrder) {
  ASSERT_EQ(LadderSize(), 350u);
  for (std::size_t i = 1; i < LadderSize(); ++i) EXPECT_LT(LadderAt(i - 1), LadderAt(i));
}

Request Exchange(Side side, const char* amount, std::vector<const char*> odds) {
  Request r;
  r.side = side, r.amount = amount;
  ApplyExchangeRules(r, kExchangeRules[0]);
  for (const char* o : odds) r.runners.push_back({"", o, false});
  return r;
}

struct PayoutCase {
  Side side;
  const char* amount;
  std::vector<const char*> odds;
  const char* refusal;  // "" when planned
};
class MinimumPayout : public ::testing::TestWithParam<PayoutCase> {};

// 0.40 at 25.0 pays 10.00 and 0.39 does not; at 5.0 the minimum of 1.00
// comes first. A total of exactly the least stakes is planned, a cent less is not.
TEST_P(MinimumPayout, LowersEachRunnersLeastStakeToWhatPaysIt) {
  const PayoutCase& c = GetParam();
  const auto plan = MakePlan(Exchange(c.side, c.amount, c.odds));
  EXPECT_EQ(plan ? "" : plan.error(), c.refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, MinimumPayout,
    ::testing::Values(PayoutCase{Side::Lay, "1.40", {"25.0", "5.0"}, ""},
                      PayoutCase{Side::Back, "1.40", {"24/1", "4/1"}, ""},
                      PayoutCase{Side::Lay,
                                 "1.39",
                                 {"25.0", "5.0"},
                                 "The minimum stakes add up to 1.40, more than the stake 1.39"},
                      PayoutCase{Side::Lay,
                                 "1.00",
                                 {"3.33"},
                                 "Runner 1: 3.33 is not on the exchange's price "
                                 "ladder: 3.30 or 3.35"}));

TEST(ExchangeRules, GoWhereTheExchangeIs) {
  // A bookmaker's back prices are not the exchange's; held lays are.
  Request back = Exchange(Side::Back, "10", {"3.33"});
  back.exchange = false;
  const auto plan = MakePlan(back);
  ASSERT_TRUE(plan) << plan.error();
  EXPECT_FALSE(plan->runners[0].ticks);
  back.held = {{"1", "lay", "10", "3.33"}};
  back.amount = "";
  EXPECT_EQ(MakePlan(back).error(),
            "Held bet 1: 3.33 is not on the exchange's price ladder: 3.30 or 3.35");
  Request each_way = Exchange(Side::Back, "10", {"5"});
  each_way.each_way = {true, false, "3", "1/5"};
  EXPECT_EQ(MakePlan(each_way).error(),
            "Exchange rules: an each-way plan is placed with a bookmaker, not at an exchange");
  const auto lay = MakePlan(Exchange(Side::Lay, "10", {"3.35"}));
  ASSERT_TRUE(lay);
  EXPECT_EQ(lay->runners[0].ticks, (Ticks{330, 340}));
}

}  // namespace
}  // namespace stakora::plan
