#include "mainwindow/settings.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "mainwindow/lifecycle.h"
#include "mainwindow/options.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace stakora {
namespace {

using testing::ScriptedUi;
using testing::TempFolder;

const char* const kDefaults = "true\r\nfalse\r\nfalse\r\ntrue\r\nfalse\r\n1\r\n50.00\r\n";

struct Loaded {
  Form1 form;
  std::vector<std::string> reports;
};

// A fresh window started in the folder, as the program starts.
Loaded Start(const std::string& folder) {
  Loaded l{MakeForm1({'.', folder}), {}};
  ScriptedUi ui(&l.form);
  Form_Load(l.form, ui);
  l.reports = ui.Texts();
  return l;
}

// The window after the steps of start-up that come before the settings.
Form1 BeforeSettings(const std::string& folder) {
  Form1 f = MakeForm1({'.', folder});
  ResizeMainWindow(f, 4700);
  for (std::size_t i = 1; i < 5; ++i) HideRow(f.rows[i]);
  return f;
}

int VisibleRows(const Form1& f) {
  int n = 0;
  for (const auto& r : f.rows) n += r.txt_odds.visible;
  return n;
}

TEST(Settings, SavesTheLayoutValuesAsSevenCrLfLines) {
  TempFolder dir;
  Form1 f = MakeForm1({'.', dir.str()});
  ScriptedUi ui;
  SaveSettings(f, ui);
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_EQ(dir.Read("config.txt"), kDefaults);
  EXPECT_FALSE(std::filesystem::exists(dir / "config.txt.new"));
}

struct RoundTrip {
  OptionId mode, notation;
  const char* count;
  const char* amount;
  const char* amount_back;
};
class SettingsRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(SettingsRoundTrip, RestoresEveryChoice) {
  const RoundTrip& c = GetParam();
  TempFolder dir;
  Form1 f = MakeForm1({'.', dir.str()});
  SelectOption(f, c.mode);
  SelectOption(f, c.notation);
  f.Combo1.text = c.count;
  f.Total_stake.text = c.amount;
  ScriptedUi ui;
  SaveSettings(f, ui);

  const Loaded l = Start(dir.str());
  EXPECT_TRUE(l.reports.empty()) << ::testing::PrintToString(l.reports);
  for (OptionId id : {OptionId::Option1_0, OptionId::Option1_1, OptionId::Option2,
                      OptionId::Option3, OptionId::Option4}) {
    Form1 copy = l.form;
    EXPECT_EQ(OptionControl(copy, id).selected, OptionControl(f, id).selected);
  }
  EXPECT_EQ(l.form.Label2.text, f.Label2.text);
  EXPECT_EQ(l.form.rows[0].txt_odds.text, f.rows[0].txt_odds.text);
  EXPECT_EQ(l.form.Combo1.text, c.count);
  EXPECT_EQ(l.form.Total_stake.text, c.amount_back);
  EXPECT_EQ(VisibleRows(l.form), std::stoi(c.count));
}
INSTANTIATE_TEST_SUITE_P(
    Choices, SettingsRoundTrip,
    ::testing::Values(RoundTrip{OptionId::Option1_0, OptionId::Option3, "1", "50.00", "50"},
                      RoundTrip{OptionId::Option1_1, OptionId::Option2, "2", "12.50", "12.5"},
                      RoundTrip{OptionId::Option1_0, OptionId::Option4, "3", "-7.25", "-7.25"},
                      RoundTrip{OptionId::Option1_1, OptionId::Option3, "4", "1e3", "1000"},
                      RoundTrip{OptionId::Option1_0, OptionId::Option2, "5", "0.1", "0.1"}));

struct LoadCase {
  const char* name;
  std::string file;
  int error;  // 0: loads cleanly
};
class SettingsLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(SettingsLoad, ReportsTheErrorNumber) {
  TempFolder dir;
  dir.Write("config.txt", GetParam().file);
  const Loaded l = Start(dir.str());
  EXPECT_EQ(l.reports, GetParam().error ? std::vector<std::string>{std::to_string(GetParam().error)}
                                        : std::vector<std::string>{});
}
INSTANTIATE_TEST_SUITE_P(
    Files, SettingsLoad,
    ::testing::Values(
        LoadCase{"Defaults", kDefaults, 0},
        LoadCase{"AnyCase", "TRUE\r\nFalse\r\nfalse\r\ntRuE\r\nFALSE\r\n1\r\n5\r\n", 0},
        LoadCase{"Numbers", "1\r\n0\r\n0\r\n-2\r\n0\r\n1\r\n5\r\n", 0},
        LoadCase{"LfOnly", "true\nfalse\nfalse\ntrue\nfalse\n1\n5", 0},
        LoadCase{"CommasOnOneLine", "true,false,false,true,false,2,5\r\n", 0},
        LoadCase{"Yes", "true\r\nfalse\r\nyes\r\ntrue\r\nfalse\r\n1\r\n5\r\n", 13},
        LoadCase{"SixLines", "true\r\nfalse\r\nfalse\r\ntrue\r\nfalse\r\n1\r\n", 62},
        LoadCase{"Empty", "", 62},
        LoadCase{"TrailingComma", "true\r\nfalse\r\nfalse\r\ntrue\r\nfalse\r\n1,", 62},
        LoadCase{"CountNotANumber", "true\r\nfalse\r\nfalse\r\ntrue\r\nfalse\r\nabc\r\n5\r\n", 13},
        LoadCase{"CountBeyond16Bits", "true\r\nfalse\r\nfalse\r\ntrue\r\nfalse\r\n99999\r\n5\r\n",
                 6},
        LoadCase{"CountInfinite", "true\r\nfalse\r\nfalse\r\ntrue\r\nfalse\r\n1e999\r\n5\r\n", 6},
        LoadCase{"AmountOverflows", "true\r\nfalse\r\nfalse\r\ntrue\r\nfalse\r\n1\r\n1e307\r\n", 6},
        LoadCase{"UnclosedQuote", std::string("\0\xff\x01,\"\r\n\n\n\n\n\n\n", 13), 62}),
    [](const ::testing::TestParamInfo<LoadCase>& p) { return std::string(p.param.name); });

TEST(Settings, SixLinesChangeNothing) {
  TempFolder dir;
  dir.Write("config.txt", "false\r\ntrue\r\ntrue\r\nfalse\r\nfalse\r\n3\r\n");
  EXPECT_TRUE(Start(dir.str()).form == BeforeSettings(dir.str()));
}

TEST(Settings, BadAmountKeepsWhatWasAppliedBefore) {
  TempFolder dir;
  dir.Write("config.txt", "false\r\ntrue\r\ntrue\r\nfalse\r\nfalse\r\n3\r\n\r\n");
  const Loaded l = Start(dir.str());
  EXPECT_EQ(l.reports, std::vector<std::string>{"13"});
  EXPECT_TRUE(l.form.Option1[1].selected);
  EXPECT_FALSE(l.form.Option1[0].selected);
  EXPECT_TRUE(l.form.Option2.selected);
  EXPECT_FALSE(l.form.Option3.selected);
  EXPECT_EQ(l.form.Label2.text, "How much do wish to Win?");
  EXPECT_EQ(l.form.rows[0].txt_odds.text, "2");
  EXPECT_EQ(l.form.Combo1.text, "3");
  EXPECT_EQ(l.form.Total_stake.text, "50.00");
  EXPECT_EQ(VisibleRows(l.form), 1);
  EXPECT_EQ(l.form.height, 4700);
}

TEST(Settings, YesStopsAfterTheLinesBeforeIt) {
  TempFolder dir;
  dir.Write("config.txt", "false\r\ntrue\r\nyes\r\ntrue\r\nfalse\r\n3\r\n5\r\n");
  const Loaded l = Start(dir.str());
  EXPECT_TRUE(l.form.Option1[1].selected);
  EXPECT_TRUE(l.form.Option3.selected);
  EXPECT_EQ(l.form.Combo1.text, "1");
}

TEST(Settings, CountOfSevenShowsFiveRowsThenReports340) {
  TempFolder dir;
  dir.Write("config.txt", "true\r\nfalse\r\nfalse\r\ntrue\r\nfalse\r\n7\r\n50.00\r\n");
  const Loaded l = Start(dir.str());
  EXPECT_EQ(l.reports, std::vector<std::string>{"340"});
  EXPECT_EQ(VisibleRows(l.form), 5);
  EXPECT_EQ(l.form.height, 6150);
  EXPECT_EQ(l.form.Total_stake.text, "50");
}

struct FieldCase {
  const char* line6;
  const char* line7;
  const char* combo;
  const char* amount;
  int rows;
};
class SettingsFields : public ::testing::TestWithParam<FieldCase> {};

TEST_P(SettingsFields, ReadAsFieldsNotLines) {
  const FieldCase& c = GetParam();
  TempFolder dir;
  dir.Write("config.txt", std::string("true\r\nfalse\r\nfalse\r\ntrue\r\nfalse\r\n") + c.line6 +
                              "\r\n" + c.line7 + "\r\n");
  const Loaded l = Start(dir.str());
  EXPECT_TRUE(l.reports.empty()) << ::testing::PrintToString(l.reports);
  EXPECT_EQ(l.form.Combo1.text, c.combo);
  EXPECT_EQ(l.form.Total_stake.text, c.amount);
  EXPECT_EQ(VisibleRows(l.form), c.rows);
}
INSTANTIATE_TEST_SUITE_P(Lines, SettingsFields,
                         ::testing::Values(FieldCase{"03", "1,000.00", "3", "1", 3},
                                           FieldCase{"2.50", "12.50", "2.5", "12.5", 2},
                                           FieldCase{"   4", "  7", "4", "7", 4},
                                           FieldCase{"\"03\"", "\"2.5\"", "03", "2.5", 3},
                                           FieldCase{"3.5", "0.125", "3.5", "0.125", 4}));

TEST(Settings, QuotedCountTextThatIsNoNumberReports13) {
  TempFolder dir;
  dir.Write("config.txt", "true\r\nfalse\r\nfalse\r\ntrue\r\nfalse\r\n\"2,x\"\r\n5\r\n");
  const Loaded l = Start(dir.str());
  EXPECT_EQ(l.reports, std::vector<std::string>{"13"});
  EXPECT_EQ(l.form.Combo1.text, "2,x");
  EXPECT_EQ(l.form.Total_stake.text, "5");
}

TEST(Settings, MissingFileAndMissingFolder) {
  TempFolder dir;
  EXPECT_EQ(Start(dir.str()).reports, std::vector<std::string>{"53"});
  EXPECT_EQ(Start(dir.str() + "/nowhere").reports, std::vector<std::string>{"76"});

  Form1 f = MakeForm1({'.', dir.str() + "/nowhere"});
  ScriptedUi ui;
  SaveSettings(f, ui);
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"76"});
}

TEST(Settings, AFolderNamedConfigTxtCannotBeUsed) {
  TempFolder dir;
  std::filesystem::create_directory(dir / "config.txt");
  EXPECT_EQ(Start(dir.str()).reports, std::vector<std::string>{"75"});
  Form1 f = MakeForm1({'.', dir.str()});
  ScriptedUi ui;
  SaveSettings(f, ui);
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"75"});
}

TEST(Settings, PathIsTheFolderTextPlusSlashConfigTxt) {
  EXPECT_EQ(SettingsPath(MakeForm1({'.', "/opt/my bets/"})), "/opt/my bets//config.txt");
  TempFolder dir;
  Form1 f = MakeForm1({'.', dir.str() + "/"});
  ScriptedUi ui;
  SaveSettings(f, ui);
  EXPECT_EQ(dir.Read("config.txt"), kDefaults);
}

// Writing stops part way, as on a full disk: the old file stays whole.
TEST(Settings, FullDiskKeepsThePreviousFile) {
  TempFolder dir;
  const std::string previous = "false\r\ntrue\r\nfalse\r\nfalse\r\ntrue\r\n4\r\n20\r\n";
  dir.Write("config.txt", previous);
  Form1 f = MakeForm1({'.', dir.str()});
  f.Total_stake.text = std::string(200, '9');

  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 16;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  ScriptedUi ui;
  SaveSettings(f, ui);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, old_handler);

  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"61"});
  EXPECT_EQ(dir.Read("config.txt"), previous);
  EXPECT_FALSE(std::filesystem::exists(dir / "config.txt.new"));
}

}  // namespace
}  // namespace stakora
