#include "qt/desktop_pages.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QLibrary>
#include <QUrl>

#include "qt/browser/browser_module.h"

namespace stakora::qt {
namespace {

QString DefaultModulePath() {
  return QCoreApplication::applicationDirPath() + "/" + STAKORA_BROWSER_MODULE;
}

CreateFormBrowserFn LoadModule(const QString& path) {
  // The engine's sandbox cannot run as root; it stays on for everybody else.
  if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  static QLibrary module;  // stays loaded: the engine cannot be unloaded again
  if (!module.isLoaded()) {
    module.setFileName(path);
    module.setLoadHints(QLibrary::ExportExternalSymbolsHint);
  }
  return reinterpret_cast<CreateFormBrowserFn>(module.resolve(kCreateFormBrowserSymbol));
}

}  // namespace

DesktopPages::DesktopPages(QString module_path)
    : module_path_(module_path.isEmpty() ? DefaultModulePath() : std::move(module_path)) {}

DesktopPages::~DesktopPages() {
  CloseAll();
}

void DesktopPages::ShowBrowser(const QString& address) {
  if (!browser_) {
    const CreateFormBrowserFn create = LoadModule(module_path_);
    if (!create) {
      qWarning("stakora: the browser window is not available: %s", qPrintable(module_path_));
      return;
    }
    browser_ = create(address);  // modeless, with no owner
  }
  browser_->show();
  browser_->raise();
  browser_->activateWindow();
}

void DesktopPages::OpenExternal(const QString& address) {
  QDesktopServices::openUrl(QUrl(address));
}

void DesktopPages::CloseAll() {
  if (browser_) browser_->close();
}

}  // namespace stakora::qt
