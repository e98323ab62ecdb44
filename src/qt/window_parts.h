#pragma once
// Pieces the tool windows (the stake planner, Settle) build alike.

#include <QString>
#include <cstddef>
#include <functional>

class QHBoxLayout;
class QLineEdit;
class QTableView;
class QWidget;

namespace stakora::qt {

// A text box after its caption in `row`, named for screen readers as the
// caption reads.
QLineEdit* LabelledBox(QHBoxLayout* row, const QString& caption, QWidget* parent);

// The line a Remove button takes: the current one, else the last (none, past
// the end, when there are no lines).
std::size_t ChosenLine(const QTableView* list, std::size_t count);

// Ctrl+V on a list pastes lines into it; in a cell being edited it pastes text.
void PasteInto(QTableView* list, std::function<void()> paste);

}  // namespace stakora::qt
