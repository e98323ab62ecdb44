#include "qt/lines_view.h"

namespace stakora::qt {

LinesView::LinesView(QWidget* parent) : QTableView(parent) {
  setTabKeyNavigation(true);
}

QModelIndex LinesView::Changeable(bool forward) const {
  const QAbstractItemModel* m = model();
  if (!m) return {};
  const int columns = m->columnCount(), cells = m->rowCount() * columns;
  const QModelIndex at = currentIndex();
  int i = at.isValid() ? at.row() * columns + at.column() : (forward ? -1 : cells);
  for (i += forward ? 1 : -1; i >= 0 && i < cells; i += forward ? 1 : -1) {
    const QModelIndex cell = m->index(i / columns, i % columns);
    const Qt::ItemFlags f = m->flags(cell);
    if (!isColumnHidden(cell.column()) && (f & Qt::ItemIsEnabled) &&
        (f & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)))
      return cell;
  }
  return {};
}

QModelIndex LinesView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  if (action == MoveNext || action == MovePrevious) return Changeable(action == MoveNext);
  return QTableView::moveCursor(action, modifiers);
}

void LinesView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  const bool next = hint == QAbstractItemDelegate::EditNextItem;
  if ((next || hint == QAbstractItemDelegate::EditPreviousItem) && !Changeable(next).isValid()) {
    // The last cell's edit is kept and Tab goes on out of the grid.
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    QWidget::focusNextPrevChild(next);
    return;
  }
  QTableView::closeEditor(editor, hint);
}

}  // namespace stakora::qt
