#pragma once
// Odds typed at an exchange: while a cell's editor is open, Up and Down move
// its odds one tick along the exchange's price ladder and hand them to the
// model at once, so the plan follows the price as it is stepped.

#include <functional>

#include "qt/problem_marks.h"

namespace stakora::qt {

class TickDelegate : public ProblemFrameDelegate {
  Q_OBJECT
 public:
  // `ticks`: whether the keys move odds now (a plan at an exchange).
  TickDelegate(std::function<bool()> ticks, QObject* parent);
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<bool()> ticks_;
};

}  // namespace stakora::qt
