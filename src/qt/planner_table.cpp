#include "qt/planner_table.h"

#include "qt/problem_marks.h"
#include "qt/profit_bar_delegate.h"
#include "qt/strings.h"
#include "qt/style.h"

namespace stakora::qt {
namespace {

// The worked-out columns: each its text and, for a profit, its cents, red
// below 0.
struct Figure {
  int column;
  std::string plan::RowResult::*text;
  std::int64_t plan::RowResult::*cents = nullptr;
};
constexpr Figure kFigures[] = {
    {PlannerTable::kPlaceOdds, &plan::RowResult::place_odds},
    {PlannerTable::kStake, &plan::RowResult::stake},
    {PlannerTable::kLiability, &plan::RowResult::liability},
    {PlannerTable::kPlaceLay, &plan::RowResult::place_lay},
    {PlannerTable::kPlaceLiability, &plan::RowResult::place_liability},
    {PlannerTable::kHeld, &plan::RowResult::held},
    {PlannerTable::kProfit, &plan::RowResult::profit, &plan::RowResult::profit_cents},
    {PlannerTable::kPlaceProfit, &plan::RowResult::place_profit,
     &plan::RowResult::place_profit_cents},
    {PlannerTable::kExtraProfit, &plan::RowResult::extra_profit,
     &plan::RowResult::extra_profit_cents},
    {PlannerTable::kUnplacedProfit, &plan::RowResult::unplaced_profit,
     &plan::RowResult::unplaced_profit_cents},
};

}  // namespace

PlannerTable::PlannerTable(const plan::Planner& planner, const plan::PlannerView& view, Edit edit,
                           QObject* parent)
    : LinesTable(std::move(edit), parent), planner_(planner), view_(view) {}

std::optional<plan::Cell> PlannerTable::TypedCell(int column) const {
  if (column == kName) return plan::Cell::Name;
  if (column == kOdds) return plan::Cell::Odds;
  // Around held each-way bets the place odds are typed; each way's are worked out.
  if (column == kPlaceOdds && view_.controls.columns.place_lays) return plan::Cell::PlaceOdds;
  return std::nullopt;
}

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
  if (const auto cell = TypedCell(index.column())) {
    if (role == Qt::DisplayRole || role == Qt::EditRole)
      return Q(*cell == plan::Cell::Name   ? typed.name
               : *cell == plan::Cell::Odds ? typed.odds
                                           : typed.place_odds);
    if (role == kProblemRole || role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole)
      return Q(plan::CellProblem(view_, row, *cell));
    return {};
  }
  switch (index.column()) {
    case kSaver:
      if (role == Qt::CheckStateRole) return typed.saver ? Qt::Checked : Qt::Unchecked;
      if (role == Qt::ToolTipRole) return Q(view_.controls.saver_why);
      return {};
    case kBar:
      if (role == ProfitBarDelegate::kBarRole && result.bar) return *result.bar;
      if (role == ProfitBarDelegate::kPlaceBarRole && result.place_bar) return *result.place_bar;
      if (role == ProfitBarDelegate::kExtraBarRole && result.extra_bar) return *result.extra_bar;
      if (role == ProfitBarDelegate::kUnplacedBarRole && result.unplaced_bar)
        return *result.unplaced_bar;
      if (role == ProfitBarDelegate::kZeroRole && result.bar) return view_.bar_zero;
      if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole) return Q(result.bar_text);
      return {};
    default:
      break;
  }
  for (const Figure& f : kFigures) {
    if (f.column != index.column()) continue;
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole && f.cents && result.*f.cents < 0) return kLossRed;
    if (role == Qt::DisplayRole) return Q(result.*f.text);
  }
  return {};
}

bool PlannerTable::setData(const QModelIndex& index, const QVariant& value, int role) {
  const auto row = static_cast<std::size_t>(index.row());
  if (!index.isValid() || row >= planner_.rows.size()) return false;
  if (index.column() == kSaver && role == Qt::CheckStateRole) {
    Send(plan::SaverTicked{row, value.toInt() == Qt::Checked});
  } else if (const auto cell = TypedCell(index.column()); cell && role == Qt::EditRole) {
    Send(plan::CellTyped{row, *cell, S(value.toString())});
  } else {
    return false;
  }
  emit dataChanged(index, index);
  return true;
}

Qt::ItemFlags PlannerTable::flags(const QModelIndex& index) const {
  const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (TypedCell(index.column())) return shown | Qt::ItemIsEditable;
  switch (index.column()) {
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
    case kPlaceLay:
      return "Place lay";
    case kPlaceLiability:
      return "Place liability";
    case kProfit:
      return "Profit if wins";
    case kPlaceProfit:
      return "Profit if it places";
    case kExtraProfit:
      return "If extra place";
    case kUnplacedProfit:
      return "If unplaced";
    default:
      return "Spread";
  }
}

void PlannerTable::ResultsReplaced() {
  Redraw({Qt::DisplayRole, Qt::ForegroundRole, kProblemRole, Qt::ToolTipRole,
          Qt::AccessibleDescriptionRole, Qt::AccessibleTextRole, ProfitBarDelegate::kBarRole,
          ProfitBarDelegate::kPlaceBarRole, ProfitBarDelegate::kExtraBarRole,
          ProfitBarDelegate::kUnplacedBarRole, ProfitBarDelegate::kZeroRole});
  emit headerDataChanged(Qt::Horizontal, kSaver, kStake);
}

}  // namespace stakora::qt
