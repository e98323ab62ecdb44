#include "qt/problem_marks.h"

#include <QLineEdit>
#include <QPainter>

#include "qt/style.h"

namespace stakora::qt {

void MarkBox(QLineEdit* box, const QString& reason) {
  if (box->toolTip() == reason) return;
  box->setToolTip(reason);
  box->setAccessibleDescription(reason);
  box->setStyleSheet(reason.isEmpty() ? QString()
                                      : "QLineEdit { border: 2px solid " + kLossRed.name() + "; }");
}

void ProblemFrameDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  QStyledItemDelegate::paint(p, option, index);
  if (index.data(kProblemRole).toString().isEmpty()) return;
  p->save();
  p->setPen(QPen(kLossRed, 2));
  p->drawRect(option.rect.adjusted(1, 1, -1, -1));
  p->restore();
}

}  // namespace stakora::qt
