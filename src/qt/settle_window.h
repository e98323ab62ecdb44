#pragma once
// "Settle bets": what a race pays a set of bets, worked out as the bets and
// the result are typed. The state is the core's Settler; this window draws it
// and forwards each edit. Settling a few hundred bets takes microseconds, so
// it is done at once, on the window's own thread.

#include <QWidget>

#include "plan.h"
#include "settler.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace stakora::qt {

class SettleBetsTable;
class SettleRunnersTable;

class SettleWindow : public QWidget {
  Q_OBJECT
 public:
  explicit SettleWindow(QWidget* parent = nullptr);
  ~SettleWindow() override;

  const settle::Settler& model() const { return model_; }
  const settle::SettlerView& view() const { return view_; }
  QTableView* bets() const { return bets_; }
  QTableView* runners() const { return runners_; }
  QLabel* totals() const { return totals_; }

  // The plan's bets and runners in place of what was typed.
  void SettlePlan(const plan::Plan& p);
  void PasteBets();  // from the clipboard

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void Build();
  void Connect();
  void ConnectLines(QPushButton* add, QPushButton* remove, QTableView* list,
                    void (*add_line)(settle::Settler&),
                    void (*remove_line)(settle::Settler&, std::size_t));
  // Applies an edit to the value, works out its view and draws both.
  template <typename EditFn>
  void Edit(EditFn edit);
  void Draw();

  settle::Settler model_;
  settle::SettlerView view_;
  QTableView *bets_ = nullptr, *runners_ = nullptr;
  SettleBetsTable* bets_table_ = nullptr;
  SettleRunnersTable* runners_table_ = nullptr;
  QLineEdit *commission_ = nullptr, *rule4_cap_ = nullptr;
  QLabel* totals_ = nullptr;
  QPushButton *add_bet_ = nullptr, *remove_bet_ = nullptr, *paste_bets_ = nullptr;
  QPushButton *add_runner_ = nullptr, *remove_runner_ = nullptr, *close_ = nullptr;
};

}  // namespace stakora::qt
