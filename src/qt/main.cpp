// stakora: the About and disclaimer box, then the main window.

#include <QApplication>
#include <QLocale>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

#include "app_identity.h"
#include "qt/about_dialog.h"
#ifdef STAKORA_BROWSER_WINDOW
#include "qt/desktop_pages.h"
#else
#include "qt/external_pages.h"
#endif
#include "qt/main_window.h"
#include "qt/message_boxes.h"
#include "qt/program_icon.h"
#include "settings_file.h"

namespace {

// Qt aborts without a display; say so in one line instead. Windows always
// has one.
bool HaveDisplay() {
#ifdef _WIN32
  return true;
#else
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* v = std::getenv(name);
    if (v && *v) return true;
  }
  return false;
#endif
}

char DecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  return point.size() == 1 && point[0].unicode() < 128 ? static_cast<char>(point[0].unicode())
                                                       : '.';
}

}  // namespace

int main(int argc, char** argv) {
  if (!HaveDisplay()) {
    std::fprintf(stderr,
                 "stakora: no display found; run it on a desktop, or under a virtual display: "
                 "xvfb-run -a %s\n",
                 argv[0]);
    return 1;
  }
  // Qt::AA_ShareOpenGLContexts is left unset on purpose: it makes the
  // application create an OpenGL context at start-up, which on a software GL
  // stack more than doubles the time to the first window and its memory. The
  // shared context the web engine needs is made when the first page is shown.
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(stakora::kAppTitle));
  QApplication::setApplicationVersion(QString::fromUtf8(stakora::kVersionText));
  QApplication::setWindowIcon(QIcon(stakora::qt::ProgramIcon()));

  // The box deletes itself as it closes.
  if ((new stakora::qt::AboutDialog)->exec() != QDialog::Accepted) return 0;  // not agreed

  stakora::qt::ModalMessageBoxes boxes;
#ifdef STAKORA_BROWSER_WINDOW
  stakora::qt::DesktopPages pages;
#else
  stakora::qt::ExternalPages pages;
#endif
  const std::string folder = stakora::ProgramFolder();
  const stakora::DesktopFolders where = stakora::FindDesktopFolders(folder);
  stakora::qt::MainWindow window({DecimalSeparator(), folder, where.pages, where.settings}, boxes,
                                 pages);
  QObject::connect(&window, &stakora::qt::MainWindow::programEnded, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  window.Load();
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    window.move(screen->availableGeometry().center() - window.rect().center());
  window.show();
  window.activateWindow();  // the keyboard goes to the window the user just opened
  return app.exec();
}
