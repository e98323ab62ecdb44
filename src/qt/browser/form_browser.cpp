// form_browser: one embedded web view and a Close button.

#include <QPushButton>
#include <QShortcut>
#include <QUrl>
#include <QWebEngineView>
#include <QWidget>

#include "qt/browser/browser_module.h"
#include "qt/twips.h"

namespace {

using stakora::qt::Px;

class FormBrowser : public QWidget {
 public:
  explicit FormBrowser(const QString& address) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Register for updates");  // for every page
    resize(Px(8385), Px(7920));              // resizable; the controls keep their places
    auto* WebBrowser1 = new QWebEngineView(this);
    WebBrowser1->setObjectName("WebBrowser1");
    WebBrowser1->setGeometry(stakora::qt::PxRect({120, 120, 8055, 7095}));
    auto* Command1 = new QPushButton("&Close", this);
    Command1->setObjectName("Command1");
    Command1->setGeometry(stakora::qt::PxRect({2040, 7440, 3855, 375}));
    Command1->setAutoDefault(true);  // Enter presses it when it has the focus
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
    setTabOrder(WebBrowser1, Command1);
    // The page has the keys from the start, so Page Down scrolls at once;
    // Esc closes the window as its Close button does.
    WebBrowser1->setFocus(Qt::OtherFocusReason);
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::close);
    // Form_Load: navigate to the address as it stands. A bad address or a
    // missing page shows the engine's own error page; nothing is reported.
    WebBrowser1->load(QUrl(address));
  }
};

}  // namespace

extern "C" Q_DECL_EXPORT QWidget* stakora_create_form_browser(const QString& address) {
  return new FormBrowser(address);
}
