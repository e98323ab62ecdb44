#pragma once
// A plan that takes most of a second unless it is stopped: around a back of
// 10 at 500, twenty distinct prices whose book is within 10^-7 of 100%, laid
// with 2% commission. Its runners' odds, a line each, and the held bet.

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace stakora::testing {

inline std::vector<std::string> SlowPlanOdds() {
  std::mt19937_64 gen(7);
  std::vector<double> weight(20);
  double sum = 0;
  for (double& w : weight) sum += w = 0.2 + static_cast<double>(gen() % 1000000000) / 1e9;
  std::vector<std::string> odds;
  for (double w : weight) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", sum / (w * (1 - 1e-7)));
    odds.emplace_back(text);
  }
  return odds;
}
inline constexpr const char* kSlowPlanHeld = "1:back:10@500";

}  // namespace stakora::testing
