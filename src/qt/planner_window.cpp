#include "qt/planner_window.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "exact.h"
#include "qt/profit_bars.h"
#include "qt/strings.h"
#include "qt/style.h"
#include "settings_file.h"

namespace stakora::qt {
namespace {

QLineEdit* Box(const QString& name, QWidget* parent) {
  auto* e = new QLineEdit(parent);
  e->setAccessibleName(name);
  return e;
}

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setBuddy(buddy);
  return l;
}

}  // namespace

PlannerWindow::PlannerWindow(std::string settings_folder, QWidget* parent)
    : QWidget(parent, Qt::Window),
      settings_path_(settings_folder.empty() ? ""
                                             : settings_folder + "/" + plan::kPlannerSettingsFile) {
  setWindowTitle("Stake planner");
  setAttribute(Qt::WA_DeleteOnClose);
  Build();
  const FileBytes saved = settings_path_.empty() ? FileBytes{} : ReadSettingsFile(settings_path_);
  Apply(plan::ReadPlannerSettings(saved.error == ReportNumber::None ? saved.bytes : ""));
  for (int i = 0; i < 3; ++i) AddRunner();
  grid_->setCurrentCell(0, kName);
  grid_->setFocus();  // the runners come first
}

void PlannerWindow::Build() {
  auto* top = new QVBoxLayout(this);

  auto* choices = new QHBoxLayout;
  side_ = new QButtonGroup(this);
  mode_ = new QButtonGroup(this);
  back_ = new QRadioButton("&Back", this);
  lay_ = new QRadioButton("&Lay", this);
  stake_ = new QRadioButton("&Stake", this);
  profit_ = new QRadioButton("&Profit", this);
  liability_ = new QRadioButton("L&iability", this);
  for (QRadioButton* r : {back_, lay_}) side_->addButton(r), choices->addWidget(r);
  choices->addSpacing(24);
  for (QRadioButton* r : {stake_, profit_, liability_}) mode_->addButton(r), choices->addWidget(r);
  choices->addStretch();
  top->addLayout(choices);

  auto* boxes = new QHBoxLayout;
  amount_ = Box("Amount", this);
  commission_ = Box("Commission %", this);
  step_ = Box("Step", this);
  min_stake_ = Box("Minimum stake", this);
  boxes->addWidget(Caption("&Amount", amount_, this));
  boxes->addWidget(amount_);
  boxes->addWidget(Caption("Co&mmission %", commission_, this));
  boxes->addWidget(commission_);
  boxes->addWidget(Caption("S&tep", step_, this));
  boxes->addWidget(step_);
  boxes->addWidget(Caption("Mi&nimum stake", min_stake_, this));
  boxes->addWidget(min_stake_);
  top->addLayout(boxes);

  auto* middle = new QHBoxLayout;
  grid_ = new QTableWidget(0, kColumns, this);
  grid_->setAccessibleName("Runners");
  grid_->setHorizontalHeaderLabels(
      {"Name", "Odds", "Saver", "Stake", "Liability", "Profit if wins"});
  grid_->horizontalHeader()->setSectionResizeMode(kName, QHeaderView::Stretch);
  grid_->setTabKeyNavigation(false);  // Tab leaves the grid; the arrows move inside it
  middle->addWidget(grid_, 4);
  bars_ = new ProfitBars(this);
  middle->addWidget(bars_, 1);
  top->addLayout(middle, 1);

  auto* buttons = new QHBoxLayout;
  auto* add = new QPushButton("A&dd runner", this);
  auto* remove = new QPushButton("&Remove runner", this);
  auto* paste = new QPushButton("Paste r&unners", this);
  copy_ = new QPushButton("&Copy stakes", this);
  for (QPushButton* b : {add, remove, paste, copy_}) {
    b->setAutoDefault(true);  // Enter presses the focused button
    buttons->addWidget(b);
  }
  buttons->addStretch();
  top->addLayout(buttons);

  summary_ = new QLabel(this);
  summary_->setAccessibleName("Summary");
  summary_->setWordWrap(true);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  summary_->setFocusPolicy(Qt::TabFocus);
  top->addWidget(summary_);

  connect(side_, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool on) {
    if (on) SideChanged();
  });
  connect(mode_, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool on) {
    if (on) Recalculate();
  });
  for (QLineEdit* e : {amount_, commission_, step_, min_stake_})
    connect(e, &QLineEdit::textChanged, this, [this] { Recalculate(); });
  connect(grid_, &QTableWidget::itemChanged, this, [this] {
    if (!filling_) Recalculate();
  });
  connect(add, &QPushButton::clicked, this, [this] {
    AddRunner();
    grid_->setCurrentCell(grid_->rowCount() - 1, kOdds);
    grid_->setFocus();
  });
  connect(remove, &QPushButton::clicked, this, [this] {
    const int row = grid_->currentRow() >= 0 ? grid_->currentRow() : grid_->rowCount() - 1;
    if (row >= 0) grid_->removeRow(row);
    Recalculate();
  });
  connect(paste, &QPushButton::clicked, this, &PlannerWindow::PasteRunners);
  // Ctrl+V on the grid pastes runners; in a cell being edited it pastes text.
  auto* paste_here = new QAction(grid_);
  paste_here->setShortcut(QKeySequence::Paste);
  paste_here->setShortcutContext(Qt::WidgetShortcut);
  grid_->addAction(paste_here);
  connect(paste_here, &QAction::triggered, this, &PlannerWindow::PasteRunners);
  connect(copy_, &QPushButton::clicked, this, &PlannerWindow::CopyStakes);
  connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { PlaceBars(); });
  resize(760, 460);
}

void PlannerWindow::Apply(const plan::PlannerSettings& s) {
  (s.side == plan::Side::Back ? back_ : lay_)->setChecked(true);
  (s.mode == plan::Mode::Stake    ? stake_
   : s.mode == plan::Mode::Profit ? profit_
                                  : liability_)
      ->setChecked(true);
  step_->setText(Q(s.step));
  min_stake_->setText(Q(s.min_stake));
  commission_->setText(Q(s.commission));
  SideChanged();
}

plan::PlannerSettings PlannerWindow::settings() const {
  const plan::Request r = CurrentRequest();
  return {r.side, r.mode, r.step, r.min_stake, r.commission};
}

// A back plan has a profit to win, a lay plan a liability: the other one is
// greyed out, and a choice that no longer applies falls back to a stake.
void PlannerWindow::SideChanged() {
  const bool back = back_->isChecked();
  profit_->setEnabled(back);
  liability_->setEnabled(!back);
  grid_->setColumnHidden(kLiability, back);
  if ((back && liability_->isChecked()) || (!back && profit_->isChecked()))
    stake_->setChecked(true);
  Recalculate();
}

void PlannerWindow::AddRunner(const plan::RunnerInput& r) {
  filling_ = true;
  const int row = grid_->rowCount();
  grid_->insertRow(row);
  grid_->setItem(row, kName, new QTableWidgetItem(Q(r.name)));
  grid_->setItem(row, kOdds, new QTableWidgetItem(Q(r.odds)));
  auto* saver = new QTableWidgetItem;
  saver->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
  saver->setCheckState(r.saver ? Qt::Checked : Qt::Unchecked);
  grid_->setItem(row, kSaver, saver);
  for (int c : {kStake, kLiability, kProfit}) {
    auto* result = new QTableWidgetItem;
    result->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);  // shown, never typed in
    result->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid_->setItem(row, c, result);
  }
  filling_ = false;
  Recalculate();
}

void PlannerWindow::PasteRunners() {
  const auto runners = plan::ParseRunnerLines(S(QApplication::clipboard()->text()));
  if (runners.empty()) return;
  // Rows left empty are filled first, so a paste into a fresh window replaces them.
  for (int row = grid_->rowCount() - 1; row >= 0; --row)
    if (RowEmpty(row)) grid_->removeRow(row);
  for (const auto& r : runners) AddRunner(r);
  Recalculate();
}

void PlannerWindow::CopyStakes() {
  if (!stakes_text_.empty()) QApplication::clipboard()->setText(Q(stakes_text_));
}

bool PlannerWindow::RowEmpty(int row) const {
  return (grid_->item(row, kName)->text() + grid_->item(row, kOdds)->text()).trimmed().isEmpty();
}

plan::Request PlannerWindow::CurrentRequest() const {
  plan::Request r;
  r.side = back_->isChecked() ? plan::Side::Back : plan::Side::Lay;
  r.mode = stake_->isChecked()    ? plan::Mode::Stake
           : profit_->isChecked() ? plan::Mode::Profit
                                  : plan::Mode::Liability;
  r.amount = S(amount_->text());
  r.commission = S(commission_->text());
  r.step = S(step_->text());
  r.min_stake = S(min_stake_->text());
  for (int row = 0; row < grid_->rowCount(); ++row)
    if (!RowEmpty(row))
      r.runners.push_back({S(grid_->item(row, kName)->text()), S(grid_->item(row, kOdds)->text()),
                           grid_->item(row, kSaver)->checkState() == Qt::Checked});
  return r;
}

void PlannerWindow::Recalculate() {
  if (filling_ || !grid_) return;
  const plan::Request r = CurrentRequest();
  ClearResults();
  if (r.runners.empty() || QString::fromStdString(r.amount).trimmed().isEmpty()) {
    summary_->setText("Type the odds of the runners and the amount.");
    return;
  }
  const auto p = plan::MakePlan(r);
  if (!p) {
    summary_->setText(Q(p.error()));
    return;
  }
  ShowPlan(*p);
}

void PlannerWindow::ClearResults() {
  filling_ = true;
  for (int row = 0; row < grid_->rowCount(); ++row)
    for (int c : {kStake, kLiability, kProfit}) grid_->item(row, c)->setText("");
  filling_ = false;
  stakes_text_.clear();
  copy_->setEnabled(false);
  bar_rows_.clear();
  PlaceBars();
}

void PlannerWindow::ShowPlan(const plan::Plan& p) {
  filling_ = true;
  std::size_t j = 0;
  for (int row = 0; row < grid_->rowCount() && j < p.runners.size(); ++row) {
    if (RowEmpty(row)) continue;
    const plan::RunnerPlan& runner = p.runners[j++];
    grid_->item(row, kStake)->setText(Q(plan::MoneyText(runner.stake)));
    grid_->item(row, kLiability)->setText(Q(plan::MoneyText(runner.liability)));
    QTableWidgetItem* profit = grid_->item(row, kProfit);
    profit->setText(Q(plan::MoneyText(runner.profit_if_wins)));
    profit->setForeground(runner.profit_if_wins < 0 ? QBrush(kLossRed)
                                                    : grid_->palette().brush(QPalette::Text));
    bar_rows_.push_back({row, runner.profit_if_wins});
  }
  filling_ = false;
  summary_->setText(Q(plan::SummaryText(p)));
  stakes_text_ = plan::StakesText(p);
  copy_->setEnabled(true);
  PlaceBars();
}

void PlannerWindow::PlaceBars() {
  // From the grid's viewport to the bars: both stand in one row of the layout.
  const int offset = grid_->viewport()->mapTo(this, QPoint()).y() - bars_->y();
  std::vector<ProfitBars::Bar> bars;
  for (const auto& [row, cents] : bar_rows_)
    bars.push_back({cents, offset + grid_->rowViewportPosition(row)});
  bars_->SetBars(std::move(bars), grid_->verticalHeader()->defaultSectionSize(), offset,
                 offset + grid_->viewport()->height());
}

void PlannerWindow::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  PlaceBars();
}

void PlannerWindow::closeEvent(QCloseEvent* e) {
  // The choices are a convenience: a folder that takes no file keeps the defaults.
  if (!settings_path_.empty())
    (void)ReplaceSettingsFile(settings_path_, plan::PlannerSettingsText(settings()));
  e->accept();
}

}  // namespace stakora::qt
