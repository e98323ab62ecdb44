// The browser window with the real web engine, off-screen.

#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <cstdlib>

#include "app_identity.h"
#include "each_way.h"
#include "qt/desktop_pages.h"
#include "qt/main_window.h"
#include "scripted_boxes.h"
#include "settings_file.h"

namespace stakora::qt {
namespace {

using testing::ScriptedBoxes;

constexpr int kLoadTimeoutMs = 60000;

QWebEngineView* View(DesktopPages& pages) {
  return pages.browser() ? pages.browser()->findChild<QWebEngineView*>("WebBrowser1") : nullptr;
}

bool WaitLoaded(QWebEngineView* view) {
  QSignalSpy loaded(view, &QWebEngineView::loadFinished);
  return loaded.wait(kLoadTimeoutMs);
}

QVariant Js(QWebEngineView* view, const QString& script) {
  QVariant result;
  QEventLoop loop;
  view->page()->runJavaScript(script, [&](const QVariant& v) {
    result = v;
    loop.quit();
  });
  QTimer::singleShot(kLoadTimeoutMs, &loop, &QEventLoop::quit);
  loop.exec();
  return result;
}

class BrowserTest : public ::testing::Test {
 protected:
  BrowserTest()
      : pages(STAKORA_BROWSER_MODULE_PATH), window({'.', STAKORA_PAGES_DIR}, boxes, pages) {}
  void Menu(const QString& caption) {
    for (QAction* a : window.findChildren<QAction*>())
      if (a->text() == caption) return a->trigger();
    FAIL() << "no menu command " << caption.toStdString();
  }
  void CloseBrowser() {
    pages.browser()->findChild<QPushButton*>("Command1")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  ScriptedBoxes boxes;
  DesktopPages pages;
  MainWindow window;
};

TEST_F(BrowserTest, HelpOpensTheHelpPageAndUpdatesOnlyRaisesIt) {
  Menu("Help");
  QWebEngineView* view = View(pages);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(pages.browser()->windowTitle(), "Register for updates");
  ASSERT_TRUE(WaitLoaded(view));
  EXPECT_EQ(view->title(), "Stakora Help");
  EXPECT_TRUE(boxes.shown.empty());

  Menu("Updates");  // only raises the open window
  EXPECT_TRUE(view->url().toString().endsWith("/help.htm"));
  // The page has the keys, and Esc closes the window.
  EXPECT_TRUE(view == pages.browser()->focusWidget() ||
              view->isAncestorOf(pages.browser()->focusWidget()));
  QTest::keyClick(pages.browser(), Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(pages.browser(), nullptr);
  Menu("Updates");
  ASSERT_TRUE((view = View(pages)) && WaitLoaded(view));
  EXPECT_TRUE(view->url().toString().endsWith("/update.txt"));
  EXPECT_TRUE(
      Js(view, "document.body.innerText").toString().contains(QString("Stakora ") + kVersionText));
  // The notes are shaped to the window: no line wraps a second time.
  EXPECT_TRUE(Js(view,
                 "const p = document.querySelector('pre'); const h = p.offsetHeight;"
                 "p.style.whiteSpace = 'pre'; h === p.offsetHeight")
                  .toBool());
  CloseBrowser();
}

TEST_F(BrowserTest, EachWayPageComputesTheReturnsAndExplainsBadOdds) {
  Menu("Each Way Checker");
  QWebEngineView* view = View(pages);
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(WaitLoaded(view));
  auto text = [&](const char* id) {
    return Js(view, QString("document.getElementById('%1').textContent").arg(id)).toString();
  };
  // 10/1 at 1/4 the odds, 2 each way, a rule 4 deduction of 25p: the total,
  // the won, placed and lost outcomes and the place fraction the page shows.
  Js(view,
     "const set = (id, v) => document.getElementById(id).value = v; set('win-odds', '10/1');"
     "set('terms', '4'); set('places', '3'); set('stake', '2'); set('rule4', '25'); calculate();");
  QStringList shown;
  for (const char* id : {"total-stake", "won-return", "won-profit", "placed-return",
                         "placed-profit", "lost-profit", "place-fraction", "message"})
    shown << text(id);
  EXPECT_EQ(shown.join(' '), "4.00 22.75 18.75 5.75 1.75 -4.00 5/2 ");
  for (const char* odds : {"abc", "1.0", "5/0"}) {
    Js(view, QString("document.getElementById('win-odds').value = '%1'; calculate();").arg(odds));
    EXPECT_TRUE(text("message").startsWith("Please enter the win odds")) << odds;
    const QString page = Js(view, "document.body.innerText").toString();
    EXPECT_FALSE(page.contains("NaN") || page.contains("Infinity")) << odds;
  }
  CloseBrowser();
}

// The page suggests the terms the planner uses, for every field size.
TEST_F(BrowserTest, EachWayPageSuggestsThePlannersTerms) {
  Menu("Each Way Checker");
  QWebEngineView* view = View(pages);
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(WaitLoaded(view));
  QStringList page, planner;
  for (int runners = 1; runners <= 30; ++runners) {
    for (bool handicap : {false, true}) {
      page << Js(view, QString("JSON.stringify(suggestedTerms(%1, %2))")
                           .arg(runners)
                           .arg(handicap ? "true" : "false"))
                  .toString();
      const auto usual = plan::UsualPlaceTerms(runners, handicap);
      planner << (!usual                     ? QString("null")
                  : usual->fraction_num == 1 ? QString("{\"places\":%1,\"terms\":%2}")
                                                   .arg(usual->places)
                                                   .arg(usual->fraction_den)
                                             : QString("not 1/n"));
    }
  }
  EXPECT_EQ(page, planner);
  CloseBrowser();
}

// From an unpacked package, as the program there finds them: the pages and
// the module beside it (the tarball) or in ../share and ../lib (the .deb),
// and config.txt written beside it or in the user's configuration folder.
TEST(Package, FindsItsPagesAndWritesItsSettingsBesideItself) {
  const char* dir = std::getenv("STAKORA_PACKAGE_DIR");
  if (!dir) GTEST_SKIP() << "run by the package test";
  ScriptedBoxes boxes;
  DesktopPages pages(DesktopPages::ModuleFor(dir));
  const DesktopFolders where = FindDesktopFolders(dir);
  MainWindow window({'.', dir, where.pages, where.settings}, boxes, pages);
  window.Load();
  for (QAction* a : window.findChildren<QAction*>())
    if (a->text() == "Help") a->trigger();
  QWebEngineView* view = View(pages);
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(WaitLoaded(view));
  EXPECT_EQ(view->title(), "Stakora Help");
  boxes.answers = {true};
  window.widgets().cmd_close->click();
  EXPECT_TRUE(window.ended());
  EXPECT_TRUE(QFile::exists(QString::fromStdString(where.settings) + "/config.txt"));
}

}  // namespace
}  // namespace stakora::qt
