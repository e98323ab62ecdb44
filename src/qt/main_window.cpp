#include "qt/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QProxyStyle>
#include <QScreen>
#include <QShortcut>
#include <QWindow>
#include <algorithm>

#include "app_identity.h"
#include "box_edits.h"
#include "calculate.h"
#include "commands.h"
#include "horse_count.h"
#include "options.h"
#include "qt/accessibility.h"
#include "qt/message_boxes.h"
#include "qt/pages_host.h"
#include "qt/planner_window.h"
#include "qt/program_icon.h"
#include "qt/strings.h"
#include "qt/style.h"
#include "qt/twips.h"

namespace stakora::qt {
namespace {

// Title bar and borders where the windowing system does not report them.
constexpr int kFrameAllowancePx = 31;

// A tool window shown, in front, with the keys.
void ShowOnTop(QWidget* w) {
  w->show();
  w->raise();
  w->activateWindow();
}

class MenuKeysStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* out) const override {
    if (hint == SH_MenuBar_AltKeyNavigation) return 1;
    return QProxyStyle::styleHint(hint, option, widget, out);
  }
};

}  // namespace

// The core's view of the desktop. Every box is shown with the widgets brought
// up to date first, so it sees the window as the handler has left it so far.
class MainWindow::Bridge : public Ui {
 public:
  explicit Bridge(MainWindow& w) : w_(w) {}
  void ShowMessage(const std::string& prompt) override {
    w_.Render();
    w_.boxes_.Message(&w_, Q(prompt));
  }
  bool AskYesNo(const std::string& prompt) override {
    w_.Render();
    return w_.boxes_.Question(&w_, Q(prompt));
  }
  void ShowErrorNumber(ReportNumber number) override {
    w_.Render();
    w_.boxes_.ErrorNumber(&w_, QString::number(ToInt(number)));
  }
  void SetFocus(FocusTarget t) override {
    QWidget* target = w_.w_.Total_stake;
    if (t.kind == FocusTarget::Kind::Combo1) target = w_.w_.Combo1;
    if (t.kind == FocusTarget::Kind::txt_odds && t.row >= 0 && t.row < kRowCount)
      target = w_.w_.rows[static_cast<std::size_t>(t.row)].txt_odds;
    target->setFocus(Qt::OtherFocusReason);
  }
  void ShowBrowser() override {
    const QString failed = w_.pages_.ShowBrowser(Q(w_.model_.thisURL));
    if (!failed.isEmpty()) w_.boxes_.Failure(&w_, failed);
  }
  void OpenInSystemBrowser(const std::string& url) override { w_.pages_.OpenExternal(Q(url)); }

 private:
  MainWindow& w_;
};

MainWindow::MainWindow(Platform platform, MessageBoxes& boxes, PagesHost& pages, QWidget* parent)
    : QMainWindow(parent),
      model_(MakeForm1(std::move(platform))),
      boxes_(boxes),
      pages_(pages),
      bridge_(std::make_unique<Bridge>(*this)) {
  InstallAccessibility();
  setWindowTitle(QString::fromUtf8(kAppTitle));
  setWindowIcon(QIcon(ProgramIcon()));
  setFont(Font(Face::Verdana, 8.25, false));
  BuildMenu();
  auto* client = new QWidget(this);
  setCentralWidget(client);
  w_ = BuildForm1Widgets(client, model_);
  Connect();
  ApplyHeight();
}

MainWindow::~MainWindow() {
  delete planner_.data();  // windows of their own, with no parent to end them
  delete settle_.data();
  delete matched_.data();
}

void MainWindow::BuildMenu() {
  QMenuBar* bar = menuBar();
  // Alt alone and F10 reach the menu on every system, not only where the
  // platform's style happens to allow it.
  auto* keys = new MenuKeysStyle;
  keys->setParent(bar);
  bar->setStyle(keys);
  auto command = [this, bar](const QString& caption, auto handler) {
    QAction* a = bar->addAction(caption);
    connect(a, &QAction::triggered, this, [this, handler] { Run(handler); });
    return a;
  };
  command("Help", &Help_Click)->setShortcut(QKeySequence::HelpContents);
  command("Register", &Register_Click);
  command("Updates", &Updates_Click);
  QMenu* tools = bar->addMenu("Tools");
  connect(tools->addAction("Each Way Checker"), &QAction::triggered, this,
          [this] { Run(&EachWayChecke_Click); });
  QAction* planner = tools->addAction("Stake planner");
  planner->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));  // shown beside the item
  connect(planner, &QAction::triggered, this, &MainWindow::ShowPlanner);
  QAction* settle = tools->addAction("Settle bets");
  settle->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  connect(settle, &QAction::triggered, this, &MainWindow::ShowSettle);
  QAction* matched = tools->addAction("Matched bet");
  matched->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
  connect(matched, &QAction::triggered, this, &MainWindow::ShowMatched);
  connect(bar->addAction("Exit"), &QAction::triggered, this, [this] { RunClose(&Exit_Click); });
  connect(new QShortcut(Qt::Key_F10, this), &QShortcut::activated, this, &MainWindow::FocusMenuBar);
}

// F10 does what a tap of Alt does: the menu bar takes the keys with its first
// item lit, and Esc gives them back to the box that had them.
void MainWindow::FocusMenuBar() {
  QKeyEvent press(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
  QCoreApplication::sendEvent(this, &press);
  QCoreApplication::sendEvent(this, &release);
}

void MainWindow::Connect() {
  auto on_option = [this](QRadioButton* r, OptionId id) {
    connect(r, &QRadioButton::clicked, this,
            [this, id] { Run([id](Form1& f, Ui&) { SelectOption(f, id); }); });
  };
  on_option(w_.Option1[0], OptionId::Option1_0);
  on_option(w_.Option1[1], OptionId::Option1_1);
  on_option(w_.Option2, OptionId::Option2);
  on_option(w_.Option3, OptionId::Option3);
  on_option(w_.Option4, OptionId::Option4);

  // Typing sets the model's text at once and calculates nothing.
  connect(w_.Total_stake, &QLineEdit::textEdited, this, [this](const QString& t) {
    model_.Total_stake.text = t.toStdString();
    Run([](Form1& f, Ui&) { Total_stake_Change(f); });
  });
  connect(w_.Combo1->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& t) {
    model_.Combo1.text = t.toStdString();
    Run([](Form1& f, Ui&) { Combo1_Change(f); });
  });
  connect(w_.Combo1, &QComboBox::activated, this, [this](int index) {
    model_.Combo1.text = w_.Combo1->itemText(index).toStdString();
    Run([](Form1& f, Ui&) {
      (void)Combo1_Click(f);  // a list item is always a count of 1 to 5
    });
  });
  // Enter in the amount or an odds box presses Calculate.
  for (QLineEdit* box : {w_.Total_stake, w_.rows[0].txt_odds, w_.rows[1].txt_odds,
                         w_.rows[2].txt_odds, w_.rows[3].txt_odds, w_.rows[4].txt_odds})
    connect(box, &QLineEdit::returnPressed, w_.cmd_calculate2, &QPushButton::click);
  for (std::size_t i = 0; i < w_.rows.size(); ++i) {
    connect(w_.rows[i].txt_odds, &QLineEdit::textEdited, this, [this, i](const QString& t) {
      model_.rows[i].txt_odds.text = t.toStdString();
      Run([i](Form1& f, Ui&) { txt_odds_Change(f, static_cast<int>(i)); });
    });
  }

  connect(w_.cmd_calculate2, &QPushButton::clicked, this,
          [this] { Run([](Form1& f, Ui& ui) { (void)cmd_calculate2_Click(f, ui); }); });
  connect(w_.cmd_close, &QPushButton::clicked, this, [this] { RunClose(&cmd_close_Click); });
  connect(w_.Label9, &ClickableLabel::clicked, this, [this] { Run(&Label9_Click); });
  connect(w_.Label7, &ClickableLabel::clicked, this, [this] { Run(&Label7_Click); });
}

void MainWindow::Load() {
  Run(&Form_Load);
}

void MainWindow::Run(const std::function<void(Form1&, Ui&)>& handler) {
  if (ended_) return;
  handler(model_, *bridge_);
  Render();
}

void MainWindow::RunClose(CloseOutcome (*handler)(Form1&, Ui&)) {
  if (ended_) return;
  const CloseOutcome outcome = handler(model_, *bridge_);
  Render();
  if (outcome == CloseOutcome::EndProgram) EndProgram();
}

void MainWindow::Render() {
  stakora::qt::Render(model_, w_);
  ApplyHeight();
}

// The model's height is the outer height: title bar, borders and menu bar
// included. The client area gets what is left, so the bottom controls keep
// their distance from the window's bottom edge.
void MainWindow::ApplyHeight() {
  const int reported = frameGeometry().height() - geometry().height();
  const int frame = isVisible() && reported > 0 ? reported : kFrameAllowancePx;
  const QSize size(Px(kClientWidth), Px(model_.height) - frame);
  if (this->size() != size) setFixedSize(size);
}

void MainWindow::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  ApplyHeight();  // the real frame is known now
  // The first control to take the focus is the horse count, so typing right
  // after the About box goes there.
  if (!shown_before_) w_.Combo1->setFocus(Qt::ActiveWindowFocusReason);
  shown_before_ = true;
}

void MainWindow::closeEvent(QCloseEvent* e) {
  // Every close of the main window that no handler asked for goes through
  // Form_QueryUnload, which decides whether the program ends.
  if (ended_ || Form_QueryUnload(model_) == CloseOutcome::EndProgram) {
    e->accept();
    EndProgram();
  } else {
    e->ignore();
  }
}

void MainWindow::ShowPlanner() {
  if (ended_) return;
  // Made on first use, so it costs the start-up nothing; one at a time.
  if (!planner_) {
    planner_ = new PlannerWindow(model_.platform.SettingsFolder(), boxes_);
    PlaceBeside(planner_);
    connect(planner_, &PlannerWindow::settleAsked, this, [this](const plan::Plan& p) {
      ShowSettle();
      if (settle_) settle_->SettlePlan(p);
    });
  }
  ShowOnTop(planner_);
}

void MainWindow::ShowMatched() {
  if (ended_) return;
  if (!matched_) {
    matched_ = new MatchedWindow(model_.platform.SettingsFolder(), boxes_);
    PlaceBeside(matched_);
    connect(matched_, &MatchedWindow::openInPlanner, this, [this](const plan::Request& r) {
      ShowPlanner();
      if (planner_) planner_->Carry(r);
    });
  }
  ShowOnTop(matched_);
}

void MainWindow::ShowSettle() {
  if (ended_) return;
  // Closing hides it with everything typed, until the program ends.
  if (!settle_) {
    settle_ = new SettleWindow;
    PlaceBeside(settle_);
  }
  ShowOnTop(settle_);
}

// Beside this window where the screen has room, right then left; else below
// its menu bar, smaller if it must be, so the menu stays in reach.
void MainWindow::PlaceBeside(QWidget* other) const {
  const QScreen* screen = this->screen();
  if (!screen) return;
  const QRect room = screen->availableGeometry();
  const QRect self = frameGeometry();
  const QSize frame(kFrameAllowancePx / 4, kFrameAllowancePx);  // borders, title bar
  constexpr int kGap = 8;
  const int width = other->width() + frame.width();
  QPoint at(self.right() + 1 + kGap, self.top());
  if (at.x() + width > room.right() + 1) at.setX(self.left() - kGap - width);
  if (at.x() < room.left()) {
    at.setX(std::max(room.left(), std::min(self.left(), room.right() + 1 - width)));
    at.setY(menuBar()->mapToGlobal(QPoint(0, menuBar()->height())).y() + kGap);
    const int below = room.bottom() + 1 - at.y() - frame.height();
    if (other->height() > below) other->resize(other->width(), std::max(below, 0));
  }
  at.setY(
      std::max(room.top(), std::min(at.y(), room.bottom() + 1 - other->height() - frame.height())));
  other->move(at);
}

void MainWindow::EndProgram() {
  if (ended_) return;
  ended_ = true;
  if (planner_) {
    planner_->close();  // keeps its choices and race
    delete planner_.data();
  }
  if (matched_) {
    matched_->close();  // keeps its commission and step
    delete matched_.data();
  }
  delete settle_.data();
  pages_.CloseAll();
  hide();
  emit programEnded();
}

}  // namespace stakora::qt
