// The main window as a keyboard user and a screen-reader user meet it, and
// what the eye sees of its labels and boxes.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

#include "qt/about_dialog.h"
#include "qt/main_window.h"
#include "scripted_boxes.h"
#include "support/temp_folder.h"

namespace stakora::qt {
namespace {

using stakora::testing::TempFolder;
using testing::RecordingPages;
using testing::ScriptedBoxes;

class KeyboardTest : public ::testing::Test {
 protected:
  KeyboardTest() : window({'.', dir.str()}, boxes, pages) {
    window.Load();
    boxes.shown.clear();  // the first start's report 53
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  Form1Widgets& w() { return window.widgets(); }
  QString Name(QObject* o) {
    return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name);
  }
  QAccessible::Role Role(QObject* o) { return QAccessible::queryAccessibleInterface(o)->role(); }

  TempFolder dir;
  ScriptedBoxes boxes;
  RecordingPages pages;
  MainWindow window;
};

TEST_F(KeyboardTest, TypingFirstGoesToTheHorseCount) {
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
  EXPECT_TRUE(w().Combo1->isAncestorOf(QApplication::focusWidget()) ||
              QApplication::focusWidget() == w().Combo1);
  EXPECT_EQ(w().Combo1->currentText(), "1a");
}

TEST_F(KeyboardTest, OptionsAreRadioButtonsThatArrowsSelect) {
  EXPECT_EQ(Role(w().Option3), QAccessible::RadioButton);
  w().Option3->setFocus();
  QTest::keyClick(w().Option3, Qt::Key_Down);  // to Betfair, selecting it
  EXPECT_TRUE(window.model().Option4.selected);
  EXPECT_TRUE(w().Option4->isChecked() && !w().Option3->isChecked());
  EXPECT_EQ(window.model().rows[0].txt_odds.text, "1");  // its handler ran
  // One Tab stop per group: from the mode group straight on past the other mode.
  w().Option1[0]->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), w().Option1[1]);
}

TEST_F(KeyboardTest, EnterPressesTheFocusedButtonOnly) {
  QTest::keyClick(w().Total_stake, Qt::Key_Return);  // no default button
  EXPECT_EQ(window.model().rows[0].W_Stake.text, "0.00");
  w().cmd_calculate2->setFocus();
  QTest::keyClick(w().cmd_calculate2, Qt::Key_Return);
  EXPECT_EQ(window.model().rows[0].W_Stake.text, "50");
}

TEST_F(KeyboardTest, ScreenReadersHearNamesAndRoles) {
  EXPECT_EQ(Name(w().Combo1), "How many horses?");
  EXPECT_EQ(Name(w().Combo1->lineEdit()), "How many horses?");
  for (QWidget* link : {static_cast<QWidget*>(w().Label9), static_cast<QWidget*>(w().Label7)}) {
    EXPECT_EQ(Role(link), QAccessible::Link);
    EXPECT_TRUE(
        QAccessible::queryAccessibleInterface(link)->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
  }
  QAccessible::queryAccessibleInterface(w().Label9)
      ->actionInterface()
      ->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(pages.browser.size(), 1u);
  EXPECT_EQ(Role(w().Line1), QAccessible::Separator);
}

TEST_F(KeyboardTest, LabelsSitTopLeftInTheirBoxes) {
  for (QLabel* label : window.findChildren<QLabel*>())
    EXPECT_EQ(label->alignment(), Qt::AlignLeft | Qt::AlignTop) << label->text().toStdString();
  QPointer<AboutDialog> about = new AboutDialog;
  for (QLabel* label : about->findChildren<QLabel*>())
    if (!label->text().isEmpty()) {
      EXPECT_TRUE(label->alignment() & Qt::AlignTop);
    }
  about->close();
}

TEST(MessageBoxLook, NoIconLeavesNoSlot) {
  const auto plain =
      BuildMessageBox(nullptr, QMessageBox::NoIcon, "Hi", QMessageBox::Ok, QMessageBox::Ok);
  const auto stop =
      BuildMessageBox(nullptr, QMessageBox::Critical, "53", QMessageBox::Ok, QMessageBox::Ok);
  plain->show();
  stop->show();
  auto text_x = [](QMessageBox* box) {
    return box->findChild<QLabel*>("qt_msgbox_label")->mapTo(box, QPoint()).x();
  };
  const int margin = plain->layout()->contentsMargins().left();
  EXPECT_LE(text_x(plain.get()), margin + 8);  // the spacing of one column at most
  EXPECT_GT(text_x(stop.get()), margin + 32);  // after the icon
}

TEST(AboutLook, DisclaimerLinesStayWholeAndTheAddressUnbroken) {
  QPointer<AboutDialog> about = new AboutDialog;
  EXPECT_EQ(about->disclaimer()->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_TRUE(about->ownership()->text().contains(QString("w") + QChar(0x2060) + "w"));
  EXPECT_TRUE(about->ownership()->accessibleName().endsWith("http://www.stakora.example"));
  about->close();
}

}  // namespace
}  // namespace stakora::qt
