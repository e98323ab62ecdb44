// The yardstick for start-up: a bare Qt Widgets window and nothing else.

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle("Bare");
  window.resize(364, 379);
  window.show();
  return app.exec();
}
