#include "settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "lifecycle.h"
#include "options.h"
#include "support/settings_run.h"
#include "support/temp_folder.h"

namespace stakora {
namespace {

using namespace stakora::testing;

const std::string kOptions = "true\r\nfalse\r\nfalse\r\ntrue\r\nfalse\r\n";

int VisibleRows(const Form1& f) {
  int n = 0;
  for (const auto& r : f.rows) n += r.txt_odds.visible;
  return n;
}

TEST(Settings, SavesSevenCrLfLinesAndRestoresEveryChoice) {
  TempFolder dir;
  Form1 f = MakeForm1({'.', dir.str() + "/"});  // a trailing separator is kept as it is
  ScriptedUi ui;
  SaveSettings(f, ui);
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_EQ(dir.Read("config.txt"), kDefaults);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.str()), {}), 1);

  SelectOption(f, OptionId::Option1_1);
  SelectOption(f, OptionId::Option2);
  f.Combo1.text = "4";
  f.Total_stake.text = "12.50";
  SaveSettings(f, ui);
  const Loaded l = Start(dir.str());
  EXPECT_TRUE(l.reports.empty());
  EXPECT_TRUE(l.form.Option1[1].selected && l.form.Option2.selected);
  EXPECT_FALSE(l.form.Option1[0].selected || l.form.Option3.selected);
  EXPECT_EQ(l.form.Label2.text, kPromptWin);
  EXPECT_EQ(l.form.rows[0].txt_odds.text, "2");
  EXPECT_EQ(l.form.Total_stake.text, "12.5");
  EXPECT_EQ(VisibleRows(l.form), 4);
}

struct LoadCase {
  const char* name;
  std::string file;
  int report;  // 0: loads cleanly
  const char* combo;
  const char* amount;
  int rows;
};
class SettingsLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(SettingsLoad, AppliesFieldsInOrderUpToTheFailure) {
  const LoadCase& c = GetParam();
  TempFolder dir;
  dir.Write("config.txt", c.file);
  const Loaded l = Start(dir.str());
  EXPECT_EQ(l.reports, c.report ? Strings{std::to_string(c.report)} : Strings{});
  EXPECT_EQ(l.form.Combo1.text, c.combo);
  EXPECT_EQ(l.form.Total_stake.text, c.amount);
  EXPECT_EQ(VisibleRows(l.form), c.rows);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, SettingsLoad, ::testing::Values(
  LoadCase{"AnyCase", "TRUE\r\nFalse\r\nfalse\r\ntRuE\r\nFALSE\r\n2\r\n5\r\n", 0, "2", "5", 2},
  LoadCase{"Numbers", "1\r\n0\r\n0\r\n-2\r\n0\r\n1\r\n5\r\n", 0, "1", "5", 1},
  LoadCase{"FieldsNotLines", "true,false,false,true,false,03\n1,000.00", 0, "3", "1", 3},
  LoadCase{"ShortestForms", kOptions + "2.50\r\n  12.50\r\n", 0, "2.5", "12.5", 2},
  LoadCase{"QuotedKeptAsText", kOptions + "\"03\"\r\n\"2.5\"\r\n", 0, "03", "2.5", 3},
  LoadCase{"QuotedNoNumber", kOptions + "\"2,x\"\r\n5\r\n", 13, "2,x", "5", 1},
  LoadCase{"Yes", "true\r\nfalse\r\nyes\r\ntrue\r\nfalse\r\n3\r\n5\r\n", 13, "1", "50.00", 1},
  LoadCase{"SixLines", kOptions + "3\r\n", 62, "1", "50.00", 1},
  LoadCase{"UnclosedQuote", "\xff\x01,\"\r\n\n\n\n\n\n\n", 62, "1", "50.00", 1},
  LoadCase{"Binary", kOptions + std::string("3\r\n5\0\r\n", 6), 75, "1", "50.00", 1},
  LoadCase{"EmptyAmount", kOptions + "3\r\n\r\n", 13, "3", "50.00", 1},
  LoadCase{"CountBeyond16Bits", kOptions + "99999\r\n5\r\n", 6, "99999", "5", 1},
  LoadCase{"CountInfinite", kOptions + "1e999\r\n5\r\n", 6, "1", "50.00", 1},
  LoadCase{"AmountOverflows", kOptions + "1\r\n1e307\r\n", 6, "1", "50.00", 1},
  LoadCase{"CountOfSeven", kOptions + "7\r\n50.00\r\n", 340, "7", "50", 5}),
  [](const auto& p) { return std::string(p.param.name); });
// clang-format on

TEST(Settings, FailedLoadKeepsTheOptionsAppliedBeforeIt) {
  TempFolder dir;
  dir.Write("config.txt", "false\r\ntrue\r\ntrue\r\nfalse\r\nfalse\r\n3\r\n\r\n");
  const Loaded l = Start(dir.str());
  EXPECT_TRUE(l.form.Option1[1].selected && l.form.Option2.selected);
  EXPECT_FALSE(l.form.Option1[0].selected || l.form.Option3.selected);
  EXPECT_EQ(l.form.rows[0].txt_odds.text, "2");
  EXPECT_EQ(l.form.height, 4700);
}

// Neither mode, a count with a line break in quotes, an amount with three
// decimals: written back as seven lines, each as it was read.
TEST(Settings, WritesSevenLinesWhateverWasRead) {
  TempFolder dir;
  const std::string odd = "false\r\nfalse\r\nfalse\r\ntrue\r\nfalse\r\n";
  dir.Write("config.txt", odd + "\"2\r\n3\"\r\n0.125\r\n");
  Loaded l = Start(dir.str());
  EXPECT_EQ(l.reports, Strings{"13"});
  ScriptedUi ui;
  SaveSettings(l.form, ui);
  EXPECT_EQ(dir.Read("config.txt"), odd + "2  3\r\n0.125\r\n");
}

TEST(Settings, FolderProblemsReportTheirNumbers) {
  TempFolder dir;
  EXPECT_EQ(Start(dir.str()).reports, Strings{"53"});
  EXPECT_EQ(Start(dir.str() + "/nowhere").reports, Strings{"76"});
  EXPECT_EQ(Save(dir.str() + "/nowhere"), Strings{"76"});
  std::filesystem::create_directory(dir / "config.txt");
  EXPECT_EQ(Start(dir.str()).reports, Strings{"75"});
  EXPECT_EQ(Save(dir.str()), Strings{"75"});
}

// Letters outside any one code page, so Windows must keep the path in UTF-16.
TEST(Settings, FolderNamedInAnyScript) {
  TempFolder dir;
  const std::string folder = dir.str() + "/caf\xc3\xa9 \xc5\x8c";  // "café Ō"
  std::filesystem::create_directory(
      std::filesystem::path(std::u8string(folder.begin(), folder.end())));
  EXPECT_EQ(Start(folder).reports, Strings{"53"});
  EXPECT_EQ(Save(folder), Strings{});
  EXPECT_EQ(dir.Read("caf\xc3\xa9 \xc5\x8c/config.txt"), kDefaults);
  EXPECT_EQ(Start(folder).reports, Strings{});
}

}  // namespace
}  // namespace stakora
