#pragma once
// Form1 on screen: owns the model, forwards the user's actions to the
// handlers and draws the model after each of them.

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

#include "form1.h"
#include "lifecycle.h"
#include "qt/form1_widgets.h"
#include "qt/matched_window.h"
#include "qt/planner_window.h"
#include "qt/settle_window.h"
#include "ui.h"

namespace stakora::qt {

class MessageBoxes;
class PagesHost;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  MainWindow(Platform platform, MessageBoxes& boxes, PagesHost& pages, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Form_Load: runs once, before the window is first shown.
  void Load();

  const Form1& model() const { return model_; }
  Form1Widgets& widgets() { return w_; }
  bool ended() const { return ended_; }
  // Tools > Stake planner.
  void ShowPlanner();
  PlannerWindow* planner() const { return planner_; }
  // Tools > Settle bets.
  void ShowSettle();
  SettleWindow* settler() const { return settle_; }
  // Tools > Matched bet.
  void ShowMatched();
  MatchedWindow* matched() const { return matched_; }

  // Brings the widgets up to date with the model, the window height included.
  void Render();

 signals:
  void programEnded();

 protected:
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  class Bridge;

  void BuildMenu();
  void FocusMenuBar();
  void PlaceBeside(QWidget* other) const;
  void Connect();
  void Run(const std::function<void(Form1&, Ui&)>& handler);
  void RunClose(CloseOutcome (*handler)(Form1&, Ui&));
  void EndProgram();
  void ApplyHeight();

  Form1 model_;
  MessageBoxes& boxes_;
  PagesHost& pages_;
  std::unique_ptr<Bridge> bridge_;
  Form1Widgets w_;
  bool ended_ = false;
  bool shown_before_ = false;
  QPointer<PlannerWindow> planner_;
  QPointer<SettleWindow> settle_;
  QPointer<MatchedWindow> matched_;
};

}  // namespace stakora::qt
