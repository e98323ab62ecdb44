#pragma once
// Exact arithmetic for the planner: 128-bit whole numbers, rationals that say
// when they would overflow, and money in whole cents.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace stakora::plan {

__extension__ typedef __int128 i128;  // GCC and Clang, on every 64-bit target we build

// ceil(n / d) and floor(n / d) for d > 0.
i128 CeilDiv(i128 n, i128 d);
i128 FloorDiv(i128 n, i128 d);

// num/den, den > 0, in lowest terms. Arithmetic that would overflow gives
// nullopt; callers then fall back to long double for figures that are shown
// only, never for a choice of stakes.
struct Q {
  i128 num = 0;
  i128 den = 1;
  static Q Of(i128 n, i128 d = 1);
  long double ToLongDouble() const;
};
std::optional<Q> Add(Q a, Q b);
std::optional<Q> Sub(Q a, Q b);
std::optional<Q> Mul(Q a, Q b);
std::optional<Q> Div(Q a, Q b);

// Rounded to a whole number, an exact half to the even neighbour.
i128 RoundHalfEven(Q q);
std::int64_t RoundHalfEven(long double x);

// A decimal text ("12", "0.5", "-3.25", ".5") as a rational, or nullopt when
// it is not one (no sign is taken when negative is false). At most 12 digits
// before the point and max_decimals after it.
std::optional<Q> ParseDecimal(std::string_view text, int max_decimals, bool negative = false);

// Cents as money text: two decimals, a minus sign when below zero.
std::string MoneyText(std::int64_t cents);

// A rational as decimal text with up to `decimals` places, trailing zeros
// (and a bare point) dropped: 9/2 -> "4.5", 13 -> "13", 4/3 -> "1.3333".
std::string DecimalText(Q q, int decimals);

}  // namespace stakora::plan
