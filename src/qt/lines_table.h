#pragma once
// A table of the planner's lines (the runners' grid, the held bets). Edits go
// back to the window as values; the table tells its views which lines went
// and came and which cells changed, rather than starting them afresh.

#include <QAbstractTableModel>
#include <QList>
#include <functional>

#include "planner_model.h"

namespace stakora::qt {

class LinesTable : public QAbstractTableModel {
  Q_OBJECT
 public:
  using Edit = std::function<void(const plan::PlannerEdit&)>;

  LinesTable(Edit edit, QObject* parent) : QAbstractTableModel(parent), edit_(std::move(edit)) {}

  // Takes the views through the change: `remove` leaves the old lines
  // without those that went, `finish` brings the new ones.
  void ChangeLines(const plan::LineChange& c, const std::function<void()>& remove,
                   const std::function<void()>& finish);
  // The `roles` of every cell drawn again.
  void Redraw(const QList<int>& roles);

 protected:
  void Send(const plan::PlannerEdit& edit) const { edit_(edit); }

 private:
  Edit edit_;
};

}  // namespace stakora::qt
