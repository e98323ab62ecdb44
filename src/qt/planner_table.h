#pragma once
// The planner's runners grid as Qt sees it: rows and texts read from the
// planner's value and its view, and every edit handed back to the window,
// which applies it to the value. Nothing is kept here.

#include <QAbstractTableModel>
#include <functional>

#include "planner_model.h"

namespace stakora::qt {

class PlannerTable : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column {
    kName,
    kOdds,
    kPlaceOdds,
    kSaver,
    kStake,
    kLiability,
    kHeld,
    kProfit,
    kPlaceProfit,
    kBar,
    kColumns
  };
  using Edit = std::function<void(const std::function<void(plan::Planner&)>&)>;

  PlannerTable(const plan::Planner& planner, const plan::PlannerView& view, Edit edit,
               QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Runs a change that makes rows come and go: everything is drawn afresh.
  void ReplaceRows(const std::function<void()>& change);
  // A new view: its figures are drawn again.
  void ResultsReplaced();

 private:
  const plan::Planner& planner_;
  const plan::PlannerView& view_;
  Edit edit_;
};

}  // namespace stakora::qt
