#pragma once
// Exact arithmetic for the planner: 128-bit whole numbers, small rationals,
// decimal texts read without rounding, and money in whole cents; big.h holds
// sums beyond 128 bits. Floating point only picks where exact searches start
// (solver.cpp, held_search.cpp); no choice of stakes, total or refusal rests
// on it.
//
// The 128-bit type is a GCC and Clang extension (MinGW-w64 included): the
// planner, and so both command-line programs and the desktop program, build
// with those compilers only.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "result.h"

#if !defined(__SIZEOF_INT128__)
#error "the planner needs 128-bit integers: build with GCC or Clang (MinGW-w64 on Windows)"
#endif

namespace stakora::plan {

__extension__ typedef __int128 i128;

// The greatest common divisor of |a| and |b|.
i128 Gcd(i128 a, i128 b);

// floor(n / d) and ceil(n / d) for d > 0; d <= 0 throws std::domain_error.
// Inline: the searches divide in their innermost loops.
[[noreturn]] void ThrowDivisorNotPositive();
inline i128 FloorDiv(i128 n, i128 d) {
  if (d <= 0) [[unlikely]]
    ThrowDivisorNotPositive();
  // 128-bit division is a library call: most figures fit in 64 bits.
  constexpr i128 kLow = INT64_MIN, kHigh = INT64_MAX;
  if (n >= kLow && n <= kHigh && d <= kHigh) {
    const auto n64 = static_cast<std::int64_t>(n), d64 = static_cast<std::int64_t>(d);
    const std::int64_t q = n64 / d64;
    return (n64 % d64 != 0 && n64 < 0) ? q - 1 : q;
  }
  const i128 q = n / d;
  return (n % d != 0 && n < 0) ? q - 1 : q;
}
inline i128 CeilDiv(i128 n, i128 d) {
  return -FloorDiv(-n, d);
}

// The value when it fits in 64 bits, for a caller that refuses otherwise.
std::optional<std::int64_t> TryTo64(i128 x);
// Every other narrowing: the planner's limits keep the figure inside 64 bits,
// and a figure that is not throws std::overflow_error rather than wrap.
std::int64_t To64(i128 x);

// A fraction as worked out, not reduced: den > 0. Hot loops compare these
// without paying for a greatest common divisor.
struct Ratio {
  i128 num = 0;
  i128 den = 1;
};

// A rational number kept in lowest terms with a positive denominator. Built
// only from texts the planner has bounded, so that no product of two of them
// leaves 128 bits.
class Q {
 public:
  Q() = default;
  // n / d reduced; a zero d throws std::domain_error.
  static Q Of(i128 n, i128 d = 1);
  static Q Of(const Ratio& r) { return Of(r.num, r.den); }

  i128 num() const { return num_; }
  i128 den() const { return den_; }
  operator Ratio() const { return {num_, den_}; }  // NOLINT: every Q is one

 private:
  Q(i128 n, i128 d);  // checks the invariant in debug builds
  i128 num_ = 0;
  i128 den_ = 1;
};

// q rounded to a whole number, an exact half to the even neighbour.
i128 RoundHalfEven(const Ratio& q);

// a * b against c * d, worked out in 256 bits: products of two 128-bit
// figures, such as the cross products that compare two fractions.
std::strong_ordering CompareProducts(i128 a, i128 b, i128 c, i128 d);
// x against y, neither needing lowest terms.
std::strong_ordering Compare(const Ratio& x, const Ratio& y);

// Why a decimal text was not read.
enum class DecimalProblem { NotANumber, TooManyDecimals, TooLarge };

// A decimal text ("12", "0.5", ".5", "007", with a leading "-" only when
// `negative` allows it) as a rational. Leading zeros are no digits: at most
// 12 digits before the point count, and at most max_decimals after it, which
// is taken as at most kMostReadDecimals.
inline constexpr int kMostReadDecimals = 24;
Result<Q, DecimalProblem> ParseDecimal(std::string_view text, int max_decimals,
                                       bool negative = false);

// "a/b" with whole terms and b above 0, as its two terms; nullopt for any
// other text.
struct Terms {
  i128 up = 0, down = 1;
};
std::optional<Terms> ParseFraction(std::string_view text);

// Cents as money text: two decimals, a minus sign when below zero.
std::string MoneyText(std::int64_t cents);

}  // namespace stakora::plan
