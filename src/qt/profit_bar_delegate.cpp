#include "qt/profit_bar_delegate.h"

#include <QPainter>

#include "qt/style.h"

namespace stakora::qt {

void ProfitBarDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  QStyledItemDelegate::paint(p, option, index);  // background and selection
  const QVariant bar = index.data(kBarRole);
  if (!bar.isValid()) return;
  const double share = bar.toDouble(), zero_at = index.data(kZeroRole).toDouble();
  const QRect r = option.rect.adjusted(4, option.rect.height() / 4, -4, -option.rect.height() / 4);
  const int zero = r.left() + static_cast<int>(zero_at * r.width());
  // The side of the zero line the bar grows into.
  const double room = share < 0 ? zero_at : 1 - zero_at;
  const int length = static_cast<int>(share * room * r.width());
  p->fillRect(share < 0 ? QRect(zero + length, r.top(), -length, r.height())
                        : QRect(zero, r.top(), length, r.height()),
              share < 0 ? kLossRed : kGainGreen);
  p->setPen(option.palette.color(QPalette::Text));
  p->drawLine(zero, option.rect.top(), zero, option.rect.bottom());
}

}  // namespace stakora::qt
