#include "qt/planner_window.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "plan.h"
#include "plan_csv.h"
#include "planner_settings.h"
#include "qt/held_table.h"
#include "qt/lines_view.h"
#include "qt/message_boxes.h"
#include "qt/picked_files.h"
#include "qt/planner_table.h"
#include "qt/problem_marks.h"
#include "qt/profit_bar_delegate.h"
#include "qt/strings.h"
#include "qt/tick_delegate.h"
#include "qt/window_parts.h"
#include "race_csv.h"
#include "ui.h"

namespace stakora::qt {
namespace {

// Long enough that a quick plan never makes the summary flicker.
constexpr int kSlowMs = 120;

constexpr const char* kFieldCoveredTip =
    "The runners listed are the whole race: no other runner can win";

// The held bets list shows this many lines before it scrolls.
constexpr int kHeldLinesShown = 4;

}  // namespace

PlannerWindow::PlannerWindow(std::string settings_folder, MessageBoxes& boxes, QWidget* parent)
    : QWidget(parent, Qt::Window),
      settings_folder_(std::move(settings_folder)),
      boxes_(boxes),
      reports_(std::make_unique<SettingsReports>(boxes, this)) {
  worker_ = std::make_unique<plan::PlanWorker>(
      DeliverTo(this, [this](std::uint64_t id, const auto& outcome) { Planned(id, outcome); }));
  setWindowTitle("Stake planner");
  // Closing hides it with everything typed; the main window ends it.
  const plan::LoadedPlannerSettings loaded = plan::LoadPlannerSettings(settings_folder_, *reports_);
  may_save_ = loaded.may_save;
  model_ = plan::MakePlanner(loaded.settings);
  view_ = plan::PromptView(model_);
  Build();
  Connect();
  DrawChoices();
  Show(view_);
  grid_->setCurrentIndex(table_->index(0, PlannerTable::kName));
  grid_->setFocus();  // the runners come first
}

PlannerWindow::~PlannerWindow() {
  worker_.reset();  // stops and joins first: no outcome arrives for a window half gone
}

void PlannerWindow::Build() {
  auto* top = new QVBoxLayout(this);
  BuildChoices(top);
  BuildExchange(top);
  BuildRunners(top);
  BuildHeld(top);
  BuildSummary(top);
  slow_ = new QTimer(this);
  slow_->setSingleShot(true);
  slow_->setInterval(kSlowMs);
  FitHeldList();
  // Opening with room for eight runners, whatever the grid would ask for.
  const int eight = grid_->horizontalHeader()->sizeHint().height() +
                    8 * grid_->verticalHeader()->defaultSectionSize() + 2 * grid_->frameWidth() +
                    grid_->horizontalScrollBar()->sizeHint().height();
  resize(820, layout()->sizeHint().height() + std::max(0, eight - grid_->sizeHint().height()));
}

// Side and mode, the money boxes and the each-way terms.
void PlannerWindow::BuildChoices(QVBoxLayout* top) {
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
  amount_ = LabelledBox(boxes, "&Amount", this);
  commission_ = LabelledBox(boxes, "Co&mmission %", this);
  step_ = LabelledBox(boxes, "S&tep", this);
  min_stake_ = LabelledBox(boxes, "Mi&nimum stake", this);
  top->addLayout(boxes);

  // Each way: the terms come from the field size; the bettor may change them.
  auto* terms = new QHBoxLayout;
  each_way_ = new QCheckBox("Each &way", this);
  each_way_->setAccessibleName("Each way");
  terms->addWidget(each_way_);
  terms->addSpacing(24);
  field_size_ = LabelledBox(terms, "&Field size", this);
  handicap_ = new QCheckBox("&Handicap", this);
  handicap_->setAccessibleName("Handicap");
  terms->addWidget(handicap_);
  places_ = LabelledBox(terms, "Plac&es", this);
  place_fraction_ = LabelledBox(terms, "Place fracti&on", this);
  terms->addStretch();
  top->addLayout(terms);
}

// An exchange's rules: a preset fills the step and the minimums.
void PlannerWindow::BuildExchange(QVBoxLayout* top) {
  auto* row = new QHBoxLayout;
  exchange_rules_ = new QComboBox(this);
  exchange_rules_->addItem("None", QString());
  for (const plan::ExchangeRules& rules : plan::kExchangeRules)
    exchange_rules_->addItem(rules.label, QString(rules.name));
  exchange_rules_->setAccessibleName("Exchange rules");
  exchange_rules_->setToolTip(
      "Fills in the exchange's step, minimum stake and minimum payout, and keeps its "
      "prices on its ladder; commission stays your account's");
  auto* caption = new QLabel("E&xchange rules", this);
  caption->setBuddy(exchange_rules_);
  row->addWidget(caption);
  row->addWidget(exchange_rules_);
  min_payout_ = LabelledBox(row, "Minimum pa&yout", this);
  min_payout_->setToolTip(
      "A stake below the minimum is taken when stake x odds (a lay: the backer's stake) "
      "reaches this; empty for no such rule");
  ladder_ = new QCheckBox("On the price ladder", this);
  ladder_->setAccessibleName("On the price ladder");
  ladder_->setToolTip(
      "Exchange prices must be on the exchange's ladder; Up and Down step odds being typed "
      "one tick");
  row->addSpacing(24);
  row->addWidget(ladder_);
  row->addStretch();
  top->addLayout(row);
}

// The runners' grid and its buttons.
void PlannerWindow::BuildRunners(QVBoxLayout* top) {
  table_ = new PlannerTable(
      model_, view_, [this](const plan::PlannerEdit& e) { Edit(e); }, this);
  grid_ = new LinesView(this);
  grid_->setModel(table_);
  grid_->setAccessibleName("Runners");
  grid_->setItemDelegate(new ProblemFrameDelegate(grid_));
  grid_->setItemDelegateForColumn(PlannerTable::kOdds,
                                  new TickDelegate([this] { return view_.controls.ticks; }, grid_));
  grid_->setItemDelegateForColumn(PlannerTable::kBar, new ProfitBarDelegate(grid_));
  grid_->horizontalHeader()->setSectionResizeMode(PlannerTable::kName, QHeaderView::Stretch);
  // At its narrowest the grid still shows the odds, the stake and the profit.
  int columns = grid_->verticalHeader()->sizeHint().width() + 2 * grid_->frameWidth() +
                grid_->verticalScrollBar()->sizeHint().width();
  for (int c : {PlannerTable::kName, PlannerTable::kOdds, PlannerTable::kSaver,
                PlannerTable::kStake, PlannerTable::kProfit})
    columns += grid_->horizontalHeader()->sectionSize(c);
  grid_->setMinimumSize(columns, grid_->verticalHeader()->defaultSectionSize() * 4);
  top->addWidget(grid_, 1);

  auto* buttons = new QHBoxLayout;
  add_ = new QPushButton("A&dd runner", this);
  remove_ = new QPushButton("&Remove runner", this);
  paste_ = new QPushButton("Paste r&unners", this);
  copy_ = new QPushButton("&Copy stakes", this);
  clear_ = new QPushButton("Clear runners", this);
  clear_->setToolTip("Empties the runners list; Ctrl+Z brings it back");
  for (QPushButton* b : {add_, remove_, paste_, copy_, clear_}) {
    b->setAutoDefault(true);  // Enter presses the focused button
    buttons->addWidget(b);
  }
  buttons->addStretch();
  top->addLayout(buttons);
}

void PlannerWindow::BuildHeld(QVBoxLayout* top) {
  // Bets already held: the new bets are planned around them.
  held_caption_ = new QLabel(this);
  top->addWidget(held_caption_);
  held_table_ = new HeldTable(
      model_, view_, [this](const plan::PlannerEdit& e) { Edit(e); }, this);
  held_grid_ = new LinesView(this);
  held_grid_->setModel(held_table_);
  held_grid_->setAccessibleName("Held bets");
  held_grid_->setAccessibleDescription(
      "Bets already placed: runner, kind (back, lay, free, free-sr or each-way), stake and odds, "
      "and an each-way bet's places and fraction");
  held_grid_->setItemDelegate(new ProblemFrameDelegate(held_grid_));
  held_grid_->setItemDelegateForColumn(HeldTable::kKind, HeldKindDelegate(held_grid_));
  held_grid_->horizontalHeader()->setSectionResizeMode(HeldTable::kRunner, QHeaderView::Stretch);
  top->addWidget(held_grid_);
  auto* held_buttons = new QHBoxLayout;
  add_held_ = new QPushButton("Add held bet", this);
  remove_held_ = new QPushButton("Remove held bet", this);
  paste_held_ = new QPushButton("Paste held bets", this);
  for (QPushButton* b : {add_held_, remove_held_, paste_held_}) {
    b->setAutoDefault(true);
    held_buttons->addWidget(b);
  }
  field_covered_ = new QCheckBox("Field co&vered", this);
  field_covered_->setAccessibleName("Field covered");
  field_covered_->setToolTip(kFieldCoveredTip);
  held_buttons->addSpacing(24);
  held_buttons->addWidget(field_covered_);
  // After a non-runner: the held bookmaker bets win that much less.
  rule4_ = LabelledBox(held_buttons, "Rule &4 (pence)", this);
  rule4_->setToolTip(
      "A non-runner's Rule 4 deduction, in pence in the pound, taken from the held "
      "bookmaker bets' winnings before planning");
  // Held each-way bets are laid in the exchange's place market too.
  place_market_ = LabelledBox(held_buttons, "Place mar&ket winners", this);
  place_market_->setToolTip(
      "The places the exchange's place market pays, such as 3; a bookmaker paying more places "
      "leaves an extra place. Used once a held bet is each-way");
  held_buttons->addStretch();
  top->addLayout(held_buttons);
}

// The summary and Close.
void PlannerWindow::BuildSummary(QVBoxLayout* top) {
  // A screen reader reads the summary itself: its text is its name. Three
  // lines high whatever it says, so the grid above never jumps as one types.
  summary_ = new QLabel(this);
  summary_->setAccessibleDescription("Summary of the plan");
  summary_->setWordWrap(true);
  summary_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  summary_->setFocusPolicy(Qt::TabFocus);
  summary_->setFixedHeight(summary_->fontMetrics().lineSpacing() * 3 +
                           summary_->contentsMargins().top() +
                           summary_->contentsMargins().bottom());
  top->addWidget(summary_);

  auto* closing = new QHBoxLayout;
  settle_ = new QPushButton("Settle this plan", this);
  settle_->setToolTip("Opens Settle bets with this plan's bets, to see what a result pays");
  save_race_ = new QPushButton("Save race…", this);
  save_race_->setToolTip("Saves the runners and held bets as a CSV file (Ctrl+S)");
  open_race_ = new QPushButton("Open race…", this);
  open_race_->setToolTip("Opens a race saved as a CSV file (Ctrl+O)");
  export_ = new QPushButton("Export plan as CSV…", this);
  export_->setToolTip(
      "Writes the plan shown for a spreadsheet: each runner's stakes and "
      "outcomes, then the totals");
  close_ = new QPushButton("Close", this);
  for (QPushButton* b : {settle_, save_race_, open_race_, export_, close_}) {
    b->setAutoDefault(true);
    if (b != close_) closing->addWidget(b);
  }
  closing->addStretch();
  closing->addWidget(close_);
  top->addLayout(closing);
}

void PlannerWindow::Connect() {
  // Drawing the model checks buttons too; such a toggle changes nothing.
  connect(side_, &QButtonGroup::buttonToggled, this, [this](QAbstractButton* b, bool on) {
    if (!on) return;
    const plan::Side side = b == back_ ? plan::Side::Back : plan::Side::Lay;
    Edit(plan::SideChosen{side});
  });
  connect(mode_, &QButtonGroup::buttonToggled, this, [this](QAbstractButton* b, bool on) {
    if (!on) return;
    const plan::Mode mode = b == stake_    ? plan::Mode::Stake
                            : b == profit_ ? plan::Mode::Profit
                                           : plan::Mode::Liability;
    Edit(plan::ModeChosen{mode});
  });
  connect(each_way_, &QCheckBox::toggled, this, [this](bool on) { Edit(plan::EachWayTicked{on}); });
  connect(handicap_, &QCheckBox::toggled, this,
          [this](bool on) { Edit(plan::HandicapTicked{on}); });
  connect(exchange_rules_, &QComboBox::activated, this, [this](int at) {
    Edit(plan::ExchangeRulesChosen{S(exchange_rules_->itemData(at).toString())});
  });
  connect(ladder_, &QCheckBox::toggled, this, [this](bool on) { Edit(plan::LadderTicked{on}); });
  for (auto [box, which] : TextBoxes())
    connect(box, &QLineEdit::textEdited, this, [this, which = which](const QString& t) {
      Edit(plan::BoxTyped{which, S(t)});
    });
  connect(add_, &QPushButton::clicked, this, &PlannerWindow::AddRunner);
  connect(remove_, &QPushButton::clicked, this, [this] {
    const std::size_t row = ChosenLine(grid_, model_.rows.size());
    Edit(plan::RowRemoved{row});
  });
  connect(paste_, &QPushButton::clicked, this, &PlannerWindow::PasteRunners);
  PasteInto(grid_, [this] { PasteRunners(); });
  connect(copy_, &QPushButton::clicked, this, &PlannerWindow::CopyStakes);
  connect(clear_, &QPushButton::clicked, this, [this] { Edit(plan::RunnersCleared{}); });
  // In a box being typed in, Ctrl+Z undoes the typing; elsewhere, a clear.
  connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this,
          [this] { Edit(plan::ClearUndone{}); });
  connect(close_, &QPushButton::clicked, this, &QWidget::close);
  connect(settle_, &QPushButton::clicked, this, [this] {
    if (plan_) emit settleAsked(*plan_);
  });
  connect(save_race_, &QPushButton::clicked, this, &PlannerWindow::SaveRace);
  connect(open_race_, &QPushButton::clicked, this, &PlannerWindow::OpenRace);
  connect(export_, &QPushButton::clicked, this, &PlannerWindow::ExportPlan);
  connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this,
          &PlannerWindow::SaveRace);
  connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, this,
          &PlannerWindow::OpenRace);
  connect(add_held_, &QPushButton::clicked, this, &PlannerWindow::AddHeld);
  connect(remove_held_, &QPushButton::clicked, this, [this] {
    const std::size_t line = ChosenLine(held_grid_, model_.held.size());
    Edit(plan::HeldRemoved{line});
  });
  connect(paste_held_, &QPushButton::clicked, this, &PlannerWindow::PasteHeld);
  PasteInto(held_grid_, [this] { PasteHeld(); });
  connect(field_covered_, &QCheckBox::toggled, this,
          [this](bool on) { Edit(plan::FieldCoveredTicked{on}); });
  connect(slow_, &QTimer::timeout, this, [this] {
    if (planning_) Show(plan::ViewWithout(model_, plan::kWorkingOut));
  });
}

std::array<std::pair<QLineEdit*, plan::Box>, 10> PlannerWindow::TextBoxes() const {
  return {{{amount_, plan::Box::Amount},
           {commission_, plan::Box::Commission},
           {step_, plan::Box::Step},
           {min_stake_, plan::Box::MinStake},
           {field_size_, plan::Box::FieldSize},
           {places_, plan::Box::Places},
           {place_fraction_, plan::Box::PlaceFraction},
           {rule4_, plan::Box::Rule4},
           {min_payout_, plan::Box::MinPayout},
           {place_market_, plan::Box::PlaceMarket}}};
}

void PlannerWindow::AddRunner() {
  Edit(plan::RowAdded{});
  grid_->setCurrentIndex(table_->index(table_->rowCount() - 1, PlannerTable::kOdds));
  grid_->setFocus();
}

void PlannerWindow::PasteRunners() {
  Edit(plan::RunnersPasted{S(QApplication::clipboard()->text())});
}

void PlannerWindow::AddHeld() {
  Edit(plan::HeldAdded{});
  held_grid_->setCurrentIndex(held_table_->index(held_table_->rowCount() - 1, HeldTable::kRunner));
  held_grid_->setFocus();
}

void PlannerWindow::PasteHeld() {
  Edit(plan::HeldPasted{S(QApplication::clipboard()->text())});
}

namespace {

constexpr const char* kCsvFiles = "CSV files (*.csv);;All files (*)";

}  // namespace

void PlannerWindow::SaveRace() {
  const QString path = QFileDialog::getSaveFileName(this, "Save race", QString(), kCsvFiles);
  if (!path.isEmpty()) SaveRaceTo(WithCsvSuffix(path));
}

void PlannerWindow::OpenRace() {
  const QString path = QFileDialog::getOpenFileName(this, "Open race", QString(), kCsvFiles);
  if (!path.isEmpty()) OpenRaceFrom(path);
}

void PlannerWindow::ExportPlan() {
  if (!plan_) return;
  const QString path =
      QFileDialog::getSaveFileName(this, "Export plan as CSV", QString(), kCsvFiles);
  if (!path.isEmpty()) ExportPlanTo(WithCsvSuffix(path));
}

bool PlannerWindow::SaveRaceTo(const QString& path) {
  const QString failed = WritePickedFile(path, plan::RaceCsv(plan::RaceOf(model_)));
  if (!failed.isEmpty()) boxes_.Failure(this, failed);
  return failed.isEmpty();
}

bool PlannerWindow::OpenRaceFrom(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  const auto bytes = ReadPickedFile(path);
  if (!bytes) {
    boxes_.Failure(this, bytes.error());
    return false;
  }
  const auto race = plan::ReadRaceCsv(*bytes);
  if (!race) {
    boxes_.Failure(this, name + " cannot be opened as a race. " + Q(race.error()));
    return false;
  }
  if (!MayReplaceRace("Open the race in " + name +
                      "? It takes the place of the runners and held bets typed here."))
    return false;
  Edit(plan::RaceOpened{*race});
  return true;
}

bool PlannerWindow::ExportPlanTo(const QString& path) {
  if (!plan_) return false;
  const QString failed = WritePickedFile(path, plan::PlanCsv(*plan_));
  if (!failed.isEmpty()) boxes_.Failure(this, failed);
  return failed.isEmpty();
}

void PlannerWindow::Carry(const plan::Request& request) {
  if (MayReplaceRace("Put this bet in the stake planner? It takes the place of the runners "
                     "and held bets typed there."))
    Edit(plan::PlanCarried{request});
}

bool PlannerWindow::MayReplaceRace(const QString& question) {
  const plan::Race typed = plan::RaceOf(model_);
  return (typed.runners.empty() && typed.held.empty()) || boxes_.Question(this, question);
}

void PlannerWindow::CopyStakes() {
  if (view_.stakes_text.empty()) return;
  QApplication::clipboard()->setText(Q(view_.stakes_text));
  view_ = plan::Copied(std::move(view_));
  summary_->setText(Q(view_.summary));
}

namespace {

// The lines a change took away, from the lines as they were.
template <typename Line>
void EraseLines(std::vector<Line>& lines, const plan::LineChange& c) {
  const auto from = lines.begin() + static_cast<std::ptrdiff_t>(c.removed_at);
  lines.erase(from, from + static_cast<std::ptrdiff_t>(c.removed));
}

}  // namespace

void PlannerWindow::Edit(const plan::PlannerEdit& edit) {
  plan::Planner next = model_;
  const plan::Applied applied = plan::Apply(next, edit);
  if (!applied.changed) return;
  plan_.reset();
  plan::PlannerView after = plan::ViewAfter(next, view_, applied);
  held_table_->ChangeLines(
      applied.held, [&] { EraseLines(model_.held, applied.held); },
      [&] { model_.held = next.held; });
  table_->ChangeLines(
      applied.rows, [&] { EraseLines(model_.rows, applied.rows); },
      [&] {
        model_ = std::move(next);
        view_ = std::move(after);
      });
  Draw();
  Replan();
}

void PlannerWindow::Replan() {
  const auto request = plan::RequestOf(model_);
  if (!request) {
    generation_ = worker_->Cancel();
    planning_ = false;
    Show(plan::PromptView(model_));
    return;
  }
  generation_ = worker_->Submit(*request);
  planning_ = true;
  slow_->start();
}

void PlannerWindow::Planned(std::uint64_t id, const Result<plan::Plan, std::string>& outcome) {
  if (id != generation_) return;  // an edit came since: this plan is outdated
  planning_ = false;
  if (outcome) plan_ = *outcome;
  Show(outcome ? plan::ViewOf(model_, *outcome) : plan::ViewWithout(model_, outcome.error()));
}

void PlannerWindow::Show(plan::PlannerView view) {
  view_ = std::move(view);  // worked out from model_ as it stands: one result per row
  Draw();
  emit shown();
}

void PlannerWindow::Draw() {
  DrawChoices();
  FitHeldList();
  table_->ResultsReplaced();
  held_table_->ResultsReplaced();
  for (auto [box, which] : TextBoxes()) MarkBox(box, Q(plan::BoxProblem(view_, which)));
  summary_->setText(Q(view_.summary));
  copy_->setEnabled(view_.controls.copy);
  settle_->setEnabled(plan_.has_value() && !planning_);
  export_->setEnabled(plan_.has_value() && !planning_);
}

void PlannerWindow::DrawChoices() {
  const plan::PlannerControls& c = view_.controls;
  (model_.side == plan::Side::Back ? back_ : lay_)->setChecked(true);
  (model_.mode == plan::Mode::Stake    ? stake_
   : model_.mode == plan::Mode::Profit ? profit_
                                       : liability_)
      ->setChecked(true);
  profit_->setEnabled(c.profit);
  liability_->setEnabled(c.liability);
  each_way_->setChecked(model_.each_way.on);
  handicap_->setChecked(model_.each_way.handicap);
  lay_->setEnabled(c.lay);
  commission_->setEnabled(c.commission);
  exchange_rules_->setCurrentIndex(
      std::max(0, exchange_rules_->findData(Q(model_.exchange_rules))));
  ladder_->setChecked(model_.ladder);
  for (QWidget* w : std::initializer_list<QWidget*>{exchange_rules_, min_payout_, ladder_})
    w->setEnabled(c.exchange);
  for (QWidget* w :
       std::initializer_list<QWidget*>{field_size_, handicap_, places_, place_fraction_})
    w->setEnabled(c.terms);
  field_covered_->setChecked(model_.field_covered);
  // What does not apply is off, and says why.
  held_caption_->setText(Q(c.held_caption));
  for (QWidget* w : std::initializer_list<QWidget*>{held_grid_, add_held_, remove_held_,
                                                    paste_held_, field_covered_, rule4_})
    w->setEnabled(c.held);
  for (QWidget* w :
       std::initializer_list<QWidget*>{held_grid_, add_held_, remove_held_, paste_held_})
    w->setToolTip(Q(c.held_why));
  field_covered_->setToolTip(c.held ? QString(kFieldCoveredTip) : Q(c.held_why));
  place_market_->setEnabled(c.place_market);
  profit_->setToolTip(Q(c.profit_why));
  grid_->setColumnHidden(PlannerTable::kLiability, !c.columns.liability);
  grid_->setColumnHidden(PlannerTable::kPlaceOdds, !c.columns.place_odds);
  grid_->setColumnHidden(PlannerTable::kPlaceProfit, !c.columns.place_profit);
  grid_->setColumnHidden(PlannerTable::kHeld, !c.columns.held);
  for (int column : {PlannerTable::kPlaceLay, PlannerTable::kPlaceLiability,
                     PlannerTable::kExtraProfit, PlannerTable::kUnplacedProfit})
    grid_->setColumnHidden(column, !c.columns.place_lays);
  // Typed texts are drawn only when they differ, so the cursor stays put.
  for (auto [box, which] : TextBoxes()) {
    const QString text = Q(plan::ShownBoxText(model_, which));
    if (box->text() != text) box->setText(text);
  }
}

void PlannerWindow::FitHeldList() {
  const int lines = static_cast<int>(std::min<std::size_t>(model_.held.size(), kHeldLinesShown));
  held_grid_->setVisible(lines > 0);
  if (lines == 0) return;
  held_grid_->setFixedHeight(held_grid_->horizontalHeader()->sizeHint().height() +
                             lines * held_grid_->verticalHeader()->defaultSectionSize() +
                             2 * held_grid_->frameWidth());
}

void PlannerWindow::keyPressEvent(QKeyEvent* e) {
  if (!ClosedByEscape(this, e)) QWidget::keyPressEvent(e);
}

void PlannerWindow::closeEvent(QCloseEvent* e) {
  plan::SavePlannerSettings(settings_folder_, plan::SettingsOf(model_), may_save_, *reports_);
  e->accept();
}

}  // namespace stakora::qt
