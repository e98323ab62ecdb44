#pragma once
// One bar per runner for its profit if it wins, left of the zero line for a
// loss and right of it for a gain, so the spread of a plan shows at a glance.
// Each bar stands level with its runner's row of the grid beside it.

#include <QWidget>
#include <cstdint>
#include <vector>

namespace stakora::qt {

class ProfitBars : public QWidget {
  Q_OBJECT
 public:
  struct Bar {
    std::int64_t cents = 0;
    int top = 0;  // of its row, in this widget
  };

  explicit ProfitBars(QWidget* parent = nullptr);
  // The bars in runner order, of rows `row_height` high; those outside the
  // band from `visible_top` to `visible_bottom` (rows scrolled away) are not drawn.
  void SetBars(std::vector<Bar> bars, int row_height, int visible_top, int visible_bottom);
  const std::vector<Bar>& bars() const { return bars_; }
  QSize sizeHint() const override { return {120, 100}; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  std::vector<Bar> bars_;
  int row_height_ = 24;
  int visible_top_ = 0, visible_bottom_ = 0;
};

}  // namespace stakora::qt
