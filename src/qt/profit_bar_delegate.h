#pragma once
// The grid's bar column: one bar per runner for its profit if it wins, left of
// the zero line for a loss and right of it for a gain, scaled to the largest,
// so the spread of a plan shows at a glance. A bar is drawn from the cell's
// BarRole, a fraction from -1 to 1, and ZeroRole, where across the cell the
// zero line stands (0 when nothing loses, 1 when nothing gains); a cell
// without them stays empty. With a PlaceBarRole (each way) the cell holds two
// bars: the win outcome above, the place outcome below; and so on down for
// each further outcome a runner has.

#include <QStyledItemDelegate>

namespace stakora::qt {

class ProfitBarDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  static constexpr int kBarRole = Qt::UserRole + 1;
  static constexpr int kZeroRole = Qt::UserRole + 2;
  static constexpr int kPlaceBarRole = Qt::UserRole + 3;
  // Around held each-way bets, two more below: an extra place, unplaced.
  static constexpr int kExtraBarRole = Qt::UserRole + 4;
  static constexpr int kUnplacedBarRole = Qt::UserRole + 5;
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace stakora::qt
