#include "qt/accessibility.h"

#include <QAccessibleWidget>
#include <QComboBox>
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

QAccessibleInterface* Factory(const QString&, QObject* object) {
  if (auto* label = qobject_cast<ClickableLabel*>(object)) return new LinkAccessible(label);
  if (auto* box = qobject_cast<QComboBox*>(object)) return new NamedComboAccessible(box);
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
