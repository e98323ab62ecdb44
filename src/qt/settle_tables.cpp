#include "qt/settle_tables.h"

#include "qt/strings.h"

namespace stakora::qt {

void SettleList::Refresh() {
  const int lines = Lines();
  if (lines > shown_) {
    beginInsertRows({}, shown_, lines - 1);
    shown_ = lines;
    endInsertRows();
  } else if (lines < shown_) {
    beginRemoveRows({}, lines, shown_ - 1);
    shown_ = lines;
    endRemoveRows();
  }
  if (shown_ > 0) emit dataChanged(index(0, 0), index(shown_ - 1, columnCount() - 1));
}

QVariant SettleList::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return section >= 0 && section < columnCount() ? headings_[static_cast<std::size_t>(section)]
                                                 : QVariant();
}

namespace {

constexpr const char* kBetHeadings[] = {"Runner", "Kind",   "Stake", "Odds",   "Terms",
                                        "Result", "Rule 4", "Price", "Return", "Profit"};
static_assert(std::size(kBetHeadings) == SettleBetsTable::kColumns);
constexpr const char* kRunnerHeadings[] = {"Runner", "Position",    "Non-runner",
                                           "Price",  "Reduction %", "Place reduction %"};
static_assert(std::size(kRunnerHeadings) == SettleRunnersTable::kColumns);

}  // namespace

Choices BetKinds() {
  return ChoicesOf(settle::kBetKinds, settle::BetKindName, settle::BetKindHelp);
}

SettleBetsTable::SettleBetsTable(const settle::Settler& model, const settle::SettlerView& view,
                                 Typed typed, QObject* parent)
    : SettleList(model, view, kBetHeadings, parent), typed_(std::move(typed)) {
  Refresh();
}

QVariant SettleBetsTable::data(const QModelIndex& index, int role) const {
  const auto line = static_cast<std::size_t>(index.row());
  if (!index.isValid() || line >= model_.bets.size()) return {};
  if (role == Qt::ToolTipRole && index.column() == kKind) return ChoicesHelp(BetKinds());
  if (role == Qt::ToolTipRole && index.column() == kTerms)
    return "Each way: places and fraction, such as 3:1/5; a place market: its winners";
  if (role == Qt::TextAlignmentRole && index.column() >= kStake && index.column() != kTerms &&
      index.column() != kResult)
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  const settle::BetInput& bet = model_.bets[line];
  const settle::SettledLine none;
  const settle::SettledLine& paid = line < view_.lines.size() ? view_.lines[line] : none;
  const std::string* cells[] = {&bet.runner,    &bet.kind,    &bet.stake,  &bet.odds,
                                &bet.terms,     &paid.status, &paid.rule4, &paid.reduced_odds,
                                &paid.returned, &paid.profit};
  return Q(*cells[index.column()]);
}

bool SettleBetsTable::setData(const QModelIndex& index, const QVariant& value, int role) {
  const auto line = static_cast<std::size_t>(index.row());
  if (!index.isValid() || line >= model_.bets.size() || role != Qt::EditRole ||
      index.column() > kTerms)
    return false;
  typed_(line, static_cast<settle::BetCell>(index.column()), S(value.toString()));
  return true;
}

Qt::ItemFlags SettleBetsTable::flags(const QModelIndex& index) const {
  const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  return index.column() <= kTerms ? shown | Qt::ItemIsEditable : shown;
}

SettleRunnersTable::SettleRunnersTable(const settle::Settler& model,
                                       const settle::SettlerView& view, Typed typed, Ticked ticked,
                                       QObject* parent)
    : SettleList(model, view, kRunnerHeadings, parent),
      typed_(std::move(typed)),
      ticked_(std::move(ticked)) {
  Refresh();
}

namespace {

// The typed cells in column order, the tick box left out.
settle::RunnerCell CellOf(int column) {
  return column == SettleRunnersTable::kName       ? settle::RunnerCell::Name
         : column == SettleRunnersTable::kPosition ? settle::RunnerCell::Position
         : column == SettleRunnersTable::kPrice    ? settle::RunnerCell::Price
         : column == SettleRunnersTable::kFactor   ? settle::RunnerCell::Factor
                                                   : settle::RunnerCell::PlaceFactor;
}

}  // namespace

QVariant SettleRunnersTable::data(const QModelIndex& index, int role) const {
  const auto line = static_cast<std::size_t>(index.row());
  if (!index.isValid() || line >= model_.runners.size()) return {};
  const settle::RunnerInput& r = model_.runners[line];
  if (index.column() == kNonRunner) {
    if (role == Qt::CheckStateRole) return r.non_runner ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::AccessibleTextRole) return r.non_runner ? "Non-runner" : "Ran";
    return {};
  }
  if (role == Qt::ToolTipRole) {
    switch (index.column()) {
      case kPosition:
        return "Where it finished, 1 for the winner; the same for a dead heat; blank if unplaced";
      case kPrice:
        return "A non-runner's price when it was withdrawn: Rule 4 at the bookmakers";
      case kFactor:
        return "A non-runner's reduction factor in the exchange's win market, in percent";
      case kPlaceFactor:
        return "The same in the place market; the win market's when blank";
      default:
        return {};
    }
  }
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  const std::string* cells[] = {&r.name,  &r.position, nullptr,
                                &r.price, &r.factor,   &r.place_factor};
  return Q(*cells[index.column()]);
}

bool SettleRunnersTable::setData(const QModelIndex& index, const QVariant& value, int role) {
  const auto line = static_cast<std::size_t>(index.row());
  if (!index.isValid() || line >= model_.runners.size()) return false;
  if (index.column() == kNonRunner) {
    if (role != Qt::CheckStateRole) return false;
    ticked_(line, value.toInt() == Qt::Checked);
    return true;
  }
  if (role != Qt::EditRole) return false;
  typed_(line, CellOf(index.column()), S(value.toString()));
  return true;
}

Qt::ItemFlags SettleRunnersTable::flags(const QModelIndex& index) const {
  const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  return index.column() == kNonRunner ? shown | Qt::ItemIsUserCheckable
                                      : shown | Qt::ItemIsEditable;
}

}  // namespace stakora::qt
