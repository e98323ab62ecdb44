#include "qt/lines_table.h"

namespace stakora::qt {

void LinesTable::ChangeLines(const plan::LineChange& c, const std::function<void()>& remove,
                             const std::function<void()>& finish) {
  if (c.removed > 0) {
    beginRemoveRows({}, static_cast<int>(c.removed_at),
                    static_cast<int>(c.removed_at + c.removed - 1));
    remove();
    endRemoveRows();
  }
  if (c.inserted == 0) return finish();
  beginInsertRows({}, static_cast<int>(c.inserted_at),
                  static_cast<int>(c.inserted_at + c.inserted - 1));
  finish();
  endInsertRows();
}

void LinesTable::Redraw(const QList<int>& roles) {
  if (rowCount() > 0 && columnCount() > 0)
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), roles);
}

}  // namespace stakora::qt
