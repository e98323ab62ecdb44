#pragma once
// The planner's runners grid as Qt sees it: rows and texts looked up in the
// planner's value and its view, and every edit handed back to the window,
// which applies it to the value. Nothing is kept or worked out here.

#include <optional>

#include "planner_view.h"
#include "qt/lines_table.h"

namespace stakora::qt {

class PlannerTable : public LinesTable {
  Q_OBJECT
 public:
  enum Column {
    kName,
    kOdds,
    kPlaceOdds,
    kSaver,
    kStake,
    kLiability,
    kPlaceLay,
    kPlaceLiability,
    kHeld,
    kProfit,
    kPlaceProfit,
    kExtraProfit,
    kUnplacedProfit,
    kBar,
    kColumns
  };
  PlannerTable(const plan::Planner& planner, const plan::PlannerView& view, Edit edit,
               QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // A new view: its figures, marks and heading are drawn again.
  void ResultsReplaced();

 private:
  // The planner's cell a column holds, when it is typed in.
  std::optional<plan::Cell> TypedCell(int column) const;
  const plan::Planner& planner_;
  const plan::PlannerView& view_;
};

}  // namespace stakora::qt
