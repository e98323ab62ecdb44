#pragma once
// Where pages go: the program's own browser window, or the user's browser.

#include <QString>

namespace stakora::qt {

class PagesHost {
 public:
  virtual ~PagesHost() = default;
  // Shows the browser window; only a window that is not open yet loads the
  // address. Returns why it cannot be shown, or an empty text.
  virtual QString ShowBrowser(const QString& address) = 0;
  // Hands the address to the desktop; whatever happens is not looked at.
  virtual void OpenExternal(const QString& address) = 0;
  // The program is ending: close the browser window too.
  virtual void CloseAll() = 0;
};

}  // namespace stakora::qt
