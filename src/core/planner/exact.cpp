#include "exact.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <numeric>
#include <stdexcept>

namespace stakora::plan {
namespace {

bool FitsIn64(i128 x) {
  return x >= INT64_MIN && x <= INT64_MAX;
}

__extension__ typedef unsigned __int128 u128;

// |a| * |b| as a high and a low half.
struct U256 {
  u128 hi = 0, lo = 0;
  friend auto operator<=>(const U256&, const U256&) = default;
};

u128 Magnitude(i128 x) {
  return x < 0 ? u128{0} - static_cast<u128>(x) : static_cast<u128>(x);
}

U256 MulMagnitudes(i128 x, i128 y) {
  const u128 a = Magnitude(x), b = Magnitude(y);
  const u128 mask = ~std::uint64_t{0};
  const u128 a0 = a & mask, a1 = a >> 64, b0 = b & mask, b1 = b >> 64;
  const u128 p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  const u128 mid = (p00 >> 64) + (p01 & mask) + (p10 & mask);  // at most three 64-bit halves
  return {p11 + (p01 >> 64) + (p10 >> 64) + (mid >> 64), (mid << 64) | (p00 & mask)};
}

int Sign(i128 x) {
  return (x > 0) - (x < 0);
}

}  // namespace

std::strong_ordering CompareProducts(i128 a, i128 b, i128 c, i128 d) {
  const int left = Sign(a) * Sign(b), right = Sign(c) * Sign(d);
  if (left != right || left == 0) return left <=> right;
  const auto magnitudes = MulMagnitudes(a, b) <=> MulMagnitudes(c, d);
  return left > 0 ? magnitudes : 0 <=> magnitudes;
}

std::strong_ordering Compare(const Ratio& x, const Ratio& y) {
  return CompareProducts(x.num, y.den, y.num, x.den);
}

void ThrowDivisorNotPositive() {
  throw std::domain_error("a division by zero or less");
}

i128 Gcd(i128 a, i128 b) {
  a = a < 0 ? -a : a;
  b = b < 0 ? -b : b;
  // 128-bit division is a library call: most figures fit in 64 bits.
  if (FitsIn64(a) && FitsIn64(b))
    return std::gcd(static_cast<std::int64_t>(a), static_cast<std::int64_t>(b));
  while (b != 0) {
    const i128 t = a % b;
    a = b;
    b = t;
  }
  return a;
}

std::optional<std::int64_t> TryTo64(i128 x) {
  if (!FitsIn64(x)) return std::nullopt;
  return static_cast<std::int64_t>(x);
}

std::int64_t To64(i128 x) {
  if (!FitsIn64(x)) throw std::overflow_error("a figure past 64 bits");
  return static_cast<std::int64_t>(x);
}

Q Q::Of(i128 n, i128 d) {
  if (d == 0) throw std::domain_error("a fraction over zero");
  if (d < 0) n = -n, d = -d;
  const i128 g = Gcd(n, d);
  return g > 1 ? Q{n / g, d / g} : Q{n, d};
}

Q::Q(i128 n, i128 d) : num_(n), den_(d) {
  assert(d > 0 && Gcd(n, d) == 1);
}

i128 RoundHalfEven(const Ratio& q) {
  const i128 f = FloorDiv(q.num, q.den);
  const i128 rest = q.num - f * q.den, up = q.den - rest;  // compared without doubling
  return rest > up || (rest == up && f % 2 != 0) ? f + 1 : f;
}

Result<Q, DecimalProblem> ParseDecimal(std::string_view t, int max_decimals, bool negative) {
  bool minus = false;
  if (negative && !t.empty() && t.front() == '-') {
    minus = true;
    t.remove_prefix(1);
  }
  // 12 whole digits and the decimals fit the 128 bits they are read into.
  static_assert(12 + kMostReadDecimals < 38);
  assert(max_decimals >= 0 && max_decimals <= kMostReadDecimals);
  max_decimals = std::clamp(max_decimals, 0, kMostReadDecimals);
  i128 n = 0, d = 1;
  int whole = 0, decimals = -1;
  bool digits = false, too_many = false, too_large = false;
  for (char c : t) {
    if (c == '.' && decimals < 0) {
      decimals = 0;
      continue;
    }
    if (c < '0' || c > '9') return DecimalProblem::NotANumber;
    digits = true;
    if (decimals >= 0) {
      // Trailing zeros change nothing: only a digit that counts is too many.
      if (++decimals > max_decimals) {
        too_many |= c != '0';
        continue;
      }
      d *= 10;
    } else {
      if (n != 0 || c != '0') ++whole;  // leading zeros are no digits
      if (whole > 12) {
        too_large = true;
        continue;
      }
    }
    n = n * 10 + (c - '0');
  }
  if (!digits) return DecimalProblem::NotANumber;  // "", ".", "-"
  if (too_large) return DecimalProblem::TooLarge;
  if (too_many) return DecimalProblem::TooManyDecimals;
  return Q::Of(minus ? -n : n, d);
}

std::optional<Terms> ParseFraction(std::string_view text) {
  const auto slash = text.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  const auto up = ParseDecimal(text.substr(0, slash), 0),
             down = ParseDecimal(text.substr(slash + 1), 0);
  if (!up || !down || down->num() == 0) return std::nullopt;
  return Terms{up->num(), down->num()};
}

std::string MoneyText(std::int64_t cents) {
  const bool minus = cents < 0;
  const std::uint64_t c =
      minus ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
  std::string frac = std::to_string(c % 100);
  if (frac.size() < 2) frac.insert(0, "0");
  return (minus ? "-" : "") + std::to_string(c / 100) + "." + frac;
}

}  // namespace stakora::plan
