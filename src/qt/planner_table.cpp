#include "qt/planner_table.h"

#include "qt/problem_marks.h"
#include "qt/profit_bar_delegate.h"
#include "qt/strings.h"
#include "qt/style.h"

#include "plan_text.h"

namespace stakora::qt {

PlannerTable::PlannerTable(const plan::Planner& planner, const plan::PlannerView& view, Edit edit,
                           QObject* parent)
    : QAbstractTableModel(parent), planner_(planner), view_(view), edit_(std::move(edit)) {}

int PlannerTable::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(planner_.rows.size());
}

int PlannerTable::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant PlannerTable::data(const QModelIndex& index, int role) const {
  const auto row = static_cast<std::size_t>(index.row());
  if (!index.isValid() || row >= planner_.rows.size()) return {};
  const plan::PlannerRow& typed = planner_.rows[row];
  static const plan::RowResult kNothing;
  const plan::RowResult& result = row < view_.rows.size() ? view_.rows[row] : kNothing;
  const bool planned = !result.stake.empty();
  switch (index.column()) {
    case kName:
    case kOdds: {
      const plan::Cell cell = index.column() == kName ? plan::Cell::Name : plan::Cell::Odds;
      if (role == Qt::DisplayRole || role == Qt::EditRole)
        return Q(cell == plan::Cell::Name ? typed.name : typed.odds);
      if (role == kProblemRole || role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole)
        return Q(plan::CellProblem(view_, row, cell));
      return {};
    }
    case kSaver:
      if (role == Qt::CheckStateRole) return typed.saver ? Qt::Checked : Qt::Unchecked;
      return {};
    case kBar: {
      const bool each_way = !result.place_profit.empty();
      auto share = [&](std::int64_t cents) {
        return static_cast<double>(cents) / static_cast<double>(view_.largest_profit);
      };
      if (role == ProfitBarDelegate::kBarRole && planned && view_.largest_profit > 0)
        return share(result.profit_cents);
      if (role == ProfitBarDelegate::kPlaceBarRole && each_way && view_.largest_profit > 0)
        return share(result.place_profit_cents);
      if (role == ProfitBarDelegate::kZeroRole && planned)
        return view_.any_loss ? (view_.any_gain ? 0.5 : 1.0) : 0.0;
      if (role == Qt::AccessibleTextRole)
        return Q(each_way ? "if it wins " + result.profit + ", if it places " + result.place_profit
                          : result.profit);
      return {};
    }
    default:
      break;
  }
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
  if (role == Qt::ForegroundRole && ((index.column() == kProfit && result.loss) ||
                                     (index.column() == kPlaceProfit && result.place_loss)))
    return kLossRed;
  if (role != Qt::DisplayRole) return {};
  switch (index.column()) {
    case kPlaceOdds:
      return Q(result.place_odds);
    case kStake:
      return Q(result.stake);
    case kLiability:
      return Q(result.liability);
    case kHeld:
      return Q(result.held);
    case kPlaceProfit:
      return Q(result.place_profit);
    default:
      return Q(result.profit);
  }
}

bool PlannerTable::setData(const QModelIndex& index, const QVariant& value, int role) {
  const auto row = static_cast<std::size_t>(index.row());
  if (!index.isValid() || row >= planner_.rows.size()) return false;
  if (index.column() == kSaver && role == Qt::CheckStateRole) {
    const bool saver = value.toInt() == Qt::Checked;
    edit_([row, saver](plan::Planner& p) { plan::SetSaver(p, row, saver); });
  } else if ((index.column() == kName || index.column() == kOdds) && role == Qt::EditRole) {
    const plan::Cell cell = index.column() == kName ? plan::Cell::Name : plan::Cell::Odds;
    const std::string text = S(value.toString());
    edit_([row, cell, text](plan::Planner& p) { plan::SetCell(p, row, cell, text); });
  } else {
    return false;
  }
  emit dataChanged(index, index);
  return true;
}

Qt::ItemFlags PlannerTable::flags(const QModelIndex& index) const {
  const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  switch (index.column()) {
    case kName:
    case kOdds:
      return shown | Qt::ItemIsEditable;
    case kSaver:
      return shown | Qt::ItemIsUserCheckable;
    default:
      return shown;  // results are shown, never typed in
  }
}

QVariant PlannerTable::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  switch (section) {
    case kName:
      return "Name";
    case kOdds:
      return "Odds";
    case kSaver:
      return "Saver";
    case kStake:
      return plan::StakeHeading(planner_.side, planner_.each_way.on);
    case kLiability:
      return "Liability";
    case kHeld:
      return "Held if wins";
    case kPlaceOdds:
      return "Place odds";
    case kProfit:
      return "Profit if wins";
    case kPlaceProfit:
      return "Profit if it places";
    default:
      return "Spread";
  }
}

void PlannerTable::ReplaceRows(const std::function<void()>& change) {
  beginResetModel();
  change();
  endResetModel();
}

void PlannerTable::ResultsReplaced() {
  if (rowCount() > 0) emit dataChanged(index(0, kName), index(rowCount() - 1, kBar));
  emit headerDataChanged(Qt::Horizontal, kStake, kStake);
}

}  // namespace stakora::qt
