#include "qt/held_table.h"

#include "held.h"
#include "qt/strings.h"

namespace stakora::qt {

HeldTable::HeldTable(const plan::Planner& planner, const plan::PlannerView& view, Edit edit,
                     QObject* parent)
    : LinesTable(std::move(edit), parent), planner_(planner), view_(view) {}

namespace {

Choices HeldKinds() {
  return ChoicesOf(plan::kHeldKinds, plan::HeldKindName, plan::HeldKindHelp);
}

plan::HeldCell CellOf(int column) {
  return column == HeldTable::kRunner     ? plan::HeldCell::Runner
         : column == HeldTable::kKind     ? plan::HeldCell::Kind
         : column == HeldTable::kStake    ? plan::HeldCell::Stake
         : column == HeldTable::kPlaces   ? plan::HeldCell::Places
         : column == HeldTable::kFraction ? plan::HeldCell::Fraction
                                          : plan::HeldCell::Odds;
}

}  // namespace

int HeldTable::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(planner_.held.size());
}

int HeldTable::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant HeldTable::data(const QModelIndex& index, int role) const {
  const auto line = static_cast<std::size_t>(index.row());
  if (!index.isValid() || line >= planner_.held.size()) return {};
  if (role == kProblemRole || role == Qt::AccessibleDescriptionRole || role == Qt::ToolTipRole) {
    const QString problem = Q(plan::HeldCellProblem(view_, line, CellOf(index.column())));
    if (!problem.isEmpty() || role != Qt::ToolTipRole) return problem;
  }
  if (role == Qt::ToolTipRole && index.column() == kRunner)
    return "The runner's name, or its number in the runners list";
  if (role == Qt::ToolTipRole && index.column() == kKind) return ChoicesHelp(HeldKinds());
  if (role == Qt::ToolTipRole && (index.column() == kPlaces || index.column() == kFraction))
    return index.column() == kPlaces ? "An each-way bet's places at the bookmaker, such as 4"
                                     : "An each-way bet's place fraction, such as 1/5";
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  const plan::HeldInput& bet = planner_.held[line];
  switch (index.column()) {
    case kRunner:
      return Q(bet.runner);
    case kKind:
      return Q(bet.kind);
    case kStake:
      return Q(bet.stake);
    case kPlaces:
      return Q(bet.places);
    case kFraction:
      return Q(bet.fraction);
    default:
      return Q(bet.odds);
  }
}

bool HeldTable::setData(const QModelIndex& index, const QVariant& value, int role) {
  const auto line = static_cast<std::size_t>(index.row());
  if (!index.isValid() || line >= planner_.held.size() || role != Qt::EditRole) return false;
  const plan::HeldCell cell = CellOf(index.column());
  Send(plan::HeldCellTyped{line, cell, S(value.toString())});
  // A kind gives or takes the places and fraction cells.
  const int last = index.column() == kKind ? kColumns - 1 : index.column();
  emit dataChanged(index, index.siblingAtColumn(last));
  return true;
}

Qt::ItemFlags HeldTable::flags(const QModelIndex& index) const {
  const auto line = static_cast<std::size_t>(index.row());
  // Only an each-way bet has places and a fraction.
  const bool terms = index.column() == kPlaces || index.column() == kFraction;
  if (terms && (line >= planner_.held.size() || !plan::IsEachWayKind(planner_.held[line].kind)))
    return Qt::ItemIsSelectable;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant HeldTable::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  switch (section) {
    case kRunner:
      return "Runner";
    case kKind:
      return "Kind";
    case kStake:
      return "Stake";
    case kPlaces:
      return "Places";
    case kFraction:
      return "Fraction";
    default:
      return "Odds";
  }
}

void HeldTable::ResultsReplaced() {
  Redraw({kProblemRole, Qt::AccessibleDescriptionRole, Qt::ToolTipRole});
}

ChoiceDelegate* HeldKindDelegate(QObject* parent) {
  return new ChoiceDelegate(HeldKinds(), "Kind", parent);
}

}  // namespace stakora::qt
