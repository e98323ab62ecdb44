#pragma once
// How numbers become the texts shown in the window and how texts are read back.
// The calculation passes intermediate results through box texts, so these rules
// are part of the arithmetic. Every function takes the decimal separator: the
// desktop program passes the user's locale, the command line always a point.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "result.h"

namespace stakora {

// Blanks around, an optional sign, digits with at most one decimal separator
// (at least one digit), an optional exponent (E or e, optional sign, digits).
// Nothing else; the empty text is not a number. The given separator and a
// point are both read as the decimal separator.
bool IsNumeric(std::string_view text, char sep = '.');

// The text without the blanks (spaces and tabs) around it.
std::string_view TrimBlanks(std::string_view text);

// ASCII letters in lower case, any other byte as it is: for words the user
// may type in any case ("Evens", "TRUE", "Decimal").
std::string AsciiLower(std::string_view text);

// The double a numeric text denotes; nullopt when the text is not numeric.
// A magnitude beyond the double range reads as an infinity, one below it as zero.
std::optional<double> ReadNumber(std::string_view text, char sep = '.');

// Decimal odds as the fraction of their profit in lowest terms, worked out
// from the digits themselves: "3.5" gives "5/2", "3.47" gives "247/100", "2"
// gives "1/1". Nothing for a text that is no number, is below 1, or whose
// terms would not fit 64 bits.
std::optional<std::string> DecimalOddsAsFraction(std::string_view text, char sep = '.');

// Fractional odds "a/b" as the decimal odds a/b + 1: exact when that has at
// most four decimals ("11/8" gives "2.375"), else to four, half up ("1/3"
// gives "1.3333"). Nothing for a text without a slash or whose parts are not
// numbers, or a zero denominator.
std::optional<std::string> FractionOddsAsDecimal(std::string_view text, char sep = '.');

// Fixed-point currency: a signed 64-bit count of ten-thousandths.
struct Currency {
  std::int64_t ten_thousandths = 0;
  double ToDouble() const { return static_cast<double>(ten_thousandths) / 10000.0; }
  friend bool operator==(Currency, Currency) = default;
};

enum class ConversionError { NotNumeric, OutOfRange };

// Exact decimal conversion; more than four decimals round half to even.
Result<Currency, ConversionError> ToCurrency(std::string_view text, char sep = '.');

// Rounds to a whole number, an exact half to the even neighbour (2.5 -> 2, 3.5 -> 4).
Result<std::int16_t, ConversionError> ToInt16(std::string_view text, char sep = '.');

// The largest magnitude whose text reads back as a number: 15 digits of a
// double above it round past the largest double.
inline constexpr double kLargestNumberText = 1.79769313486231e308;

// Whether x has a text that reads back as a number: finite and not beyond
// kLargestNumberText. Every figure the program writes passes this first.
inline bool HasNumberText(double x) {
  return x >= -kLargestNumberText && x <= kLargestNumberText;
}

// Up to 15 significant digits, no trailing zeros, exponent form below 1E-04 and
// from 1E+15 up. A value that is not finite gives "0", and one beyond
// kLargestNumberText a text that does not read back: check HasNumberText first.
std::string NumberText(double x, char sep = '.');
// The same rules for single precision: 7 significant digits, exponent form from 1E+07.
std::string SingleText(float x, char sep = '.');
// Two decimals, an exact half of a cent going to the even digit (0.125 -> 0.12).
double RoundTo2(double x);
// The text of every stake, profit and winnings figure.
std::string ResultText(double x, char sep = '.');

}  // namespace stakora
