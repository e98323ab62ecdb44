#include "pages/commands.h"

#include <gtest/gtest.h>

#include "pages/about.h"
#include "pages/addresses.h"
#include "support/scripted_ui.h"

namespace stakora {
namespace {

using testing::ScriptedUi;

struct AddressCase {
  const char* folder;
  void (*command)(Form1&, Ui&);
  const char* address;
};
class PageAddress : public ::testing::TestWithParam<AddressCase> {};

TEST_P(PageAddress, IsThePlainConcatenation) {
  Form1 f = MakeForm1({'.', GetParam().folder});
  ScriptedUi ui(&f);
  GetParam().command(f, ui);
  EXPECT_EQ(f.thisURL, GetParam().address);
  EXPECT_EQ(ui.browser_urls, std::vector<std::string>{GetParam().address});
  EXPECT_TRUE(ui.shown.empty());
}
INSTANTIATE_TEST_SUITE_P(
    Commands, PageAddress,
    ::testing::Values(AddressCase{"/opt/stakora", &Help_Click, "file:///opt/stakora/help.htm"},
                      AddressCase{"/opt/stakora", &Label9_Click, "file:///opt/stakora/help.htm"},
                      AddressCase{"/home/al/My Bets", &Updates_Click,
                                  "file:///home/al/My Bets/update.txt"},
                      AddressCase{"/", &EachWayChecke_Click, "file:////eachway-odds-checker.htm"},
                      AddressCase{"C:\\Tools\\Bet", &Help_Click, "file://C:\\Tools\\Bet/help.htm"},
                      AddressCase{"/srv/x/", &Help_Click, "file:///srv/x//help.htm"}));

TEST(Register, NoDoesNothing) {
  Form1 f = MakeForm1();
  f.thisURL = "file:///before";
  ScriptedUi ui(&f);
  ui.answers = {false};
  Register_Click(f, ui);
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{kMsgRegisterQuestion});
  EXPECT_EQ(f.thisURL, "file:///before");
  EXPECT_TRUE(ui.browser_urls.empty());
  Help_Click(f, ui);
  EXPECT_EQ(ui.browser_urls.size(), 1u);
}

TEST(Register, YesShowsTheSignUpPage) {
  Form1 f = MakeForm1();
  ScriptedUi ui(&f);
  ui.answers = {true};
  Register_Click(f, ui);
  EXPECT_EQ(f.thisURL, "http://signup.stakora.example/get-response-signup.htm/");
  EXPECT_EQ(ui.browser_urls, std::vector<std::string>{f.thisURL});
}

TEST(Label7, OpensTheMakersSiteWhichItShows) {
  Form1 f = MakeForm1();
  ScriptedUi ui(&f);
  Label7_Click(f, ui);
  EXPECT_EQ(ui.opened, std::vector<std::string>{kMakerHomePage});
  EXPECT_EQ(f.Label7.text, kMakerHomePage);
  EXPECT_TRUE(f.thisURL.empty());
}

TEST(About, TextsComeFromTheApplicationIdentity) {
  const AboutTexts t = frmAbout_Form_Load();
  EXPECT_EQ(t.caption, "About Stakora");
  EXPECT_EQ(t.title, "Stakora");
  EXPECT_EQ(t.version, "Version 1.0.2");
  EXPECT_TRUE(t.disclaimer.starts_with(
      "This program is provided as is without any guarantees or \r\nwarranty. \r\n"));
  EXPECT_TRUE(t.disclaimer.ends_with(
      "upgrades to the software programs.\r\n"
      "Clicking the OK button means you have read and agree with this statement\r\n"));
  int lines = 0;
  for (std::size_t p = 0; (p = t.disclaimer.find("\r\n", p)) != std::string::npos; p += 2) ++lines;
  EXPECT_EQ(lines, 9);
  EXPECT_NE(t.ownership.find(kMakerHomePage), std::string::npos);
}

}  // namespace
}  // namespace stakora
