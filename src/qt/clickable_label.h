#pragma once
// A label that acts on a click, and on Space or Enter when it has the focus,
// so the window works without a mouse.

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace stakora::qt {

class ClickableLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ClickableLabel(QWidget* parent) : QLabel(parent) {
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
  }

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
  }
  void keyPressEvent(QKeyEvent* e) override {
    if (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
      emit clicked();
      return;
    }
    QLabel::keyPressEvent(e);
  }
};

}  // namespace stakora::qt
