#pragma once
// "Stake planner": draws the planner's value and forwards each edit to it.
// The plan is worked out on a worker thread; a newer edit stops the one
// before and an outdated result is dropped, so typing never waits for it.

#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <utility>

#include "plan_worker.h"
#include "planner_view.h"

class QButtonGroup;
class QVBoxLayout;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QTimer;

namespace stakora {
class Ui;
}

namespace stakora::qt {

class HeldTable;
class MessageBoxes;
class PlannerTable;

class PlannerWindow : public QWidget {
  Q_OBJECT
 public:
  // settings_folder: where planner.txt is read and written.
  PlannerWindow(std::string settings_folder, MessageBoxes& boxes, QWidget* parent = nullptr);
  ~PlannerWindow() override;

  const plan::Planner& model() const { return model_; }
  const plan::PlannerView& view() const { return view_; }
  QTableView* grid() const { return grid_; }
  QLabel* summary() const { return summary_; }
  QLineEdit* amount() const { return amount_; }
  QCheckBox* each_way() const { return each_way_; }
  QTableView* held_grid() const { return held_grid_; }
  QCheckBox* field_covered() const { return field_covered_; }
  QLineEdit* field_size() const { return field_size_; }
  QComboBox* exchange_rules() const { return exchange_rules_; }
  QCheckBox* ladder() const { return ladder_; }
  // A plan for the newest edit is being worked out.
  bool planning() const { return planning_; }

  void AddRunner();
  void PasteRunners();  // from the clipboard
  void CopyStakes();    // to the clipboard
  void AddHeld();
  void PasteHeld();  // from the clipboard
  // Races and plans as files a spreadsheet opens; each says what went wrong
  // in a box, and an open that fails changes nothing.
  void SaveRace();  // asks where
  void OpenRace();  // asks which
  void ExportPlan();
  bool SaveRaceTo(const QString& path);
  bool OpenRaceFrom(const QString& path);
  bool ExportPlanTo(const QString& path);
  // A plan from another window, in place of the race here once the user
  // agrees to lose it.
  void Carry(const plan::Request& request);

 signals:
  // The window shows the newest edit's outcome: a plan, a refusal or a prompt.
  void shown();
  // "Settle this plan": the plan shown, for the Settle window.
  void settleAsked(const plan::Plan& p);

 protected:
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  // An outcome from the worker, shown when it is the newest edit's.
  void Planned(std::uint64_t id, const Result<plan::Plan, std::string>& outcome);
  void Build();
  void BuildChoices(QVBoxLayout* top);
  void BuildExchange(QVBoxLayout* top);
  void BuildRunners(QVBoxLayout* top);
  void BuildHeld(QVBoxLayout* top);
  void BuildSummary(QVBoxLayout* top);
  void Connect();
  // Applies the edit; the tables learn which lines went and came.
  void Edit(const plan::PlannerEdit& edit);
  void Replan();
  void Show(plan::PlannerView view);
  // Draws model_ and view_: the choices, the marks, the figures, the summary.
  void Draw();
  void DrawChoices();
  // The held bets list as high as its lines, up to four; none while empty.
  void FitHeldList();
  // Yes when nothing is typed here to lose, else the user's answer.
  bool MayReplaceRace(const QString& question);
  // Each text box with the planner's box it shows.
  std::array<std::pair<QLineEdit*, plan::Box>, 10> TextBoxes() const;

  std::string settings_folder_;
  MessageBoxes& boxes_;
  std::unique_ptr<Ui> reports_;  // the settings file's error numbers, over this window
  bool may_save_ = false;
  plan::Planner model_;
  plan::PlannerView view_;

  QButtonGroup *side_ = nullptr, *mode_ = nullptr;
  QRadioButton *back_ = nullptr, *lay_ = nullptr;
  QRadioButton *stake_ = nullptr, *profit_ = nullptr, *liability_ = nullptr;
  QLineEdit *amount_ = nullptr, *commission_ = nullptr, *step_ = nullptr, *min_stake_ = nullptr;
  QCheckBox *each_way_ = nullptr, *handicap_ = nullptr;
  QLineEdit *field_size_ = nullptr, *places_ = nullptr, *place_fraction_ = nullptr;
  QLineEdit* rule4_ = nullptr;
  QLineEdit* place_market_ = nullptr;
  QComboBox* exchange_rules_ = nullptr;
  QLineEdit* min_payout_ = nullptr;
  QCheckBox* ladder_ = nullptr;
  QTableView* grid_ = nullptr;
  PlannerTable* table_ = nullptr;
  QLabel* summary_ = nullptr;
  QPushButton *add_ = nullptr, *remove_ = nullptr, *paste_ = nullptr, *copy_ = nullptr,
              *clear_ = nullptr, *close_ = nullptr, *settle_ = nullptr;
  QPushButton *save_race_ = nullptr, *open_race_ = nullptr, *export_ = nullptr;
  std::optional<plan::Plan> plan_;  // the plan shown, while it stands for model_
  QTableView* held_grid_ = nullptr;
  HeldTable* held_table_ = nullptr;
  QPushButton *add_held_ = nullptr, *remove_held_ = nullptr, *paste_held_ = nullptr;
  QCheckBox* field_covered_ = nullptr;
  QLabel* held_caption_ = nullptr;

  std::uint64_t generation_ = 0;  // the worker's number for the newest edit
  bool planning_ = false;
  std::unique_ptr<plan::PlanWorker> worker_;
  QTimer* slow_ = nullptr;  // says "working" once a plan takes long enough to notice
};

}  // namespace stakora::qt
