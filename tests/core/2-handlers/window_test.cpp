#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "box_edits.h"
#include "horse_count.h"
#include "options.h"

namespace stakora {
namespace {

using Strings = std::vector<std::string>;

Strings Odds(const Form1& f) {
  Strings out;
  for (const auto& r : f.rows) out.push_back(r.txt_odds.text);
  return out;
}

// As the window does when the user types in odds box `row`.
void Type(Form1& f, int row, const std::string& text) {
  f.rows[static_cast<std::size_t>(row)].txt_odds.text = text;
  txt_odds_Change(f, row);
}

int VisibleRows(const Form1& f) {
  int n = 0;
  for (const auto& r : f.rows) {
    EXPECT_FALSE(r.thisDecimal.visible);
    EXPECT_EQ(r.Label3.visible, r.Winnings.visible && r.W_Stake.visible && r.profit_figure.visible);
    n += r.txt_odds.visible;
  }
  return n;
}

TEST(Options, DecimalAddsTheStakeBackToAFractionExactToFourDecimals) {
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
      {"2/1", "3"}, {"7/4", "2.75"}, {"1/3", "1.3333"}, {"2/3", "1.6667"}, {"1/8", "1.125"},
      {"1/32", "1.0313"}, {"-3/1", "-2"}, {"-1/2", "0.5"}, {" 1 / 2 ", "1.5"}, {"2.5/1", "3.5"},
      {"1e20/1", "1E+20"},
      // Not a fraction: left as it is.
      {"3.5", "3.5"}, {"/2", "/2"}, {"2/", "2/"}, {"a/2", "a/2"}, {"1/2/3", "1/2/3"},
      {"1/0", "1/0"}, {"1e308/1e-308", "1e308/1e-308"}};
  // clang-format on
  for (const auto& [fraction, decimal] : cases) {
    Form1 f = MakeForm1();
    Type(f, 2, fraction);
    SelectOption(f, OptionId::Option2);
    EXPECT_EQ(f.rows[2].txt_odds.text, decimal) << fraction;
    EXPECT_EQ(f.rows[4].txt_odds.text, "6");
  }
}

TEST(Options, FractionTurnsDecimalOddsIntoTheExactFractionOfTheirProfit) {
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
      {"3.5", "5/2"}, {"3.47", "247/100"}, {"2", "1/1"}, {" 1.50 ", "1/2"}, {"1", "0/1"},
      {"3,5", "5/2"}, {"25E-1", "3/2"}, {"1.000000000000000001", "1/1000000000000000000"},
      // Left as typed: a fraction already, no number, odds below 1, terms past 64 bits.
      {"7/2", "7/2"}, {"abc", "abc"}, {"", ""}, {"0.5", "0.5"}, {"-3", "-3"},
      {"1.0000000000000000001", "1.0000000000000000001"}, {"1E+19", "1E+19"}};
  // clang-format on
  for (const auto& [decimal, fraction] : cases) {
    Form1 f = MakeForm1();
    f.platform.decimal_separator = ',';
    SelectOption(f, OptionId::Option2);
    Type(f, 3, decimal);
    SelectOption(f, OptionId::Option3);
    EXPECT_EQ(f.rows[3].txt_odds.text, fraction) << decimal;
    EXPECT_EQ(f.rows[4].txt_odds.text, "5/1");  // hidden rows round-trip too
  }
}

TEST(Options, SwitchingNotationConvertsTheOddsAndKeepsEachGroupOne) {
  Form1 f = MakeForm1();
  SelectOption(f, OptionId::Option4);
  EXPECT_EQ(Odds(f), (Strings{"2", "3", "4", "5", "6"}));
  EXPECT_FALSE(f.Option3.selected);
  EXPECT_TRUE(f.Option1[0].selected);  // the other group is left alone
  Type(f, 1, "7/2");                   // a fraction typed under Betfair
  SelectOption(f, OptionId::Option3);
  EXPECT_EQ(Odds(f), (Strings{"1/1", "7/2", "3/1", "4/1", "5/1"}));
  SelectOption(f, OptionId::Option2);
  EXPECT_EQ(Odds(f), (Strings{"2", "4.5", "4", "5", "6"}));
  f.rows[0].txt_odds.text = "9/4";
  SelectOption(f, OptionId::Option2);  // already selected: runs nothing
  ClearOption(f, OptionId::Option2);   // clearing runs nothing
  EXPECT_EQ(f.rows[0].txt_odds.text, "9/4");
  EXPECT_FALSE(f.Option2.selected);
}

TEST(Options, ARoundTripGivesBackWhatWasTypedUntilTheBoxIsEdited) {
  Form1 f = MakeForm1();
  for (int i : {0, 1, 2}) Type(f, i, Strings{"1/8", "11/8", "1/3"}[static_cast<std::size_t>(i)]);
  for (OptionId away : {OptionId::Option2, OptionId::Option4}) {
    SelectOption(f, away);
    EXPECT_EQ(Odds(f), (Strings{"1.125", "2.375", "1.3333", "5", "6"}));
    SelectOption(f, OptionId::Option3);
    EXPECT_EQ(Odds(f), (Strings{"1/8", "11/8", "1/3", "4/1", "5/1"}));
  }
  SelectOption(f, OptionId::Option2);
  Type(f, 2, "1.3333"), Type(f, 3, "4.50");  // edited: what the boxes keep now
  SelectOption(f, OptionId::Option3);
  EXPECT_EQ(Odds(f), (Strings{"1/8", "11/8", "3333/10000", "7/2", "5/1"}));
  SelectOption(f, OptionId::Option4);
  EXPECT_EQ(Odds(f), (Strings{"1.125", "2.375", "1.3333", "4.50", "6"}));
}

TEST(Options, EditsAfterACalculateMarkTheFiguresOutOfDate) {
  const std::function<void(Form1&)> edits[] = {
      [](Form1& f) { Total_stake_Change(f); },
      [](Form1& f) { Combo1_Change(f); },
      [](Form1& f) { Type(f, 0, "3"); },
      [](Form1& f) { SelectOption(f, OptionId::Option1_1); },
      [](Form1& f) { SelectOption(f, OptionId::Option2); },
      [](Form1& f) { (void)Combo1_Click(f); }};
  for (const auto& edit : edits) {
    Form1 f = MakeForm1(), g = f;
    g.results = Results::Fresh;
    edit(f), edit(g);
    EXPECT_EQ(f.results, Results::None);  // nothing calculated yet: nothing to grey
    EXPECT_EQ(g.results, Results::OutOfDate);
  }
}

TEST(Options, ModeSetsTheAmountPrompt) {
  Form1 f = MakeForm1();
  SelectOption(f, OptionId::Option1_1);
  EXPECT_EQ(f.Label2.text, "How much do wish to Win?");
  EXPECT_FALSE(f.Option1[0].selected);
  SelectOption(f, OptionId::Option1_0);
  EXPECT_EQ(f.Label2.text, "How much do wish to stake?");
}

TEST(HorseCount, ShowsTheRowsAndSizesTheWindow) {
  struct Case {
    const char* count;
    int rows, height;
  };
  // Halves go to the even count; the window grows by 270, 300, 330, 360, 390.
  for (const Case& c : {Case{"1", 1, 4770}, Case{"2.5", 2, 5070}, Case{"3", 3, 5400},
                        Case{"3.5", 4, 5760}, Case{"5", 5, 6150}}) {
    Form1 f = MakeForm1();
    f.Combo1.text = c.count;
    ASSERT_EQ(Combo1_Click(f), ReportNumber::None);
    EXPECT_EQ(VisibleRows(f), c.rows) << c.count;
    EXPECT_EQ(f.height, c.height) << c.count;
    EXPECT_EQ(f.cmd_calculate2.place.top, c.height - 1550);
    EXPECT_EQ(f.cmd_close.place.top, c.height - 1550);
    EXPECT_EQ(f.Label7.place.top, c.height - 1000);
    EXPECT_EQ(f.Line2.y2, c.height - 1650);
  }
}

TEST(HorseCount, ZeroOrBelowHidesEveryRowAndLeavesTheBottomControls) {
  Form1 f = MakeForm1();
  f.Combo1.text = "2";
  ASSERT_EQ(Combo1_Click(f), ReportNumber::None);
  f.rows[1].W_Stake.text = "5.75";
  f.Combo1.text = "-2";
  ASSERT_EQ(Combo1_Click(f), ReportNumber::None);
  EXPECT_EQ(VisibleRows(f), 0);
  EXPECT_EQ(f.height, 4500);
  EXPECT_EQ(f.cmd_calculate2.place.top, 3520);
  f.Combo1.text = "2";
  ASSERT_EQ(Combo1_Click(f), ReportNumber::None);
  EXPECT_EQ(f.rows[1].W_Stake.text, "5.75");
}

TEST(HorseCount, FailuresLeaveTheStateOfTheirMoment) {
  Form1 f = MakeForm1();
  const Form1 before = f;
  f.Combo1.text = "x";
  EXPECT_EQ(Combo1_Click(f), ReportNumber::TypeMismatch);
  f.Combo1.text = "40000";
  EXPECT_EQ(Combo1_Click(f), ReportNumber::Overflow);
  f.Combo1.text = before.Combo1.text;
  EXPECT_TRUE(f == before);
  f.Combo1.text = "7";
  EXPECT_EQ(Combo1_Click(f), ReportNumber::NoSuchRow);
  EXPECT_EQ(VisibleRows(f), 5);
  EXPECT_EQ(f.height, 6150);
}

}  // namespace
}  // namespace stakora
