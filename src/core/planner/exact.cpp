#include "exact.h"

#include <cmath>
#include <cstdint>
#include <numeric>

namespace stakora::plan {
namespace {

i128 Abs(i128 x) {
  return x < 0 ? -x : x;
}

bool Fits64(i128 x) {
  return x >= INT64_MIN && x <= INT64_MAX;
}

i128 Gcd(i128 a, i128 b) {
  a = Abs(a);
  b = Abs(b);
  // 128-bit division is a library call: most figures fit in 64 bits.
  if (Fits64(a) && Fits64(b))
    return std::gcd(static_cast<std::int64_t>(a), static_cast<std::int64_t>(b));
  while (b != 0) {
    const i128 t = a % b;
    a = b;
    b = t;
  }
  return a;
}

bool MulOk(i128 a, i128 b, i128& out) {
  return !__builtin_mul_overflow(a, b, &out);
}

}  // namespace

i128 FloorDiv(i128 n, i128 d) {
  if (Fits64(n) && Fits64(d)) {
    const auto n64 = static_cast<std::int64_t>(n), d64 = static_cast<std::int64_t>(d);
    const std::int64_t q = n64 / d64;
    return (n64 % d64 != 0 && n64 < 0) ? q - 1 : q;
  }
  const i128 q = n / d;
  return (n % d != 0 && n < 0) ? q - 1 : q;
}

i128 CeilDiv(i128 n, i128 d) {
  if (Fits64(n) && Fits64(d)) {
    const auto n64 = static_cast<std::int64_t>(n), d64 = static_cast<std::int64_t>(d);
    const std::int64_t q = n64 / d64;
    return (n64 % d64 != 0 && n64 > 0) ? q + 1 : q;
  }
  const i128 q = n / d;
  return (n % d != 0 && n > 0) ? q + 1 : q;
}

Q Q::Of(i128 n, i128 d) {
  if (d < 0) n = -n, d = -d;
  const i128 g = Gcd(n, d);
  return g > 1 ? Q{n / g, d / g} : Q{n, d};
}

long double Q::ToLongDouble() const {
  return static_cast<long double>(num) / static_cast<long double>(den);
}

std::optional<Q> Add(Q a, Q b) {
  const i128 g = Gcd(a.den, b.den);
  i128 x, y, d;
  if (!MulOk(a.num, b.den / g, x) || !MulOk(b.num, a.den / g, y) || !MulOk(a.den / g, b.den, d))
    return std::nullopt;
  i128 n;
  if (__builtin_add_overflow(x, y, &n)) return std::nullopt;
  return Q::Of(n, d);
}

std::optional<Q> Sub(Q a, Q b) {
  return Add(a, Q{-b.num, b.den});
}

std::optional<Q> Mul(Q a, Q b) {
  const i128 g1 = Gcd(a.num, b.den), g2 = Gcd(b.num, a.den);
  i128 n, d;
  const i128 s1 = g1 ? g1 : 1, s2 = g2 ? g2 : 1;
  if (!MulOk(a.num / s1, b.num / s2, n) || !MulOk(a.den / s2, b.den / s1, d)) return std::nullopt;
  return Q::Of(n, d);
}

std::optional<Q> Div(Q a, Q b) {
  if (b.num == 0) return std::nullopt;
  return Mul(a, Q::Of(b.den, b.num));
}

i128 RoundHalfEven(Q q) {
  const i128 f = FloorDiv(q.num, q.den);
  const i128 twice_rest = 2 * (q.num - f * q.den);
  if (twice_rest > q.den || (twice_rest == q.den && f % 2 != 0)) return f + 1;
  return f;
}

std::int64_t RoundHalfEven(long double x) {
  return static_cast<std::int64_t>(std::nearbyintl(x));  // the default mode: halves to even
}

std::optional<Q> ParseDecimal(std::string_view t, int max_decimals, bool negative) {
  bool minus = false;
  if (negative && !t.empty() && t.front() == '-') {
    minus = true;
    t.remove_prefix(1);
  }
  i128 n = 0, d = 1;
  int whole = 0, decimals = -1;
  for (char c : t) {
    if (c == '.' && decimals < 0) {
      decimals = 0;
      continue;
    }
    if (c < '0' || c > '9') return std::nullopt;
    if (decimals >= 0) {
      if (++decimals > max_decimals) return std::nullopt;
      d *= 10;
    } else if (++whole > 12) {
      return std::nullopt;
    }
    n = n * 10 + (c - '0');
  }
  if (whole == 0 && decimals <= 0) return std::nullopt;  // "", ".", "-"
  return Q::Of(minus ? -n : n, d);
}

std::string MoneyText(std::int64_t cents) {
  const bool minus = cents < 0;
  const std::uint64_t c =
      minus ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
  std::string frac = std::to_string(c % 100);
  if (frac.size() < 2) frac.insert(0, "0");
  return (minus ? "-" : "") + std::to_string(c / 100) + "." + frac;
}

std::string DecimalText(Q q, int decimals) {
  i128 scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  const i128 scaled = RoundHalfEven(Q::Of(q.num * scale, q.den));
  const i128 whole = scaled / scale;
  i128 frac = scaled % scale;
  std::string out = std::to_string(static_cast<long long>(whole));
  if (frac == 0) return out;
  std::string digits;
  for (int i = 0; i < decimals; ++i, frac /= 10)
    digits.insert(digits.begin(), static_cast<char>('0' + frac % 10));
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  return out + "." + digits;
}

}  // namespace stakora::plan
