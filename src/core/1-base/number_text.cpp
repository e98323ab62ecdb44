#include "number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <numeric>

namespace stakora {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A numeric text taken apart: value = (int_digits frac_digits) x 10^(exponent - frac length).
struct Scanned {
  bool negative = false;
  std::string_view int_digits;
  std::string_view frac_digits;
  bool exp_negative = false;
  std::string_view exp_digits;
};

std::optional<Scanned> Scan(std::string_view t, char sep) {
  t = TrimBlanks(t);
  Scanned s;
  std::size_t i = 0;
  auto digits_from = [&](std::size_t start) {
    while (i < t.size() && IsDigit(t[i])) ++i;
    return t.substr(start, i - start);
  };
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) s.negative = t[i++] == '-';
  s.int_digits = digits_from(i);
  // A point is a decimal separator too: the start-up amount "50.00" and a
  // price typed the international way must not be refused, let alone misread.
  if (i < t.size() && (t[i] == sep || t[i] == '.')) {
    ++i;
    s.frac_digits = digits_from(i);
  }
  if (s.int_digits.empty() && s.frac_digits.empty()) return std::nullopt;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) s.exp_negative = t[i++] == '-';
    s.exp_digits = digits_from(i);
    if (s.exp_digits.empty()) return std::nullopt;
  }
  if (i != t.size()) return std::nullopt;
  return s;
}

// The exponent, saturated far beyond any range that matters here.
long Exponent(const Scanned& s) {
  constexpr long kCap = 100000000;
  long e = 0;
  for (char c : s.exp_digits) {
    e = e * 10 + (c - '0');
    if (e > kCap) {
      e = kCap;
      break;
    }
  }
  return s.exp_negative ? -e : e;
}

std::string_view StripLeadingZeros(std::string_view d) {
  while (!d.empty() && d.front() == '0') d.remove_prefix(1);
  return d;
}

// Significant digits, and the decimal exponent of the first one.
struct Digits {
  bool negative = false;
  std::string mantissa;
  int exponent = 0;
};

// "[-]d[.ddd]e[+-]XX" taken apart; the mantissa keeps its trailing zeros.
Digits Parse(std::string_view text) {
  Digits d;
  if (text.front() == '-') {
    d.negative = true;
    text.remove_prefix(1);
  }
  const auto e_pos = text.find('e');
  for (char c : text.substr(0, e_pos))
    if (IsDigit(c)) d.mantissa.push_back(c);
  auto exp_text = text.substr(e_pos + 1);
  if (exp_text.front() == '+') exp_text.remove_prefix(1);
  std::from_chars(exp_text.data(), exp_text.data() + exp_text.size(), d.exponent);
  return d;
}

void RoundUpLastDigit(Digits& d) {
  for (auto it = d.mantissa.rbegin(); it != d.mantissa.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  d.mantissa.insert(d.mantissa.begin(), '1');  // 9.99 -> 10.0: one more place
  d.mantissa.pop_back();
  ++d.exponent;
}

Digits Formatted(double x, int precision_digits) {
  std::array<char, 64> buf{};
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), x,
                               std::chars_format::scientific, precision_digits - 1);
  return Parse(std::string_view(buf.data(), static_cast<std::size_t>(r.ptr - buf.data())));
}

// x rounded to `digits` significant digits. The shortest text that reads back
// as x is much cheaper to get than a rounding to a set precision, and for a
// double it serves: when it has no more digits than asked for, it is the
// rounding; when it has more, rounding it gives x's rounding unless the digits
// dropped lie near half a unit, since x can be up to 11.1 units of the 17th
// digit away from its shortest text. Floats are always rounded the slow way.
Digits Significant(double x, int digits, bool is_double) {
  if (!is_double) return Formatted(x, digits);
  std::array<char, 64> buf{};
  const auto r =
      std::to_chars(buf.data(), buf.data() + buf.size(), x, std::chars_format::scientific);
  Digits d = Parse(std::string_view(buf.data(), static_cast<std::size_t>(r.ptr - buf.data())));
  const auto keep = static_cast<std::size_t>(digits);
  if (d.mantissa.size() <= keep) return d;
  // A double's shortest text has at most 17 digits: the two after the 15th
  // kept, in units of the 17th, tell where the dropped part lies.
  int dropped = (d.mantissa[keep] - '0') * 10;
  if (d.mantissa.size() > keep + 1) dropped += d.mantissa[keep + 1] - '0';
  if (d.mantissa.size() > keep + 2 || (dropped >= 38 && dropped <= 62)) return Formatted(x, digits);
  d.mantissa.resize(keep);
  if (dropped > 62) RoundUpLastDigit(d);
  return d;
}

std::string Format(double x, int digits, int exp_form_from, bool is_double, char sep) {
  if (x == 0 || !std::isfinite(x)) return "0";
  Digits d = Significant(x, digits, is_double);
  while (d.mantissa.size() > 1 && d.mantissa.back() == '0') d.mantissa.pop_back();
  std::string out = d.negative ? "-" : "";
  const auto& m = d.mantissa;
  if (d.exponent < -4 || d.exponent >= exp_form_from) {
    out += m.front();
    if (m.size() > 1) (out += sep) += m.substr(1);
    out += 'E';
    out += d.exponent < 0 ? '-' : '+';
    const int mag = std::abs(d.exponent);
    if (mag < 10) out += '0';
    out += std::to_string(mag);
  } else if (d.exponent < 0) {
    out += '0';
    out += sep;
    out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
    out += m;
  } else {
    const auto int_len = static_cast<std::size_t>(d.exponent) + 1;
    if (m.size() <= int_len) {
      out += m;
      out.append(int_len - m.size(), '0');
    } else {
      out += m.substr(0, int_len);
      out += sep;
      out += m.substr(int_len);
    }
  }
  return out;
}

}  // namespace

std::string_view TrimBlanks(std::string_view t) {
  while (!t.empty() && IsBlank(t.front())) t.remove_prefix(1);
  while (!t.empty() && IsBlank(t.back())) t.remove_suffix(1);
  return t;
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool IsNumeric(std::string_view text, char sep) {
  return Scan(text, sep).has_value();
}

std::optional<double> ReadNumber(std::string_view text, char sep) {
  const auto s = Scan(text, sep);
  if (!s) return std::nullopt;
  // from_chars wants a point and no plus sign. Most texts fit the buffer on
  // the stack; the calculation reads a great many of them.
  std::array<char, 64> small;
  std::string large;
  const std::size_t size = text.size() + 3;
  char* const begin = size <= small.size() ? small.data() : (large.resize(size), large.data());
  char* out = begin;
  auto put = [&out](std::string_view part) {
    for (char c : part) *out++ = c;
  };
  if (s->negative) put("-");
  put(s->int_digits.empty() ? std::string_view("0") : s->int_digits);
  if (!s->frac_digits.empty()) {
    put(".");
    put(s->frac_digits);
  }
  if (!s->exp_digits.empty()) {
    put(s->exp_negative ? "e-" : "e");
    put(s->exp_digits);
  }
  double value = 0;
  const auto r = std::from_chars(begin, out, value);
  if (r.ec == std::errc::result_out_of_range) {
    // Tell overflow from underflow by the place of the first significant digit.
    const auto int_sig = StripLeadingZeros(s->int_digits);
    long magnitude = Exponent(*s);
    if (!int_sig.empty()) {
      magnitude += static_cast<long>(int_sig.size());
    } else {
      const auto frac_sig = StripLeadingZeros(s->frac_digits);
      magnitude -= static_cast<long>(s->frac_digits.size() - frac_sig.size());
    }
    value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    if (s->negative) value = -value;
  }
  return value;
}

Result<Currency, ConversionError> ToCurrency(std::string_view text, char sep) {
  const auto s = Scan(text, sep);
  if (!s) return ConversionError::NotNumeric;
  std::string digits(s->int_digits);
  digits += s->frac_digits;
  // value x 10^4 = digits x 10^shift
  const long shift = Exponent(*s) - static_cast<long>(s->frac_digits.size()) + 4;
  const auto sig_start = digits.find_first_not_of('0');
  if (sig_start == std::string::npos) return Currency{0};
  digits.erase(0, sig_start);
  const long len = static_cast<long>(digits.size());
  constexpr long kMaxDigits = 19;  // 2^63 has 19 digits
  if (len + shift > kMaxDigits) return ConversionError::OutOfRange;

  std::string whole;
  bool round_up = false;
  if (shift >= 0) {
    whole = digits + std::string(static_cast<std::size_t>(shift), '0');
  } else {
    const long keep = len + shift;  // may be zero or negative: all digits are decimals
    const std::string_view all(digits);
    whole = keep > 0 ? std::string(all.substr(0, static_cast<std::size_t>(keep))) : "0";
    if (keep >= 0) {
      const auto rest = all.substr(static_cast<std::size_t>(keep));
      const char first = rest.front();
      const bool beyond = rest.find_first_not_of('0', 1) != std::string_view::npos;
      const bool odd = (whole.back() - '0') % 2 == 1;
      round_up = first > '5' || (first == '5' && (beyond || odd));
    }
  }
  std::uint64_t magnitude = 0;
  const auto r = std::from_chars(whole.data(), whole.data() + whole.size(), magnitude);
  const std::uint64_t limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) +
                              (s->negative ? 1u : 0u);
  if (r.ec != std::errc() || magnitude + (round_up ? 1u : 0u) > limit)
    return ConversionError::OutOfRange;
  magnitude += round_up ? 1u : 0u;
  const auto count = s->negative ? static_cast<std::int64_t>(0u - magnitude)
                                 : static_cast<std::int64_t>(magnitude);
  return Currency{count};
}

namespace {

// A numeric text as an exact ratio of whole numbers: num / den with den a
// power of ten, or nothing when either term would pass 10^19.
struct Terms {
  bool negative = false;
  std::uint64_t num = 0, den = 1;
};

std::optional<Terms> ExactTerms(std::string_view text, char sep) {
  const auto s = Scan(text, sep);
  if (!s) return std::nullopt;
  std::string digits(s->int_digits);
  digits += s->frac_digits;
  // value = digits x 10^shift
  long shift = Exponent(*s) - static_cast<long>(s->frac_digits.size());
  const auto first = digits.find_first_not_of('0');
  if (first == std::string::npos) return Terms{s->negative, 0, 1};
  digits.erase(0, first);
  while (shift < 0 && digits.back() == '0') digits.pop_back(), ++shift;
  if (static_cast<long>(digits.size()) + (shift > 0 ? shift : 0) > 19 || -shift > 18)
    return std::nullopt;
  Terms t{s->negative, 0, 1};
  std::from_chars(digits.data(), digits.data() + digits.size(), t.num);
  for (long i = 0; i < (shift > 0 ? shift : -shift); ++i) (shift > 0 ? t.num : t.den) *= 10;
  return t;
}

__extension__ typedef unsigned __int128 Wide;

std::string WideText(Wide v) {
  std::string out;
  do {
    out.insert(out.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
    v /= 10;
  } while (v > 0);
  return out;
}

}  // namespace

std::optional<std::string> DecimalOddsAsFraction(std::string_view text, char sep) {
  const auto t = ExactTerms(text, sep);
  if (!t || t->negative || t->num == 0 || t->num < t->den) return std::nullopt;
  const std::uint64_t profit = t->num - t->den;
  const std::uint64_t g = std::gcd(profit, t->den);
  return std::to_string(profit / g) + "/" + std::to_string(t->den / g);
}

std::optional<std::string> FractionOddsAsDecimal(std::string_view text, char sep) {
  const auto slash = text.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  const auto a = ExactTerms(text.substr(0, slash), sep);
  const auto b = ExactTerms(text.substr(slash + 1), sep);
  if (!a || !b) {
    // Beyond the exact terms: the same rule on doubles.
    const auto num = ReadNumber(text.substr(0, slash), sep);
    const auto den = ReadNumber(text.substr(slash + 1), sep);
    if (!num || !den || *den == 0) return std::nullopt;
    const double v = *num / *den + 1;
    const double shown = std::abs(v) < 1e11 ? std::round(v * 1e4) / 1e4 : v;
    if (!HasNumberText(shown)) return std::nullopt;
    return NumberText(shown, sep);
  }
  if (b->num == 0) return std::nullopt;
  // 1 + a/b = 1 + p/q, each term below 10^38.
  const Wide p = Wide{a->num} * b->den, q = Wide{a->den} * b->num;
  const bool below_zero = a->negative != b->negative && p > q;
  Wide n = a->negative != b->negative ? (below_zero ? p - q : q - p) : q + p;
  const Wide whole = n / q;
  if (whole >= Wide{1'000'000'000'000'000})
    return NumberText((below_zero ? -1.0 : 1.0) * static_cast<double>(n) / static_cast<double>(q),
                      sep);
  // Four decimals, digit by digit so that nothing overflows; the fifth rounds half up.
  Wide rem = n % q;
  std::uint64_t frac = 0;
  for (int i = 0; i < 4; ++i) {
    rem *= 10;
    frac = frac * 10 + static_cast<std::uint64_t>(rem / q);
    rem %= q;
  }
  std::uint64_t units = static_cast<std::uint64_t>(whole) * 10000 + frac;
  if (rem * 2 >= q) ++units;
  std::string out = below_zero && units > 0 ? "-" : "";
  out += WideText(units / 10000);
  std::string decimals = std::to_string(10000 + units % 10000).substr(1);
  while (!decimals.empty() && decimals.back() == '0') decimals.pop_back();
  if (!decimals.empty()) out += sep + decimals;
  return out;
}

Result<std::int16_t, ConversionError> ToInt16(std::string_view text, char sep) {
  const auto v = ReadNumber(text, sep);
  if (!v) return ConversionError::NotNumeric;
  const double r = std::nearbyint(*v);  // the default rounding mode sends halves to even
  if (!(r >= std::numeric_limits<std::int16_t>::min() &&
        r <= std::numeric_limits<std::int16_t>::max()))
    return ConversionError::OutOfRange;
  return static_cast<std::int16_t>(r);
}

std::string NumberText(double x, char sep) {
  return Format(x, 15, 15, true, sep);
}

std::string SingleText(float x, char sep) {
  // A float widens to double exactly, so formatting to 7 digits rounds the float itself.
  return Format(static_cast<double>(x), 7, 7, false, sep);
}

double RoundTo2(double x) {
  return std::nearbyint(x * 100.0) / 100.0;
}

std::string ResultText(double x, char sep) {
  return NumberText(RoundTo2(x), sep);
}

}  // namespace stakora
