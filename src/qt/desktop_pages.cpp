#include "qt/desktop_pages.h"

#ifndef _WIN32
#include <unistd.h>
#endif

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QLibrary>
#include <QLoggingCategory>
#include <QOpenGLContext>
#include <QUrl>

#include "qt/browser/browser_module.h"

// Qt's own modules use this to install the context every GL context shares
// with; QtGui exports it.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace stakora::qt {
namespace {

QString DefaultModulePath() {
  return DesktopPages::ModuleFor(QCoreApplication::applicationDirPath());
}

// The web engine needs a GL context that its contexts share. Qt makes one at
// start-up when asked before the application object exists, but that costs
// every start a GL context, so it is made here, before the engine is loaded.
void ShareGlContexts() {
  if (QOpenGLContext::globalShareContext()) return;
  // Qt warns that the attribute comes late; here that is the point.
  static QtMessageHandler previous = nullptr;
  previous = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& where, const QString& text) {
        if (!text.contains("AA_ShareOpenGLContexts") && previous) previous(type, where, text);
      });
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  qInstallMessageHandler(previous);
  auto* context = new QOpenGLContext(QCoreApplication::instance());
  if (context->create()) {
    qt_gl_set_global_share_context(context);
  } else {
    delete context;
  }
}

// The module's entry point, or nullptr with the reason in `why`.
CreateFormBrowserFn LoadModule(const QString& path, QString& why) {
  // The engine's sandbox cannot run as root; it stays on for everybody else.
#ifndef _WIN32
  if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
  // The engine reports its set-up and its own notices at length: keep the
  // terminal quiet, warnings and errors of Qt and of the program included.
  QLoggingCategory::setFilterRules(
      QStringLiteral("qt.webenginecontext.info=false\n"
                     "qt.webenginecontext.debug=false\n"
                     "js.info=false\njs.debug=false"));
  if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS"))
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--log-level=3");
  ShareGlContexts();
  static QLibrary module;  // stays loaded: the engine cannot be unloaded again
  if (!module.isLoaded()) {
    module.setFileName(path);
    module.setLoadHints(QLibrary::ExportExternalSymbolsHint);
  }
  const auto create =
      reinterpret_cast<CreateFormBrowserFn>(module.resolve(kCreateFormBrowserSymbol));
  if (!create) why = module.errorString();
  return create;
}

}  // namespace

QString DesktopPages::ModuleFor(const QString& here) {
  const QString beside = here + "/" + STAKORA_BROWSER_MODULE;
  const QString installed = here + "/../lib/stakora/plugins/" + STAKORA_BROWSER_MODULE;
  return QFile::exists(beside) || !QFile::exists(installed) ? beside : installed;
}

DesktopPages::DesktopPages(QString module_path)
    : module_path_(module_path.isEmpty() ? DefaultModulePath() : std::move(module_path)) {}

DesktopPages::~DesktopPages() {
  CloseAll();
}

QString DesktopPages::ShowBrowser(const QString& address) {
  if (!browser_) {
    QString why;
    const CreateFormBrowserFn create = LoadModule(module_path_, why);
    if (!create)
      return "The pages cannot be shown: the browser window's module could not be loaded.\n\n" +
             why;
    browser_ = create(address);  // modeless, with no owner
  }
  browser_->show();
  browser_->raise();
  browser_->activateWindow();
  return {};
}

void DesktopPages::OpenExternal(const QString& address) {
  QDesktopServices::openUrl(QUrl(address));
}

void DesktopPages::CloseAll() {
  if (!browser_) return;
  browser_->close();
  delete browser_.data();  // now, not later: the engine must be gone before the program ends
}

}  // namespace stakora::qt
