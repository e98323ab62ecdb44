#include "qt/accessibility.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

#include "qt/clickable_label.h"

namespace stakora::qt {
namespace {

constexpr const char* kSeparator = "stakora_separator";

class LinkAccessible : public QAccessibleWidget {
 public:
  explicit LinkAccessible(ClickableLabel* label) : QAccessibleWidget(label, QAccessible::Link) {}
  QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
  void doAction(const QString& name) override {
    if (name == pressAction()) {
      emit static_cast<ClickableLabel*>(widget())->clicked();
    } else {
      QAccessibleWidget::doAction(name);
    }
  }
};

// Qt names a combo box by its current text; ours are named for what they ask,
// and say their value as a value.
class NamedComboAccessible : public QAccessibleWidget {
 public:
  explicit NamedComboAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}
  QString text(QAccessible::Text t) const override {
    const auto* box = static_cast<QComboBox*>(widget());
    if (t == QAccessible::Value) return box->currentText();
    if (t == QAccessible::Name && !box->accessibleName().isEmpty()) return box->accessibleName();
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override { return {showMenuAction(), setFocusAction()}; }
  void doAction(const QString& name) override {
    if (name == showMenuAction()) {
      static_cast<QComboBox*>(widget())->showPopup();
    } else {
      QAccessibleWidget::doAction(name);
    }
  }
};

// Qt calls every line edit editable, read-only or not; a box that shows a
// figure is read to the user as read-only text, and its text can be walked.
class ReadOnlyBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit ReadOnlyBoxAccessible(QLineEdit* box)
      : QAccessibleWidget(box, QAccessible::EditableText) {}
  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = false;
    s.readOnly = true;
    return s;
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return Box()->text();
    return QAccessibleWidget::text(t);
  }
  using QAccessibleWidget::text;

  void selection(int index, int* start, int* end) const override {
    *start = *end = 0;
    if (index == 0 && Box()->hasSelectedText()) {
      *start = Box()->selectionStart();
      *end = *start + static_cast<int>(Box()->selectedText().size());
    }
  }
  int selectionCount() const override { return Box()->hasSelectedText() ? 1 : 0; }
  void addSelection(int start, int end) override { setSelection(0, start, end); }
  void removeSelection(int) override { Box()->deselect(); }
  void setSelection(int, int start, int end) override { Box()->setSelection(start, end - start); }
  int cursorPosition() const override { return Box()->cursorPosition(); }
  void setCursorPosition(int position) override { Box()->setCursorPosition(position); }
  QString text(int start, int end) const override { return Box()->text().mid(start, end - start); }
  int characterCount() const override { return static_cast<int>(Box()->text().size()); }
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* start, int* end) const override {
    *start = *end = offset;
    return {};
  }

 private:
  QLineEdit* Box() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
  if (auto* label = qobject_cast<ClickableLabel*>(object)) return new LinkAccessible(label);
  if (auto* box = qobject_cast<QComboBox*>(object)) return new NamedComboAccessible(box);
  if (auto* box = qobject_cast<QLineEdit*>(object); box && box->isReadOnly())
    return new ReadOnlyBoxAccessible(box);
  if (object && object->isWidgetType() && object->property(kSeparator).toBool())
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Separator);
  return nullptr;
}

}  // namespace

void InstallAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&Factory);
    return true;
  }();
  (void)installed;
}

void MarkAsSeparator(QWidget* w) {
  w->setProperty(kSeparator, true);
  w->setAccessibleName("Separator");
}

}  // namespace stakora::qt
