#pragma once
// "Stake planner": runners in a grid, the plan worked out as the user types,
// and its settings kept in a file of their own beside the program.

#include <QWidget>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "plan.h"
#include "plan_text.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace stakora::qt {

class ProfitBars;

class PlannerWindow : public QWidget {
  Q_OBJECT
 public:
  enum Column { kName, kOdds, kSaver, kStake, kLiability, kProfit, kColumns };

  // settings_folder: where planner.txt is read and written.
  explicit PlannerWindow(std::string settings_folder, QWidget* parent = nullptr);

  QTableWidget* grid() const { return grid_; }
  QLabel* summary() const { return summary_; }
  QLineEdit* amount() const { return amount_; }
  ProfitBars* bars() const { return bars_; }
  plan::PlannerSettings settings() const;

  void AddRunner(const plan::RunnerInput& r = {});
  void PasteRunners();  // from the clipboard
  void CopyStakes();    // to the clipboard

 protected:
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void Build();
  void Apply(const plan::PlannerSettings& s);
  void SideChanged();
  void Recalculate();
  void ShowPlan(const plan::Plan& p);
  void ClearResults();
  void PlaceBars();  // level with their rows, after a plan, a scroll or a resize
  plan::Request CurrentRequest() const;
  // A row with neither a name nor odds is not filled in yet: it is no runner.
  bool RowEmpty(int row) const;

  std::string settings_path_;
  QButtonGroup* side_ = nullptr;
  QButtonGroup* mode_ = nullptr;
  QRadioButton *back_ = nullptr, *lay_ = nullptr;
  QRadioButton *stake_ = nullptr, *profit_ = nullptr, *liability_ = nullptr;
  QLineEdit *amount_ = nullptr, *commission_ = nullptr, *step_ = nullptr, *min_stake_ = nullptr;
  QTableWidget* grid_ = nullptr;
  ProfitBars* bars_ = nullptr;
  QLabel* summary_ = nullptr;
  QPushButton* copy_ = nullptr;
  std::vector<std::pair<int, std::int64_t>> bar_rows_;  // grid row and profit, per runner
  std::string stakes_text_;  // what "Copy stakes" copies: the last plan's
  bool filling_ = false;     // results being written: not an edit
};

}  // namespace stakora::qt
