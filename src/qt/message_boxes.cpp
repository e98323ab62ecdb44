#include "qt/message_boxes.h"

#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>

#include "app_identity.h"

namespace stakora::qt {

std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                             const QString& text,
                                             QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton default_button) {
  // Start-up reports come before the main window is on screen: they stand on
  // their own, centred on the screen, and hold up the whole program.
  const bool shown = parent && parent->isVisible();
  auto box = std::make_unique<QMessageBox>(icon, QString::fromUtf8(kAppTitle), text, buttons,
                                           shown ? parent : nullptr);
  box->setDefaultButton(default_button);
  box->setWindowModality(shown ? Qt::WindowModal : Qt::ApplicationModal);
  // Without an icon the text starts at the left edge: Qt keeps an indent
  // where the icon would be, a spacer in the first column of its grid, so
  // the text takes both columns instead.
  auto* grid = qobject_cast<QGridLayout*>(box->layout());
  auto* text_label = box->findChild<QLabel*>("qt_msgbox_label");
  if (icon == QMessageBox::NoIcon && grid && text_label)
    if (QLayoutItem* first = grid->itemAtPosition(0, 0); first && first->spacerItem()) {
      grid->removeItem(first);
      delete first;
      grid->removeWidget(text_label);
      grid->addWidget(text_label, 0, 0, 1, 2);
    }
  return box;
}

namespace {

QMessageBox::StandardButton Show(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                 QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton default_button) {
  return static_cast<QMessageBox::StandardButton>(
      BuildMessageBox(parent, icon, text, buttons, default_button)->exec());
}

}  // namespace

void ModalMessageBoxes::Message(QWidget* parent, const QString& text) {
  Show(parent, QMessageBox::NoIcon, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool ModalMessageBoxes::Question(QWidget* parent, const QString& text) {
  return Show(parent, QMessageBox::NoIcon, text, QMessageBox::Yes | QMessageBox::No,
              QMessageBox::Yes) == QMessageBox::Yes;
}

void ModalMessageBoxes::ErrorNumber(QWidget* parent, const QString& number) {
  Show(parent, QMessageBox::Critical, number, QMessageBox::Ok, QMessageBox::Ok);
}

void ModalMessageBoxes::Failure(QWidget* parent, const QString& text) {
  Show(parent, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

}  // namespace stakora::qt
