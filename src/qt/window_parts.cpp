#include "qt/window_parts.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

namespace stakora::qt {

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
