#include "qt/profit_bar_delegate.h"

#include <QPainter>

#include "qt/style.h"

namespace stakora::qt {

void ProfitBarDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  QStyledItemDelegate::paint(p, option, index);  // background and selection
  const QVariant bar = index.data(kBarRole);
  if (!bar.isValid()) return;
  const double share = bar.toDouble();
  const QRect r = option.rect.adjusted(4, option.rect.height() / 4, -4, -option.rect.height() / 4);
  const int middle = r.left() + r.width() / 2;
  const int length = static_cast<int>(share * r.width() / 2);
  p->fillRect(share < 0 ? QRect(middle + length, r.top(), -length, r.height())
                        : QRect(middle, r.top(), length, r.height()),
              share < 0 ? kLossRed : kGainGreen);
  p->setPen(option.palette.color(QPalette::Text));
  p->drawLine(middle, option.rect.top(), middle, option.rect.bottom());
}

}  // namespace stakora::qt
