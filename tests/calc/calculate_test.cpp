#include "calc/calculate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/number_text.h"
#include "mainwindow/options.h"
#include "support/scripted_ui.h"

namespace stakora {
namespace {

using testing::ScriptedUi;
using Strings = std::vector<std::string>;

enum class Notation { Decimal, Fraction, Betfair };

// The window in its start-up state, set up as a user would: mode and notation
// clicked, then the texts typed.
Form1 Window(bool profit, Notation notation, const std::string& amount, const std::string& count,
             const Strings& odds) {
  Form1 f = MakeForm1();
  SelectOption(f, profit ? OptionId::Option1_1 : OptionId::Option1_0);
  SelectOption(f, notation == Notation::Decimal    ? OptionId::Option2
                  : notation == Notation::Fraction ? OptionId::Option3
                                                   : OptionId::Option4);
  f.Total_stake.text = amount;
  f.Combo1.text = count;
  for (std::size_t i = 0; i < odds.size(); ++i) f.rows[i].txt_odds.text = odds[i];
  return f;
}

Strings Column(const Form1& f, std::size_t n, std::string Control::*field, Control HorseRow::*box) {
  Strings out;
  for (std::size_t i = 0; i < n; ++i) out.push_back(f.rows[i].*box.*field);
  return out;
}

template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& p) {
  return p.param.name;
}

struct RunCase {
  const char* name;
  bool profit;
  Notation notation;
  const char* amount;
  Strings odds;
  Strings working, stakes, profits, winnings;
  int warnings;  // loss messages, and red profit boxes
};

class CompletedRun : public ::testing::TestWithParam<RunCase> {};

TEST_P(CompletedRun, FillsEveryRowInUse) {
  const RunCase& c = GetParam();
  Form1 f = Window(c.profit, c.notation, c.amount, std::to_string(c.odds.size()), c.odds);
  ScriptedUi ui(&f);
  EXPECT_EQ(cmd_calculate2_Click(f, ui), CalcOutcome::Completed);
  const auto n = c.odds.size();
  EXPECT_EQ(Column(f, n, &Control::text, &HorseRow::thisDecimal), c.working);
  EXPECT_EQ(Column(f, n, &Control::text, &HorseRow::W_Stake), c.stakes);
  EXPECT_EQ(Column(f, n, &Control::text, &HorseRow::profit_figure), c.profits);
  EXPECT_EQ(Column(f, n, &Control::text, &HorseRow::Winnings), c.winnings);
  EXPECT_EQ(ui.Texts(), Strings(static_cast<std::size_t>(c.warnings), kMsgLoss));
  int red = 0;
  for (const auto& row : f.rows) red += row.profit_figure.fore == ForeColour::Red;
  EXPECT_EQ(red, c.warnings);
  EXPECT_TRUE(ui.focus.empty());
}

const Notation D = Notation::Decimal;
const Notation F = Notation::Fraction;

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, CompletedRun,
    ::testing::Values(
        RunCase{"TwoHorsesDecimal", false, D, "50", {"3.0", "4.0"},
                {"2", "3"}, {"28.57", "21.43"},
                {"35.71", "35.72"}, {"57.14", "64.29"}, 0},
        RunCase{"TwoHorsesFraction", false, F, "50", {"2/1", "3/1"},
                {"2", "3"}, {"28.57", "21.43"},
                {"35.71", "35.72"}, {"57.14", "64.29"}, 0},
        RunCase{"BetfairAsDecimal", false, Notation::Betfair, "50", {"3.0", "4.0"},
                {"2", "3"}, {"28.57", "21.43"},
                {"35.71", "35.72"}, {"57.14", "64.29"}, 0},
        RunCase{"OneHorse", false, D, "10", {"3.5"},
                {"2.5"}, {"10"},
                {"25"}, {"25"}, 0},
        RunCase{"StartUpDefaults", false, F, "50.00", {"1/1"},
                {"1"}, {"50"},
                {"50"}, {"50"}, 0},
        RunCase{"StartUpTwoHorses", false, F, "50.00", {"1/1", "2/1"},
                {"1", "2"}, {"30", "20"},
                {"10", "10"}, {"30", "40"}, 0},
        RunCase{"ThreePrices", false, D, "100", {"2.5", "4", "6"},
                {"1.5", "3", "5"}, {"48.98", "30.61", "20.41"},
                {"22.45", "22.44", "22.46"}, {"73.47", "91.83", "102.05"}, 0},
        RunCase{"OneHorseTakesAll", false, D, "20", {"9"},
                {"8"}, {"20"},
                {"160"}, {"160"}, 0},
        RunCase{"StakesNeedNotAddUp", false, D, "100", {"3", "3", "3"},
                {"2", "2", "2"}, {"33.33", "33.33", "33.33"},
                {"0", "0", "0"}, {"66.66", "66.66", "66.66"}, 0},
        RunCase{"EvenMoney", false, D, "50", {"2.0", "2.0"},
                {"1", "1"}, {"25", "25"},
                {"0", "0"}, {"25", "25"}, 0},
        RunCase{"ThreeLosers", false, D, "50", {"2.0", "2.0", "2.0"},
                {"1", "1", "1"}, {"16.67", "16.67", "16.67"},
                {"-16.67", "-16.67", "-16.67"}, {"16.67", "16.67", "16.67"}, 3},
        RunCase{"SmallLossNotWarned", false, D, "50", {"2.0", "1.99"},
                {"1", "0.99"}, {"24.94", "25.06"},
                {"-0.12", "-0.13"}, {"24.94", "24.81"}, 1},
        RunCase{"NegativeAmount", false, D, "-50", {"3"},
                {"2"}, {"-50"},
                {"-100"}, {"-100"}, 1},
        RunCase{"FiveStartUpFractions", false, F, "50", {"1/1", "2/1", "3/1", "4/1", "5/1"},
                {"1", "2", "3", "4", "5"}, {"17.24", "11.49", "8.62", "6.9", "5.75"},
                {"-15.52", "-15.53", "-15.52", "-15.5", "-15.5"}, {"17.24", "22.98", "25.86", "27.6", "28.75"}, 5},
        RunCase{"ProfitOneHorse", true, D, "10", {"5"},
                {"4"}, {"2.5"},
                {"10"}, {"10"}, 0},
        RunCase{"ProfitTwoHorses", true, D, "50", {"3.0", "4.0"},
                {"2", "3"}, {"40", "30"},
                {"50", "50"}, {"80", "90"}, 0},
        RunCase{"ProfitThreeHorses", true, D, "30", {"4", "5", "6"},
                {"3", "4", "5"}, {"19.57", "15.65", "13.04"},
                {"30.02", "29.99", "29.98"}, {"58.71", "62.6", "65.2"}, 0},
        RunCase{"ProfitFourHorses", true, D, "20", {"6", "7", "8", "10"},
                {"5", "6", "7", "9"}, {"7.16", "6.14", "5.37", "4.3"},
                {"19.99", "20.01", "19.99", "20.03"}, {"35.8", "36.84", "37.59", "38.7"}, 0},
        RunCase{"ProfitFiveHorses", true, D, "25", {"10", "11", "12", "15", "20"},
                {"9", "10", "11", "14", "19"}, {"4.1", "3.73", "3.42", "2.74", "2.05"},
                {"24.96", "24.99", "25", "25.06", "24.96"}, {"36.9", "37.3", "37.62", "38.36", "38.95"}, 0}),
    CaseName<RunCase>);
// clang-format on

struct WorkingCase {
  Notation notation;
  const char* odds;
  const char* working;
};
class WorkingOdds : public ::testing::TestWithParam<WorkingCase> {};
TEST_P(WorkingOdds, ComeFromTheOddsText) {
  Form1 f = Window(false, GetParam().notation, "10", "1", {GetParam().odds});
  ScriptedUi ui(&f);
  ASSERT_EQ(cmd_calculate2_Click(f, ui), CalcOutcome::Completed)
      << ::testing::PrintToString(ui.Texts());
  EXPECT_EQ(f.rows[0].thisDecimal.text, GetParam().working);
}
INSTANTIATE_TEST_SUITE_P(
    Texts, WorkingOdds,
    ::testing::Values(WorkingCase{D, "3.0", "2"}, WorkingCase{D, "1.5", "0.5"},
                      WorkingCase{D, "2.2", "1.2"}, WorkingCase{D, "1", "0"},
                      WorkingCase{D, "0.5", "-0.5"}, WorkingCase{D, " 3.5 ", "2.5"},
                      WorkingCase{Notation::Betfair, "3.0", "2"}, WorkingCase{F, "5/2", "2.5"},
                      WorkingCase{F, "1/3", "0.3333333"}, WorkingCase{F, "2/7", "0.2857143"},
                      WorkingCase{F, "100/3", "33.33333"}, WorkingCase{F, "11/4", "2.75"},
                      WorkingCase{F, "0/5", "0"}, WorkingCase{F, " 2/1", "2"},
                      WorkingCase{F, "2 / 1 ", "2"}, WorkingCase{F, "2.5/1", "2"},
                      WorkingCase{F, "7/3.5", "1.75"}, WorkingCase{F, "-1/2", "-0.5"}));

struct RefusalCase {
  const char* name;
  bool profit;
  Notation notation;
  const char* amount;
  const char* count;
  Strings odds;
  std::string message;
  std::optional<FocusTarget> focus;
};

class RefusedRun : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedRun, ShowsOneMessageAndWritesNothing) {
  const RefusalCase& c = GetParam();
  Form1 f = Window(c.profit, c.notation, c.amount, c.count, c.odds);
  f.rows[3].profit_figure.fore = ForeColour::Red;  // a colour from an earlier run
  const Form1 before = f;
  ScriptedUi ui(&f);
  EXPECT_EQ(cmd_calculate2_Click(f, ui), CalcOutcome::Refused);
  EXPECT_EQ(ui.Texts(), Strings{c.message});
  EXPECT_EQ(ui.focus, c.focus ? std::vector<FocusTarget>{*c.focus} : std::vector<FocusTarget>{});
  EXPECT_TRUE(f == before);
}

using K = FocusTarget::Kind;
const FocusTarget kStake{K::Total_stake, 0};
const FocusTarget kCombo{K::Combo1, 0};
const FocusTarget kOdds1{K::txt_odds, 1};

INSTANTIATE_TEST_SUITE_P(
    Checks, RefusedRun,
    ::testing::Values(
        RefusalCase{"EmptyAmount", false, F, "", "x", {}, kMsgStakeNotNumber, kStake},
        RefusalCase{"LettersAmount", true, F, "abc", "1", {}, kMsgStakeNotNumber, kStake},
        RefusalCase{"LetterCount", false, F, "50", "a", {}, kMsgHorsesNotNumber, kCombo},
        RefusalCase{"ZeroAmount", false, F, "0", "1", {}, kMsgZeroAmount, kStake},
        RefusalCase{"ZeroCents", false, F, "0.00", "9", {}, kMsgZeroAmount, kStake},
        RefusalCase{"BelowAHundredthOfACent", false, F, "0.00001", "1", {}, kMsgZeroAmount, kStake},
        RefusalCase{"AmountBeyondCurrency", false, F, "1e15", "1", {}, kMsgAmountTooLarge, kStake},
        RefusalCase{"SixHorses", false, F, "50", "6", {}, kMsgHorseCountRange, kCombo},
        RefusalCase{"CountBeyond16Bits", true, F, "50", "40000", {}, kMsgHorseCountRange, kCombo},
        RefusalCase{"CountRoundsToSix", false, F, "50", "5.5", {}, kMsgHorseCountRange, kCombo}),
    CaseName<RefusalCase>);

INSTANTIATE_TEST_SUITE_P(
    BadOdds, RefusedRun,
    ::testing::Values(
        RefusalCase{"NoSlash", false, F, "50", "2", {"1/1", "2"}, CheckOddsMessage(1), kOdds1},
        RefusalCase{
            "EmptyNumerator", false, F, "50", "2", {"1/1", "/1"}, CheckOddsMessage(1), kOdds1},
        RefusalCase{
            "EmptyDenominator", true, F, "50", "2", {"1/1", "1/"}, CheckOddsMessage(1), kOdds1},
        RefusalCase{
            "ZeroDenominator", false, F, "50", "2", {"1/1", "1/0"}, CheckOddsMessage(1), kOdds1},
        RefusalCase{
            "SecondSlash", false, F, "50", "2", {"1/1", "1/2/3"}, CheckOddsMessage(1), kOdds1},
        RefusalCase{"BeyondSixteenBits",
                    false,
                    F,
                    "50",
                    "2",
                    {"1/1", "40000/1"},
                    CheckOddsMessage(1),
                    kOdds1},
        RefusalCase{
            "DecimalLetters", false, D, "50", "2", {"3", "abc"}, CheckOddsMessage(1), kOdds1},
        RefusalCase{"DecimalEmpty", true, D, "50", "2", {"3", ""}, CheckOddsMessage(1), kOdds1}),
    CaseName<RefusalCase>);

INSTANTIATE_TEST_SUITE_P(
    Unworkable, RefusedRun,
    ::testing::Values(
        RefusalCase{"DecimalOddsZero", false, D, "50", "1", {"0"}, kMsgNotWorkable, {}},
        RefusalCase{"ProfitShareSumOne", true, D, "50", "2", {"2", "2"}, kMsgNotWorkable, {}},
        RefusalCase{"ShareSumZero", false, D, "50", "2", {"2", "-2"}, kMsgNotWorkable, {}},
        RefusalCase{"InfiniteOdds", false, D, "50", "1", {"1e400"}, kMsgNotWorkable, {}},
        RefusalCase{
            "Overflow", false, D, "900000000000000", "2", {"1e300", "1e300"}, kMsgNotWorkable, {}},
        // Found by fuzzing: odds whose working-odds text would read back as infinite.
        RefusalCase{"OddsBeyondAnyText",
                    true,
                    D,
                    "5",
                    "1",
                    {"1.7976931348623157e308"},
                    kMsgNotWorkable,
                    {}}),
    CaseName<RefusalCase>);

struct ProfitRefusal {
  const char* amount;
  Strings odds;
};
class UnworkableProfit : public ::testing::TestWithParam<ProfitRefusal> {};

// T of 1 or less: the working odds of the first pass stay, nothing else changes.
TEST_P(UnworkableProfit, KeepsTheFirstPassAndNothingElse) {
  Form1 f =
      Window(true, D, GetParam().amount, std::to_string(GetParam().odds.size()), GetParam().odds);
  Form1 expected = f;
  ScriptedUi ui(&f);
  EXPECT_EQ(cmd_calculate2_Click(f, ui), CalcOutcome::Refused);
  EXPECT_EQ(ui.Texts(), Strings{kMsgNotWorkable});
  for (std::size_t i = 0; i < GetParam().odds.size(); ++i)
    expected.rows[i].thisDecimal.text = f.rows[i].thisDecimal.text;
  EXPECT_TRUE(f == expected);
  EXPECT_EQ(f.rows[0].thisDecimal.text, NumberText(*ReadNumber(GetParam().odds[0]) - 1));
}
INSTANTIATE_TEST_SUITE_P(Totals, UnworkableProfit,
                         ::testing::Values(ProfitRefusal{"50", {"1.5", "1.5", "1.5"}},
                                           ProfitRefusal{"50", {"1.5", "1.5"}},
                                           ProfitRefusal{"1", {"4", "4"}},
                                           ProfitRefusal{"0.5", {"4", "4"}},
                                           ProfitRefusal{"50", {"2", "3", "4", "5", "6"}}));

TEST(Calculate, UnworkableProfitResetsTheColourInFractions) {
  Form1 f = Window(true, F, "50", "2", {"1/2", "1/2"});
  f.rows[0].profit_figure.fore = ForeColour::Red;
  ScriptedUi ui(&f);
  EXPECT_EQ(cmd_calculate2_Click(f, ui), CalcOutcome::Refused);
  EXPECT_EQ(f.rows[0].thisDecimal.text, "0.5");
  EXPECT_EQ(f.rows[0].profit_figure.fore, ForeColour::WindowText);
  EXPECT_EQ(f.rows[0].W_Stake.text, "0.00");
}

TEST(Calculate, CountOfZeroOrBelowChangesNothing) {
  for (bool profit : {false, true}) {
    for (const char* count : {"0", "-3", "0.5"}) {
      Form1 f = Window(profit, F, "50", count, {});
      const Form1 before = f;
      ScriptedUi ui(&f);
      EXPECT_EQ(cmd_calculate2_Click(f, ui), CalcOutcome::Completed);
      EXPECT_TRUE(ui.shown.empty());
      EXPECT_TRUE(f == before) << count;
    }
  }
}

TEST(Calculate, FractionalCountsRoundHalfToEven) {
  Form1 f = Window(false, F, "50", "2.5", {});
  ScriptedUi ui(&f);
  cmd_calculate2_Click(f, ui);
  EXPECT_EQ(f.rows[1].W_Stake.text, "20");
  EXPECT_EQ(f.rows[2].W_Stake.text, "0.00");
  f.Combo1.text = "3.6";
  cmd_calculate2_Click(f, ui);
  EXPECT_NE(f.rows[3].W_Stake.text, "0.00");
  EXPECT_EQ(f.rows[4].W_Stake.text, "0.00");
}

TEST(Calculate, LossWarningSeesItsRowRedWithItsOwnWinnings) {
  Form1 f = Window(false, D, "50", "3", {"2.0", "2.0", "2.0"});
  ScriptedUi ui(&f);
  cmd_calculate2_Click(f, ui);
  ASSERT_EQ(ui.shown.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    const auto& rows = ui.shown[i].rows;
    EXPECT_EQ(rows[i].profit_figure.fore, ForeColour::Red);
    EXPECT_EQ(rows[i].profit_figure.text, "16.67");  // own winnings, not yet the net profit
    EXPECT_EQ(rows[i].Winnings.text, "0.00");        // still the previous run's
    if (i + 1 < 3) {
      EXPECT_EQ(rows[i + 1].profit_figure.text, "0.00");
      EXPECT_EQ(rows[i + 1].profit_figure.fore, ForeColour::WindowText);
    }
    if (i > 0) {
      EXPECT_EQ(rows[i - 1].profit_figure.text, "-16.67");
    }
  }
}

TEST(Calculate, RowsAboveTheCountKeepTheirTextsAndColours) {
  Form1 f = Window(false, F, "50", "5", {});
  ScriptedUi ui(&f);
  cmd_calculate2_Click(f, ui);
  const Form1 after_five = f;
  f.Combo1.text = "2";
  cmd_calculate2_Click(f, ui);
  for (std::size_t i = 2; i < 5; ++i) EXPECT_TRUE(f.rows[i] == after_five.rows[i]) << i;
  // Fractions reset the colour of the rows in use only.
  EXPECT_EQ(f.rows[0].profit_figure.fore, ForeColour::WindowText);
  EXPECT_EQ(f.rows[4].profit_figure.fore, ForeColour::Red);
}

TEST(Calculate, RedStaysInDecimalNotation) {
  Form1 f = Window(false, D, "50", "3", {"2", "2", "2"});
  ScriptedUi ui(&f);
  cmd_calculate2_Click(f, ui);
  f.Combo1.text = "1";
  cmd_calculate2_Click(f, ui);
  EXPECT_EQ(f.rows[0].profit_figure.text, "50");
  EXPECT_EQ(f.rows[0].profit_figure.fore, ForeColour::Red);
}

TEST(Calculate, HiddenRowsInsideTheCountAreUsed) {
  Form1 f = Window(false, F, "50", "2", {});
  f.rows[1].Label3.visible = f.rows[1].txt_odds.visible = false;
  ScriptedUi ui(&f);
  cmd_calculate2_Click(f, ui);
  EXPECT_EQ(f.rows[1].W_Stake.text, "20");
}

TEST(Calculate, WorksWithACommaSeparator) {
  Form1 f = MakeForm1({',', ""});
  SelectOption(f, OptionId::Option2);
  f.Total_stake.text = "50,00";
  f.Combo1.text = "2";
  f.rows[0].txt_odds.text = "2,5";
  f.rows[1].txt_odds.text = "4";
  ScriptedUi ui(&f);
  ASSERT_EQ(cmd_calculate2_Click(f, ui), CalcOutcome::Completed);
  EXPECT_EQ(f.rows[0].thisDecimal.text, "1,5");
  EXPECT_EQ(f.rows[0].W_Stake.text, "30,77");
}

}  // namespace
}  // namespace stakora
