#include "qt/window_parts.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include "qt/message_boxes.h"

namespace stakora::qt {

void SettingsReports::ShowErrorNumber(ReportNumber number) {
  boxes_.ErrorNumber(over_, QString::number(ToInt(number)));
}

plan::PlanWorker::Deliver DeliverTo(QObject* window, PlanHandler planned) {
  return [window, planned = std::move(planned)](std::uint64_t id,
                                                Result<plan::Plan, std::string> outcome) {
    QMetaObject::invokeMethod(
        window, [planned, id, outcome = std::move(outcome)] { planned(id, outcome); },
        Qt::QueuedConnection);
  };
}

bool ClosedByEscape(QWidget* window, const QKeyEvent* e) {
  if (e->key() != Qt::Key_Escape || e->modifiers() != Qt::NoModifier) return false;
  window->close();
  return true;
}

QLineEdit* LabelledBox(QHBoxLayout* row, const QString& caption, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setAccessibleName(QString(caption).remove('&'));
  auto* label = new QLabel(caption, parent);
  label->setBuddy(box);
  row->addWidget(label);
  row->addWidget(box);
  return box;
}

std::size_t ChosenLine(const QTableView* list, std::size_t count) {
  const int current = list->currentIndex().row();
  return current >= 0 ? static_cast<std::size_t>(current) : count - 1;
}

void PasteInto(QTableView* list, std::function<void()> paste) {
  auto* action = new QAction(list);
  action->setShortcut(QKeySequence::Paste);
  action->setShortcutContext(Qt::WidgetShortcut);
  list->addAction(action);
  QObject::connect(action, &QAction::triggered, list, std::move(paste));
}

}  // namespace stakora::qt
