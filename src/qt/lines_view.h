#pragma once
// A grid of the planner's lines for the keyboard: Tab and Shift+Tab stop at
// the cells a user can change (a text to type, a box to tick), skipping the
// figures, and leave the grid past its first or last; an edit that Tab ends
// is kept, as is one left by a click elsewhere.

#include <QTableView>

namespace stakora::qt {

class LinesView : public QTableView {
  Q_OBJECT
 public:
  explicit LinesView(QWidget* parent = nullptr);

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  // The next cell a user can change after the current one in reading order,
  // or before it; none past the ends.
  QModelIndex Changeable(bool forward) const;
};

}  // namespace stakora::qt
