#include "calculate.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "number_text.h"
#include "options.h"
#include "support/scripted_ui.h"

namespace stakora {
namespace {

using testing::ScriptedUi;
using Strings = std::vector<std::string>;
constexpr Notation D = Notation::Decimal, F = Notation::Fraction, B = Notation::Betfair;
constexpr bool kStake = false, kProfit = true;

Strings Words(const std::string& s) {
  std::istringstream in(s);
  Strings out;
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

// The window in its start-up state, set up as a user would: mode and notation
// clicked, then the texts typed.
Form1 Window(bool profit, Notation notation, const std::string& amount, const std::string& count,
             const Strings& odds) {
  Form1 f = MakeForm1();
  SelectOption(f, profit ? OptionId::Option1_1 : OptionId::Option1_0);
  SelectOption(f, NotationOption(notation));
  f.Total_stake.text = amount;
  f.Combo1.text = count;
  for (std::size_t i = 0; i < odds.size(); ++i) f.rows[i].txt_odds.text = odds[i];
  return f;
}

std::string Column(const Form1& f, std::size_t n, Control HorseRow::*box) {
  std::string out;
  for (std::size_t i = 0; i < n; ++i) out += (i ? " " : "") + (f.rows[i].*box).text;
  return out;
}

struct RunCase {
  const char* name;
  bool profit;
  Notation notation;
  const char* amount;
  const char* odds;
  const char* working;
  const char* stakes;
  const char* profits;
  const char* winnings;
  int warnings;  // loss messages, and red profit boxes
};
class CompletedRun : public ::testing::TestWithParam<RunCase> {};

TEST_P(CompletedRun, FillsEveryRowInUse) {
  const RunCase& c = GetParam();
  const Strings odds = Words(c.odds);
  Form1 f = Window(c.profit, c.notation, c.amount, std::to_string(odds.size()), odds);
  ScriptedUi ui(&f);
  EXPECT_EQ(cmd_calculate2_Click(f, ui), CalcOutcome::Completed);
  EXPECT_EQ(Column(f, odds.size(), &HorseRow::thisDecimal), c.working);
  EXPECT_EQ(Column(f, odds.size(), &HorseRow::W_Stake), c.stakes);
  EXPECT_EQ(Column(f, odds.size(), &HorseRow::profit_figure), c.profits);
  EXPECT_EQ(Column(f, odds.size(), &HorseRow::Winnings), c.winnings);
  EXPECT_EQ(ui.Texts(), Strings(static_cast<std::size_t>(c.warnings), kMsgLoss));
  int red = 0;
  for (const auto& row : f.rows) red += row.profit_figure.fore == ForeColour::Red;
  EXPECT_EQ(red, c.warnings);
  EXPECT_TRUE(ui.focus.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(WorkedExamples, CompletedRun, ::testing::Values(
  RunCase{"TwoDecimal", kStake, D, "50", "3.0 4.0", "2 3", "28.57 21.43", "35.71 35.72", "57.14 64.29", 0},
  RunCase{"TwoFraction", kStake, F, "50", "2/1 3/1", "2 3", "28.57 21.43", "35.71 35.72", "57.14 64.29", 0},
  RunCase{"Betfair", kStake, B, "50", "3.0 4.0", "2 3", "28.57 21.43", "35.71 35.72", "57.14 64.29", 0},
  RunCase{"ThreePrices", kStake, D, "100", "2.5 4 6", "1.5 3 5", "48.98 30.61 20.41", "22.45 22.44 22.46", "73.47 91.83 102.05", 0},
  RunCase{"ThreeLosers", kStake, D, "50", "2.0 2.0 2.0", "1 1 1", "16.67 16.67 16.67", "-16.67 -16.67 -16.67", "16.67 16.67 16.67", 3},
  RunCase{"EvenNotWarned", kStake, D, "50", "2.0 2.0", "1 1", "25 25", "0 0", "25 25", 0},
  RunCase{"EveryCentOfLossWarned", kStake, D, "50", "2.0 1.99", "1 0.99", "24.94 25.06", "-0.12 -0.13", "24.94 24.81", 2},
  RunCase{"NegativeAmount", kStake, D, "-50", "3", "2", "-50", "-100", "-100", 1},
  RunCase{"FiveFractions", kStake, F, "50", "1/1 2/1 3/1 4/1 5/1", "1 2 3 4 5", "17.24 11.49 8.62 6.9 5.75", "-15.52 -15.53 -15.52 -15.5 -15.5", "17.24 22.98 25.86 27.6 28.75", 5},
  RunCase{"ProfitOne", kProfit, D, "10", "5", "4", "2.5", "10", "10", 0},
  RunCase{"ProfitThree", kProfit, D, "30", "4 5 6", "3 4 5", "19.57 15.65 13.04", "30.02 29.99 29.98", "58.71 62.6 65.2", 0},
  RunCase{"ProfitFive", kProfit, D, "25", "10 11 12 15 20", "9 10 11 14 19", "4.1 3.73 3.42 2.74 2.05", "24.96 24.99 25 25.06 24.96", "36.9 37.3 37.62 38.36 38.95", 0}),
  [](const auto& p) { return std::string(p.param.name); });
// clang-format on

TEST(Calculate, ARefusalGreysTheFiguresShown) {
  Form1 f = Window(kStake, D, "50", "2", {"3", "a"});
  f.results = Results::Fresh;
  ScriptedUi ui(&f);
  EXPECT_EQ(cmd_calculate2_Click(f, ui), CalcOutcome::Refused);
  EXPECT_EQ(f.results, Results::OutOfDate);
}

TEST(Calculate, WorkingOdds) {
  // clang-format off
  const std::tuple<Notation, const char*, const char*> cases[] = {
      {D, "1", "0"}, {D, "0.5", "-0.5"}, {D, " 3.5 ", "2.5"}, {F, "1/3", "0.3333333"},
      {F, "100/3", "33.33333"}, {F, "2 / 1 ", "2"}, {F, "2.5/1", "2"}, {F, "7/3.5", "1.75"},
      {F, "-1/2", "-0.5"}};
  // clang-format on
  for (const auto& [notation, odds, working] : cases) {
    Form1 f = Window(kStake, notation, "10", "1", {odds});
    ScriptedUi ui(&f);
    ASSERT_EQ(cmd_calculate2_Click(f, ui), CalcOutcome::Completed) << odds;
    EXPECT_EQ(f.rows[0].thisDecimal.text, working) << odds;
  }
}

struct RefusalCase {
  bool profit;
  Notation notation;
  const char* amount;
  const char* count;
  const char* odds;
  std::string message;
  std::optional<FocusTarget> focus;
};
class RefusedRun : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedRun, ShowsOneMessageAndWritesNothing) {
  const RefusalCase& c = GetParam();
  Form1 f = Window(c.profit, c.notation, c.amount, c.count, Words(c.odds));
  f.rows[3].profit_figure.fore = ForeColour::Red;  // a colour from an earlier run
  const Form1 before = f;
  ScriptedUi ui(&f);
  EXPECT_EQ(cmd_calculate2_Click(f, ui), CalcOutcome::Refused);
  EXPECT_EQ(ui.Texts(), Strings{c.message});
  EXPECT_EQ(ui.focus, c.focus ? std::vector<FocusTarget>{*c.focus} : std::vector<FocusTarget>{});
  EXPECT_TRUE(f == before);
}

using K = FocusTarget::Kind;
const FocusTarget kStakeBox{K::Total_stake, 0}, kCombo{K::Combo1, 0}, kOdds1{K::txt_odds, 1};
const std::string kOdds1Msg = CheckOddsMessage(1);

// clang-format off
INSTANTIATE_TEST_SUITE_P(Checks, RefusedRun, ::testing::Values(
  RefusalCase{kStake, F, "", "x", "", kMsgStakeNotNumber, kStakeBox},
  RefusalCase{kStake, F, "50", "a", "", kMsgHorsesNotNumber, kCombo},
  RefusalCase{kStake, F, "0.00001", "9", "", kMsgZeroAmount, kStakeBox},
  RefusalCase{kStake, F, "1e15", "1", "", kMsgAmountTooLarge, kStakeBox},
  RefusalCase{kStake, F, "50", "5.5", "", kMsgHorseCountRange, kCombo},
  RefusalCase{kProfit, F, "50", "40000", "", kMsgHorseCountRange, kCombo},
  RefusalCase{kStake, F, "50", "2", "1/1 2", kOdds1Msg, kOdds1},
  RefusalCase{kStake, F, "50", "2", "1/1 /1", kOdds1Msg, kOdds1},
  RefusalCase{kProfit, F, "50", "2", "1/1 1/0", kOdds1Msg, kOdds1},
  RefusalCase{kStake, F, "50", "2", "1/1 1/2/3", kOdds1Msg, kOdds1},
  RefusalCase{kStake, F, "50", "2", "1/1 40000/1", kOdds1Msg, kOdds1},
  RefusalCase{kProfit, D, "50", "2", "3 abc", kOdds1Msg, kOdds1},
  RefusalCase{kStake, D, "50", "1", "0", kMsgNotWorkable, {}},
  RefusalCase{kProfit, D, "50", "2", "2 2", kMsgNotWorkable, {}},
  RefusalCase{kStake, D, "50", "2", "2 -2", kMsgNotWorkable, {}},
  RefusalCase{kStake, D, "900000000000000", "2", "1e300 1e300", kMsgNotWorkable, {}},
  // Found by fuzzing: odds whose working-odds text would read back as infinite.
  RefusalCase{kProfit, D, "5", "1", "1.7976931348623157e308", kMsgNotWorkable, {}}));
// clang-format on

// A total stake of 1 or less: the working odds of the first pass stay, and in
// fractions their colour is reset; nothing else changes.
TEST(Calculate, UnworkableProfitKeepsTheFirstPassOnly) {
  for (const char* odds : {"1.5 1.5 1.5", "2 3 4 5 6"}) {
    const Strings o = Words(odds);
    Form1 f = Window(kProfit, D, "50", std::to_string(o.size()), o);
    Form1 expected = f;
    ScriptedUi ui(&f);
    EXPECT_EQ(cmd_calculate2_Click(f, ui), CalcOutcome::Refused);
    EXPECT_EQ(ui.Texts(), Strings{kMsgNotWorkable});
    EXPECT_EQ(f.rows[0].thisDecimal.text, NumberText(*ReadNumber(o[0]) - 1));
    for (std::size_t i = 0; i < o.size(); ++i)
      expected.rows[i].thisDecimal.text = f.rows[i].thisDecimal.text;
    EXPECT_TRUE(f == expected) << odds;
  }
  Form1 f = Window(kProfit, F, "1", "2", {"3/1", "3/1"});
  f.rows[0].profit_figure.fore = ForeColour::Red;
  ScriptedUi ui(&f);
  EXPECT_EQ(cmd_calculate2_Click(f, ui), CalcOutcome::Refused);
  EXPECT_EQ(f.rows[0].profit_figure.fore, ForeColour::WindowText);
  EXPECT_EQ(f.rows[0].W_Stake.text, "0.00");
}

TEST(Calculate, CountOfZeroOrBelowChangesNothing) {
  for (bool profit : {kStake, kProfit}) {
    Form1 f = Window(profit, F, "50", "0.5", {});
    const Form1 before = f;
    ScriptedUi ui(&f);
    EXPECT_EQ(cmd_calculate2_Click(f, ui), CalcOutcome::Completed);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_TRUE(f.rows == before.rows);
    EXPECT_EQ(f.results, Results::Fresh);
    EXPECT_EQ(RowsInUse(f), 0);
  }
}

TEST(Calculate, LossWarningSeesItsRowRedWithItsOwnWinnings) {
  Form1 f = Window(kStake, D, "50", "3", {"2.0", "2.0", "2.0"});
  ScriptedUi ui(&f);
  ASSERT_EQ(cmd_calculate2_Click(f, ui), CalcOutcome::Completed);
  ASSERT_EQ(ui.shown.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    const auto& rows = ui.shown[i].rows;
    EXPECT_EQ(rows[i].profit_figure.fore, ForeColour::Red);
    EXPECT_EQ(rows[i].profit_figure.text, "16.67");  // own winnings, not yet the net profit
    EXPECT_EQ(rows[i].Winnings.text, "0.00");        // still the previous run's
    if (i + 1 < 3) {
      EXPECT_EQ(rows[i + 1].profit_figure.fore, ForeColour::WindowText);
    }
    if (i > 0) {
      EXPECT_EQ(rows[i - 1].profit_figure.text, "-16.67");
    }
  }
}

// A completed press writes only the rows in use and starts them in the
// window's colour in every notation: red always means a loss shown.
TEST(Calculate, RowsAboveTheCountKeepTheirTextsAndTheRestLoseTheirRed) {
  for (Notation notation : {D, B, F}) {
    Form1 f = Window(kStake, notation, "50", "2",
                     {notation == F ? "3/1" : "4", notation == F ? "4/1" : "5"});
    for (auto& row : f.rows) row.profit_figure.fore = ForeColour::Red;
    const Form1 before = f;
    ScriptedUi ui(&f);
    ASSERT_EQ(cmd_calculate2_Click(f, ui), CalcOutcome::Completed);
    EXPECT_EQ(f.rows[0].profit_figure.fore, ForeColour::WindowText);
    for (std::size_t i = 2; i < 5; ++i) EXPECT_TRUE(f.rows[i] == before.rows[i]) << i;
  }
}

TEST(Calculate, WorksWithACommaSeparator) {
  Form1 f = MakeForm1({',', ""});
  SelectOption(f, OptionId::Option2);
  f.Total_stake.text = "50,00";
  f.Combo1.text = "2";
  f.rows[0].txt_odds.text = "2,5";
  ScriptedUi ui(&f);
  ASSERT_EQ(cmd_calculate2_Click(f, ui), CalcOutcome::Completed);
  EXPECT_EQ(f.rows[0].thisDecimal.text, "1,5");
  EXPECT_EQ(f.rows[0].W_Stake.text, "27,27");
}

}  // namespace
}  // namespace stakora
