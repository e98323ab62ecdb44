#include "number_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

namespace stakora {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(IsNumeric, AcceptsOnlyPlainNumbers) {
  for (const char* t : {"50.00", " 7 ", "\t-3.5", "+2", ".5", "5.", "1E-05", "2e+3", "1e400"})
    EXPECT_TRUE(IsNumeric(t)) << '"' << t << '"';
  for (const char* t :
       {"", " ", ".", "-", "1/1", "1.2.3", "1,000", "1e", "e5", "5 5", "--5", "0x10", "inf", "nan"})
    EXPECT_FALSE(IsNumeric(t)) << '"' << t << '"';
}

TEST(IsNumeric, ReadsTheGivenSeparatorAndAPoint) {
  EXPECT_EQ(ReadNumber("2,5", ','), 2.5);
  EXPECT_EQ(ReadNumber("50.00", ','), 50);  // the layout's own amount, never 5000
  EXPECT_EQ(ToCurrency("0,25", ',')->ten_thousandths, 2500);
  EXPECT_FALSE(IsNumeric("1.000,50", ','));
  EXPECT_FALSE(IsNumeric("2,5", '.'));
}

TEST(ReadNumber, SaturatesOutOfRange) {
  EXPECT_EQ(ReadNumber(" -16.67 "), -16.67);
  EXPECT_EQ(ReadNumber("1e400"), kInf);
  EXPECT_EQ(ReadNumber("-1e400"), -kInf);
  EXPECT_EQ(ReadNumber("1e-400"), 0.0);
  EXPECT_EQ(ReadNumber("0.000e999999999999999999"), 0.0);
}

TEST(ToCurrency, RoundsExactlyHalfToEvenWithinTheRange) {
  const std::pair<const char*, std::int64_t> cases[] = {{"50.00", 500000},
                                                        {"-50", -500000},
                                                        {"0.00005", 0},
                                                        {"0.00015", 2},
                                                        {"0.000051", 1},
                                                        {"1.23456", 12346},
                                                        {"1e2", 1000000},
                                                        {"1e-9999999999", 0},
                                                        {"922337203685477.5807", INT64_MAX},
                                                        {"-922337203685477.5808", INT64_MIN}};
  for (const auto& [text, value] : cases) {
    ASSERT_TRUE(ToCurrency(text)) << text;
    EXPECT_EQ(ToCurrency(text)->ten_thousandths, value) << text;
  }
  for (const char* t : {"922337203685477.5808", "1e15", "-922337203685477.5809"})
    EXPECT_EQ(ToCurrency(t).error(), ConversionError::OutOfRange) << t;
  EXPECT_EQ(ToCurrency("abc").error(), ConversionError::NotNumeric);
}

TEST(ToInt16, RoundsHalvesToEvenAndChecksTheRange) {
  EXPECT_EQ(*ToInt16("2.5"), 2);
  EXPECT_EQ(*ToInt16("3.5"), 4);
  EXPECT_EQ(*ToInt16("-32768.5"), -32768);
  EXPECT_EQ(*ToInt16("32767"), 32767);
  EXPECT_EQ(ToInt16("32767.5").error(), ConversionError::OutOfRange);
  EXPECT_EQ(ToInt16("").error(), ConversionError::NotNumeric);
}

TEST(NumberText, WritesTheShortestFormOfFifteenDigits) {
  const std::pair<double, const char*> cases[] = {{0.1 + 0.2, "0.3"},
                                                  {0.00001, "1E-05"},
                                                  {0.0001, "0.0001"},
                                                  {1e15, "1E+15"},
                                                  {999999999999999.0, "999999999999999"},
                                                  {-0.0, "0"},
                                                  {2.5e100, "2.5E+100"},
                                                  {1.0 / 7, "0.142857142857143"},
                                                  {kInf, "0"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(NumberText(value), text);
  EXPECT_EQ(NumberText(1.5e-7, ','), "1,5E-07");
}

TEST(SingleText, WritesSevenSignificantDigits) {
  EXPECT_EQ(SingleText(1.0f / 3), "0.3333333");
  EXPECT_EQ(SingleText(static_cast<float>(1.0 / 32767)), "3.051851E-05");
  EXPECT_EQ(SingleText(12345678.0f), "1.234568E+07");
  EXPECT_EQ(SingleText(0.5f, ','), "0,5");
}

TEST(ResultText, RoundsToTheCentHalfToEven) {
  const std::pair<double, const char*> cases[] = {{0.125, "0.12"},
                                                  {0.375, "0.38"},
                                                  {-0.125, "-0.12"},
                                                  {-0.001, "0"},
                                                  {69.99999999999999, "70"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(ResultText(value), text) << value;
}

// Found by fuzzing: the largest double's 15 digits round past it.
TEST(NumberText, LargestWritableFigureReadsBack) {
  EXPECT_EQ(ReadNumber(NumberText(kLargestNumberText)), kLargestNumberText);
  EXPECT_FALSE(HasNumberText(std::numeric_limits<double>::max()));
}

// The text holds x rounded to 15 significant digits, as printf rounds it, for
// doubles of every magnitude and for the halves where the quick way steps aside.
TEST(NumberText, IsTheFifteenDigitRounding) {
  std::mt19937_64 gen(7);
  for (int checked = 0; checked < 200000;) {
    const std::uint64_t b = gen();
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
