#pragma once
// The About and disclaimer box: the title, the version and the disclaimer,
// accepted with "I Agree" before the main window opens.

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace stakora {
struct AboutTexts;
}

namespace stakora::qt {

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(QWidget* parent = nullptr);

  QLabel* title() const { return lblTitle_; }
  QLabel* version() const { return lblVersion_; }
  QPlainTextEdit* disclaimer() const { return Text1_; }
  QLabel* ownership() const { return lblDisclaimer_; }
  QPushButton* agree() const { return cmdOK_; }

 protected:
  // Esc accepts, as "I Agree" is the cancel button too; only the title-bar
  // close button declines.
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void BuildHeading(const AboutTexts& t);
  void BuildOwnership(const AboutTexts& t);

  QLabel* lblTitle_ = nullptr;
  QLabel* lblVersion_ = nullptr;
  QPlainTextEdit* Text1_ = nullptr;  // the disclaimer
  QLabel* lblDisclaimer_ = nullptr;  // despite its name, the ownership line
  QPushButton* cmdOK_ = nullptr;
};

}  // namespace stakora::qt
