#pragma once
// The planner's held bets list as Qt sees it: lines read from the planner's
// value, every edit handed back to the window. The kind is picked from the
// kinds a held bet can be; an each-way bet's places and fraction follow.

#include "planner_view.h"
#include "qt/choice_delegate.h"
#include "qt/lines_table.h"
#include "qt/problem_marks.h"

namespace stakora::qt {

class HeldTable : public LinesTable {
  Q_OBJECT
 public:
  enum Column { kRunner, kKind, kStake, kOdds, kPlaces, kFraction, kColumns };
  HeldTable(const plan::Planner& planner, const plan::PlannerView& view, Edit edit,
            QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // A new view: the cells' marks are drawn again.
  void ResultsReplaced();

 private:
  const plan::Planner& planner_;
  const plan::PlannerView& view_;
};

// The kind column's editor: a list of back, lay, free, free-sr and each-way.
ChoiceDelegate* HeldKindDelegate(QObject* parent);

}  // namespace stakora::qt
