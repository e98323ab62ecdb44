// The main window's wiring, once per path: each edit and click reaches its
// handler, each result is drawn, and keyboard and screen-reader users get
// what they expect. The core's rules are tested in the core.

#include "qt/main_window.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QDesktopServices>
#include <QDir>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <filesystem>

#include "about.h"
#include "qt/about_dialog.h"
#include "qt/desktop_pages.h"
#include "qt/external_pages.h"
#include "qt/strings.h"
#include "qt/twips.h"
#include "scripted_boxes.h"
#include "support/temp_folder.h"

namespace stakora::qt {
namespace {

using stakora::testing::TempFolder;
using testing::RecordingPages;
using testing::ScriptedBoxes;
using Texts = std::vector<std::string>;

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() : window({'.', dir.str()}, boxes, pages) {
    boxes.on_show = [this] { shown_while_visible = window.isVisible(); };
    window.Load();
    boxes.on_show = nullptr;
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  Form1Widgets& w() { return window.widgets(); }
  void Type(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClicks(box, text);
  }
  void ChooseHorses(int n) {
    w().Combo1->setCurrentIndex(n - 1);
    emit w().Combo1->activated(n - 1);  // as a choice from the list
  }
  void Menu(const QString& caption) {
    for (QAction* a : window.findChildren<QAction*>())
      if (a->text() == caption) a->trigger();
  }
  QAccessibleInterface* Reader(QObject* o) { return QAccessible::queryAccessibleInterface(o); }

  TempFolder dir;
  ScriptedBoxes boxes;
  RecordingPages pages;
  bool shown_while_visible = true;
  MainWindow window;
};

TEST_F(MainWindowTest, FirstStartReports53BeforeTheWindowShowsThenTakesTyping) {
  EXPECT_EQ(boxes.Texts(), Texts{"53"});
  EXPECT_EQ(boxes.shown[0].first, "error");
  EXPECT_FALSE(shown_while_visible);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);  // the horse count has the focus
  EXPECT_EQ(w().Combo1->currentText(), "1a");
}

TEST_F(MainWindowTest, ClicksAndTypingGiveTheWorkedExampleAndLossesShowRed) {
  QTest::mouseClick(w().Option2, Qt::LeftButton);
  ChooseHorses(2);
  Type(w().Total_stake, "50");
  Type(w().rows[0].txt_odds, "3.0");
  Type(w().rows[1].txt_odds, "4.0");
  QTest::mouseClick(w().cmd_calculate2, Qt::LeftButton);
  EXPECT_EQ(w().rows[1].W_Stake->text(), "21.43");
  EXPECT_EQ(w().rows[1].profit_figure->text(), "35.72");
  EXPECT_EQ(w().rows[1].Winnings->text(), "64.29");
  EXPECT_EQ(boxes.Texts(), Texts{"53"});

  Type(w().rows[1].txt_odds, "1.2");  // the figures shown are stale now, and say so
  const QColor usual = w().rows[0].txt_odds->palette().color(QPalette::Text);
  EXPECT_EQ(Reader(w().rows[0].W_Stake)->text(QAccessible::Description), kResultsOutOfDate);
  EXPECT_NE(w().rows[1].profit_figure->palette().color(QPalette::Text), usual);
  QColor seen;
  boxes.on_show = [&] { seen = w().rows[1].profit_figure->palette().color(QPalette::Text); };
  QTest::mouseClick(w().cmd_calculate2, Qt::LeftButton);
  EXPECT_EQ(boxes.Texts().back(), "You will loose money on this bet");
  EXPECT_EQ(seen, QColor(255, 0, 0));  // the box sees its row already red
  EXPECT_EQ(w().rows[0].W_Stake->palette().color(QPalette::Text), usual);
  EXPECT_EQ(Reader(w().rows[0].W_Stake)->text(QAccessible::Description), "");
}

TEST_F(MainWindowTest, RefusalMovesTheFocusAndHorsesSizeTheWindow) {
  Type(w().Total_stake, "abc");
  QTest::mouseClick(w().cmd_calculate2, Qt::LeftButton);
  EXPECT_EQ(boxes.Texts().back(), "Please only enter numbers in the stke field!");
  EXPECT_TRUE(w().Total_stake->hasFocus());
  ChooseHorses(5);
  const int frame = window.frameGeometry().height() - window.geometry().height();
  EXPECT_EQ(window.height() + (frame > 0 ? frame : 31), Px(window.model().height));
  EXPECT_EQ(w().cmd_close->y(), Px(window.model().cmd_close.place.top));
  EXPECT_TRUE(w().rows[4].txt_odds->isVisible());
}

TEST_F(MainWindowTest, CloseAsksAndYesSavesAndEnds) {
  QSignalSpy ended(&window, &MainWindow::programEnded);
  Type(w().Total_stake, "75");
  boxes.answers = {false, true};
  Menu("Exit");
  EXPECT_FALSE(window.ended());
  QTest::mouseClick(w().cmd_close, Qt::LeftButton);
  EXPECT_EQ(boxes.Texts(), (Texts{"53", kMsgExitQuestion, kMsgExitQuestion}));
  EXPECT_EQ(ended.count(), 1);
  EXPECT_EQ(pages.closed, 1);
  EXPECT_EQ(dir.Read("config.txt"), "true\r\nfalse\r\nfalse\r\ntrue\r\nfalse\r\n1\r\n75\r\n");
}

TEST_F(MainWindowTest, TitleBarCloseEndsAtOnceUnsaved) {
  window.close();
  EXPECT_TRUE(window.ended());
  EXPECT_EQ(pages.closed, 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "config.txt"));
}

TEST_F(MainWindowTest, MenuLinksAndTheirReaderActionsShowPages) {
  QStringList captions;
  for (QAction* a : window.menuBar()->actions()) captions << a->text();
  EXPECT_EQ(captions, QStringList({"Help", "Register", "Updates", "Tools", "Exit"}));
  Menu("Help");
  QTest::mouseClick(w().Label9, Qt::LeftButton);
  QTest::keyClick(w().Label7, Qt::Key_Space);
  Reader(w().Label9)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(pages.browser.size(), 3u);
  EXPECT_EQ(pages.external, std::vector<QString>{"http://www.stakora.example"});
  pages.failure = "The pages cannot be shown";  // no browser module
  Menu("Updates");
  EXPECT_EQ(boxes.shown.back().first, "failure");
  Menu("Stake planner");
  ASSERT_NE(window.planner(), nullptr);
  EXPECT_TRUE(window.planner()->isVisible());
  // Beside the window, or at least clear of its menu bar.
  const QRect bar(window.menuBar()->mapToGlobal(QPoint(0, 0)), window.menuBar()->size());
  EXPECT_FALSE(window.planner()->frameGeometry().intersects(bar))
      << window.planner()->frameGeometry().y() << " " << bar.bottom();
}

TEST_F(MainWindowTest, KeyboardUsersGetRadioGroupsEnterAndTheMenu) {
  EXPECT_EQ(Reader(w().Option3)->role(), QAccessible::RadioButton);
  w().Option3->setFocus();
  QTest::keyClick(w().Option3, Qt::Key_Down);  // Betfair, selected, its handler run
  EXPECT_TRUE(window.model().Option4.selected && !window.model().Option3.selected);
  EXPECT_EQ(window.model().rows[0].txt_odds.text, "2");
  w().Option1[0]->setFocus();
  QTest::keyClick(w().Option1[0], Qt::Key_Tab);  // one stop per group
  EXPECT_NE(QApplication::focusWidget(), w().Option1[1]);
  QTest::keyClick(w().Total_stake, Qt::Key_Return);  // presses Calculate
  EXPECT_EQ(window.model().rows[0].W_Stake.text, "50");
  Type(w().rows[0].txt_odds, "3");
  QTest::keyClick(w().rows[0].txt_odds, Qt::Key_Enter);
  EXPECT_EQ(window.model().rows[0].Winnings.text, "100");

  // F10 and Alt alone light the menu's first item and give it the keys; Esc
  // gives them back.
  QMenuBar* bar = window.menuBar();
  for (Qt::Key key : {Qt::Key_F10, Qt::Key_Alt}) {
    w().Total_stake->setFocus();
    QTest::keyClick(w().Total_stake, key);
    EXPECT_EQ(QApplication::focusWidget(), bar) << key;
    ASSERT_NE(bar->activeAction(), nullptr);
    EXPECT_EQ(bar->activeAction()->text(), "Help");
    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(bar->activeAction()->text(), "Register");
    QTest::keyClick(bar, Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), w().Total_stake);
  }
  QTest::keyClick(w().Total_stake, Qt::Key_F1);
  EXPECT_EQ(pages.browser.size(), 1u);
  QTest::keyClick(w().Total_stake, Qt::Key_P, Qt::ControlModifier);
  ASSERT_NE(window.planner(), nullptr);
  QStringList planner_keys;
  for (QAction* a : window.findChildren<QAction*>())
    if (a->text() == "Stake planner") planner_keys << a->shortcut().toString();
  EXPECT_EQ(planner_keys, QStringList{"Ctrl+P"});
}

TEST_F(MainWindowTest, ScreenReadersHearNamesAndRolesAndLabelsSitTopLeft) {
  EXPECT_EQ(Reader(w().Combo1)->text(QAccessible::Name), "How many horses?");
  EXPECT_EQ(Reader(w().Combo1->lineEdit())->text(QAccessible::Name), "How many horses?");
  EXPECT_EQ(Reader(w().Label7)->role(), QAccessible::Link);
  EXPECT_EQ(Reader(w().Line1)->role(), QAccessible::Separator);
  EXPECT_EQ(w().rows[1].txt_odds->accessibleName(), "Horse 2 Odds");
  const QAccessible::State result = Reader(w().rows[1].Winnings)->state();
  EXPECT_TRUE(result.readOnly && !result.editable);
  EXPECT_EQ(Reader(w().rows[1].Winnings)->textInterface()->text(0, 4), "0.00");
  for (QLabel* label : window.findChildren<QLabel*>())
    EXPECT_EQ(label->alignment(), Qt::AlignLeft | Qt::AlignTop) << label->text().toStdString();
}

// Here, where no test has loaded the module: once loaded it stays.
#ifdef STAKORA_BROWSER_WINDOW
TEST(DesktopPages, AModuleThatCannotBeLoadedSaysWhy) {
  DesktopPages pages("/nowhere/stakora-browser.so");
  const QString why = pages.ShowBrowser("file:///help.htm");
  EXPECT_TRUE(why.startsWith("The pages cannot be shown") && why.contains("/nowhere")) << S(why);
  EXPECT_EQ(pages.browser(), nullptr);
}
#endif

TEST(ExternalPages, AShippedPageOpensAsAFileOfThisSystem) {
  QTextBrowser opened;  // its setSource slot keeps what the desktop was asked to open
  QDesktopServices::setUrlHandler("file", &opened, "setSource");
  // The pages folder as the system writes it: "C:\...\put here" on Windows.
  const QString folder = QDir::tempPath() + "/put here";
  EXPECT_EQ(ExternalPages(/*browser=*/QString())
                .ShowBrowser("file://" + QDir::toNativeSeparators(folder) + "/help.htm"),
            "");
  QDesktopServices::unsetUrlHandler("file");
  EXPECT_EQ(opened.source().toLocalFile(), folder + "/help.htm");
}

TEST(AboutBox, AcceptsAgreeOrEscapeAndIsGoneOnceClosed) {
  QPointer<AboutDialog> about = new AboutDialog;
  EXPECT_EQ(about->version()->text(), QString::fromStdString(frmAbout_Form_Load().version));
  // Lines too wide for the box wrap: nothing to scroll sideways.
  EXPECT_EQ(about->disclaimer()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(about->disclaimer()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_TRUE(about->ownership()->text().contains(QString("w") + QChar(0x2060) + "w"));
  EXPECT_TRUE(about->ownership()->accessibleName().endsWith("http://www.stakora.example"));
  QSignalSpy accepted(about.data(), &QDialog::accepted);
  about->show();
  QTest::keyClick(about, Qt::Key_Escape);
  EXPECT_EQ(accepted.count(), 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(about.isNull());  // not lingering, hidden, for a screen reader
  about = new AboutDialog;
  QSignalSpy rejected(about.data(), &QDialog::rejected);
  about->show();
  about->close();
  EXPECT_EQ(rejected.count(), 1);
}

}  // namespace
}  // namespace stakora::qt
