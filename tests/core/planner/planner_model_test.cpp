// The planner window's rules, without the window.

#include "planner_model.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace stakora::plan {
namespace {

using stakora::testing::ScriptedUi;
using stakora::testing::TempFolder;
using Strings = std::vector<std::string>;

struct SideCase {
  Side side;
  Mode asked;
  Mode kept;
};
class SideDecidesTheModes : public ::testing::TestWithParam<SideCase> {};

TEST_P(SideDecidesTheModes, InEditsAndInTheSettingsFile) {
  const auto [side, asked, kept] = GetParam();
  Planner p;
  SetMode(p, asked);
  SetSide(p, side);
  SetMode(p, asked);
  EXPECT_EQ(p.mode, kept);
  const std::string file =
      std::string("side=") + SideName(side) + "\nmode=" + ModeName(asked) + "\n";
  EXPECT_EQ(ReadPlannerSettings(file).mode, kept);
  EXPECT_EQ(MakePlanner({side, asked}).mode, kept);
}

INSTANTIATE_TEST_SUITE_P(Planner, SideDecidesTheModes,
                         ::testing::Values(SideCase{Side::Back, Mode::Profit, Mode::Profit},
                                           SideCase{Side::Back, Mode::Liability, Mode::Stake},
                                           SideCase{Side::Lay, Mode::Liability, Mode::Liability},
                                           SideCase{Side::Lay, Mode::Profit, Mode::Stake}));

TEST(Planner, OnlyRowsFilledInAreRunners) {
  Planner p;
  EXPECT_EQ(RequestOf(p), std::nullopt);  // nothing typed
  SetCell(p, 1, Cell::Odds, "3");
  EXPECT_EQ(RequestOf(p), std::nullopt);  // no amount
  SetBox(p, Box::Amount, " \t");
  EXPECT_EQ(RequestOf(p), std::nullopt);
  SetBox(p, Box::Amount, "10");
  SetCell(p, 2, Cell::Name, "Fav");  // a name without odds is a runner to be refused
  SetCell(p, 0, Cell::Name, " ");
  SetSaver(p, 2, true);
  SetCell(p, 9, Cell::Odds, "4");  // past the grid: nothing
  const auto r = RequestOf(p);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->runners, (std::vector<RunnerInput>{{"", "3", false}, {"Fav", "", true}}));
  EXPECT_EQ(r->amount, "10");
}

TEST(Planner, PastedRunnersReplaceEmptyRowsOnly) {
  Planner p;
  EXPECT_EQ(PasteRunners(p, "Fav\t2.2\r\n\n5.5\n"), 2u);
  EXPECT_EQ(p.rows, (std::vector<PlannerRow>{{"Fav", "2.2"}, {"", "5.5"}}));
  AddRow(p);
  EXPECT_EQ(PasteRunners(p, "Outsider\t13"), 1u);
  EXPECT_EQ(p.rows.size(), 3u);
  EXPECT_EQ(PasteRunners(p, " \n"), 0u);
  RemoveRow(p, 0);
  EXPECT_EQ(p.rows.front().odds, "5.5");
}

TEST(Planner, TheViewPutsEachRunnersFiguresOnItsRow) {
  Planner p;
  SetSide(p, Side::Back);
  SetBox(p, Box::Step, "1");
  SetBox(p, Box::Amount, "25");
  SetCell(p, 0, Cell::Odds, "2.2");
  SetCell(p, 2, Cell::Odds, "5.5");  // row 1 stays empty
  AddRow(p);
  SetCell(p, 3, Cell::Odds, "1.5");
  SetCell(p, 3, Cell::Name, "Fav");
  const auto plan = MakePlan(*RequestOf(p));
  ASSERT_TRUE(plan) << plan.error();
  const PlannerView v = ViewOf(p, *plan);
  EXPECT_EQ(v.rows[0].stake, "9.00");
  EXPECT_EQ(v.rows[1], RowResult{});
  EXPECT_EQ(v.rows[3].stake, "12.00");
  EXPECT_TRUE(v.rows[2].loss);  // a book over 100%: every runner loses
  EXPECT_EQ(v.rows[3].profit, "-7.00");
  EXPECT_EQ(v.largest_profit, 700);
  EXPECT_EQ(v.stakes_text, "Runner 1\t9.00\nRunner 2\t4.00\nFav\t12.00\n");
  EXPECT_EQ(v.summary.rfind("Book 130.30%. Total stake 25.00.", 0), 0u) << v.summary;
  EXPECT_EQ(ViewWithout(p, "why").rows.size(), 4u);
}

TEST(PlannerSettings, AreKeptInTheirOwnFile) {
  TempFolder dir;
  ScriptedUi ui;
  const LoadedPlannerSettings first = LoadPlannerSettings(dir.str(), ui);  // none yet: quietly
  EXPECT_TRUE(first.may_save);
  EXPECT_EQ(first.settings, PlannerSettings{});
  const PlannerSettings lay{Side::Lay, Mode::Liability, "1", "2", "5"};
  SavePlannerSettings(dir.str(), lay, true, ui);
  EXPECT_EQ(dir.Read("planner.txt"),
            "side=lay\nmode=liability\nstep=1\nmin_stake=2\ncommission=5\n");
  EXPECT_EQ(LoadPlannerSettings(dir.str(), ui).settings, lay);
  EXPECT_FALSE(std::filesystem::exists(dir / "config.txt"));
  // Damaged or from another version: what is known is taken.
  dir.Write("planner.txt", "junk\nstep=0.5\nside=sideways\nmin_stake=" + std::string(40, '9') +
                               "\ncommission=2\r\n");
  EXPECT_EQ(LoadPlannerSettings(dir.str(), ui).settings,
            (PlannerSettings{Side::Back, Mode::Stake, "0.5", "0", "2"}));
  EXPECT_EQ(ui.Texts(), Strings{});
}

TEST(PlannerSettings, AFileThatCannotBeReadIsReportedAndLeftAlone) {
  TempFolder dir;
  std::filesystem::create_directory(dir / "planner.txt");  // no file can be read there
  ScriptedUi ui;
  const LoadedPlannerSettings loaded = LoadPlannerSettings(dir.str(), ui);
  EXPECT_FALSE(loaded.may_save);
  SavePlannerSettings(dir.str(), loaded.settings, loaded.may_save, ui);
  EXPECT_EQ(ui.Texts(), Strings{"75"});
  SavePlannerSettings(dir.str(), loaded.settings, true, ui);  // a save that fails says so
  EXPECT_EQ(ui.Texts(), (Strings{"75", "75"}));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "planner.txt"));
  EXPECT_FALSE(LoadPlannerSettings("", ui).may_save);  // no folder: no file, nothing to say
  EXPECT_EQ(ui.Texts().size(), 2u);
}

}  // namespace
}  // namespace stakora::plan
