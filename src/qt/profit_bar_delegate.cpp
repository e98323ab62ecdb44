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
  if (!index.data(kBarRole).isValid()) return;
  QList<double> bars;
  for (int role : {kBarRole, kPlaceBarRole, kExtraBarRole, kUnplacedBarRole})
    if (const QVariant bar = index.data(role); bar.isValid()) bars.append(bar.toDouble());
  const double zero_at = index.data(kZeroRole).toDouble();
  // Several bars take more of the cell's height than one.
  const int margin = option.rect.height() / (bars.size() > 1 ? 6 : 4);
  const QRect r = option.rect.adjusted(4, margin, -4, -margin);
  const int count = static_cast<int>(bars.size());
  for (int i = 0; i < count; ++i) {
    // A pixel's gap above each bar but the first.
    const int top = r.top() + r.height() * i / count + (i > 0 ? 1 : 0),
              bottom = r.top() + r.height() * (i + 1) / count;
    Bar(p, QRect(r.left(), top, r.width(), bottom - top), bars[i], zero_at);
  }
  const int zero = r.left() + static_cast<int>(zero_at * r.width());
  p->setPen(option.palette.color(QPalette::Text));
  p->drawLine(zero, option.rect.top(), zero, option.rect.bottom());
}

}  // namespace stakora::qt
