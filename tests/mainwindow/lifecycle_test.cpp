#include "mainwindow/lifecycle.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "mainwindow/settings.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace stakora {
namespace {

using testing::ScriptedUi;
using testing::TempFolder;

TEST(FormLoad, FirstStartReports53ThenShowsTheLayoutValues) {
  TempFolder dir;
  Form1 f = MakeForm1({'.', dir.str()});
  ScriptedUi ui(&f);
  Form_Load(f, ui);
  ASSERT_EQ(ui.Texts(), std::vector<std::string>{"53"});
  EXPECT_EQ(ui.shown[0].kind, ScriptedUi::Kind::ErrorNumber);
  EXPECT_EQ(f.height, 4700);
  EXPECT_EQ(f.cmd_calculate2.place.top, 3150);
  EXPECT_EQ(f.cmd_close.place.top, 3150);
  EXPECT_EQ(f.Label7.place.top, 3700);
  EXPECT_EQ(f.Line2.y1, 3050);
  EXPECT_TRUE(f.rows[0].Label3.visible);
  for (std::size_t i = 1; i < 5; ++i) EXPECT_FALSE(f.rows[i].txt_odds.visible);
  EXPECT_EQ(f.Combo1.text, "1");
  EXPECT_EQ(f.Total_stake.text, "50.00");
  EXPECT_TRUE(f.Option1[0].selected);
  EXPECT_TRUE(f.Option3.selected);
  EXPECT_EQ(f.rows[0].txt_odds.text, "1/1");
}

class Closing : public ::testing::TestWithParam<CloseOutcome (*)(Form1&, Ui&)> {};

TEST_P(Closing, NoKeepsEverything) {
  TempFolder dir;
  Form1 f = MakeForm1({'.', dir.str()});
  f.rows[0].W_Stake.text = "12";
  const Form1 before = f;
  ScriptedUi ui;
  ui.answers = {false};
  EXPECT_EQ(GetParam()(f, ui), CloseOutcome::KeepOpen);
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Are you sure you want to exit?"});
  EXPECT_TRUE(f == before);
  EXPECT_FALSE(std::filesystem::exists(dir / "config.txt"));
}

TEST_P(Closing, YesSavesAndEnds) {
  TempFolder dir;
  Form1 f = MakeForm1({'.', dir.str()});
  f.Combo1.text = "4";
  ScriptedUi ui;
  ui.answers = {true};
  EXPECT_EQ(GetParam()(f, ui), CloseOutcome::EndProgram);
  EXPECT_EQ(dir.Read("config.txt"), SettingsText(f));
}

TEST_P(Closing, YesEndsEvenWhenSavingFails) {
  TempFolder dir;
  Form1 f = MakeForm1({'.', dir.str() + "/gone"});
  ScriptedUi ui;
  ui.answers = {true};
  EXPECT_EQ(GetParam()(f, ui), CloseOutcome::EndProgram);
  EXPECT_EQ(ui.Texts(), (std::vector<std::string>{"Are you sure you want to exit?", "76"}));
}

INSTANTIATE_TEST_SUITE_P(CloseAndExit, Closing, ::testing::Values(&cmd_close_Click, &Exit_Click));

TEST(Closing, QueryUnloadEndsAtOnceWithoutSaving) {
  TempFolder dir;
  Form1 f = MakeForm1({'.', dir.str()});
  EXPECT_EQ(Form_QueryUnload(f), CloseOutcome::EndProgram);
  EXPECT_FALSE(std::filesystem::exists(dir / "config.txt"));
}

}  // namespace
}  // namespace stakora
