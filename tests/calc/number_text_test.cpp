#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

namespace stakora {
namespace {

struct NumericCase {
  const char* text;
  bool numeric;
};
class IsNumericTest : public ::testing::TestWithParam<NumericCase> {};
TEST_P(IsNumericTest, AcceptsOnlyPlainNumbers) {
  EXPECT_EQ(IsNumeric(GetParam().text), GetParam().numeric) << '"' << GetParam().text << '"';
}
INSTANTIATE_TEST_SUITE_P(Texts, IsNumericTest,
                         ::testing::Values(NumericCase{"50", true}, NumericCase{"50.00", true},
                                           NumericCase{" 7 ", true}, NumericCase{"\t-3.5", true},
                                           NumericCase{"+2", true}, NumericCase{".5", true},
                                           NumericCase{"5.", true}, NumericCase{"1E-05", true},
                                           NumericCase{"2e+3", true}, NumericCase{"1e400", true},
                                           NumericCase{"", false}, NumericCase{" ", false},
                                           NumericCase{".", false}, NumericCase{"-", false},
                                           NumericCase{"abc", false}, NumericCase{"1/1", false},
                                           NumericCase{"1.2.3", false}, NumericCase{"1,000", false},
                                           NumericCase{"1e", false}, NumericCase{"e5", false},
                                           NumericCase{"$5", false}, NumericCase{"5 5", false},
                                           NumericCase{"--5", false}, NumericCase{"0x10", false},
                                           NumericCase{"inf", false}, NumericCase{"nan", false}));

TEST(IsNumeric, ReadsTheGivenSeparatorAndAPoint) {
  EXPECT_TRUE(IsNumeric("2,5", ','));
  EXPECT_EQ(ReadNumber("2,5", ','), 2.5);
  EXPECT_EQ(ReadNumber("50.00", ','), 50);  // the layout's own amount, never 5000
  EXPECT_EQ(ToCurrency("0,25", ',').value->ten_thousandths, 2500);
  EXPECT_FALSE(IsNumeric("1.000,50", ','));
  EXPECT_FALSE(IsNumeric("2,5", '.'));
}

TEST(ReadNumber, ReadsValuesAndSaturatesOutOfRange) {
  EXPECT_EQ(ReadNumber(" -16.67 "), -16.67);
  EXPECT_EQ(ReadNumber("1E-05"), 1e-05);
  EXPECT_EQ(ReadNumber("x"), std::nullopt);
  EXPECT_EQ(ReadNumber("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadNumber("-1e400"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadNumber("1e-400"), 0.0);
  EXPECT_EQ(ReadNumber("0.000e999999999999999999"), 0.0);
}

struct CurrencyCase {
  const char* text;
  std::int64_t ten_thousandths;
};
class ToCurrencyTest : public ::testing::TestWithParam<CurrencyCase> {};
TEST_P(ToCurrencyTest, RoundsExactlyHalfToEven) {
  const auto r = ToCurrency(GetParam().text);
  ASSERT_TRUE(r.value) << GetParam().text;
  EXPECT_EQ(r.value->ten_thousandths, GetParam().ten_thousandths) << GetParam().text;
}
INSTANTIATE_TEST_SUITE_P(Texts, ToCurrencyTest,
                         ::testing::Values(CurrencyCase{"50.00", 500000},
                                           CurrencyCase{"-50", -500000}, CurrencyCase{"0.00001", 0},
                                           CurrencyCase{"0.00005", 0}, CurrencyCase{"0.00015", 2},
                                           CurrencyCase{"0.000051", 1},
                                           CurrencyCase{"1.23456", 12346},
                                           CurrencyCase{"1e2", 1000000}, CurrencyCase{"1E-04", 1},
                                           CurrencyCase{"0", 0},
                                           CurrencyCase{"922337203685477.5807", INT64_MAX},
                                           CurrencyCase{"-922337203685477.5808", INT64_MIN},
                                           CurrencyCase{"1e-9999999999", 0}));

TEST(ToCurrency, RefusesTextsBeyondTheRange) {
  for (const char* t : {"922337203685477.5808", "1e15", "1e400", "-922337203685477.5809"}) {
    const auto r = ToCurrency(t);
    EXPECT_FALSE(r.value) << t;
    EXPECT_EQ(r.error, ConversionError::OutOfRange) << t;
  }
  EXPECT_EQ(ToCurrency("abc").error, ConversionError::NotNumeric);
}

TEST(ToInt16, RoundsHalvesToEvenAndChecksTheRange) {
  EXPECT_EQ(ToInt16("2.5").value, 2);
  EXPECT_EQ(ToInt16("3.5").value, 4);
  EXPECT_EQ(ToInt16("3.6").value, 4);
  EXPECT_EQ(ToInt16(" -2 ").value, -2);
  EXPECT_EQ(ToInt16("32767").value, 32767);
  EXPECT_EQ(ToInt16("-32768.5").value, -32768);
  EXPECT_EQ(ToInt16("32767.5").error, ConversionError::OutOfRange);
  EXPECT_EQ(ToInt16("1e10").error, ConversionError::OutOfRange);
  EXPECT_EQ(ToInt16("").error, ConversionError::NotNumeric);
}

struct TextCase {
  double value;
  const char* text;
};
class NumberTextTest : public ::testing::TestWithParam<TextCase> {};
TEST_P(NumberTextTest, WritesFifteenSignificantDigits) {
  EXPECT_EQ(NumberText(GetParam().value), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Values, NumberTextTest,
                         ::testing::Values(TextCase{1.0 / 3, "0.333333333333333"}, TextCase{2, "2"},
                                           TextCase{0.1 + 0.2, "0.3"}, TextCase{-16.67, "-16.67"},
                                           TextCase{0.00001, "1E-05"}, TextCase{0.0001, "0.0001"},
                                           TextCase{1.2000000000000002, "1.2"},
                                           TextCase{1e15, "1E+15"},
                                           TextCase{999999999999999.0, "999999999999999"},
                                           TextCase{123456789012345.6, "123456789012346"},
                                           TextCase{-0.0, "0"}, TextCase{1.5e-7, "1.5E-07"},
                                           TextCase{2.5e100, "2.5E+100"},
                                           TextCase{0.583333333333333, "0.583333333333333"},
                                           TextCase{1.0 / 7, "0.142857142857143"}));

TEST(SingleText, WritesSevenSignificantDigits) {
  EXPECT_EQ(SingleText(1.0f / 3), "0.3333333");
  EXPECT_EQ(SingleText(2.5f), "2.5");
  EXPECT_EQ(SingleText(static_cast<float>(1.0 / 32767)), "3.051851E-05");
  EXPECT_EQ(SingleText(static_cast<float>(100.0 / 3)), "33.33333");
  EXPECT_EQ(SingleText(static_cast<float>(2.0 / 7)), "0.2857143");
  EXPECT_EQ(SingleText(12345678.0f), "1.234568E+07");
  EXPECT_EQ(SingleText(0.0f), "0");
}

struct RoundCase {
  double value;
  const char* text;
};
class ResultTextTest : public ::testing::TestWithParam<RoundCase> {};
TEST_P(ResultTextTest, RoundsToTheCentHalfToEven) {
  EXPECT_EQ(ResultText(GetParam().value), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Values, ResultTextTest,
                         ::testing::Values(RoundCase{0.125, "0.12"}, RoundCase{0.375, "0.38"},
                                           RoundCase{-0.125, "-0.12"},
                                           RoundCase{28.5714285714286, "28.57"},
                                           RoundCase{50, "50"}, RoundCase{16.6, "16.6"},
                                           RoundCase{-0.001, "0"},
                                           RoundCase{69.99999999999999, "70"}));

TEST(NumberText, UsesTheGivenSeparator) {
  EXPECT_EQ(NumberText(2.75, ','), "2,75");
  EXPECT_EQ(NumberText(1.5e-7, ','), "1,5E-07");
  EXPECT_EQ(SingleText(0.5f, ','), "0,5");
}

// Found by fuzzing: the largest double's 15 digits round past it.
TEST(NumberText, LargestWritableFigureReadsBack) {
  EXPECT_EQ(NumberText(kLargestNumberText), "1.79769313486231E+308");
  EXPECT_EQ(ReadNumber(NumberText(kLargestNumberText)), kLargestNumberText);
  EXPECT_EQ(ReadNumber(NumberText(std::numeric_limits<double>::max())),
            std::numeric_limits<double>::infinity());
}

// The text holds x rounded to 15 significant digits, as printf rounds it, for
// doubles of every magnitude and for the halves where the quick way steps aside.
TEST(NumberText, IsTheFifteenDigitRounding) {
  std::mt19937_64 gen(7);
  std::uniform_int_distribution<std::uint64_t> bits;
  int checked = 0;
  while (checked < 200000) {
    const std::uint64_t b = bits(gen);
    double x;
    std::memcpy(&x, &b, sizeof x);
    if (!std::isfinite(x)) continue;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", x);
    EXPECT_EQ(*ReadNumber(NumberText(x)), std::strtod(buf, nullptr)) << buf;
    ++checked;
  }
}

}  // namespace
}  // namespace stakora
