#pragma once
// A box or cell whose text cannot be read is marked where it stands: a red
// frame, and the reason as its tool tip and its accessible description, so
// the eye, the mouse and a screen reader all find it.

#include <QStyledItemDelegate>

class QLineEdit;

namespace stakora::qt {

// A cell's reason, for its model to give; a cell with one is framed.
inline constexpr int kProblemRole = Qt::UserRole + 20;

// Marks the box with the reason, or clears its mark when the reason is empty.
void MarkBox(QLineEdit* box, const QString& reason);

// The cell as usual, framed in red when it has a reason.
class ProblemFrameDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace stakora::qt
