#include "qt/matched_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "planner_settings.h"
#include "qt/message_boxes.h"
#include "qt/problem_marks.h"
#include "qt/strings.h"
#include "qt/style.h"
#include "qt/window_parts.h"
#include "ui.h"

namespace stakora::qt {
namespace {

using plan::MatchedBox;

// A caption and its box at (row, column) of the grid, the box named for
// screen readers as the caption reads.
template <typename Box>
Box* Place(QGridLayout* grid, int row, int column, const QString& caption, Box* box) {
  box->setAccessibleName(QString(caption).remove('&'));
  auto* label = new QLabel(caption, box->parentWidget());
  label->setBuddy(box);
  grid->addWidget(label, row, column);
  grid->addWidget(box, row, column + 1);
  return box;
}

// A figure: read-only, but reached by Tab so a screen reader reads it.
QLineEdit* Figure(QWidget* parent) {
  auto* figure = new QLineEdit(parent);
  figure->setReadOnly(true);
  figure->setFocusPolicy(Qt::TabFocus);
  return figure;
}

void ShowMoney(QLineEdit* figure, const std::string& text, std::int64_t cents) {
  figure->setText(Q(text));
  SetColour(figure, QPalette::Text,
            cents < 0 ? kLossRed : figure->parentWidget()->palette().color(QPalette::Text));
}

}  // namespace

MatchedWindow::MatchedWindow(std::string settings_folder, MessageBoxes& boxes, QWidget* parent)
    : QWidget(parent, Qt::Window),
      settings_folder_(std::move(settings_folder)),
      reports_(std::make_unique<SettingsReports>(boxes, this)) {
  worker_ = std::make_unique<plan::PlanWorker>(
      DeliverTo(this, [this](std::uint64_t id, const auto& outcome) { Planned(id, outcome); }));
  setWindowTitle("Matched bet");
  const plan::LoadedText loaded =
      plan::LoadSettingsText(settings_folder_, plan::kMatchedSettingsFile, *reports_);
  may_save_ = loaded.may_save;
  model_ = plan::ReadMatchedSettings(loaded.text);
  Build();
  Connect();
  for (auto [box, which] : boxes_) box->setText(Q(plan::BoxText(model_, which)));
  kind_->setCurrentIndex(static_cast<int>(model_.kind));
  Replan();
  box(MatchedBox::BackStake)->setFocus();
}

MatchedWindow::~MatchedWindow() {
  worker_.reset();  // stops and joins first: no outcome arrives for a window half gone
}

QLineEdit* MatchedWindow::box(MatchedBox which) const {
  for (auto [box, w] : boxes_)
    if (w == which) return box;
  return nullptr;
}

void MatchedWindow::Build() {
  auto* top = new QVBoxLayout(this);
  auto* bet = new QGridLayout;
  kind_ = new QComboBox(this);
  for (plan::MatchedKind k : plan::kMatchedKinds) kind_->addItem(plan::MatchedKindLabel(k));
  Place(bet, 0, 0, "&Kind", kind_);
  const auto text_box = [&](int row, int column, const QString& caption, MatchedBox which,
                            std::size_t at) {
    boxes_[at] = {Place(bet, row, column, caption, new QLineEdit(this)), which};
  };
  // The back bet on the left, its lay on the right.
  text_box(1, 0, "Back &stake", MatchedBox::BackStake, 0);
  text_box(2, 0, "&Back odds", MatchedBox::BackOdds, 1);
  text_box(3, 0, "Back co&mmission %", MatchedBox::BackCommission, 2);
  text_box(1, 2, "&Lay odds", MatchedBox::LayOdds, 3);
  text_box(2, 2, "Lay &commission %", MatchedBox::LayCommission, 4);
  text_box(3, 2, "St&ep", MatchedBox::Step, 5);
  for (int column : {1, 3}) bet->setColumnStretch(column, 1);  // the boxes share the width
  box(MatchedBox::BackCommission)
      ->setToolTip("A back bet at an exchange: its commission on the winnings; empty for none");
  top->addLayout(bet);

  auto* figures = new QGridLayout;
  lay_stake_ = Place(figures, 0, 0, "Lay stake", Figure(this));
  liability_ = Place(figures, 0, 2, "Liability", Figure(this));
  if_back_ = Place(figures, 1, 0, "If the back bet wins", Figure(this));
  if_lay_ = Place(figures, 1, 2, "If the lay wins", Figure(this));
  result_ = Figure(this);
  result_label_ = new QLabel(this);
  result_label_->setBuddy(result_);
  figures->addWidget(result_label_, 2, 0);
  figures->addWidget(result_, 2, 1);
  for (int column : {1, 3}) figures->setColumnStretch(column, 1);
  top->addLayout(figures);

  // Underlay to the left, overlay to the right, the best lay between.
  auto* leaning = new QHBoxLayout;
  lean_ = new QSlider(Qt::Horizontal, this);
  lean_->setRange(-plan::kMostLean, plan::kMostLean);
  lean_->setSingleStep(5);
  lean_->setPageStep(25);
  lean_->setTickPosition(QSlider::TicksBelow);
  lean_->setTickInterval(50);
  lean_->setAccessibleName("Underlay or overlay");
  auto* caption = new QLabel("&Underlay", this);
  caption->setBuddy(lean_);
  leaning->addWidget(caption);
  leaning->addWidget(lean_, 1);
  leaning->addWidget(new QLabel("Overlay", this));
  top->addLayout(leaning);
  lean_text_ = new QLabel(this);
  top->addWidget(lean_text_);

  // A screen reader reads the summary itself: its text is its name.
  summary_ = new QLabel(this);
  summary_->setAccessibleDescription("Summary of the matched bet");
  summary_->setWordWrap(true);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  summary_->setFocusPolicy(Qt::TabFocus);
  summary_->setMinimumHeight(summary_->fontMetrics().lineSpacing() * 2);
  top->addWidget(summary_);

  auto* closing = new QHBoxLayout;
  to_planner_ = new QPushButton("Open in &planner", this);
  to_planner_->setToolTip(
      "Puts the back bet in the stake planner as a held bet, and the runner "
      "to lay, to plan it further");
  close_ = new QPushButton("Close", this);
  for (QPushButton* b : {to_planner_, close_}) b->setAutoDefault(true);
  closing->addWidget(to_planner_);
  closing->addStretch();
  closing->addWidget(close_);
  top->addLayout(closing);
  resize(560, sizeHint().height());
}

void MatchedWindow::Connect() {
  for (auto [box, which] : boxes_)
    connect(box, &QLineEdit::textEdited, this, [this, which = which](const QString& t) {
      plan::BoxText(model_, which) = S(t);
      Replan();
    });
  connect(kind_, &QComboBox::activated, this, [this](int at) {
    model_.kind = plan::kMatchedKinds[at];
    Replan();
  });
  connect(lean_, &QSlider::valueChanged, this, [this](int value) {
    if (value == model_.lean) return;
    plan::SetLean(model_, value);
    ShowBest();
  });
  connect(to_planner_, &QPushButton::clicked, this, [this] {
    if (request_) emit openInPlanner(*request_);
  });
  connect(close_, &QPushButton::clicked, this, &QWidget::close);
}

void MatchedWindow::Replan() {
  best_.reset();
  const auto request = plan::MatchedRequest(model_);
  if (!request) {
    request_.reset();
    generation_ = worker_->Cancel();
    planning_ = false;
    view_ = plan::MatchedViewWithout(request.error());
    Draw();
    return;
  }
  request_ = *request;
  generation_ = worker_->Submit(*request);
  planning_ = true;
  // The figures of the last plan stay until this one comes: a lay this
  // small plans in microseconds, and the form never flickers.
  to_planner_->setEnabled(true);
}

void MatchedWindow::Planned(std::uint64_t id, const Result<plan::Plan, std::string>& outcome) {
  if (id != generation_) return;  // an edit came since
  planning_ = false;
  best_ = outcome;
  ShowBest();
}

void MatchedWindow::ShowBest() {
  if (!best_ || !request_) return;
  view_ = plan::MatchedViewOf(model_, *request_, *best_);
  Draw();
}

void MatchedWindow::Draw() {
  const plan::MatchedView& v = view_;
  for (auto [box, which] : boxes_) {
    const bool wrong = v.problem && v.problem->box && *v.problem->box == which;
    MarkBox(box, wrong ? Q(v.problem->message) : QString());
  }
  lay_stake_->setText(Q(v.lay_stake));
  liability_->setText(Q(v.liability));
  ShowMoney(if_back_, v.if_back_wins, v.if_back_wins_cents);
  ShowMoney(if_lay_, v.if_lay_wins, v.if_lay_wins_cents);
  result_label_->setText(Q(v.result_label.empty() ? "Result" : v.result_label));
  result_->setAccessibleName(result_label_->text());
  result_->setText(Q(v.result));
  lean_->setValue(model_.lean);
  lean_->setAccessibleDescription(Q(v.lean_text));
  lean_text_->setText(Q(v.lean_text));
  summary_->setText(Q(v.summary));
  to_planner_->setEnabled(request_.has_value());
  emit shown();
}

void MatchedWindow::keyPressEvent(QKeyEvent* e) {
  if (!ClosedByEscape(this, e)) QWidget::keyPressEvent(e);
}

void MatchedWindow::closeEvent(QCloseEvent* e) {
  plan::SaveSettingsText(settings_folder_, plan::kMatchedSettingsFile,
                         plan::MatchedSettingsText(model_), may_save_, *reports_);
  e->accept();
}

}  // namespace stakora::qt
