#include "qt/message_boxes.h"

#include <QMessageBox>

#include "app_identity.h"

namespace stakora::qt {
namespace {

QMessageBox::StandardButton Show(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                 QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton default_button) {
  // Start-up reports come before the main window is on screen: they stand on
  // their own, centred on the screen, and hold up the whole program.
  const bool shown = parent && parent->isVisible();
  QMessageBox box(icon, QString::fromUtf8(kAppTitle), text, buttons, shown ? parent : nullptr);
  box.setDefaultButton(default_button);
  box.setWindowModality(shown ? Qt::WindowModal : Qt::ApplicationModal);
  return static_cast<QMessageBox::StandardButton>(box.exec());
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

}  // namespace stakora::qt
