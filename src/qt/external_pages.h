#pragma once
// Pages in the user's own browser, for builds without the browser window
// (Windows, where there is no web engine): the page shipped beside the
// program is handed to the web browser as a file.

#include <QString>
#include <QUrl>

#include "qt/pages_host.h"

namespace stakora::qt {

// The address as the desktop takes it: a "file://" address followed by a
// path of this system, whatever its separators, spaces or letters.
QUrl PageUrl(const QString& address);

// The program that opens web addresses on this system, or empty when there
// is none or no way to ask (only Windows is asked).
QString DefaultBrowser();

class ExternalPages : public PagesHost {
 public:
  // With no browser, a page goes to whatever program the desktop opens its
  // file type with.
  explicit ExternalPages(QString browser = DefaultBrowser()) : browser_(std::move(browser)) {}

  QString ShowBrowser(const QString& address) override;
  void OpenExternal(const QString& address) override;
  void CloseAll() override {}

 private:
  QString browser_;
};

}  // namespace stakora::qt
