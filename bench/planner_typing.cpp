// The stake planner's window with a thousand runners laid to a liability: how
// long pasting them holds the window, the longest the event loop is held while
// a liability of 40000 is typed a key at a time, and how long after the last
// key the plan is shown. Prints "<paste ms> <longest hold ms> <plan ms>".

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "no_boxes.h"
#include "qt/planner_window.h"

namespace {

template <typename W>
W* Named(QWidget* in, const QString& said) {
  for (auto* w : in->findChildren<W*>())
    if (w->accessibleName() == said || w->property("text").toString() == said) return w;
  return nullptr;
}

double Ms(const QElapsedTimer& t) {
  return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  NoBoxes boxes;
  auto* window = new stakora::qt::PlannerWindow("", boxes);  // no settings file
  window->show();
  QString runners;
  for (int i = 0; i < 1000; ++i) runners += "1000.1\n";
  QApplication::clipboard()->setText(runners);
  QElapsedTimer paste;
  paste.start();
  window->PasteRunners();
  const double paste_ms = Ms(paste);
  Named<QRadioButton>(window, "&Lay")->click();
  Named<QRadioButton>(window, "L&iability")->click();
  QTest::qWait(200);

  // A tick every millisecond: the longest gap between ticks is the longest
  // the event loop was held.
  QElapsedTimer clock;
  clock.start();
  qint64 last = 0, longest = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    longest = std::max(longest, now - last);
    last = now;
  });
  ticker.start(1);
  QLineEdit* amount = Named<QLineEdit>(window, "Amount");
  amount->setFocus();
  last = clock.nsecsElapsed();
  for (QChar c : QString("40000")) {
    if (c != '4') QTest::qWait(30);  // a quick typist
    QTest::keyClicks(amount, QString(c));
  }
  QElapsedTimer shown;
  shown.start();
  while (window->planning()) QTest::qWait(1);
  const double plan_ms = Ms(shown);
  ticker.stop();
  std::printf("%.1f %.1f %.1f\n", paste_ms, static_cast<double>(longest) / 1e6, plan_ms);
  window->close();
  delete window;  // closing only hides it
  return 0;
}
