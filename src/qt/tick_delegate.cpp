#include "qt/tick_delegate.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <utility>

#include "planner_model.h"
#include "qt/strings.h"

namespace stakora::qt {

TickDelegate::TickDelegate(std::function<bool()> ticks, QObject* parent)
    : ProblemFrameDelegate(parent), ticks_(std::move(ticks)) {}

QWidget* TickDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
  QWidget* editor = ProblemFrameDelegate::createEditor(parent, option, index);
  // The view hands the editor's keys to this delegate's event filter first.
  if (auto* line = qobject_cast<QLineEdit*>(editor); line && ticks_())
    line->setAccessibleDescription("Up and Down move the odds one tick on the exchange's ladder");
  return editor;
}

bool TickDelegate::eventFilter(QObject* watched, QEvent* event) {
  auto* line = qobject_cast<QLineEdit*>(watched);
  if (line && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool up = key->key() == Qt::Key_Up, down = key->key() == Qt::Key_Down;
    if ((up || down) && key->modifiers() == Qt::NoModifier && ticks_()) {
      // Past an end of the ladder, or odds that do not read, stay as typed.
      if (const auto next = plan::TickedOdds(S(line->text()), up ? 1 : -1)) {
        line->setText(Q(*next));
        emit commitData(line);
      }
      return true;
    }
  }
  return ProblemFrameDelegate::eventFilter(watched, event);
}

}  // namespace stakora::qt
