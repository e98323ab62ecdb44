#pragma once
// Pieces the tool windows (the stake planner, Settle, Matched bet) build alike.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "plan_worker.h"
#include "ui.h"

class QHBoxLayout;
class QKeyEvent;
class QLineEdit;
class QObject;
class QTableView;
class QWidget;

namespace stakora::qt {

class MessageBoxes;

// A window's settings file reports, as error numbers in boxes over it.
class SettingsReports : public SilentUi {
 public:
  SettingsReports(MessageBoxes& boxes, QWidget* over) : boxes_(boxes), over_(over) {}
  void ShowErrorNumber(ReportNumber number) override;

 private:
  MessageBoxes& boxes_;
  QWidget* over_;
};

// What a plan worker delivers, handed from its thread to `window`'s event
// loop and given to `planned` there.
using PlanHandler = std::function<void(std::uint64_t id, const Result<plan::Plan, std::string>&)>;
plan::PlanWorker::Deliver DeliverTo(QObject* window, PlanHandler planned);

// Esc that no box or editor took closes the window, as in any dialog; true
// when it did.
bool ClosedByEscape(QWidget* window, const QKeyEvent* e);

// A text box after its caption in `row`, named for screen readers as the
// caption reads.
QLineEdit* LabelledBox(QHBoxLayout* row, const QString& caption, QWidget* parent);

// The line a Remove button takes: the current one, else the last (none, past
// the end, when there are no lines).
std::size_t ChosenLine(const QTableView* list, std::size_t count);

// Ctrl+V on a list pastes lines into it; in a cell being edited it pastes text.
void PasteInto(QTableView* list, std::function<void()> paste);

}  // namespace stakora::qt
