#include "qt/planner_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <fstream>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "qt/held_table.h"
#include "qt/picked_files.h"
#include "qt/planner_table.h"
#include "qt/problem_marks.h"
#include "qt/profit_bar_delegate.h"
#include "qt/scripted_boxes.h"
#include "qt/strings.h"
#include "qt/style.h"
#include "race_csv.h"
#include "support/slow_plan.h"
#include "support/temp_folder.h"

namespace stakora::qt {
namespace {

using stakora::testing::TempFolder;
using T = PlannerTable;

class PlannerTest : public ::testing::Test {
 protected:
  PlannerTest() : window(new PlannerWindow(dir.str(), boxes)) {
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));  // shortcuts need the active window
  }
  ~PlannerTest() override {
    if (window) window->close();
    delete window.data();
  }
  // Until the newest edit's outcome is shown.
  void Settle() {
    for (int i = 0; i < 1000 && window->planning(); ++i) QTest::qWait(5);
    ASSERT_FALSE(window->planning());
  }
  QVariant At(int row, int column, int role = Qt::DisplayRole) {
    return window->grid()->model()->index(row, column).data(role);
  }
  void Set(int row, int column, const QString& text) {
    auto* m = window->grid()->model();
    m->setData(m->index(row, column), text, Qt::EditRole);
  }
  // A child by its caption, or by its accessible name.
  template <typename W>
  W* Find(const QString& said) {
    for (auto* w : window->findChildren<W*>())
      if (w->accessibleName() == said || w->property("text").toString() == said) return w;
    return nullptr;
  }
  // A mnemonic clicks as a mouse would, a moment later.
  bool Checked(QCheckBox* box) {
    for (int i = 0; i < 100 && !box->isChecked(); ++i) QTest::qWait(10);
    return box->isChecked();
  }
  QAbstractButton* Button(const QString& caption) { return Find<QAbstractButton>(caption); }
  // Keys as a user types them, each to whatever has the focus by then; a tab is Tab.
  void Keys(const QString& text) {
    for (QChar c : text)
      c == '\t' ? QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab)
                : QTest::keyClicks(QApplication::focusWidget(), QString(c));
  }
  void Type(const QString& box, const QString& text) {
    auto* e = Find<QLineEdit>(box);
    e->selectAll();
    QTest::keyClicks(e, text);
  }

  TempFolder dir;
  testing::ScriptedBoxes boxes;
  QPointer<PlannerWindow> window;
};

TEST_F(PlannerTest, PlansAsTheUserTypesAndShowsLossesInRed) {
  EXPECT_EQ(window->windowTitle(), "Stake planner");
  EXPECT_EQ(window->summary()->text(), plan::kAskForRunners);
  const int summary_height = window->summary()->height();
  QApplication::clipboard()->setText("Fav\t2.2\r\n5.5\n\nOutsider\t8\n13\n");
  window->grid()->setFocus();
  QTest::keySequence(window->grid(), QKeySequence::Paste);
  ASSERT_EQ(window->grid()->model()->rowCount(), 4);
  EXPECT_EQ(At(0, T::kName), "Fav");
  Type("Step", "1");
  Type("Amount", "25");
  Settle();
  EXPECT_EQ(At(3, T::kStake), "3.00");
  EXPECT_TRUE(window->summary()->text().contains("If one of these wins: worst 2.50"))
      << S(window->summary()->text());
  EXPECT_EQ(window->summary()->height(), summary_height);  // the grid above stays put
  // A screen reader hears the summary itself, and each bar's figure.
  EXPECT_EQ(QAccessible::queryAccessibleInterface(window->summary())->text(QAccessible::Name),
            window->summary()->text());
  // One scale, the plan's largest figure: 14.00 won against the 25.00 staked.
  EXPECT_DOUBLE_EQ(At(3, T::kBar, ProfitBarDelegate::kBarRole).toDouble(), 0.56);
  QAccessibleInterface* bar =
      QAccessible::queryAccessibleInterface(window->grid())->tableInterface()->cellAt(1, T::kBar);
  EXPECT_EQ(bar->text(QAccessible::Name), "if it wins 2.50");
  EXPECT_EQ(At(1, T::kBar, Qt::ToolTipRole), "if it wins 2.50");
  EXPECT_EQ(window->grid()->model()->headerData(T::kBar, Qt::Horizontal, Qt::ToolTipRole),
            plan::kBarsLegend);

  QTest::mouseClick(Button("&Copy stakes"), Qt::LeftButton);
  EXPECT_EQ(QApplication::clipboard()->text(),
            "Fav\t13.00\nRunner 2\t5.00\nOutsider\t4.00\nRunner 4\t3.00\n");
  EXPECT_TRUE(window->summary()->text().contains("Copied 4 stakes to the clipboard"));

  Set(1, T::kOdds, "1.5");  // now the book is over 100%
  Settle();
  EXPECT_EQ(At(0, T::kProfit, Qt::ForegroundRole).value<QColor>(), kLossRed);
  Set(1, T::kOdds, "abc");
  Settle();
  for (int role : {kProblemRole, int(Qt::ToolTipRole), int(Qt::AccessibleDescriptionRole)})
    EXPECT_EQ(At(1, T::kOdds, role), window->summary()->text()) << role;  // the cell it names
  EXPECT_EQ(At(0, T::kOdds, kProblemRole), "");
  EXPECT_EQ(At(0, T::kStake), "");
  EXPECT_FALSE(Button("&Copy stakes")->isEnabled());
  // Clear runners empties the grid; Ctrl+Z brings them back; Esc in the grid closes.
  Button("Clear runners")->click();
  EXPECT_EQ(At(0, T::kName), "");
  window->grid()->setFocus();
  QTest::keyClick(window->grid(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(At(1, T::kOdds), "abc");
  QTest::keyClick(window->grid(), Qt::Key_Escape);
  EXPECT_TRUE(window.isNull() || !window->isVisible());
}

TEST_F(PlannerTest, ControlsAreNamedAndTheSideDecidesTheModes) {
  QStringList names;
  for (auto* e : window->findChildren<QLineEdit*>()) names << e->accessibleName();
  EXPECT_EQ(names, QStringList({"Amount", "Commission %", "Step", "Minimum stake", "Field size",
                                "Places", "Place fraction", "Minimum payout", "Rule 4 (pence)",
                                "Place market winners"}));
  EXPECT_EQ(window->grid()->accessibleName(), "Runners");
  EXPECT_EQ(window->summary()->accessibleDescription(), "Summary of the plan");
  EXPECT_FALSE(Button("L&iability")->isEnabled());
  EXPECT_TRUE(window->grid()->isColumnHidden(T::kLiability));
  Button("&Profit")->click();
  Button("&Lay")->click();
  EXPECT_TRUE(Button("&Stake")->isChecked());
  EXPECT_FALSE(Button("&Profit")->isEnabled());
  EXPECT_FALSE(window->grid()->isColumnHidden(T::kLiability));
  EXPECT_EQ(window->model().mode, plan::Mode::Stake);
  auto* grid = window->grid()->model();
  EXPECT_EQ(grid->headerData(T::kStake, Qt::Horizontal), "Lay stake");

  // A box that cannot be read is framed and says why, as the summary does.
  QLineEdit* step = Find<QLineEdit>("Step");
  Type("Step", "0");
  const QString why = "Step: must be more than 0, such as 0.01, 0.50 or 1";
  EXPECT_EQ(step->toolTip(), why);
  EXPECT_EQ(step->accessibleDescription(), why);
  EXPECT_FALSE(step->styleSheet().isEmpty());
  EXPECT_EQ(window->summary()->text(), why);
  Type("Step", "0.5");
  EXPECT_TRUE(step->toolTip().isEmpty() && step->styleSheet().isEmpty());
}

// A window like any other: Esc or Close hides it, and at its smallest every
// caption and the stake and profit columns can still be read.
TEST_F(PlannerTest, ClosesWithEscapeOrCloseAndStaysReadableAtItsSmallest) {
  window->resize(window->minimumSize());
  QTest::qWait(20);
  for (QLabel* label : window->findChildren<QLabel*>()) {
    if (label == window->summary()) continue;  // it wraps
    EXPECT_GE(label->width(), label->sizeHint().width()) << S(label->text());
  }
  QTableView* grid = window->grid();
  EXPECT_LE(grid->columnViewportPosition(T::kProfit) + grid->columnWidth(T::kProfit),
            grid->viewport()->width());
  Type("Amount", "20");
  QTest::keyClick(window->amount(), Qt::Key_Escape);  // hidden with everything typed
  ASSERT_FALSE(window.isNull() || window->isVisible());
  window->show();
  EXPECT_EQ(window->amount()->text(), "20");
  Button("Close")->click();
  EXPECT_FALSE(window.isNull() || window->isVisible());
}

// By keyboard alone: the field size fills in the terms, and each row shows
// its place odds and what it returns if it only places.
TEST_F(PlannerTest, PlansEachWayFromTheFieldSize) {
  QApplication::clipboard()->setText("4/1\n6/1\n10/1\n");
  window->PasteRunners();
  EXPECT_FALSE(Find<QLineEdit>("Field size")->isEnabled());
  EXPECT_TRUE(window->grid()->isColumnHidden(T::kPlaceOdds));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::AltModifier);
  ASSERT_TRUE(Checked(window->each_way()));
  EXPECT_FALSE(Button("&Lay")->isEnabled());
  EXPECT_FALSE(Find<QLineEdit>("Commission %")->isEnabled());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
  ASSERT_TRUE(window->field_size()->hasFocus());
  QTest::keyClicks(window->field_size(), "8");
  EXPECT_EQ(Find<QLineEdit>("Places")->text(), "3");
  EXPECT_EQ(Find<QLineEdit>("Place fraction")->text(), "1/5");
  Type("Step", "1");
  Type("Amount", "40");
  Settle();
  EXPECT_FALSE(window->grid()->isColumnHidden(T::kPlaceProfit));
  EXPECT_EQ(At(2, T::kPlaceOdds), "3");
  EXPECT_EQ(At(2, T::kPlaceProfit, Qt::ForegroundRole).value<QColor>(), kLossRed);
  EXPECT_EQ(At(2, T::kBar, Qt::AccessibleTextRole), "if it wins 16.00, if it places -28.00");
  EXPECT_TRUE(At(2, T::kBar, ProfitBarDelegate::kPlaceBarRole).isValid());
}

// Greening up: a back held at 8.0, laid now at 3.0 in a race of three.
// A preset fills the exchange's rules; odds off its ladder are marked with
// the prices either side, and Up steps them one tick while they are typed.
TEST_F(PlannerTest, PlansWithinAnExchangesRules) {
  QComboBox* rules = window->exchange_rules();
  EXPECT_EQ(rules->accessibleName(), "Exchange rules");
  rules->setFocus();
  // A closed list steps to Betfair GBP: its ladder, payout and minimum shape what follows.
  QTest::keyClick(rules, Qt::Key_Down);
  Button("&Lay")->click();
  window->AddRunner();
  const char* odds[] = {"3.0", "5.0", "25.0", "3.33"};
  for (int row = 0; row < 4; ++row) Set(row, T::kOdds, odds[row]);
  Type("Amount", "10");
  Settle();
  EXPECT_EQ(At(3, T::kOdds, kProblemRole),
            "Runner 4: 3.33 is not on the exchange's price ladder: 3.30 or 3.35");
  // Keys step the odds being typed, and the plan follows each step.
  window->grid()->setCurrentIndex(window->grid()->model()->index(3, T::kOdds));
  QTest::keyClick(window->grid(), Qt::Key_F2);
  QWidget* editor = QApplication::focusWidget();
  ASSERT_TRUE(qobject_cast<QLineEdit*>(editor));
  for (Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Down}) QTest::keyClick(editor, key);
  EXPECT_EQ(At(3, T::kOdds), "3.35");
  Set(3, T::kOdds, "50.0");
  Settle();
  EXPECT_TRUE(window->summary()->text().contains("Most you can lose 6.89"))
      << S(window->summary()->text());
  Button("&Back")->click();
  window->each_way()->click();  // a bookmaker's bet: no exchange's rules
  EXPECT_FALSE(rules->isEnabled() || window->ladder()->isEnabled());
}

TEST_F(PlannerTest, PlansAroundHeldBets) {
  Button("&Lay")->click();
  Type("Commission %", "5");
  Type("Step", "0.1");
  Type("Amount", "60");
  QApplication::clipboard()->setText("Arkle\t3.0\nEnable\t2.5\nFrankel\t6.0\n");
  window->PasteRunners();
  EXPECT_TRUE(window->grid()->isColumnHidden(T::kHeld));
  Button("Add held bet")->click();
  ASSERT_TRUE(window->held_grid()->hasFocus());
  auto* held = window->held_grid()->model();
  EXPECT_EQ(held->index(0, 1).data().toString(), "back");
  held->setData(held->index(0, 0), "Arkle", Qt::EditRole);
  held->setData(held->index(0, 2), "20", Qt::EditRole);
  held->setData(held->index(0, 3), "8.0", Qt::EditRole);
  QTest::keyClick(window->held_grid(), Qt::Key_V, Qt::AltModifier);
  ASSERT_TRUE(Checked(window->field_covered()));
  Settle();
  EXPECT_FALSE(window->grid()->isColumnHidden(T::kHeld));
  EXPECT_EQ(At(0, T::kStake), "54.20");  // as the command line plans it
  EXPECT_EQ(At(0, T::kHeld), "140.00");
  EXPECT_FALSE(window->grid()->model()->index(0, T::kSaver).flags() & Qt::ItemIsEnabled);
  const QString kinds = held->index(0, 1).data(Qt::ToolTipRole).toString();
  EXPECT_TRUE(kinds.contains("free-sr: a free bet whose stake is returned with the winnings"));
  held->setData(held->index(0, 2), "0", Qt::EditRole);
  Settle();
  EXPECT_EQ(held->index(0, 2).data(kProblemRole), "Held bet 1 stake: must be more than 0");
  EXPECT_EQ(held->index(0, 2).data(kProblemRole), window->summary()->text());
  held->setData(held->index(0, 2), "20", Qt::EditRole);
  // Without a cap, and then with the runners not the whole field.
  Type("Amount", "");
  window->field_covered()->click();
  Settle();
  EXPECT_TRUE(window->summary()->text().contains("if another wins"))
      << S(window->summary()->text());
  // Lines removed while results show: the views are told which went, and
  // the figures follow their runners.
  QSignalSpy runners_went(window->grid()->model(), &QAbstractItemModel::rowsRemoved);
  QSignalSpy held_went(held, &QAbstractItemModel::rowsRemoved);
  window->held_grid()->setCurrentIndex(held->index(0, 0));
  Button("Remove held bet")->click();
  window->grid()->setCurrentIndex(window->grid()->model()->index(0, T::kName));
  Button("&Remove runner")->click();
  EXPECT_EQ(held_went.size(), 1);
  EXPECT_EQ(runners_went.size(), 1);
  EXPECT_EQ(At(0, T::kStake), "");  // no figure stands on another runner
  Settle();
  EXPECT_EQ(At(0, T::kName), "Enable");
  EXPECT_NE(At(0, T::kStake), "");
  EXPECT_TRUE(window->grid()->isColumnHidden(T::kHeld));
}

// A held each-way bet laid off in both markets, typed as a user would.
TEST_F(PlannerTest, LaysAHeldEachWayBetInTheWinAndPlaceMarkets) {
  auto* market = Find<QLineEdit>("Place market winners");
  ASSERT_NE(market, nullptr);
  EXPECT_FALSE(market->isEnabled());
  EXPECT_TRUE(window->grid()->isColumnHidden(T::kPlaceLay));
  Type("Commission %", "5");
  Set(0, T::kName, "Hope");
  Set(0, T::kOdds, "8.2");
  Button("Add held bet")->click();
  auto* held = window->held_grid()->model();
  EXPECT_FALSE(held->index(0, HeldTable::kPlaces).flags() & Qt::ItemIsEditable);
  for (auto [column, text] : {std::pair{HeldTable::kRunner, "Hope"},
                              {HeldTable::kKind, "each-way"},
                              {HeldTable::kStake, "50"},
                              {HeldTable::kOdds, "7.5"},
                              {HeldTable::kPlaces, "4"},
                              {HeldTable::kFraction, "1/5"}})
    held->setData(held->index(0, column), text, Qt::EditRole);
  EXPECT_TRUE(Button("&Lay")->isChecked());  // an each-way bet is laid off
  EXPECT_TRUE(market->isEnabled());
  EXPECT_FALSE(window->grid()->isColumnHidden(T::kPlaceOdds));
  QTest::keyClick(window, Qt::Key_K, Qt::AltModifier);
  EXPECT_TRUE(market->hasFocus());
  QTest::keyClicks(market, "3");
  Set(0, T::kPlaceOdds, "1.7");
  Settle();
  EXPECT_EQ(At(0, T::kStake), "46.01");
  EXPECT_EQ(At(0, T::kPlaceLay), "69.70");
  EXPECT_EQ(At(0, T::kExtraProfit), "124.92");
  EXPECT_EQ(At(0, T::kUnplacedProfit), "9.92");
  EXPECT_TRUE(window->summary()->text().startsWith(
      "If it wins +9.94; places 2nd-3rd +9.92; finishes 4th +124.92; unplaced +9.92"))
      << S(window->summary()->text());
  EXPECT_TRUE(At(0, T::kBar, ProfitBarDelegate::kUnplacedBarRole).isValid());
  EXPECT_EQ(At(0, T::kBar, Qt::AccessibleTextRole).toString(),
            "if it wins +9.94; places 2nd-3rd +9.92; finishes 4th +124.92; unplaced +9.92");
  Set(0, T::kPlaceOdds, "x");
  Settle();
  EXPECT_EQ(At(0, T::kPlaceOdds, kProblemRole).toString(),
            "Runner 1 place odds: cannot read the odds \"x\"; give decimal odds such as 3.5, a "
            "fraction such as 7/2, or evens");
}

// A plan that takes a while says so until it is shown.
TEST_F(PlannerTest, SaysWhileAPlanIsWorkedOut) {
  QString field;
  for (const std::string& odds : stakora::testing::SlowPlanOdds()) field += Q(odds) + "\n";
  Button("&Lay")->click();
  Type("Commission %", "2");
  QApplication::clipboard()->setText(field);
  window->PasteRunners();
  QApplication::clipboard()->setText(stakora::testing::kSlowPlanHeld);
  window->PasteHeld();
  for (int i = 0; i < 200 && window->summary()->text() != plan::kWorkingOut; ++i) QTest::qWait(5);
  EXPECT_EQ(window->summary()->text(), plan::kWorkingOut);
  Settle();
  EXPECT_NE(window->summary()->text(), plan::kWorkingOut);
}

TEST_F(PlannerTest, ItsSettingsAreReadOnOpeningAndWrittenOnClosing) {
  Button("&Lay")->click();
  Button("L&iability")->click();
  Type("Commission %", "2");
  window->close();
  PlannerWindow again(dir.str(), boxes);
  plan::PlannerSettings kept;
  kept.side = plan::Side::Lay, kept.mode = plan::Mode::Liability, kept.commission = "2";
  EXPECT_EQ(plan::SettingsOf(again.model()), kept);
  std::filesystem::remove(dir / "planner.txt");
  std::filesystem::create_directory(dir / "planner.txt");
  PlannerWindow unreadable(dir.str(), boxes);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"75"});
}

// A race saved opens again as it was typed; a file that does not read is
// said with its line, and what is typed stays.
TEST_F(PlannerTest, SavesOpensAndExportsRacesAsCsv) {
  Set(0, T::kName, "Smith, \"Jockey\"");
  Set(0, T::kOdds, "3");
  Set(1, T::kName, "Ça Va Être Élan");
  Set(1, T::kOdds, "7/2");
  Type("Amount", "10");
  Settle();
  const plan::Race typed = plan::RaceOf(window->model());
  ASSERT_TRUE(window->SaveRaceTo(Q((dir / "race.csv").string())));
  ASSERT_TRUE(window->ExportPlanTo(Q((dir / "plan.csv").string())));
  const auto exported = ReadPickedFile(Q((dir / "plan.csv").string()));
  ASSERT_TRUE(exported);
  EXPECT_EQ(
      exported->rfind("Runner,Odds,Stake,Profit if it wins\r\n\"Smith, \"\"Jockey\"\"\",3,", 0), 0u)
      << *exported;

  std::ofstream(dir / "bad.csv") << "name,odds\nA,3\n\"B,4\n";
  EXPECT_FALSE(window->OpenRaceFrom(Q((dir / "bad.csv").string())));
  EXPECT_EQ(boxes.shown.back().second,
            "bad.csv cannot be opened as a race. Line 3: a quote is opened and never closed");
  EXPECT_EQ(plan::RaceOf(window->model()), typed);
  Set(0, T::kOdds, "4");
  boxes.answers = {true};  // in place of what is typed
  ASSERT_TRUE(window->OpenRaceFrom(Q((dir / "race.csv").string())));
  EXPECT_EQ(plan::RaceOf(window->model()), typed);
#ifndef _WIN32
  // A pipe picked by mistake is refused, never waited on.
  ASSERT_EQ(mkfifo((dir / "pipe.csv").c_str(), 0600), 0);
  EXPECT_FALSE(window->OpenRaceFrom(Q((dir / "pipe.csv").string())));
  EXPECT_EQ(boxes.shown.back().second, "pipe.csv cannot be opened: it is not a file.");
#endif
}

// At its opening size the grid has room for eight runners; the held bets
// take none until there are some, and each way turns off what it cannot use.
TEST_F(PlannerTest, RoomForTheRunnersAndOnlyWhatApplies) {
  QTableView* grid = window->grid();
  EXPECT_GE(grid->viewport()->height(), 8 * grid->verticalHeader()->defaultSectionSize());
  EXPECT_FALSE(window->held_grid()->isVisible());
  Button("Add held bet")->click();
  EXPECT_TRUE(window->held_grid()->isVisible() && Find<QLabel>("Held bets (1)"));
  window->each_way()->click();
  EXPECT_FALSE(window->held_grid()->isEnabled() || window->field_covered()->isEnabled());
}

// Tab goes from cell to cell a user can change, each edit kept; typing
// replaces what the cell held.
TEST_F(PlannerTest, TabWalksTheCellsAndKeepsWhatIsTyped) {
  QTableView* grid = window->grid();
  Set(0, T::kOdds, "8.0");
  grid->setFocus();
  grid->setCurrentIndex(grid->model()->index(0, T::kName));
  Keys("Fav\t7.5\t");
  EXPECT_EQ(grid->currentIndex().column(), T::kSaver);
  EXPECT_EQ(At(0, T::kName), "Fav");
  EXPECT_EQ(At(0, T::kOdds), "7.5");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  Keys("9");
  QTest::mouseClick(window->amount(), Qt::LeftButton);  // leaving by a click keeps it too
  EXPECT_EQ(At(0, T::kOdds), "9");
  grid->setFocus();
  grid->setCurrentIndex(grid->model()->index(2, T::kSaver));
  QTest::keyClick(grid, Qt::Key_Tab);  // past the last: out of the grid
  EXPECT_FALSE(grid->hasFocus());
}

// A thousand runners laid to a liability: pasted at once, and each keystroke
// starts a plan that the next one stops, so the last one typed is shown.
TEST_F(PlannerTest, TheNewestEditWins) {
  QString field;
  for (int i = 0; i < 1000; ++i) field += "1000.1\n";
  QApplication::clipboard()->setText(field);
  window->PasteRunners();
  Button("&Lay")->click();
  Button("L&iability")->click();
  Type("Amount", "40000");
  Settle();
  EXPECT_EQ(window->grid()->model()->rowCount(), 1000);
  EXPECT_TRUE(window->summary()->text().contains("Lay stakes 400000000.00"))
      << S(window->summary()->text());
}

}  // namespace
}  // namespace stakora::qt
