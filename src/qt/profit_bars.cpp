#include "qt/profit_bars.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>

#include "exact.h"
#include "qt/strings.h"

namespace stakora::qt {

ProfitBars::ProfitBars(QWidget* parent) : QWidget(parent) {
  setAccessibleName("Profit if each runner wins");
  setMinimumWidth(100);
}

void ProfitBars::SetBars(std::vector<Bar> bars, int row_height, int visible_top,
                         int visible_bottom) {
  bars_ = std::move(bars);
  row_height_ = std::max(row_height, 4);
  visible_top_ = visible_top;
  visible_bottom_ = visible_bottom;
  QStringList said;
  for (std::size_t i = 0; i < bars_.size(); ++i)
    said << QString("runner %1: %2").arg(i + 1).arg(Q(plan::MoneyText(bars_[i].cents)));
  setAccessibleDescription(said.join(", "));
  update();
}

void ProfitBars::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Base));
  if (bars_.empty()) return;
  std::int64_t most = 1;
  bool any_loss = false, any_gain = false;
  for (const Bar& b : bars_) {
    most = std::max<std::int64_t>(most, std::llabs(b.cents));
    any_loss |= b.cents < 0;
    any_gain |= b.cents > 0;
  }
  // The zero line sits where both sides fit: at the left when nothing loses.
  const int margin = 4, span = width() - 2 * margin;
  const int zero = margin + (any_loss && any_gain ? span / 2 : any_loss ? span : 0);
  const int reach = any_loss && any_gain ? span / 2 : span;
  p.setClipRect(0, visible_top_, width(), visible_bottom_ - visible_top_);
  for (const Bar& b : bars_) {
    const int len =
        static_cast<int>(static_cast<double>(reach) * static_cast<double>(std::llabs(b.cents)) /
                         static_cast<double>(most));
    const int top = b.top + row_height_ / 4;
    const QRect bar = b.cents < 0 ? QRect(zero - len, top, len, row_height_ / 2)
                                  : QRect(zero, top, len, row_height_ / 2);
    p.fillRect(bar, b.cents < 0 ? QColor(200, 0, 0) : QColor(0, 128, 0));
  }
  p.setClipping(false);
  p.setPen(palette().color(QPalette::Text));
  p.drawLine(zero, 0, zero, height());
}

}  // namespace stakora::qt
