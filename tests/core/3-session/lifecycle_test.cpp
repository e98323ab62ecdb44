#include "lifecycle.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "settings.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace stakora {
namespace {

using testing::ScriptedUi;
using testing::TempFolder;
using Strings = std::vector<std::string>;

// The first start's report is settings_test's; the window keeps its layout.
TEST(FormLoad, FirstStartShowsTheLayoutValues) {
  TempFolder dir;
  Form1 f = MakeForm1({'.', dir.str()});
  ScriptedUi ui(&f);
  Form_Load(f, ui);
  EXPECT_EQ(f.height, 4700);
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(f.rows[i].txt_odds.visible, i == 0);
}

TEST(Closing, NoKeepsEverything) {
  TempFolder dir;
  Form1 f = MakeForm1({'.', dir.str()});
  const Form1 before = f;
  ScriptedUi ui;
  ui.answers = {false};
  EXPECT_EQ(cmd_close_Click(f, ui), CloseOutcome::KeepOpen);
  EXPECT_EQ(ui.Texts(), Strings{kMsgExitQuestion});
  EXPECT_TRUE(f == before);
  EXPECT_FALSE(std::filesystem::exists(dir / "config.txt"));
}

TEST(Closing, YesSavesAndEndsEvenWhenSavingFails) {
  TempFolder dir;
  Form1 f = MakeForm1({'.', dir.str()});
  f.Combo1.text = "4";
  ScriptedUi ui;
  ui.answers = {true, true};
  EXPECT_EQ(Exit_Click(f, ui), CloseOutcome::EndProgram);
  EXPECT_EQ(dir.Read("config.txt"), SettingsText(f));
  f.platform.program_folder += "/gone";
  EXPECT_EQ(cmd_close_Click(f, ui), CloseOutcome::EndProgram);
  EXPECT_EQ(ui.Texts(), (Strings{kMsgExitQuestion, kMsgExitQuestion, "76"}));
}

}  // namespace
}  // namespace stakora
