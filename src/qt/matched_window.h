#pragma once
// "Matched bet": a back bet held and its lay, in one small form. Draws the
// matched bet's value; the lay is planned on a worker thread, exactly as the
// stake planner plans it around a held bet, so typing never waits.

#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "matched_bet.h"
#include "plan_worker.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace stakora {
class Ui;
}

namespace stakora::qt {

class MessageBoxes;

class MatchedWindow : public QWidget {
  Q_OBJECT
 public:
  // settings_folder: where matched.txt is read and written.
  MatchedWindow(std::string settings_folder, MessageBoxes& boxes, QWidget* parent = nullptr);
  ~MatchedWindow() override;

  const plan::MatchedBet& model() const { return model_; }
  const plan::MatchedView& view() const { return view_; }
  QLineEdit* box(plan::MatchedBox which) const;
  QComboBox* kind() const { return kind_; }
  QSlider* lean() const { return lean_; }
  QLineEdit* lay_stake() const { return lay_stake_; }
  QLabel* summary() const { return summary_; }
  QPushButton* open_in_planner() const { return to_planner_; }
  bool planning() const { return planning_; }

 signals:
  // The view of the newest edit is shown.
  void shown();
  // "Open in planner": the bet as a held bet and the runner to lay.
  void openInPlanner(const plan::Request& request);

 protected:
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void Build();
  void Connect();
  void Replan();
  void Planned(std::uint64_t id, const Result<plan::Plan, std::string>& outcome);
  // The view from the best plan and the lean as they stand.
  void ShowBest();
  void Draw();

  std::string settings_folder_;
  std::unique_ptr<Ui> reports_;
  bool may_save_ = false;
  plan::MatchedBet model_;
  plan::MatchedView view_;
  std::optional<plan::Request> request_;                 // the newest edit's, when it reads
  std::optional<Result<plan::Plan, std::string>> best_;  // its plan, once worked out

  std::array<std::pair<QLineEdit*, plan::MatchedBox>, 6> boxes_{};
  QComboBox* kind_ = nullptr;
  QSlider* lean_ = nullptr;
  QLabel* lean_text_ = nullptr;
  QLineEdit *lay_stake_ = nullptr, *liability_ = nullptr, *if_back_ = nullptr, *if_lay_ = nullptr,
            *result_ = nullptr;
  QLabel* result_label_ = nullptr;
  QLabel* summary_ = nullptr;
  QPushButton *to_planner_ = nullptr, *close_ = nullptr;

  std::uint64_t generation_ = 0;
  bool planning_ = false;
  std::unique_ptr<plan::PlanWorker> worker_;
};

}  // namespace stakora::qt
