#pragma once
// One bar per runner for its profit if it wins, left of the zero line for a
// loss and right of it for a gain, so the spread of a plan shows at a glance.

#include <QWidget>
#include <cstdint>
#include <vector>

namespace stakora::qt {

class ProfitBars : public QWidget {
  Q_OBJECT
 public:
  explicit ProfitBars(QWidget* parent = nullptr);
  // Cents per runner, in grid order; an empty list draws nothing.
  void SetProfits(std::vector<std::int64_t> cents, int row_height, int first_row_top);
  const std::vector<std::int64_t>& profits() const { return cents_; }
  QSize sizeHint() const override { return {120, 100}; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  std::vector<std::int64_t> cents_;
  int row_height_ = 24;
  int first_row_top_ = 0;
};

}  // namespace stakora::qt
