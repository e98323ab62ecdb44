// The number texts: any bytes as a text, and as a double and a float.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "number_text.h"

using namespace stakora;
using stakora::fuzz::Check;
using stakora::fuzz::Texts;

namespace {

void ReadText(std::string_view text, char sep) {
  const bool numeric = IsNumeric(text, sep);
  const auto number = ReadNumber(text, sep);
  Check(numeric == number.has_value());
  Check(!number || !std::isnan(*number));
  const auto currency = ToCurrency(text, sep);
  Check(!currency || numeric);
  if (currency && number && std::isfinite(*number))
    Check(std::fabs(currency->ToDouble() - *number) <= 0.00005 + std::fabs(*number) * 1e-12);
  const auto whole = ToInt16(text, sep);
  Check(!whole || numeric);
  if (whole) Check(std::fabs(*whole - *number) <= 0.5);
  // Decimal odds as a fraction: two whole numbers in lowest terms, worth the
  // odds less one.
  if (const auto fraction = DecimalOddsAsFraction(text, sep)) {
    Check(numeric && *number >= 1);
    const auto slash = fraction->find('/');
    Check(slash != std::string::npos);
    const std::uint64_t up = std::strtoull(fraction->c_str(), nullptr, 10);
    const std::uint64_t down = std::strtoull(fraction->c_str() + slash + 1, nullptr, 10);
    Check(down >= 1 && std::gcd(up, down) == 1);
    const double worth = static_cast<double>(up) / static_cast<double>(down) + 1;
    Check(std::fabs(worth - *number) <= *number * 1e-12);
  }
  // Fractional odds as decimal odds: a number within half a ten-thousandth of
  // the fraction plus one.
  if (const auto decimal = FractionOddsAsDecimal(text, sep)) {
    const auto up = ReadNumber(text.substr(0, text.find('/')), sep);
    const auto down = ReadNumber(text.substr(text.find('/') + 1), sep);
    const auto worth = ReadNumber(*decimal, sep);
    Check(up && down && worth && *down != 0);
    const double exact = *up / *down + 1;
    if (std::isfinite(exact) && std::fabs(exact) < 1e9)
      Check(std::fabs(*worth - exact) <= 0.00005 + std::fabs(exact) * 1e-12);
  }
}

// A text the program writes reads back as the same figure.
void WriteDouble(double x, char sep) {
  if (!HasNumberText(x)) return;
  const std::string text = NumberText(x, sep);
  const auto back = ReadNumber(text, sep);
  Check(back.has_value());
  Check(NumberText(*back, sep) == text);
  Check(x == 0 || std::fabs(*back - x) <= std::fabs(x) * 1e-14);
  const double cents = RoundTo2(x);
  if (std::isfinite(cents)) {
    const auto result = ReadNumber(ResultText(x, sep), sep);
    Check(result && *result == ReadNumber(NumberText(cents, sep), sep));
  }
}

void WriteFloat(float x, char sep) {
  if (!std::isfinite(x)) return;
  const std::string text = SingleText(x, sep);
  const auto back = ReadNumber(text, sep);
  Check(back.has_value());
  Check(SingleText(static_cast<float>(*back), sep) == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (char sep : {'.', ','}) ReadText(text, sep);
  if (size >= sizeof(double)) {
    double d;
    std::memcpy(&d, data, sizeof d);
    WriteDouble(d, '.');
    WriteDouble(d, ',');
  }
  if (size >= sizeof(float)) {
    float f;
    std::memcpy(&f, data, sizeof f);
    WriteFloat(f, '.');
  }
  return 0;
}
