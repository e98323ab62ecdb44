// A matched bet: its lay planned around the held bet, underlay and overlay,
// and the form that asks for it.

#include "matched_bet.h"

#include <gtest/gtest.h>

#include "lay_lean.h"
#include "plan_text.h"

namespace stakora::plan {
namespace {

Request Around(const char* kind, const char* stake, const char* back, const char* lay,
               const char* commission) {
  Request r;
  r.side = Side::Lay;
  r.commission = commission;
  r.runners = {{"", lay}};
  r.held = {{"1", kind, stake, back}};
  return r;
}

// A lean as the command line asks for it: its fraction as text.
Result<Plan, std::string> Leant(const Request& r, const Plan& best, Lean lean,
                                const char* fraction) {
  const auto f = ReadLeanFraction(lean, fraction);
  if (!f) return f.error();
  return LeanPlan(r, best, lean, *f);
}

struct LeanCase {
  const char* kind;
  Lean lean;
  const char* fraction;
  std::int64_t stake, if_wins, if_loses;
};
class LeanMovesTheLay : public ::testing::TestWithParam<LeanCase> {};

TEST_P(LeanMovesTheLay, ToTheStepThatLosesNothingThatWay) {
  const LeanCase c = GetParam();
  const bool qualifying = std::string(c.kind) == "back";
  const Request r = qualifying ? Around("back", "10", "5.0", "5.2", "2")
                               : Around(c.kind, "20", "6.0", "6.4", "5");
  const auto best = MakePlan(r);
  ASSERT_TRUE(best) << best.error();
  const auto p = Leant(r, *best, c.lean, c.fraction);
  ASSERT_TRUE(p) << p.error();
  EXPECT_EQ(p->runners[0].stake, c.stake);
  EXPECT_EQ(p->runners[0].profit_if_wins, c.if_wins);
  EXPECT_EQ(p->if_another_wins, c.if_loses);
  EXPECT_EQ(p->worst_profit, std::min(c.if_wins, c.if_loses));
}

INSTANTIATE_TEST_SUITE_P(
    MatchedBets, LeanMovesTheLay,
    ::testing::Values(LeanCase{"back", Lean::Under, "0", 965, -53, -54},
                      // 9.52 x 4.2 = 39.98: the back bet's win just covers it.
                      LeanCase{"back", Lean::Under, "1", 952, 2, -67},
                      LeanCase{"back", Lean::Under, "0.5", 959, -28,
                               -60},  // 6.5 steps: toward the best
                      // 10.21 x 0.98 = 10.0058: the lay's win just covers the stake.
                      LeanCase{"back", Lean::Over, "1", 1021, -288, 1},
                      // A free bet: all on the back bet, or all on the lay.
                      LeanCase{"free", Lean::Under, "1", 0, 10000, 0},
                      LeanCase{"free", Lean::Over, "1", 1851, 5, 1758}));

TEST(LeanPlan, IsOnlyForOneRunnerLaidAroundHeldBets) {
  const Request one = Around("back", "10", "5.0", "5.2", "2");
  Request two = one, capped = one, covered = one, back = one;
  two.runners.push_back({"", "3"});
  capped.amount = "5";
  covered.field_size = "1";
  back.side = Side::Back;
  const std::pair<Request, const char*> cases[] = {
      {two, "Overlay moves a lay around bets held on one runner"},
      {capped, "Overlay takes no cap on the new stakes"},
      {covered, "Overlay needs the runner able to lose"},
      {back, "Overlay moves a lay"}};
  for (const auto& [r, said] : cases) {
    const auto best = MakePlan(r);
    ASSERT_TRUE(best) << best.error();
    const auto p = Leant(r, *best, Lean::Over, "1");
    ASSERT_FALSE(p) << said;
    EXPECT_EQ(p.error().rfind(said, 0), 0u) << p.error();
  }
  const auto best = MakePlan(one);
  for (const char* fraction : {"1.01", "-0.5", "half", ""})
    EXPECT_FALSE(Leant(one, *best, Lean::Under, fraction)) << fraction;
  // Both outcomes lose whatever is laid (-7 - 9l and -19 + l): no underlay
  // reaches 0.
  Request hedged = Around("lay", "1", "10", "10", "0");
  hedged.held.push_back({"1", "back", "20", "1.1"});
  const auto hedge = MakePlan(hedged);
  EXPECT_EQ(Leant(hedged, *hedge, Lean::Under, "1").error(),
            "Underlay: no smaller lay brings either outcome to 0");
}

MatchedView Shown(const MatchedBet& m) {
  const auto r = MatchedRequest(m);
  if (!r) return MatchedViewWithout(r.error());
  return MatchedViewOf(m, *r, MakePlan(*r));
}

TEST(MatchedBet, ShowsTheLayAndWhatEitherOutcomeLeaves) {
  MatchedBet m{"10", "5.0", "5.2", "2"};
  MatchedView v = Shown(m);
  EXPECT_EQ(v.lay_stake, "9.65");
  EXPECT_EQ(v.liability, "40.53");
  EXPECT_EQ(v.if_back_wins, "-0.53");
  EXPECT_EQ(v.if_lay_wins, "-0.54");
  EXPECT_EQ(v.summary,
            "Lay 9.65 at 5.2, liability 40.53. If the back bet wins -0.53; if the lay "
            "wins -0.54. Qualifying loss 0.54.");
  SetLean(m, -kMostLean - 5);
  v = Shown(m);
  EXPECT_EQ(v.lay_stake, "9.52");
  EXPECT_EQ(v.lean_text, "Full underlay: nothing lost if the back bet wins");

  m = MatchedBet{"20", "6.0", "6.4", "5"};
  m.kind = MatchedKind::Free;
  v = Shown(m);
  EXPECT_EQ(v.lay_stake, "15.74");
  EXPECT_EQ(v.result_label, "Retention");
  EXPECT_EQ(v.result, "74.75%");
  // A back bet at an exchange: 2% of its winnings, as odds of 4.92.
  m = MatchedBet{"10", "5.0", "5.2", "2", "2"};
  EXPECT_EQ(MatchedRequest(m)->held[0].odds, "4.92");
  m.back_odds = "3.333333";
  EXPECT_EQ(MatchedRequest(m).error().box, MatchedBox::BackCommission);
}

TEST(MatchedBet, PointsAtTheBoxThatDoesNotRead) {
  const std::pair<MatchedBet, std::optional<MatchedBox>> cases[] = {
      {{"10", "5.0", ""}, std::nullopt},  // not all typed yet: a prompt
      {{"ten", "5.0", "5.2"}, MatchedBox::BackStake},
      {{"10", "1", "5.2"}, MatchedBox::BackOdds},
      {{"10", "5.0", "5/0"}, MatchedBox::LayOdds},
      {{"10", "5.0", "5.2", "100"}, MatchedBox::LayCommission},
      {{"10", "5.0", "5.2", "2", "x"}, MatchedBox::BackCommission},
      {{"10", "5.0", "5.2", "2", "", "0"}, MatchedBox::Step}};
  for (const auto& [m, box] : cases) {
    const MatchedView v = Shown(m);
    ASSERT_TRUE(v.problem) << m.back_stake;
    EXPECT_EQ(v.problem->box, box) << v.problem->message;
    EXPECT_TRUE(v.lay_stake.empty());
  }
}

TEST(MatchedBet, RemembersItsCommissionsKindAndStep) {
  MatchedBet m{"10", "5.0", "5.2", "2.5", "1", "0.5", MatchedKind::FreeStakeReturned};
  const MatchedBet read = ReadMatchedSettings(MatchedSettingsText(m));
  EXPECT_EQ(read, (MatchedBet{"", "", "", "2.5", "1", "0.5", MatchedKind::FreeStakeReturned}));
  EXPECT_EQ(ReadMatchedSettings("kind=nonsense\nstep=\n"), (MatchedBet{"", "", "", "0", "", ""}));
}

}  // namespace
}  // namespace stakora::plan
