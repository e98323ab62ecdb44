#pragma once
// Whole numbers of any size and fractions of them. The book of many runners,
// the sum of 1/O over up to 1000 prices, has a common denominator far beyond
// 128 bits; these keep such sums, and what is worked out from them, exact.
// The whole numbers are Boost.Multiprecision's; this says which of their
// operations the planner uses: +, -, *, comparison, quotients known to be
// small, and exact quotients.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <boost/multiprecision/cpp_int.hpp>

#include "exact.h"

namespace stakora::plan {

class Big {
 public:
  Big() = default;
  Big(i128 v);  // NOLINT: implicit on purpose, as for any whole number

  bool negative() const { return v_.sign() < 0; }
  bool zero() const { return v_.is_zero(); }

  friend Big operator+(const Big& a, const Big& b) { return Big(a.v_ + b.v_); }
  friend Big operator-(const Big& a, const Big& b) { return Big(a.v_ - b.v_); }
  friend Big operator*(const Big& a, const Big& b) { return Big(a.v_ * b.v_); }
  friend std::strong_ordering operator<=>(const Big& a, const Big& b) {
    const int c = a.v_.compare(b.v_);
    return c <=> 0;
  }
  friend bool operator==(const Big& a, const Big& b) { return a.v_ == b.v_; }
  friend std::optional<i128> FloorDiv(const Big& n, const Big& d);
  // n / d where d divides n (a fraction-free elimination's steps).
  friend Big DivideExactly(const Big& n, const Big& d) { return Big(n.v_ / d.v_); }

 private:
  explicit Big(boost::multiprecision::cpp_int v) : v_(std::move(v)) {}
  boost::multiprecision::cpp_int v_;
};

// num/den with den > 0, not kept in lowest terms: each is worked out once.
struct Fraction {
  Big num;
  Big den = 1;
  static Fraction Of(const Q& q) { return {q.num(), q.den()}; }
};
inline Fraction Whole(i128 n) {
  return {Big(n), Big(1)};
}
Fraction operator+(const Fraction& a, const Fraction& b);
Fraction operator-(const Fraction& a, const Fraction& b);
Fraction operator*(const Fraction& a, const Fraction& b);
Fraction operator/(const Fraction& a, const Fraction& b);  // b not zero
std::strong_ordering operator<=>(const Fraction& a, const Fraction& b);

// The sum of many fractions, added in pairs so that the work stays near that
// of one product of the two halves' denominators.
Fraction Sum(std::vector<Fraction> terms);

// Rounded down, up, or to the nearest with an exact half to the even neighbour;
// nullopt when the result does not fit in 126 bits.
std::optional<i128> Floor(const Fraction& q);
std::optional<i128> Ceil(const Fraction& q);
std::optional<i128> RoundHalfEven(const Fraction& q);

// As decimal text rounded half to even to exactly `decimals` places (0 to
// kMostTextDecimals): 9/2 at 2 -> "4.50", -1/8 at 2 -> "-0.12". nullopt when
// the figure does not fit in 126 bits, or for any other count of decimals.
inline constexpr int kMostTextDecimals = 36;  // 10^36 fits 128 bits
std::optional<std::string> FixedText(const Fraction& q, int decimals);
// The same with trailing zeros, and a bare point, dropped: 9/2 -> "4.5".
std::optional<std::string> DecimalText(const Fraction& q, int decimals);

}  // namespace stakora::plan
