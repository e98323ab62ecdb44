#include "big.h"

namespace stakora::plan {
namespace {

using boost::multiprecision::cpp_int;
__extension__ typedef unsigned __int128 u128;

}  // namespace

// cpp_int takes 64-bit values: the two halves of the magnitude.
Big::Big(i128 v) {
  const bool neg = v < 0;
  const u128 m = neg ? u128(0) - static_cast<u128>(v) : static_cast<u128>(v);
  v_ = static_cast<std::uint64_t>(m >> 64);
  v_ <<= 64;
  v_ += static_cast<std::uint64_t>(m);
  if (neg) v_ = -v_;
}

std::optional<i128> FloorDiv(const Big& n, const Big& d) {
  cpp_int q, r;
  boost::multiprecision::divide_qr(n.v_, d.v_, q, r);  // rounded toward zero
  if (r.sign() != 0 && n.v_.sign() < 0) --q;
  const cpp_int m = boost::multiprecision::abs(q);
  if (boost::multiprecision::msb(m + 1) > 125) return std::nullopt;  // past 126 bits
  const u128 lo = static_cast<std::uint64_t>(m & cpp_int(~std::uint64_t{0}));
  const u128 hi = static_cast<std::uint64_t>(m >> 64);
  const i128 whole = static_cast<i128>((hi << 64) | lo);
  return q.sign() < 0 ? -whole : whole;
}

Fraction operator+(const Fraction& a, const Fraction& b) {
  if (a.den == b.den) return {a.num + b.num, a.den};
  return {a.num * b.den + b.num * a.den, a.den * b.den};
}

Fraction operator-(const Fraction& a, const Fraction& b) {
  return a + Fraction{Big() - b.num, b.den};
}

Fraction operator*(const Fraction& a, const Fraction& b) {
  return {a.num * b.num, a.den * b.den};
}

Fraction operator/(const Fraction& a, const Fraction& b) {
  const Big num = a.num * b.den, den = a.den * b.num;
  return den.negative() ? Fraction{Big() - num, Big() - den} : Fraction{num, den};
}

std::strong_ordering operator<=>(const Fraction& a, const Fraction& b) {
  return a.num * b.den <=> b.num * a.den;
}

Fraction Sum(std::vector<Fraction> terms) {
  if (terms.empty()) return {};
  for (std::size_t width = 1; width < terms.size(); width *= 2)
    for (std::size_t i = 0; i + width < terms.size(); i += 2 * width)
      terms[i] = terms[i] + terms[i + width];
  return terms.front();
}

std::optional<i128> Floor(const Fraction& q) {
  return FloorDiv(q.num, q.den);
}

std::optional<i128> Ceil(const Fraction& q) {
  const auto down = Floor(Fraction{Big() - q.num, q.den});
  if (!down) return std::nullopt;
  return -*down;
}

std::optional<i128> RoundHalfEven(const Fraction& q) {
  const auto f = Floor(q);
  if (!f) return std::nullopt;
  const Big twice_rest = (q.num - Big(*f) * q.den) * Big(2);
  const auto c = twice_rest <=> q.den;
  return c > 0 || (c == 0 && *f % 2 != 0) ? *f + 1 : *f;
}

std::optional<std::string> FixedText(const Fraction& q, int decimals) {
  if (decimals < 0 || decimals > kMostTextDecimals) return std::nullopt;
  i128 scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  const bool minus = q.num.negative();
  const auto scaled =
      RoundHalfEven(Fraction{minus ? Big() - q.num : q.num, q.den} * Fraction{Big(scale), Big(1)});
  if (!scaled) return std::nullopt;
  std::string digits;
  for (i128 x = *scaled; x != 0 || digits.size() <= static_cast<std::size_t>(decimals); x /= 10)
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(x % 10)));
  const std::size_t whole = digits.size() - static_cast<std::size_t>(decimals);
  return (minus && *scaled != 0 ? "-" : "") + digits.substr(0, whole) +
         (decimals > 0 ? "." + digits.substr(whole) : "");
}

std::optional<std::string> DecimalText(const Fraction& q, int decimals) {
  auto text = FixedText(q, decimals);
  if (text && decimals > 0) {
    while (text->back() == '0') text->pop_back();
    if (text->back() == '.') text->pop_back();
  }
  return text;
}

}  // namespace stakora::plan
