#include "qt/planner_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include "qt/profit_bars.h"
#include "support/temp_folder.h"

namespace stakora::qt {
namespace {

using stakora::testing::TempFolder;

class PlannerTest : public ::testing::Test {
 protected:
  PlannerTest() : window(new PlannerWindow(dir.str())) {
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));  // shortcuts need the active window
  }
  ~PlannerTest() override {
    if (window) window->close();
  }
  QTableWidget* grid() { return window->grid(); }
  QString Cell(int row, int column) { return grid()->item(row, column)->text(); }
  // A child by its caption, or by its accessible name.
  template <typename W>
  W* Find(const QString& said) {
    for (auto* w : window->findChildren<W*>())
      if (w->accessibleName() == said || w->property("text").toString() == said) return w;
    return nullptr;
  }
  QAbstractButton* Button(const QString& caption) { return Find<QAbstractButton>(caption); }

  TempFolder dir;
  QPointer<PlannerWindow> window;
};

TEST_F(PlannerTest, PlansAsTheUserTypesAndShowsLossesInRed) {
  EXPECT_EQ(window->windowTitle(), "Stake planner");
  QApplication::clipboard()->setText("Fav\t2.2\r\n5.5\n\nOutsider\t8\n13\n");
  grid()->setFocus();
  QTest::keySequence(grid(), QKeySequence::Paste);
  ASSERT_EQ(grid()->rowCount(), 4);
  EXPECT_EQ(Cell(0, PlannerWindow::kName), "Fav");
  Find<QLineEdit>("Step")->setText("1");
  window->amount()->setFocus();
  QTest::keyClicks(window->amount(), "25");
  EXPECT_EQ(Cell(3, PlannerWindow::kStake), "3.00");
  EXPECT_TRUE(window->summary()->text().contains("Worst profit 2.50"));
  std::vector<std::int64_t> bars;
  for (const auto& bar : window->bars()->bars()) bars.push_back(bar.cents);
  EXPECT_EQ(bars, (std::vector<std::int64_t>{360, 250, 700, 1400}));

  QTest::mouseClick(Button("&Copy stakes"), Qt::LeftButton);
  EXPECT_EQ(QApplication::clipboard()->text(),
            "Fav\t13.00\nRunner 2\t5.00\nOutsider\t4.00\nRunner 4\t3.00\n");

  grid()->item(1, PlannerWindow::kOdds)->setText("");  // a row left empty: its bar goes
  const auto& shown = window->bars()->bars();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[1].top - shown[0].top, 2 * grid()->rowHeight(0));  // level with its row

  grid()->item(1, PlannerWindow::kOdds)->setText("1.5");  // now the book is over 100%
  EXPECT_EQ(grid()->item(0, PlannerWindow::kProfit)->foreground().color(), QColor(255, 0, 0));
  grid()->item(1, PlannerWindow::kOdds)->setText("abc");
  EXPECT_TRUE(window->summary()->text().startsWith("Runner 2: cannot read the odds"));
  EXPECT_EQ(Cell(0, PlannerWindow::kStake), "");
  EXPECT_FALSE(Button("&Copy stakes")->isEnabled());
}

TEST_F(PlannerTest, ControlsAreNamedAndTheSideDecidesTheModes) {
  QStringList names;
  for (auto* e : window->findChildren<QLineEdit*>()) names << e->accessibleName();
  EXPECT_EQ(names, QStringList({"Amount", "Commission %", "Step", "Minimum stake"}));
  EXPECT_EQ(grid()->accessibleName(), "Runners");
  EXPECT_EQ(window->summary()->accessibleName(), "Summary");
  EXPECT_FALSE(Button("L&iability")->isEnabled());
  Button("&Profit")->click();
  Button("&Lay")->click();
  EXPECT_TRUE(Button("&Stake")->isChecked());
  EXPECT_FALSE(Button("&Profit")->isEnabled());
  EXPECT_FALSE(grid()->isColumnHidden(PlannerWindow::kLiability));
}

TEST_F(PlannerTest, ItsSettingsAreKeptInAFileOfItsOwn) {
  Button("&Lay")->click();
  Button("L&iability")->click();
  Find<QLineEdit>("Commission %")->setText("2");
  window->close();
  EXPECT_EQ(dir.Read("planner.txt"),
            "side=lay\nmode=liability\nstep=0.01\nmin_stake=0\ncommission=2\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "config.txt"));
  PlannerWindow again(dir.str());
  EXPECT_EQ(again.settings().mode, plan::Mode::Liability);
  EXPECT_EQ(again.settings().commission, "2");
}

}  // namespace
}  // namespace stakora::qt
