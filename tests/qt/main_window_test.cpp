#include "qt/main_window.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

#include "qt/about_dialog.h"
#include "qt/twips.h"
#include "scripted_boxes.h"
#include "support/temp_folder.h"

namespace stakora::qt {
namespace {

using stakora::testing::TempFolder;
using testing::RecordingPages;
using testing::ScriptedBoxes;

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() : window({'.', dir.str()}, boxes, pages) {
    window.Load();
    window.show();
    boxes.shown.clear();  // the first start's report 53
  }

  Form1Widgets& w() { return window.widgets(); }

  void Type(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
  }
  void ChooseHorses(int n) {
    w().Combo1->setCurrentIndex(n - 1);
    emit w().Combo1->activated(n - 1);  // as a choice from the list
  }
  QStringList Column(QLineEdit* RowWidgets::*box, int n) {
    QStringList out;
    for (int i = 0; i < n; ++i) out << (w().rows[static_cast<std::size_t>(i)].*box)->text();
    return out;
  }

  TempFolder dir;
  ScriptedBoxes boxes;
  RecordingPages pages;
  MainWindow window;
};

TEST(MainWindowStart, FirstStartReports53BeforeTheWindowShows) {
  TempFolder dir;
  ScriptedBoxes boxes;
  RecordingPages pages;
  MainWindow window({'.', dir.str()}, boxes, pages);
  bool visible_at_report = true;
  boxes.on_show = [&] { visible_at_report = window.isVisible(); };
  window.Load();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].first, "error");
  EXPECT_EQ(boxes.shown[0].second, "53");
  EXPECT_FALSE(visible_at_report);
  EXPECT_EQ(window.widgets().cmd_calculate2->y(), Px(3150));
  EXPECT_EQ(window.widgets().Label7->y(), Px(3700));
  EXPECT_EQ(window.widgets().Total_stake->text(), "50.00");
  EXPECT_TRUE(window.widgets().Option3->isChecked());
  EXPECT_FALSE(window.widgets().rows[1].txt_odds->isVisibleTo(&window));
}

TEST_F(MainWindowTest, TypedOddsAndAmountGiveTheWorkedExample) {
  QTest::mouseClick(w().Option2, Qt::LeftButton);
  EXPECT_TRUE(w().Option2->isChecked());
  EXPECT_FALSE(w().Option3->isChecked());
  ChooseHorses(2);
  Type(w().Total_stake, "50");
  Type(w().rows[0].txt_odds, "3.0");
  Type(w().rows[1].txt_odds, "4.0");
  QTest::mouseClick(w().cmd_calculate2, Qt::LeftButton);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(Column(&RowWidgets::W_Stake, 2), QStringList({"28.57", "21.43"}));
  EXPECT_EQ(Column(&RowWidgets::profit_figure, 2), QStringList({"35.71", "35.72"}));
  EXPECT_EQ(Column(&RowWidgets::Winnings, 2), QStringList({"57.14", "64.29"}));
}

TEST_F(MainWindowTest, LossWarningShowsItsRowAlreadyRed) {
  QTest::mouseClick(w().Option2, Qt::LeftButton);
  ChooseHorses(3);
  for (int i = 0; i < 3; ++i) Type(w().rows[static_cast<std::size_t>(i)].txt_odds, "2.0");
  std::vector<std::pair<QString, QColor>> seen;
  boxes.on_show = [&] {
    const auto* box = w().rows[seen.size()].profit_figure;
    seen.emplace_back(box->text(), box->palette().color(QPalette::Text));
  };
  QTest::mouseClick(w().cmd_calculate2, Qt::LeftButton);
  ASSERT_EQ(boxes.Texts(), std::vector<std::string>(3, "You will loose money on this bet"));
  for (const auto& [text, colour] : seen) {
    EXPECT_EQ(text, "16.67");
    EXPECT_EQ(colour, QColor(255, 0, 0));
  }
  EXPECT_EQ(Column(&RowWidgets::profit_figure, 3), QStringList({"-16.67", "-16.67", "-16.67"}));
  EXPECT_EQ(w().rows[2].profit_figure->palette().color(QPalette::Text), QColor(255, 0, 0));
}

TEST_F(MainWindowTest, RefusalMovesTheFocus) {
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  Type(w().Total_stake, "abc");
  QTest::mouseClick(w().cmd_calculate2, Qt::LeftButton);
  EXPECT_EQ(boxes.Texts(),
            std::vector<std::string>{"Please only enter numbers in the stke field!"});
  EXPECT_TRUE(w().Total_stake->hasFocus());
}

TEST_F(MainWindowTest, HorseCountSizesTheWindowAndMovesTheBottomControls) {
  ChooseHorses(5);
  const int frame = window.frameGeometry().height() - window.geometry().height();
  EXPECT_EQ(window.height() + (frame > 0 ? frame : 31), Px(6150));
  EXPECT_EQ(w().cmd_close->y(), Px(4600));
  EXPECT_EQ(w().Label7->y(), Px(5150));
  EXPECT_TRUE(w().rows[4].txt_odds->isVisible());
  EXPECT_LT(w().rows[4].txt_odds->geometry().bottom(), w().Line2->y());
}

TEST_F(MainWindowTest, CloseAsksAndYesSavesAndEnds) {
  QSignalSpy ended(&window, &MainWindow::programEnded);
  ChooseHorses(3);
  Type(w().Total_stake, "75");
  boxes.answers = {false, true};
  for (QAction* a : window.menuBar()->actions())
    if (a->text() == "Exit") a->trigger();
  EXPECT_FALSE(window.ended());
  EXPECT_FALSE(std::filesystem::exists(dir / "config.txt"));
  QTest::mouseClick(w().cmd_close, Qt::LeftButton);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>(2, "Are you sure you want to exit?"));
  EXPECT_TRUE(window.ended());
  EXPECT_EQ(ended.count(), 1);
  EXPECT_EQ(pages.closed, 1);
  EXPECT_EQ(dir.Read("config.txt"), "true\r\nfalse\r\nfalse\r\ntrue\r\nfalse\r\n3\r\n75\r\n");
}

TEST_F(MainWindowTest, TitleBarCloseEndsAtOnceUnsaved) {
  window.close();
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(window.ended());
  EXPECT_EQ(pages.closed, 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "config.txt"));
}

TEST_F(MainWindowTest, MenuAndLabelsShowPages) {
  QStringList captions;
  for (QAction* a : window.menuBar()->actions()) captions << a->text();
  EXPECT_EQ(captions, QStringList({"Help", "Register", "Updates", "Tools", "Exit"}));
  window.menuBar()->actions()[0]->trigger();
  QTest::mouseClick(w().Label9, Qt::LeftButton);
  QTest::keyClick(w().Label7, Qt::Key_Space);
  const QString help = QString::fromStdString("file://" + dir.str() + "/help.htm");
  EXPECT_EQ(pages.browser, std::vector<QString>({help, help}));
  EXPECT_EQ(pages.external, std::vector<QString>{"http://www.stakora.example"});
  EXPECT_EQ(w().Label7->text(), "http://www.stakora.example");
}

TEST_F(MainWindowTest, ControlsSpeakTheirNamesAndFollowTheTabOrder) {
  EXPECT_EQ(w().Total_stake->accessibleName(), "Amount");
  EXPECT_EQ(w().rows[1].txt_odds->accessibleName(), "Horse 2 Odds");
  EXPECT_EQ(w().rows[1].txt_odds->toolTip(), "Horse2 Odds");
  EXPECT_EQ(w().rows[3].profit_figure->accessibleName(), "Horse 4 Profit");
  EXPECT_TRUE(w().rows[0].W_Stake->isReadOnly());
  QList<QWidget*> chain;
  for (QWidget* x = w().Combo1; chain.size() < 4; x = x->nextInFocusChain())
    if (x->focusPolicy() & Qt::TabFocus && x->isVisibleTo(&window) &&
        (x == w().Combo1 || !w().Combo1->isAncestorOf(x)))
      chain << x;
  EXPECT_EQ(chain, QList<QWidget*>(
                       {w().Combo1, w().Total_stake, w().rows[0].txt_odds, w().rows[0].W_Stake}));
}

TEST(AboutBox, AgreeOrEscapeAcceptAndTheCloseButtonDeclines) {
  QPointer<AboutDialog> about = new AboutDialog;
  EXPECT_EQ(about->windowTitle(), "About Stakora");
  EXPECT_EQ(about->version()->text(), "Version 1.0.2");
  EXPECT_TRUE(about->disclaimer()->toPlainText().startsWith(
      "This program is provided as is without any guarantees or \nwarranty. \n"));
  QSignalSpy accepted(about.data(), &QDialog::accepted);
  about->show();
  QTest::mouseClick(about->agree(), Qt::LeftButton);
  EXPECT_EQ(accepted.count(), 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(about.isNull());  // gone once closed, not lingering hidden

  about = new AboutDialog;
  QSignalSpy rejected(about.data(), &QDialog::rejected);
  about->show();
  QTest::keyClick(about, Qt::Key_Escape);
  EXPECT_EQ(rejected.count(), 0);
  about = new AboutDialog;
  QSignalSpy closed(about.data(), &QDialog::rejected);
  about->show();
  about->close();
  EXPECT_EQ(closed.count(), 1);
}

}  // namespace
}  // namespace stakora::qt
