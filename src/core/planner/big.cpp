#include "big.h"

#include <algorithm>

namespace stakora::plan {
namespace {

using u64 = std::uint64_t;
__extension__ typedef unsigned __int128 u128;

int BitLength(const std::vector<u64>& m) {
  if (m.empty()) return 0;
  return static_cast<int>(64 * m.size()) - __builtin_clzll(m.back());
}

std::vector<u64> ShiftLeft(const std::vector<u64>& m, int bits) {
  if (m.empty()) return {};
  const std::size_t limbs = static_cast<std::size_t>(bits / 64);
  const int rest = bits % 64;
  std::vector<u64> out(limbs, 0);
  u64 carry = 0;
  for (u64 x : m) {
    out.push_back(rest ? (x << rest) | carry : x);
    carry = rest ? x >> (64 - rest) : 0;
  }
  if (carry) out.push_back(carry);
  return out;
}

// a -= b for a >= b, the top zero limbs dropped.
void SubtractInPlace(std::vector<u64>& a, const std::vector<u64>& b) {
  u64 borrow = 0;
  for (std::size_t i = 0; i < a.size() && (i < b.size() || borrow); ++i) {
    const u64 y = i < b.size() ? b[i] : 0;
    const u64 next = (a[i] < y || (a[i] == y && borrow)) ? 1 : 0;
    a[i] = a[i] - y - borrow;
    borrow = next;
  }
  while (!a.empty() && a.back() == 0) a.pop_back();
}

void HalveInPlace(std::vector<u64>& a) {
  for (std::size_t i = 0; i < a.size(); ++i)
    a[i] = (a[i] >> 1) | (i + 1 < a.size() ? a[i + 1] << 63 : 0);
  while (!a.empty() && a.back() == 0) a.pop_back();
}

}  // namespace

Big::Big(i128 v) : neg_(v < 0) {
  u128 m = neg_ ? u128(0) - static_cast<u128>(v) : static_cast<u128>(v);
  for (; m != 0; m >>= 64) mag_.push_back(static_cast<u64>(m));
}

Big Big::Of(bool neg, Limbs mag) {
  while (!mag.empty() && mag.back() == 0) mag.pop_back();
  Big b;
  b.neg_ = neg && !mag.empty();
  b.mag_ = std::move(mag);
  return b;
}

int Big::CompareMag(const Limbs& a, const Limbs& b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (std::size_t i = a.size(); i-- > 0;)
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  return 0;
}

Big::Limbs Big::AddMag(const Limbs& a, const Limbs& b) {
  const Limbs& longer = a.size() >= b.size() ? a : b;
  const Limbs& shorter = a.size() >= b.size() ? b : a;
  Limbs out(longer.size() + 1, 0);
  u128 carry = 0;
  for (std::size_t i = 0; i < longer.size(); ++i) {
    carry += static_cast<u128>(longer[i]) + (i < shorter.size() ? shorter[i] : 0);
    out[i] = static_cast<u64>(carry);
    carry >>= 64;
  }
  out.back() = static_cast<u64>(carry);
  return out;
}

Big operator+(const Big& a, const Big& b) {
  if (a.neg_ == b.neg_) return Big::Of(a.neg_, Big::AddMag(a.mag_, b.mag_));
  const int c = Big::CompareMag(a.mag_, b.mag_);
  if (c == 0) return Big();
  Big out = c > 0 ? a : b;
  SubtractInPlace(out.mag_, c > 0 ? b.mag_ : a.mag_);
  return out;
}

Big operator-(const Big& a, const Big& b) {
  Big minus_b = b;
  minus_b.neg_ = !b.neg_ && !b.zero();
  return a + minus_b;
}

Big operator*(const Big& a, const Big& b) {
  if (a.zero() || b.zero()) return Big();
  Big::Limbs out(a.mag_.size() + b.mag_.size(), 0);
  for (std::size_t i = 0; i < a.mag_.size(); ++i) {
    u128 carry = 0;
    for (std::size_t j = 0; j < b.mag_.size(); ++j) {
      carry += static_cast<u128>(a.mag_[i]) * b.mag_[j] + out[i + j];
      out[i + j] = static_cast<u64>(carry);
      carry >>= 64;
    }
    out[i + b.mag_.size()] = static_cast<u64>(carry);
  }
  return Big::Of(a.neg_ != b.neg_, std::move(out));
}

std::strong_ordering operator<=>(const Big& a, const Big& b) {
  if (a.neg_ != b.neg_) return a.neg_ ? std::strong_ordering::less : std::strong_ordering::greater;
  const int c = a.neg_ ? Big::CompareMag(b.mag_, a.mag_) : Big::CompareMag(a.mag_, b.mag_);
  return c <=> 0;
}

std::optional<i128> FloorDiv(const Big& n, const Big& d) {
  const int shift = BitLength(n.mag_) - BitLength(d.mag_);
  if (shift > 125) return std::nullopt;
  u128 q = 0;
  bool exact = true;
  if (n.mag_.size() <= 2 && d.mag_.size() <= 2) {
    auto wide = [](const Big::Limbs& m) {
      return m.empty() ? u128(0) : m.size() == 1 ? u128(m[0]) : (u128(m[1]) << 64) | m[0];
    };
    q = wide(n.mag_) / wide(d.mag_);
    exact = wide(n.mag_) % wide(d.mag_) == 0;
  } else if (shift >= 0) {
    // Long division a bit at a time: the quotients asked for are short.
    Big::Limbs rest = n.mag_, part = ShiftLeft(d.mag_, shift);
    for (int k = shift; k >= 0; --k) {
      if (Big::CompareMag(part, rest) <= 0) {
        SubtractInPlace(rest, part);
        q |= u128(1) << k;
      }
      HalveInPlace(part);
    }
    exact = rest.empty();
  } else {
    exact = n.mag_.empty();
  }
  const i128 whole = static_cast<i128>(q);
  if (!n.neg_) return whole;
  return exact ? -whole : -whole - 1;  // rounded down below zero too
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
