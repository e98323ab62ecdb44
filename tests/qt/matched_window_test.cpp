#include "qt/matched_window.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include "qt/planner_window.h"
#include "qt/scripted_boxes.h"
#include "qt/strings.h"
#include "support/temp_folder.h"

namespace stakora::qt {
namespace {

using plan::MatchedBox;
using stakora::testing::TempFolder;

class MatchedTest : public ::testing::Test {
 protected:
  MatchedTest() : window(new MatchedWindow(dir.str(), boxes)) {
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
  }
  ~MatchedTest() override {
    if (window) window->close();
    delete window.data();
  }
  void Settle() {
    for (int i = 0; i < 1000 && window->planning(); ++i) QTest::qWait(5);
    ASSERT_FALSE(window->planning());
  }
  // Keys as a user types them, into the box with that caption.
  void Type(MatchedBox which, const QString& text) {
    QLineEdit* box = window->box(which);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
  }
  // The bet as the form asks for it, box by box.
  void TypeBet(const QString& stake, const QString& back, const QString& lay,
               const QString& commission) {
    Type(MatchedBox::LayCommission, commission);
    Type(MatchedBox::BackStake, stake);
    Type(MatchedBox::BackOdds, back);
    Type(MatchedBox::LayOdds, lay);
    Settle();
  }
  QString Figure(const QString& name) {
    for (auto* e : window->findChildren<QLineEdit*>())
      if (e->accessibleName() == name) return e->text();
    return "(none)";
  }

  TempFolder dir;
  testing::ScriptedBoxes boxes;
  QPointer<MatchedWindow> window;
};

TEST_F(MatchedTest, AQualifyingBetShowsItsLayAndMovesByUnderlayOrOverlay) {
  EXPECT_EQ(window->windowTitle(), "Matched bet");
  EXPECT_EQ(window->summary()->text(), "Type the back stake, the back odds and the lay odds.");
  TypeBet("10", "5.0", "5.2", "2");
  EXPECT_EQ(Figure("Lay stake"), "9.65");
  EXPECT_EQ(Figure("Liability"), "40.53");
  EXPECT_EQ(Figure("If the back bet wins"), "-0.53");
  EXPECT_EQ(Figure("Qualifying loss"), "0.54");
  // A screen reader hears the summary itself.
  EXPECT_EQ(QAccessible::queryAccessibleInterface(window->summary())->text(QAccessible::Name),
            window->summary()->text());
  window->lean()->setFocus();
  QTest::keyClick(window->lean(), Qt::Key_Home);  // full underlay
  EXPECT_EQ(Figure("Lay stake"), "9.52");
  EXPECT_EQ(Figure("If the back bet wins"), "+0.02");
  QTest::keyClick(window->lean(), Qt::Key_End);  // full overlay
  EXPECT_EQ(Figure("Lay stake"), "10.21");
  EXPECT_EQ(window->lean()->accessibleDescription(), "Full overlay: nothing lost if the lay wins");
  // A box that does not read is marked, and no figure stands for it.
  Type(MatchedBox::LayOdds, "5.2x");
  EXPECT_TRUE(window->box(MatchedBox::LayOdds)->toolTip().startsWith("Lay odds: cannot read"));
  EXPECT_EQ(Figure("Lay stake"), "");
  EXPECT_FALSE(window->open_in_planner()->isEnabled());
}

TEST_F(MatchedTest, AFreeBetShowsItsRetentionAndGoesToThePlanner) {
  window->kind()->setFocus();
  QTest::keyClick(window->kind(), Qt::Key_Down);  // Free bet (stake not returned)
  TypeBet("20", "6.0", "6.4", "5");
  EXPECT_EQ(Figure("Lay stake"), "15.74");
  EXPECT_EQ(Figure("Retention"), "74.75%");
  QSignalSpy carried(window.data(), &MatchedWindow::openInPlanner);
  QTest::keyClick(window, Qt::Key_P, Qt::AltModifier);  // clicks a moment later
  for (int i = 0; i < 100 && carried.empty(); ++i) QTest::qWait(10);
  ASSERT_EQ(carried.size(), 1);
  PlannerWindow planner(dir.str(), boxes);
  planner.Carry(carried[0][0].value<plan::Request>());
  EXPECT_EQ(planner.model().side, plan::Side::Lay);
  EXPECT_EQ(planner.model().commission, "5");
  EXPECT_EQ(planner.model().held, (std::vector<plan::HeldInput>{{"1", "free", "20", "6.0"}}));
  EXPECT_EQ(planner.model().rows[0].odds, "6.4");
  planner.close();
  // The lay commission and the kind are there next time.
  window->close();
  MatchedWindow again(dir.str(), boxes);
  EXPECT_EQ(again.box(MatchedBox::LayCommission)->text(), "5");
  EXPECT_EQ(again.kind()->currentText(), "Free bet (stake not returned)");
}

}  // namespace
}  // namespace stakora::qt
