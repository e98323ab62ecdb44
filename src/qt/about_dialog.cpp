#include "qt/about_dialog.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <QScrollBar>
#include <algorithm>

#include "about.h"
#include "addresses.h"
#include "qt/accessibility.h"
#include "qt/program_icon.h"
#include "qt/strings.h"
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

// Each line of the disclaimer on one line of the box where a font from the
// default size down to 7 points allows it; a line still too wide wraps at a
// word, so no line is ever cut off or needs a horizontal scroll bar, whatever
// the font and the screen's scaling.
void FitLines(QPlainTextEdit* box) {
  box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  box->setWordWrapMode(QTextOption::WordWrap);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  const QStringList lines = box->toPlainText().split('\n');
  const int room = box->width() - box->verticalScrollBar()->sizeHint().width() -
                   2 * static_cast<int>(box->document()->documentMargin()) - 2 * box->frameWidth();
  QFont font = box->font();
  for (double points = font.pointSizeF(); points >= 7.0; points -= 0.25) {
    font.setPointSizeF(points);
    const QFontMetricsF metrics(font);
    qreal widest = 0;
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    if (widest <= room) break;
  }
  box->setFont(font);
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
  InstallAccessibility();
  // Each window exists once and is gone when it closes: nothing lingers,
  // hidden, for a screen reader to find.
  setAttribute(Qt::WA_DeleteOnClose);
  const AboutTexts t = frmAbout_Form_Load();
  setWindowTitle(Q(t.caption));
  setFixedSize(Px(5730), Px(3555));
  BuildHeading(t);
  BuildOwnership(t);
  setTabOrder(cmdOK_, Text1_);
  cmdOK_->setFocus();
}

// The icon, the title, the version and the disclaimer.
void AboutDialog::BuildHeading(const AboutTexts& t) {
  auto* picIcon = new QLabel(this);
  picIcon->setGeometry(At(240, 240, 540, 540));
  picIcon->setPixmap(ProgramIcon());
  picIcon->setAccessibleName("Stakora icon");

  lblTitle_ = new QLabel(Q(t.title), this);
  lblTitle_->setGeometry(At(1080, 120, 4365, 600));
  lblTitle_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblTitle_->setFont(Font(Face::Verdana, 11.25, true));
  SetColour(lblTitle_, QPalette::WindowText, kTitleBlue);

  lblVersion_ = new QLabel(Q(t.version), this);
  lblVersion_->setGeometry(At(1050, 780, 3885, 225));
  lblVersion_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  Text1_ = new QPlainTextEdit(this);
  Text1_->setGeometry(At(720, 1080, 4575, 1215));
  Text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // The text ends each line with CR LF; the editor wants bare line feeds.
  Text1_->setPlainText(Q(t.disclaimer).replace("\r\n", "\n"));
  Text1_->setAccessibleName("Disclaimer");
  FitLines(Text1_);
}

// The etched rule, the ownership line and "I Agree".
void AboutDialog::BuildOwnership(const AboutTexts& t) {
  // Grey over white: an etched separator.
  MarkAsSeparator(Rule(this, QRect(Px(90), Px(2445), Px(5654) - Px(90), 1), kRuleGrey));
  MarkAsSeparator(Rule(this, QRect(Px(105), Px(2460), Px(5654) - Px(105), 2), kRuleWhite));

  // The line may wrap, but never inside the web address: word joiners bind
  // its characters (Qt's rich text would still break it after "//").
  const QString ownership = Q(t.ownership);
  const QString address = kMakerHomePage;
  QString joined;
  for (QChar c : address) (joined += c) += QChar(0x2060);
  lblDisclaimer_ = new QLabel(QString(ownership).replace(address, joined), this);
  lblDisclaimer_->setAccessibleName(ownership);
  QFont small = lblDisclaimer_->font();  // three lines of it fit the box
  small.setPointSizeF(std::min(small.pointSizeF(), 7.5));
  lblDisclaimer_->setFont(small);
  lblDisclaimer_->setGeometry(At(255, 2625, 3870, 585));
  lblDisclaimer_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblDisclaimer_->setWordWrap(true);
  SetColour(lblDisclaimer_, QPalette::WindowText, Qt::black);

  cmdOK_ = new QPushButton("I Agree", this);
  cmdOK_->setGeometry(At(4245, 2625, 1260, 345));
  cmdOK_->setDefault(true);
  connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutDialog::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    accept();
    return;
  }
  QDialog::keyPressEvent(e);
}

}  // namespace stakora::qt
