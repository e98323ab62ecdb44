#include "qt/planner_table.h"

#include "qt/problem_marks.h"
#include "qt/profit_bar_delegate.h"
#include "qt/strings.h"
#include "qt/style.h"

namespace stakora::qt {

PlannerTable::PlannerTable(const plan::Planner& planner, const plan::PlannerView& view, Edit edit,
                           QObject* parent)
    : LinesTable(std::move(edit), parent), planner_(planner), view_(view) {}

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
      if (role == Qt::ToolTipRole) return Q(view_.controls.saver_why);
      return {};
    case kBar:
      if (role == ProfitBarDelegate::kBarRole && result.bar) return *result.bar;
      if (role == ProfitBarDelegate::kPlaceBarRole && result.place_bar) return *result.place_bar;
      if (role == ProfitBarDelegate::kZeroRole && result.bar) return view_.bar_zero;
      if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole) return Q(result.bar_text);
      return {};
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
    Send(plan::SaverTicked{row, value.toInt() == Qt::Checked});
  } else if ((index.column() == kName || index.column() == kOdds) && role == Qt::EditRole) {
    const plan::Cell cell = index.column() == kName ? plan::Cell::Name : plan::Cell::Odds;
    Send(plan::CellTyped{row, cell, S(value.toString())});
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
    case kSaver: {
      // A saver ticked before held bets came can still be unticked.
      const auto row = static_cast<std::size_t>(index.row());
      const bool ticked = row < planner_.rows.size() && planner_.rows[row].saver;
      if (view_.controls.saver || ticked) return shown | Qt::ItemIsUserCheckable;
      return Qt::ItemIsSelectable;
    }
    default:
      return shown;  // results are shown, never typed in
  }
}

QVariant PlannerTable::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::ToolTipRole && orientation == Qt::Horizontal && section == kBar)
    return plan::kBarsLegend;
  if (role == Qt::ToolTipRole && orientation == Qt::Horizontal && section == kSaver)
    return Q(view_.controls.saver_why);
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
      return Q(view_.controls.stake_heading);
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

void PlannerTable::ResultsReplaced() {
  Redraw({Qt::DisplayRole, Qt::ForegroundRole, kProblemRole, Qt::ToolTipRole,
          Qt::AccessibleDescriptionRole, Qt::AccessibleTextRole, ProfitBarDelegate::kBarRole,
          ProfitBarDelegate::kPlaceBarRole, ProfitBarDelegate::kZeroRole});
  emit headerDataChanged(Qt::Horizontal, kSaver, kStake);
}

}  // namespace stakora::qt
