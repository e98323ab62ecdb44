#include "mainwindow/horse_count.h"

#include <gtest/gtest.h>

#include "mainwindow/error_numbers.h"

namespace stakora {
namespace {

int VisibleRows(const Form1& f) {
  int n = 0;
  for (const auto& r : f.rows) {
    const bool shown = r.Label3.visible && r.txt_odds.visible && r.W_Stake.visible &&
                       r.profit_figure.visible && r.Winnings.visible;
    EXPECT_FALSE(r.thisDecimal.visible);
    EXPECT_EQ(shown, r.Label3.visible || r.txt_odds.visible || r.Winnings.visible);
    n += shown;
  }
  return n;
}

struct LayoutCase {
  const char* count;
  int rows, height, buttons, label7, line2, last_row_bottom;
};
class HorseCountLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(HorseCountLayout, ShowsTheRowsAndSizesTheWindow) {
  const LayoutCase& c = GetParam();
  Form1 f = MakeForm1();
  f.Combo1.text = c.count;
  ASSERT_EQ(Combo1_Click(f), 0);
  EXPECT_EQ(VisibleRows(f), c.rows);
  for (int i = 0; i < c.rows; ++i) EXPECT_TRUE(f.rows[static_cast<std::size_t>(i)].Label3.visible);
  EXPECT_EQ(f.height, c.height);
  EXPECT_EQ(f.cmd_calculate2.place.top, c.buttons);
  EXPECT_EQ(f.cmd_close.place.top, c.buttons);
  EXPECT_EQ(f.Label7.place.top, c.label7);
  EXPECT_EQ(f.Line2.y1, c.line2);
  EXPECT_EQ(f.Line2.y2, c.line2);
  const auto& last = f.rows[static_cast<std::size_t>(c.rows - 1)].txt_odds.place;
  EXPECT_EQ(last.top + last.height, c.last_row_bottom);
}
INSTANTIATE_TEST_SUITE_P(Counts, HorseCountLayout,
                         ::testing::Values(LayoutCase{"1", 1, 4770, 3220, 3770, 3120, 2955},
                                           LayoutCase{"2", 2, 5070, 3520, 4070, 3420, 3315},
                                           LayoutCase{"3", 3, 5400, 3850, 4400, 3750, 3675},
                                           LayoutCase{"4", 4, 5760, 4210, 4760, 4110, 4035},
                                           LayoutCase{"5", 5, 6150, 4600, 5150, 4500, 4395},
                                           LayoutCase{"2.5", 2, 5070, 3520, 4070, 3420, 3315},
                                           LayoutCase{"3.5", 4, 5760, 4210, 4760, 4110, 4035}));

TEST(HorseCount, ShrinksAndShowsRowsAgainWithTheirTexts) {
  Form1 f = MakeForm1();
  f.Combo1.text = "5";
  ASSERT_EQ(Combo1_Click(f), 0);
  f.rows[4].W_Stake.text = "5.75";
  f.Combo1.text = "3";
  ASSERT_EQ(Combo1_Click(f), 0);
  EXPECT_EQ(VisibleRows(f), 3);
  EXPECT_EQ(f.height, 5400);
  f.Combo1.text = "5";
  ASSERT_EQ(Combo1_Click(f), 0);
  EXPECT_EQ(f.rows[4].W_Stake.text, "5.75");
  EXPECT_EQ(f.rows[3].txt_odds.text, "4/1");
}

TEST(HorseCount, ZeroOrBelowHidesEveryRowAndLeavesTheBottomControls) {
  for (const char* count : {"0", "-2"}) {
    Form1 f = MakeForm1();
    f.Combo1.text = "2";
    ASSERT_EQ(Combo1_Click(f), 0);
    f.Combo1.text = count;
    ASSERT_EQ(Combo1_Click(f), 0);
    EXPECT_EQ(VisibleRows(f), 0);
    EXPECT_EQ(f.height, 4500);
    EXPECT_EQ(f.cmd_calculate2.place.top, 3520);
    EXPECT_EQ(f.Label7.place.top, 4070);
    EXPECT_EQ(f.Line2.y1, 3420);
  }
}

TEST(HorseCount, FailuresLeaveTheStateOfTheirMoment) {
  Form1 f = MakeForm1();
  const Form1 before = f;
  f.Combo1.text = "x";
  EXPECT_EQ(Combo1_Click(f), err::kTypeMismatch);
  f.Combo1.text = "40000";
  EXPECT_EQ(Combo1_Click(f), err::kOverflow);
  f.Combo1.text = before.Combo1.text;
  EXPECT_TRUE(f == before);

  f.Combo1.text = "7";
  EXPECT_EQ(Combo1_Click(f), err::kNoSuchRow);
  EXPECT_EQ(VisibleRows(f), 5);
  EXPECT_EQ(f.height, 6150);
  EXPECT_EQ(f.cmd_close.place.top, 4600);
}

}  // namespace
}  // namespace stakora
