// The Qt tests run off-screen in one QApplication.

#include <gtest/gtest.h>

#include <QApplication>

#include "support/hang_watch.h"

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  stakora::testing::WatchForHangs();
  return RUN_ALL_TESTS();
}
