#include "qt/profit_bar_delegate.h"

#include <QPainter>

#include "qt/style.h"

namespace stakora::qt {

namespace {

// One bar of `share` in r, from the zero line `zero_at` across it.
void Bar(QPainter* p, const QRect& r, double share, double zero_at) {
  const int zero = r.left() + static_cast<int>(zero_at * r.width());
  // The side of the zero line the bar grows into.
  const double room = share < 0 ? zero_at : 1 - zero_at;
  const int length = static_cast<int>(share * room * r.width());
  p->fillRect(share < 0 ? QRect(zero + length, r.top(), -length, r.height())
                        : QRect(zero, r.top(), length, r.height()),
              share < 0 ? kLossRed : kGainGreen);
}

}  // namespace

void ProfitBarDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  QStyledItemDelegate::paint(p, option, index);  // background and selection
  const QVariant bar = index.data(kBarRole), place = index.data(kPlaceBarRole);
  if (!bar.isValid()) return;
  const double zero_at = index.data(kZeroRole).toDouble();
  // Two bars take more of the cell's height than one.
  const int margin = option.rect.height() / (place.isValid() ? 6 : 4);
  const QRect r = option.rect.adjusted(4, margin, -4, -margin);
  if (place.isValid()) {
    const int half = r.height() / 2;
    Bar(p, r.adjusted(0, 0, 0, -(r.height() - half)), bar.toDouble(), zero_at);
    Bar(p, r.adjusted(0, half + 1, 0, 0), place.toDouble(), zero_at);
  } else {
    Bar(p, r, bar.toDouble(), zero_at);
  }
  const int zero = r.left() + static_cast<int>(zero_at * r.width());
  p->setPen(option.palette.color(QPalette::Text));
  p->drawLine(zero, option.rect.top(), zero, option.rect.bottom());
}

}  // namespace stakora::qt
