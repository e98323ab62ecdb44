#include "qt/about_dialog.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "about.h"
#include "qt/program_icon.h"
#include "qt/style.h"
#include "qt/twips.h"

namespace stakora::qt {
namespace {

QRect At(int left, int top, int width, int height) {
  return PxRect({left, top, width, height});
}

QFrame* Rule(QWidget* parent, const QRect& r, const QColor& colour) {
  auto* f = new QFrame(parent);
  f->setGeometry(r);
  f->setAutoFillBackground(true);
  SetColour(f, QPalette::Window, colour);
  return f;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
  const AboutTexts t = frmAbout_Form_Load();
  setWindowTitle(QString::fromStdString(t.caption));
  setFixedSize(Px(5730), Px(3555));

  auto* picIcon = new QLabel(this);
  picIcon->setGeometry(At(240, 240, 540, 540));
  picIcon->setPixmap(ProgramIcon());

  lblTitle_ = new QLabel(QString::fromStdString(t.title), this);
  lblTitle_->setGeometry(At(1080, 120, 4365, 600));
  lblTitle_->setFont(Font(Face::Verdana, 11.25, true));
  SetColour(lblTitle_, QPalette::WindowText, QColor(0, 0, 255));

  lblVersion_ = new QLabel(QString::fromStdString(t.version), this);
  lblVersion_->setGeometry(At(1050, 780, 3885, 225));

  Text1_ = new QPlainTextEdit(this);
  Text1_->setGeometry(At(720, 1080, 4575, 1215));
  Text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // The text ends each line with CR LF; the editor wants bare line feeds.
  Text1_->setPlainText(QString::fromStdString(t.disclaimer).replace("\r\n", "\n"));
  Text1_->setAccessibleName("Disclaimer");

  // Grey over white: an etched separator.
  Rule(this, QRect(Px(90), Px(2445), Px(5654) - Px(90), 1), QColor(0x80, 0x80, 0x80));
  Rule(this, QRect(Px(105), Px(2460), Px(5654) - Px(105), 2), QColor(255, 255, 255));

  lblDisclaimer_ = new QLabel(QString::fromStdString(t.ownership), this);
  lblDisclaimer_->setGeometry(At(255, 2625, 3870, 585));
  lblDisclaimer_->setWordWrap(true);
  SetColour(lblDisclaimer_, QPalette::WindowText, Qt::black);

  cmdOK_ = new QPushButton("I Agree", this);
  cmdOK_->setGeometry(At(4245, 2625, 1260, 345));
  cmdOK_->setDefault(true);
  connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);

  setTabOrder(cmdOK_, Text1_);
  cmdOK_->setFocus();
}

void AboutDialog::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    accept();
    return;
  }
  QDialog::keyPressEvent(e);
}

}  // namespace stakora::qt
