// Settling: each rule once, the worked examples, and the results refused.

#include <gtest/gtest.h>

#include "rule4.h"
#include "settler.h"

namespace stakora::settle {
namespace {

// The texts as the command line takes them, settled as the window does.
Settler Race(std::vector<std::string> bets, std::vector<std::string> finish = {},
             std::vector<std::string> non_runners = {}, std::string commission = "0") {
  Settler s;
  for (const std::string& b : bets) s.bets.push_back(*ParseBetText(b));
  for (const std::string& f : finish) s.runners.push_back(*ParseFinishText(f));
  for (const std::string& n : non_runners) s.runners.push_back(*ParseNonRunnerText(n));
  s.commission = std::move(commission);
  return s;
}

struct OneBet {
  const char* what;
  Settler race;
  const char* status;
  std::int64_t returned, profit;
};

void PrintTo(const OneBet& c, std::ostream* os) {
  *os << c.what;
}

class OneBetTest : public testing::TestWithParam<OneBet> {};

TEST_P(OneBetTest, SettlesToTheCent) {
  const OneBet& c = GetParam();
  const SettlerView v = ViewOf(c.race);
  ASSERT_TRUE(v.problem.empty()) << v.problem;
  EXPECT_EQ(v.lines[0].status, c.status);
  EXPECT_EQ(v.settled->bets[0].returned, c.returned);
  EXPECT_EQ(v.settled->bets[0].profit, c.profit);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, OneBetTest,
    testing::Values(
        OneBet{"rule 4 of a 2/5 non-runner", Race({"A:back:10@10/1"}, {"A=1"}, {"N@2/5"}), "won",
               4000, 3000},
        OneBet{"rule 4 of a 3/1 non-runner", Race({"A:back:10@8/1"}, {"A=1"}, {"N@3/1"}), "won",
               7000, 6000},
        OneBet{"each-way place part after rule 4, rounded half up",
               Race({"A:each-way:10@7/4:3:1/5"}, {"W=1", "A=2"}, {"N@13/8"}), "placed", 1228, -772},
        OneBet{"dead heat for first", Race({"A:back:10@10/1"}, {"A=1", "B=1"}), "dead heat 1/2",
               5500, 4500},
        OneBet{"each-way joint third",
               Race({"A:each-way:20@16/1:3:1/4"}, {"W=1", "X=2", "A=3", "B=3"}), "dead heat 1/2",
               5000, 1000},
        OneBet{"lay in a dead heat", Race({"A:lay:2@2.28"}, {"A=1", "B=1"}), "dead heat 1/2", 228,
               -28},
        OneBet{"lay at 5.2 in a dead heat", Race({"A:lay:2@5.2"}, {"A=1", "B=1"}), "dead heat 1/2",
               520, -320},
        OneBet{"lay whose runner loses", Race({"A:lay:2@5.2"}, {"B=1"}), "won", 1040, 200},
        OneBet{"exchange price reduced", Race({"A:exchange-back:10@8.6"}, {"A=1"}, {"N:16.2"}),
               "won", 7210, 6210},
        OneBet{"place market factor", Race({"A:place-back:10@8.0:3"}, {"W=1", "A=2"}, {"N:25"}),
               "won", 6250, 5250},
        OneBet{"place market dead heat of four for two places",
               Race({"A:place-back:60@6.0:3"}, {"W=1", "A=2", "B=2", "C=2", "D=2"}),
               "dead heat 2/4", 18000, 12000},
        OneBet{"a free bet returns its winnings", Race({"A:free:10@4.0"}, {"A=1"}), "won", 3000,
               3000},
        OneBet{"a free bet returning its stake", Race({"A:free-sr:10@4.0"}, {"A=1"}), "won", 4000,
               4000},
        OneBet{"a void free bet returns nothing", Race({"A:free:10@4.0"}, {}, {"A"}), "void", 0, 0},
        OneBet{"a void each-way bet returns both stakes",
               Race({"A:each-way:5@4.0:3:1/5"}, {}, {"A@2.0"}), "void", 1000, 0},
        OneBet{"a void lay returns its liability", Race({"A:lay:10@3.0"}, {}, {"A:20"}), "void",
               2000, 0},
        OneBet{"the win market's factor leaves a place lay alone",
               Race({"A:place-lay:10@3.0:3"}, {"W=1", "A=2"}, {"N:20:0"}), "lost", 0, -2000},
        OneBet{"a reduced price stays at least 1.01",
               Race({"A:exchange-back:100@1.05"}, {"A=1"}, {"N:50"}), "won", 10100, 100},
        OneBet{"rule 4 capped at 90", Race({"A:back:10@10/1"}, {"A=1"}, {"N@1/10", "M@1/10"}),
               "won", 2000, 1000}),
    [](const testing::TestParamInfo<OneBet>& row) {
      std::string name;
      for (char ch : std::string(row.param.what))
        name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
      return name;
    });

TEST(Rule4, BandsMeetAtTheirBounds) {
  struct Row {
    std::int64_t a, b;  // decimal odds a/b
    int pence;
  };
  for (const Row& r : {Row{10, 9, 90}, Row{1000001, 900000, 85}, Row{13, 10, 75}, Row{162, 100, 55},
                       Row{41, 21, 50}, Row{11, 4, 35}, Row{15, 1, 5}, Row{1501, 100, 0}})
    EXPECT_EQ(Rule4Pence({r.a, r.b}), r.pence) << r.a << "/" << r.b;
}

TEST(Settle, CommissionIsPerMarketOnItsNetWinnings) {
  // The win market nets +2.00 - 1.00, the place market loses: 5% of 1.00.
  const Settler s =
      Race({"A:lay:2@3.0", "B:exchange-back:1@2.0", "A:place-back:5@2.0:3", "C:back:10@2.0"},
           {"C=1"}, {}, "5");
  const SettlerView v = ViewOf(s);
  ASSERT_TRUE(v.problem.empty()) << v.problem;
  EXPECT_EQ(v.settled->commission, 5);
  EXPECT_EQ(v.settled->total_stake, 1800);
  EXPECT_EQ(v.settled->profit, 200 - 100 - 500 + 1000 - 5);
}

TEST(Settle, RefusesResultsThatCannotBe) {
  const std::pair<Settler, const char*> cases[] = {
      {Race({"A:back:1@2"}, {"A=2"}), "No runner is given 1st"},
      {Race({"A:back:1@2"}, {"A=1", "B=1", "C=2"}), "so the next position is 3rd, not 2nd"},
      {Race({"A:back:1@2"}, {"A=1", "A=2"}), "A is given two finishing positions"},
      {Race({"A:back:1@2"}, {"A=1"}, {"A"}), "both a finishing position and as a non-runner"},
      {Race({"A:back:1@2"}, {}, {"N@1.00"}), "below 1.01"},
      {Race({"A:back:1@2"}, {}, {"N:60", "M:40"}), "add up to 100% or more"},
      {Race({"A:each-way:1@2:3"}), "each-way terms are K:F"},
      {Race({"A:back:1@2:3"}), "takes no terms"},
  };
  for (const auto& [race, message] : cases)
    EXPECT_NE(ViewOf(race).problem.find(message), std::string::npos)
        << ViewOf(race).problem << " / " << message;
}

TEST(Settler, APlanFillsTheBetsAndItsRunners) {
  PlanSketch plan;
  plan.commission = "2";
  plan.runners = {{"A", "3.0", 500}, {"B", "4.0", 0}};
  plan.held = {{"C", "free", 1000, "5.0"}};
  Settler s;
  FillFromPlan(s, BetsOf(plan));
  ASSERT_EQ(s.bets.size(), 2u);
  EXPECT_EQ(s.bets[0], (BetInput{"A", "exchange-back", "5.00", "3.0", ""}));
  EXPECT_EQ(s.bets[1].kind, "free");
  ASSERT_EQ(s.runners.size(), 3u);
  EXPECT_EQ(s.runners[1].name, "B");
  EXPECT_EQ(s.commission, "2");
}

TEST(Settler, PastedBetsSkipAHeadingAndListTheirRunnersOnce) {
  Settler s;
  const Pasted pasted =
      PasteBets(s, "Runner\tKind\tStake\tOdds\nA\tback\t5\t3.0\r\n\nA:each-way:2@5:3:1/5\n");
  EXPECT_EQ(pasted.added, 2u);
  EXPECT_EQ(pasted.heading, "Runner Kind Stake Odds");
  EXPECT_EQ(s.bets[1].terms, "3:1/5");
  ASSERT_EQ(s.runners.size(), 1u);
  TypeBetCell(s, 1, BetCell::Runner, "B");
  EXPECT_EQ(s.runners.back().name, "B");
}

}  // namespace
}  // namespace stakora::settle
