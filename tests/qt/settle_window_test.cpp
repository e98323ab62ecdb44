// The Settle window: the worked examples as a bettor types them, a plan
// carried over from the planner, and the keyboard and screen reader's view.

#include "qt/settle_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "qt/planner_window.h"
#include "qt/scripted_boxes.h"
#include "qt/settle_tables.h"
#include "support/temp_folder.h"

namespace stakora::qt {
namespace {

using B = SettleBetsTable;
using R = SettleRunnersTable;

class SettleTest : public ::testing::Test {
 protected:
  SettleTest() {
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  QString Bet(int row, int column) {
    return window.bets()->model()->index(row, column).data().toString();
  }
  // A runner's line: its name is already listed by its bet, or is added.
  void Runner(const QString& name, const QString& position, bool non_runner = false,
              const QString& price = "", const QString& factor = "") {
    auto* m = window.runners()->model();
    int row = 0;
    while (row < m->rowCount() && m->index(row, R::kName).data().toString() != name) ++row;
    if (row == m->rowCount()) {
      FindButton("Add &runner")->click();
      m->setData(m->index(row, R::kName), name, Qt::EditRole);
    }
    m->setData(m->index(row, R::kPosition), position, Qt::EditRole);
    m->setData(m->index(row, R::kNonRunner), non_runner ? Qt::Checked : Qt::Unchecked,
               Qt::CheckStateRole);
    m->setData(m->index(row, R::kPrice), price, Qt::EditRole);
    m->setData(m->index(row, R::kFactor), factor, Qt::EditRole);
  }
  QAbstractButton* FindButton(const QString& caption) {
    for (auto* b : window.findChildren<QAbstractButton*>())
      if (b->text() == caption) return b;
    return nullptr;
  }
  SettleWindow window;
};

struct Example {
  const char* bets;  // pasted
  std::vector<std::pair<const char*, const char*>> finish;
  const char* non_runner;  // "NAME@PRICE" or "NAME:RF", or ""
  const char* returned;
  const char* profit;
};

TEST_F(SettleTest, TheWorkedExamplesAsTyped) {
  const Example examples[] = {
      {"A:back:10@10/1", {{"A", "1"}}, "N@2/5", "40.00", "+30.00"},
      {"A:back:10@8/1", {{"A", "1"}}, "N@3/1", "70.00", "+60.00"},
      {"A:each-way:10@7/4:3:1/5", {{"W", "1"}, {"A", "2"}}, "N@13/8", "12.28", "-7.72"},
      {"A:back:10@10/1", {{"A", "1"}, {"B", "1"}}, "", "55.00", "+45.00"},
      {"A:each-way:20@16/1:3:1/4",
       {{"W", "1"}, {"X", "2"}, {"A", "3"}, {"B", "3"}},
       "",
       "50.00",
       "+10.00"},
      {"A:lay:2@2.28", {{"A", "1"}, {"B", "1"}}, "", "2.28", "-0.28"},
      {"A:lay:2@5.2", {{"A", "1"}, {"B", "1"}}, "", "5.20", "-3.20"},
      {"A:exchange-back:10@8.6", {{"A", "1"}}, "N:16.2", "72.10", "+62.10"},
      {"A:place-back:10@8.0:3", {{"W", "1"}, {"A", "2"}}, "N:25", "62.50", "+52.50"},
      {"A:place-back:60@6.0:3",
       {{"W", "1"}, {"A", "2"}, {"B", "2"}, {"C", "2"}, {"D", "2"}},
       "",
       "180.00",
       "+120.00"},
  };
  for (const Example& e : examples) {
    while (window.model().bets.size() > 0) FindButton("Remo&ve bet")->click();
    while (window.model().runners.size() > 0) FindButton("Re&move runner")->click();
    QApplication::clipboard()->setText(e.bets);
    window.bets()->setFocus();
    QTest::keyClick(window.bets(), Qt::Key_V, Qt::ControlModifier);
    for (const auto& [name, position] : e.finish) Runner(name, position);
    const QString nr = e.non_runner;
    if (nr.contains('@')) Runner(nr.section('@', 0, 0), "", true, nr.section('@', 1));
    if (nr.contains(':')) Runner(nr.section(':', 0, 0), "", true, "", nr.section(':', 1));
    EXPECT_EQ(Bet(0, B::kReturn), e.returned)
        << e.bets << ": " << window.totals()->text().toStdString();
    EXPECT_EQ(Bet(0, B::kProfit), e.profit) << e.bets;
  }
}

TEST_F(SettleTest, AResultThatCannotBeSaysWhyAndShowsNoFigures) {
  QApplication::clipboard()->setText("A\tback\t10\t3.0");
  window.PasteBets();
  Runner("A", "2");
  EXPECT_EQ(window.totals()->text(),
            "No runner is given 1st: the positions leave a gap before 2nd");
  EXPECT_EQ(window.totals()->accessibleName(), window.totals()->text());
  EXPECT_EQ(Bet(0, B::kReturn), "");
  Runner("A", "1");
  EXPECT_EQ(window.totals()->text(), "Staked 10.00, returned 30.00: profit +20.00");
}

TEST_F(SettleTest, ThePlannersPlanSettlesHere) {
  stakora::testing::TempFolder dir;
  testing::ScriptedBoxes boxes;
  PlannerWindow planner(dir.str(), boxes);
  QObject::connect(&planner, &PlannerWindow::settleAsked, &window, &SettleWindow::SettlePlan);
  auto* grid = planner.grid()->model();
  grid->setData(grid->index(0, 0), "A", Qt::EditRole);
  grid->setData(grid->index(0, 1), "3", Qt::EditRole);
  grid->setData(grid->index(1, 0), "B", Qt::EditRole);
  grid->setData(grid->index(1, 1), "4", Qt::EditRole);
  planner.amount()->setText("20");
  emit planner.amount()->textEdited("20");
  QAbstractButton* settle = nullptr;
  for (auto* b : planner.findChildren<QAbstractButton*>())
    if (b->text() == "Settle this plan") settle = b;
  ASSERT_NE(settle, nullptr);
  for (int i = 0; i < 1000 && !settle->isEnabled(); ++i) QTest::qWait(5);
  settle->click();
  ASSERT_EQ(window.model().bets.size(), 2u);
  EXPECT_EQ(window.model().bets[1], (settle::BetInput{"B", "back", "8.57", "4", ""}));
  Runner("B", "1");
  EXPECT_EQ(window.totals()->text(), "Staked 20.00, returned 34.28: profit +14.28");
}

TEST_F(SettleTest, NamedForAScreenReaderAndClosedByEsc) {
  QStringList names;
  for (auto* e : window.findChildren<QLineEdit*>()) names << e->accessibleName();
  EXPECT_EQ(names, QStringList({"Commission %", "Rule 4 cap (pence)"}));
  EXPECT_EQ(window.bets()->accessibleName(), "Bets");
  EXPECT_EQ(window.runners()->accessibleName(), "Result");
  // Tab leaves the bets past their last changeable cell, not through the figures.
  window.bets()->setCurrentIndex(window.bets()->model()->index(0, B::kTerms));
  QTest::keyClick(window.bets(), Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), window.bets());
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace stakora::qt
