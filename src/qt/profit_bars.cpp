#include "qt/profit_bars.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace stakora::qt {

ProfitBars::ProfitBars(QWidget* parent) : QWidget(parent) {
  setAccessibleName("Profit if each runner wins");
  setMinimumWidth(100);
}

void ProfitBars::SetProfits(std::vector<std::int64_t> cents, int row_height, int first_row_top) {
  cents_ = std::move(cents);
  row_height_ = std::max(row_height, 4);
  first_row_top_ = first_row_top;
  QStringList said;
  for (std::size_t i = 0; i < cents_.size(); ++i)
    said
        << QString("runner %1: %2").arg(i + 1).arg(static_cast<double>(cents_[i]) / 100, 0, 'f', 2);
  setAccessibleDescription(said.join(", "));
  update();
}

void ProfitBars::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Base));
  if (cents_.empty()) return;
  std::int64_t most = 1;
  for (std::int64_t c : cents_) most = std::max<std::int64_t>(most, std::llabs(c));
  const bool any_loss =
      std::any_of(cents_.begin(), cents_.end(), [](std::int64_t c) { return c < 0; });
  const bool any_gain =
      std::any_of(cents_.begin(), cents_.end(), [](std::int64_t c) { return c > 0; });
  // The zero line sits where both sides fit: at the left when nothing loses.
  const int margin = 4, span = width() - 2 * margin;
  const int zero = margin + (any_loss && any_gain ? span / 2 : any_loss ? span : 0);
  const int reach = any_loss && any_gain ? span / 2 : span;
  for (std::size_t i = 0; i < cents_.size(); ++i) {
    const int len =
        static_cast<int>(static_cast<double>(reach) * static_cast<double>(std::llabs(cents_[i])) /
                         static_cast<double>(most));
    const int top = first_row_top_ + static_cast<int>(i) * row_height_ + row_height_ / 4;
    const QRect bar = cents_[i] < 0 ? QRect(zero - len, top, len, row_height_ / 2)
                                    : QRect(zero, top, len, row_height_ / 2);
    p.fillRect(bar, cents_[i] < 0 ? QColor(200, 0, 0) : QColor(0, 128, 0));
  }
  p.setPen(palette().color(QPalette::Text));
  p.drawLine(zero, 0, zero, height());
}

}  // namespace stakora::qt
