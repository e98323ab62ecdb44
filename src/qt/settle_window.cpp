#include "qt/settle_window.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "plan_text.h"
#include "qt/choice_delegate.h"
#include "qt/lines_view.h"
#include "qt/settle_tables.h"
#include "qt/strings.h"
#include "qt/window_parts.h"

namespace stakora::qt {
namespace {

QPushButton* Button(const QString& caption, QHBoxLayout* row, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setAutoDefault(true);  // Enter presses the focused button
  row->addWidget(b);
  return b;
}

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

// Every column as wide as its heading and cells, so the figures all show;
// the names take what is left.
void FitColumns(QTableView* list, int names) {
  list->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  list->horizontalHeader()->setSectionResizeMode(names, QHeaderView::Stretch);
}

}  // namespace

SettleWindow::SettleWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle("Settle bets");
  model_.bets.resize(1);  // a line to type into
  view_ = settle::ViewOf(model_);
  Build();
  Connect();
  Draw();
  bets_->setCurrentIndex(bets_table_->index(0, SettleBetsTable::kRunner));
  bets_->setFocus();
}

SettleWindow::~SettleWindow() {
  // The lists read model_ and view_ to the last: they go before them.
  delete bets_;
  delete runners_;
  delete bets_table_;
  delete runners_table_;
}

void SettleWindow::Build() {
  auto* top = new QVBoxLayout(this);
  bets_table_ = new SettleBetsTable(
      model_, view_,
      [this](std::size_t line, settle::BetCell cell, const std::string& text) {
        Edit([&](settle::Settler& s) { settle::TypeBetCell(s, line, cell, text); });
      },
      this);
  bets_ = new LinesView(this);
  bets_->setModel(bets_table_);
  bets_->setAccessibleName("Bets");
  bets_->setAccessibleDescription(
      "Each bet: runner, kind, stake, odds and terms, then what it pays for the result");
  bets_->setItemDelegateForColumn(SettleBetsTable::kKind,
                                  new ChoiceDelegate(BetKinds(), "Kind", bets_));
  FitColumns(bets_, SettleBetsTable::kRunner);
  top->addWidget(Caption("Bets (paste lines such as Fav:each-way:10@7/4:3:1/5)", bets_, this));
  top->addWidget(bets_, 2);
  auto* bet_buttons = new QHBoxLayout;
  add_bet_ = Button("Add b&et", bet_buttons, this);
  remove_bet_ = Button("Remo&ve bet", bet_buttons, this);
  paste_bets_ = Button("&Paste bets", bet_buttons, this);
  bet_buttons->addStretch();
  top->addLayout(bet_buttons);

  runners_table_ = new SettleRunnersTable(
      model_, view_,
      [this](std::size_t line, settle::RunnerCell cell, const std::string& text) {
        Edit([&](settle::Settler& s) { settle::TypeRunnerCell(s, line, cell, text); });
      },
      [this](std::size_t line, bool non_runner) {
        Edit([&](settle::Settler& s) { settle::MarkNonRunner(s, line, non_runner); });
      },
      this);
  runners_ = new LinesView(this);
  runners_->setModel(runners_table_);
  runners_->setAccessibleName("Result");
  runners_->setAccessibleDescription(
      "Each runner: where it finished, or whether it was a non-runner with its price and "
      "reduction factors");
  FitColumns(runners_, SettleRunnersTable::kName);
  top->addWidget(
      Caption("The result: positions (1 the winner, shared in a dead heat) and "
              "non-runners",
              runners_, this));
  top->addWidget(runners_, 2);
  auto* runner_buttons = new QHBoxLayout;
  add_runner_ = Button("Add &runner", runner_buttons, this);
  remove_runner_ = Button("Re&move runner", runner_buttons, this);
  runner_buttons->addSpacing(24);
  commission_ = LabelledBox(runner_buttons, "&Commission %", this);
  rule4_cap_ = LabelledBox(runner_buttons, "Rule 4 c&ap (pence)", this);
  runner_buttons->addStretch();
  top->addLayout(runner_buttons);

  // A screen reader reads the totals themselves: their text is their name.
  totals_ = new QLabel(this);
  totals_->setAccessibleDescription("What the bets pay");
  totals_->setWordWrap(true);
  totals_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  totals_->setFocusPolicy(Qt::TabFocus);
  totals_->setFixedHeight(totals_->fontMetrics().lineSpacing() * 2 +
                          totals_->contentsMargins().top() + totals_->contentsMargins().bottom());
  top->addWidget(totals_);
  auto* closing = new QHBoxLayout;
  closing->addStretch();
  close_ = Button("Close", closing, this);
  top->addLayout(closing);
  resize(900, 560);
}

// Add puts the cursor in the new line; Remove takes the current line, else the last.
void SettleWindow::ConnectLines(QPushButton* add, QPushButton* remove, QTableView* list,
                                void (*add_line)(settle::Settler&),
                                void (*remove_line)(settle::Settler&, std::size_t)) {
  connect(add, &QPushButton::clicked, this, [this, list, add_line] {
    Edit(add_line);
    list->setCurrentIndex(list->model()->index(list->model()->rowCount() - 1, 0));
    list->setFocus();
  });
  connect(remove, &QPushButton::clicked, this, [this, list, remove_line] {
    const auto line = ChosenLine(list, static_cast<std::size_t>(list->model()->rowCount()));
    Edit([&](settle::Settler& s) { remove_line(s, line); });
  });
}

void SettleWindow::Connect() {
  ConnectLines(add_bet_, remove_bet_, bets_, settle::AddBet, settle::RemoveBet);
  ConnectLines(add_runner_, remove_runner_, runners_, settle::AddRunner, settle::RemoveRunner);
  connect(paste_bets_, &QPushButton::clicked, this, &SettleWindow::PasteBets);
  PasteInto(bets_, [this] { PasteBets(); });
  connect(commission_, &QLineEdit::textEdited, this,
          [this](const QString& t) { Edit([&](settle::Settler& s) { s.commission = S(t); }); });
  connect(rule4_cap_, &QLineEdit::textEdited, this,
          [this](const QString& t) { Edit([&](settle::Settler& s) { s.rule4_cap = S(t); }); });
  connect(close_, &QPushButton::clicked, this, &QWidget::close);
}

template <typename EditFn>
void SettleWindow::Edit(EditFn edit) {
  edit(model_);
  view_ = settle::ViewOf(model_);
  Draw();
}

void SettleWindow::Draw() {
  bets_table_->Refresh();
  runners_table_->Refresh();
  // Typed texts are drawn only when they differ, so the cursor stays put.
  if (commission_->text() != Q(model_.commission)) commission_->setText(Q(model_.commission));
  if (rule4_cap_->text() != Q(model_.rule4_cap)) rule4_cap_->setText(Q(model_.rule4_cap));
  totals_->setText(Q(view_.problem.empty() ? view_.totals : view_.problem));
  totals_->setAccessibleName(totals_->text());
}

void SettleWindow::SettlePlan(const plan::Plan& p) {
  Edit([&](settle::Settler& s) { settle::FillFromPlan(s, settle::BetsOf(settle::SketchOf(p))); });
  runners_->setCurrentIndex(runners_table_->index(0, SettleRunnersTable::kPosition));
  runners_->setFocus();  // the result is what is left to give
}

void SettleWindow::PasteBets() {
  const std::string text = S(QApplication::clipboard()->text());
  settle::Pasted pasted;
  Edit([&](settle::Settler& s) {
    // The empty line to type into gives way to what is pasted.
    if (s.bets.size() == 1 && s.bets[0] == settle::BetInput{}) s.bets.clear();
    pasted = settle::PasteBets(s, text);
  });
  // Said until the next edit draws the totals again.
  if (!pasted.heading.empty())
    totals_->setText(Q(plan::HeadingNote(pasted.heading)) + " " + totals_->text());
}

void SettleWindow::keyPressEvent(QKeyEvent* e) {
  if (!ClosedByEscape(this, e)) QWidget::keyPressEvent(e);
}

}  // namespace stakora::qt
