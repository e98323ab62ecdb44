#pragma once
// Message boxes for the Qt tests: recorded, answered from a script, and never
// left open. A snapshot hook sees the widgets while a box would be showing.

#include <QString>
#include <functional>
#include <vector>

#include "qt/message_boxes.h"
#include "qt/pages_host.h"
#include "support/scripted_answers.h"

namespace stakora::qt::testing {

class ScriptedBoxes : public MessageBoxes, public stakora::testing::ScriptedAnswers {
 public:
  void Message(QWidget*, const QString& text) override { Record("message", text); }
  bool Question(QWidget*, const QString& text) override {
    Record("question", text);
    return Answer(text.toStdString());
  }
  void ErrorNumber(QWidget*, const QString& number) override { Record("error", number); }
  void Failure(QWidget*, const QString& text) override { Record("failure", text); }

  std::vector<std::pair<std::string, QString>> shown;
  std::function<void()> on_show;

 private:
  void Record(const char* kind, const QString& text) {
    shown.emplace_back(kind, text);
    Note(text.toStdString());
    if (on_show) on_show();
  }
};

class RecordingPages : public PagesHost {
 public:
  QString ShowBrowser(const QString& address) override {
    browser.push_back(address);
    return failure;
  }
  void OpenExternal(const QString& address) override { external.push_back(address); }
  void CloseAll() override { ++closed; }
  std::vector<QString> browser, external;
  QString failure;  // what ShowBrowser answers
  int closed = 0;
};

}  // namespace stakora::qt::testing
