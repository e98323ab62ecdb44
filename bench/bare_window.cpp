// The yardstick for start-up: a bare Qt Widgets window and nothing else, or
// with "--label" one line of text, which brings in the font machinery every
// window with text needs.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <cstring>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle("Bare");
  window.resize(364, 379);
  if (argc > 1 && std::strcmp(argv[1], "--label") == 0) {
    auto* label = new QLabel("One line of text", &window);
    label->setGeometry(10, 10, 200, 20);
  }
  window.show();
  return app.exec();
}
