#pragma once
// Pages in the user's own browser, for builds without the browser window
// (Windows, where there is no web engine): the page shipped beside the
// program is handed to the desktop as a file.

#include <QString>
#include <QUrl>

#include "qt/pages_host.h"

namespace stakora::qt {

// The address as the desktop takes it: a "file://" address followed by a
// path of this system, whatever its separators, spaces or letters.
QUrl PageUrl(const QString& address);

class ExternalPages : public PagesHost {
 public:
  QString ShowBrowser(const QString& address) override;
  void OpenExternal(const QString& address) override;
  void CloseAll() override {}
};

}  // namespace stakora::qt
