// The Qt tests run off-screen in one QApplication.

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  Q_INIT_RESOURCE(stakora);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
