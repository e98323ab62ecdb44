#pragma once
// Prices, steps and commissions the planner's brute-force proofs draw from.

#include <cstdint>

namespace stakora::plan {

struct Price {
  const char* text;
  int64_t a, b;  // the decimal odds a/b the text means
};
inline const Price kPrices[] = {{"1.5", 3, 2},      {"2", 2, 1},    {"2.2", 11, 5},
                                {"evens", 2, 1},    {"3.4", 17, 5}, {"7/2", 9, 2},
                                {"11/4", 15, 4},    {"5.5", 11, 2}, {"8", 8, 1},
                                {"1.01", 101, 100}, {"13", 13, 1},  {"4", 4, 1}};
struct Step {
  const char* text;
  int64_t cents;
};
inline const Step kSteps[] = {{"1", 100}, {"0.5", 50}, {"0.01", 1}};
inline const char* const kCommissions[] = {"0", "2.5", "5"};

}  // namespace stakora::plan
