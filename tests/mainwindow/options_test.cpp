#include "mainwindow/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace stakora {
namespace {

std::vector<std::string> Odds(const Form1& f) {
  std::vector<std::string> out;
  for (const auto& r : f.rows) out.push_back(r.txt_odds.text);
  return out;
}

struct DecimalCase {
  const char* fraction;
  const char* decimal;
};
class DecimalConversion : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalConversion, AddsTheStakeBackToTheFraction) {
  Form1 f = MakeForm1();
  f.rows[2].txt_odds.text = GetParam().fraction;
  SelectOption(f, OptionId::Option2);
  EXPECT_EQ(f.rows[2].txt_odds.text, GetParam().decimal);
}
INSTANTIATE_TEST_SUITE_P(Texts, DecimalConversion,
                         ::testing::Values(DecimalCase{"2/1", "3"}, DecimalCase{"7/4", "2.75"},
                                           DecimalCase{"1/3", "1.33"}, DecimalCase{"1/8", "1.12"},
                                           DecimalCase{"3/8", "1.38"}, DecimalCase{"5/2", "3.5"},
                                           DecimalCase{"11/10", "2.1"}, DecimalCase{"2.5/1", "3.5"},
                                           DecimalCase{" 1 / 2 ", "1.5"},
                                           // Not a fraction: left as it is.
                                           DecimalCase{"3.5", "3.5"}, DecimalCase{"", ""},
                                           DecimalCase{"/2", "/2"}, DecimalCase{"2/", "2/"},
                                           DecimalCase{"a/2", "a/2"}, DecimalCase{"1/2/3", "1/2/3"},
                                           DecimalCase{"1/0", "1/0"},
                                           DecimalCase{"1e308/1e-308", "1e308/1e-308"}));

TEST(Options, DecimalConvertsTheStartUpFractionsInEveryRow) {
  Form1 f = MakeForm1();
  SelectOption(f, OptionId::Option2);
  EXPECT_EQ(Odds(f), (std::vector<std::string>{"2", "3", "4", "5", "6"}));
  EXPECT_TRUE(f.Option2.selected);
  EXPECT_FALSE(f.Option3.selected);
  EXPECT_FALSE(f.Option4.selected);
  EXPECT_TRUE(f.Option1[0].selected);  // the other group is left alone
}

TEST(Options, FractionAndBetfairRewriteAllFiveBoxes) {
  Form1 f = MakeForm1();
  SelectOption(f, OptionId::Option4);
  EXPECT_EQ(Odds(f), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
  for (auto& r : f.rows) r.txt_odds.text = "9.5";
  SelectOption(f, OptionId::Option3);
  EXPECT_EQ(Odds(f), (std::vector<std::string>{"1/1", "2/1", "3/1", "4/1", "5/1"}));
  for (auto& r : f.rows) r.txt_odds.text = "7/2";
  SelectOption(f, OptionId::Option4);
  EXPECT_EQ(Odds(f), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
}

TEST(Options, ClickingTheSelectedNotationKeepsTypedOdds) {
  Form1 f = MakeForm1();
  f.rows[0].txt_odds.text = "9/4";
  SelectOption(f, OptionId::Option3);
  EXPECT_EQ(f.rows[0].txt_odds.text, "9/4");
}

TEST(Options, ModeSetsTheAmountPrompt) {
  Form1 f = MakeForm1();
  SelectOption(f, OptionId::Option1_1);
  EXPECT_EQ(f.Label2.text, "How much do wish to Win?");
  EXPECT_FALSE(f.Option1[0].selected);
  SelectOption(f, OptionId::Option1_0);
  EXPECT_EQ(f.Label2.text, "How much do wish to stake?");
  EXPECT_FALSE(f.Option1[1].selected);
  EXPECT_TRUE(f.Option3.selected);
}

TEST(Options, ClearingRunsNoHandler) {
  Form1 f = MakeForm1();
  f.rows[0].txt_odds.text = "9/4";
  ClearOption(f, OptionId::Option3);
  ClearOption(f, OptionId::Option1_0);
  EXPECT_FALSE(f.Option3.selected);
  EXPECT_EQ(f.rows[0].txt_odds.text, "9/4");
  EXPECT_EQ(f.Label2.text, "How much do wish to stake?");
}

TEST(Options, TypingInAnOddsBoxChangesNothingElse) {
  Form1 f = MakeForm1();
  f.rows[1].txt_odds.text = "8/1";
  const Form1 before = f;
  txt_odds_Change(f, 1);
  EXPECT_TRUE(f == before);
}

}  // namespace
}  // namespace stakora
