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

#include "qt/desktop_pages.h"
#include "qt/main_window.h"
#include "scripted_boxes.h"

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
      : pages(STAKORA_BROWSER_MODULE_PATH), window({'.', STAKORA_PAGES_DIR}, boxes, pages) {
    boxes.answers = {};
  }
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

  QWidget* first = pages.browser();
  Menu("Updates");
  EXPECT_EQ(pages.browser(), first);
  EXPECT_TRUE(view->url().toString().endsWith("/help.htm"));

  CloseBrowser();
  EXPECT_EQ(pages.browser(), nullptr);
  Menu("Updates");
  view = View(pages);
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(WaitLoaded(view));
  EXPECT_TRUE(view->url().toString().endsWith("/update.txt"));
  EXPECT_TRUE(Js(view, "document.body.innerText").toString().contains("Stakora 1.0.2"));
  CloseBrowser();
}

TEST_F(BrowserTest, MissingPageShowsTheEnginesOwnErrorAndNoMessage) {
  MainWindow elsewhere({'.', "/nonexistent-folder"}, boxes, pages);
  for (QAction* a : elsewhere.findChildren<QAction*>())
    if (a->text() == "Help") a->trigger();
  QWebEngineView* view = View(pages);
  ASSERT_NE(view, nullptr);
  WaitLoaded(view);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(pages.browser()->isVisible());
  CloseBrowser();
}

struct EachWayCase {
  const char* odds;
  int terms, places;
  const char* stake;
  const char* rule4;
  const char* total;
  const char* won_return;
  const char* won_profit;
  const char* placed_return;
  const char* placed_profit;
  const char* lost_profit;
  const char* place_fraction;
};

class EachWayPage : public BrowserTest, public ::testing::WithParamInterface<EachWayCase> {};

TEST_P(EachWayPage, ComputesTheReturns) {
  const EachWayCase& c = GetParam();
  Menu("Each Way Checker");
  QWebEngineView* view = View(pages);
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(WaitLoaded(view));
  Js(view, QString("document.getElementById('win-odds').value = '%1';"
                   "document.getElementById('terms').value = '%2';"
                   "document.getElementById('places').value = '%3';"
                   "document.getElementById('stake').value = '%4';"
                   "document.getElementById('rule4').value = '%5';"
                   "calculate();")
               .arg(c.odds)
               .arg(c.terms)
               .arg(c.places)
               .arg(c.stake)
               .arg(c.rule4));
  auto text = [&](const char* id) {
    return Js(view, QString("document.getElementById('%1').textContent").arg(id)).toString();
  };
  EXPECT_EQ(text("message"), "");
  EXPECT_EQ(text("total-stake"), c.total);
  EXPECT_EQ(text("won-return"), c.won_return);
  EXPECT_EQ(text("won-profit"), c.won_profit);
  EXPECT_EQ(text("placed-return"), c.placed_return);
  EXPECT_EQ(text("placed-profit"), c.placed_profit);
  EXPECT_EQ(text("lost-profit"), c.lost_profit);
  EXPECT_EQ(text("place-fraction"), c.place_fraction);
  CloseBrowser();
}
INSTANTIATE_TEST_SUITE_P(WorkedCases, EachWayPage,
                         ::testing::Values(EachWayCase{"8/1", 5, 3, "10", "0", "20.00", "116.00",
                                                       "96.00", "26.00", "6.00", "-20.00", "8/5"},
                                           EachWayCase{"9.0", 5, 3, "10", "0", "20.00", "116.00",
                                                       "96.00", "26.00", "6.00", "-20.00", "8/5"},
                                           EachWayCase{"5/2", 4, 2, "5", "0", "10.00", "25.63",
                                                       "15.63", "8.13", "-1.88", "-10.00", "5/8"},
                                           EachWayCase{"10/1", 4, 3, "2", "25", "4.00", "22.75",
                                                       "18.75", "5.75", "1.75", "-4.00", "5/2"}));

TEST_F(BrowserTest, EachWayPageExplainsBadOdds) {
  Menu("Each Way Checker");
  QWebEngineView* view = View(pages);
  ASSERT_TRUE(WaitLoaded(view));
  for (const char* odds : {"abc", "0/1", "1.0", "5/0", ""}) {
    Js(view, QString("document.getElementById('win-odds').value = '%1'; calculate();").arg(odds));
    EXPECT_TRUE(Js(view, "document.getElementById('message').textContent")
                    .toString()
                    .startsWith("Please enter the win odds"))
        << odds;
    const QString page = Js(view, "document.body.innerText").toString();
    EXPECT_FALSE(page.contains("NaN") || page.contains("Infinity")) << odds;
  }
  CloseBrowser();
}

// From an unpacked package: the pages and the module beside the program, and
// config.txt written there.
TEST(Package, FindsItsPagesAndWritesItsSettingsBesideItself) {
  const char* dir = std::getenv("STAKORA_PACKAGE_DIR");
  if (!dir) GTEST_SKIP() << "run by the package test";
  ScriptedBoxes boxes;
  DesktopPages pages(QString(dir) + "/stakora-browser.so");
  MainWindow window({'.', dir}, boxes, pages);
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
  EXPECT_TRUE(QFile::exists(QString(dir) + "/config.txt"));
}

}  // namespace
}  // namespace stakora::qt
