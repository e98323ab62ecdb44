// The exchange's price ladder: its prices and their neighbours.

#include "ladder.h"

#include <gtest/gtest.h>

namespace stakora::plan {
namespace {

std::string Text(const std::optional<LadderPrice>& p) {
  return p ? LadderText(*p) : "";
}

// Each band's edges, a price between two, the ends and past them.
TEST(Ladder, KnowsItsPricesAndTheirNeighbours) {
  struct Case {
    i128 a, b;
    bool on;
    const char *down, *up;  // "" past an end
  };
  // clang-format off
  const Case cases[] = {
      {101, 100, true, "", "1.02"}, {203, 200, false, "1.01", "1.02"}, {2, 1, true, "1.99", "2.02"},
      {201, 100, false, "2.00", "2.02"}, {3, 1, true, "2.98", "3.05"}, {333, 100, false, "3.30", "3.35"},
      {4, 1, true, "3.95", "4.10"}, {9, 2, true, "4.40", "4.60"}, {6, 1, true, "5.90", "6.20"},
      {10, 1, true, "9.80", "10.50"}, {20, 1, true, "19.50", "21.00"}, {30, 1, true, "29.00", "32.00"},
      {50, 1, true, "48.00", "55.00"}, {100, 1, true, "95.00", "110.00"}, {1000, 1, true, "990.00", ""},
      {1001, 1, false, "1000.00", ""}};
  // clang-format on
  for (const Case& c : cases) {
    const Ticks t = TicksOf(c.a, c.b);
    EXPECT_TRUE(OnLadder(c.a, c.b) == c.on && Text(t.down) == c.down && Text(t.up) == c.up)
        << static_cast<double>(c.a) / static_cast<double>(c.b);
  }
  ASSERT_EQ(LadderSize(), 350u);
  for (std::size_t i = 1; i < LadderSize(); ++i) EXPECT_LT(LadderAt(i - 1), LadderAt(i));
}

}  // namespace
}  // namespace stakora::plan
