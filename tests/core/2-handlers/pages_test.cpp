#include <gtest/gtest.h>

#include "about.h"
#include "addresses.h"
#include "app_identity.h"
#include "commands.h"
#include "support/scripted_ui.h"

namespace stakora {
namespace {

using testing::ScriptedUi;
using Strings = std::vector<std::string>;

// The pages open in the program's own browser window, the maker's site in
// the user's browser.
TEST(Pages, AddressIsThePlainConcatenation) {
  struct Case {
    const char* folder;
    void (*command)(Form1&, Ui&);
    const char* address;
    bool own_window = true;
  };
  for (const Case& c : {Case{"/opt/my bets/", &Help_Click, "file:///opt/my bets//help.htm"},
                        Case{"/o", &Label9_Click, "file:///o/help.htm"},
                        Case{"/o", &Updates_Click, "file:///o/update.txt"},
                        Case{"/o", &EachWayChecke_Click, "file:///o/eachway-odds-checker.htm"},
                        Case{"/o", &Label7_Click, kMakerHomePage, false}}) {
    Form1 f = MakeForm1({'.', c.folder});
    ScriptedUi ui(&f);
    c.command(f, ui);
    EXPECT_EQ(c.own_window ? ui.browser_urls : ui.opened, Strings{c.address});
    EXPECT_TRUE((c.own_window ? ui.opened : ui.browser_urls).empty());
    EXPECT_TRUE(ui.shown.empty());
  }
}

TEST(Pages, RegisterAsksFirst) {
  Form1 f = MakeForm1();
  ScriptedUi ui(&f);
  ui.answers = {false, true};
  Register_Click(f, ui);
  EXPECT_TRUE(ui.browser_urls.empty());
  Register_Click(f, ui);
  EXPECT_EQ(ui.Texts(), Strings(2, kMsgRegisterQuestion));
  EXPECT_EQ(ui.browser_urls, Strings{"http://signup.stakora.example/get-response-signup.htm/"});
}

TEST(About, TextsComeFromTheApplicationIdentity) {
  const AboutTexts t = frmAbout_Form_Load();
  EXPECT_EQ(t.caption, "About Stakora");
  EXPECT_EQ(t.version, std::string("Version ") + kVersionText);
  EXPECT_TRUE(t.disclaimer.starts_with(
      "This program is provided as is without any guarantees or \r\nwarranty. \r\n"));
  EXPECT_TRUE(t.disclaimer.ends_with("agree with this statement\r\n"));
}

}  // namespace
}  // namespace stakora
