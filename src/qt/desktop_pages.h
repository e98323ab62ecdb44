#pragma once
// Pages on the desktop: the browser window from its module, the maker's site
// in the user's own browser.

#include <QPointer>
#include <QString>
#include <QWidget>

#include "qt/pages_host.h"

namespace stakora::qt {

class DesktopPages : public PagesHost {
 public:
  // The module's path; by default the one of the running program.
  explicit DesktopPages(QString module_path = {});

  // The module of a program in this folder: beside it in a portable folder,
  // in ../lib/stakora/plugins when installed.
  static QString ModuleFor(const QString& program_folder);
  ~DesktopPages() override;

  QString ShowBrowser(const QString& address) override;
  void OpenExternal(const QString& address) override;
  void CloseAll() override;

  // The open browser window, if any.
  QWidget* browser() const { return browser_; }

 private:
  QString module_path_;
  QPointer<QWidget> browser_;
};

}  // namespace stakora::qt
