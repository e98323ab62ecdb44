#pragma once
// How the program's message boxes reach the screen. Tests put a scripted set
// in place, so no real modal box is ever left waiting for a click.

#include <QMessageBox>
#include <QString>
#include <memory>

class QWidget;

namespace stakora::qt {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // OK only, no icon.
  virtual void Message(QWidget* parent, const QString& text) = 0;
  // Yes and No, Yes the default, no icon; true for Yes.
  virtual bool Question(QWidget* parent, const QString& text) = 0;
  // The bare error number with the stop icon.
  virtual void ErrorNumber(QWidget* parent, const QString& number) = 0;
  // Something the program could not do, and why, with the warning icon.
  virtual void Failure(QWidget* parent, const QString& text) = 0;
};

// A box as ModalMessageBoxes shows it, not yet shown.
std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                             const QString& text,
                                             QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton default_button);

// Real QMessageBoxes, modal to their parent, titled with the application title.
class ModalMessageBoxes : public MessageBoxes {
 public:
  void Message(QWidget* parent, const QString& text) override;
  bool Question(QWidget* parent, const QString& text) override;
  void ErrorNumber(QWidget* parent, const QString& number) override;
  void Failure(QWidget* parent, const QString& text) override;
};

}  // namespace stakora::qt
