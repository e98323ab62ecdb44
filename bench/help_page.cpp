// Time from the Help command to the help page finished loading in the browser
// window, the first time (module and engine loaded on the way) and again after
// closing the window. Prints "<first ms> <second ms>".

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>

#include "no_boxes.h"
#include "qt/desktop_pages.h"
#include "qt/main_window.h"

namespace {

double HelpToLoaded(stakora::qt::MainWindow& window, stakora::qt::DesktopPages& pages) {
  QAction* help = nullptr;
  for (QAction* a : window.findChildren<QAction*>())
    if (a->text() == "Help") help = a;
  QElapsedTimer timer;
  timer.start();
  help->trigger();
  QObject* view = pages.browser()->findChild<QObject*>("WebBrowser1");
  QEventLoop loop;
  // By name: this program does not link the engine, so its first use is measured.
  QObject::connect(view, SIGNAL(loadFinished(bool)), &loop, SLOT(quit()));
  QTimer::singleShot(60000, &loop, &QEventLoop::quit);
  loop.exec();
  const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
  pages.CloseAll();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  NoBoxes boxes;
  stakora::qt::DesktopPages pages(STAKORA_BROWSER_MODULE_PATH);
  stakora::qt::MainWindow window({'.', STAKORA_PAGES_DIR}, boxes, pages);
  window.show();
  const double first = HelpToLoaded(window, pages);
  const double second = HelpToLoaded(window, pages);
  std::printf("%.1f %.1f\n", first, second);
  return 0;
}
