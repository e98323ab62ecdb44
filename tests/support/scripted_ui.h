#pragma once
// A Ui for tests: records every box with the rows as they stood when it was
// shown, answers questions from a script, and fails the test on a question
// nobody scripted instead of waiting for a click.

#include <array>
#include <string>
#include <vector>

#include "form1.h"
#include "support/scripted_answers.h"
#include "ui.h"

namespace stakora::testing {

class ScriptedUi : public Ui, public ScriptedAnswers {
 public:
  enum class Kind { Message, Question, ErrorNumber };
  struct Shown {
    Kind kind;
    std::string text;
    std::array<HorseRow, kRowCount> rows;  // as they stood while the box was open
  };

  explicit ScriptedUi(const Form1* watched = nullptr) : watched_(watched) {}

  void ShowMessage(const std::string& prompt) override { Record(Kind::Message, prompt); }
  bool AskYesNo(const std::string& prompt) override {
    Record(Kind::Question, prompt);
    return Answer(prompt);
  }
  void ShowErrorNumber(ReportNumber n) override {
    Record(Kind::ErrorNumber, std::to_string(ToInt(n)));
  }
  void SetFocus(FocusTarget target) override { focus.push_back(target); }
  void ShowBrowser() override { browser_urls.push_back(watched_ ? watched_->thisURL : ""); }
  void OpenInSystemBrowser(const std::string& url) override { opened.push_back(url); }

  std::vector<Shown> shown;
  std::vector<FocusTarget> focus;
  std::vector<std::string> browser_urls;  // thisURL at each ShowBrowser
  std::vector<std::string> opened;

 private:
  void Record(Kind kind, const std::string& text) {
    shown.push_back({kind, text, watched_ ? watched_->rows : decltype(Shown::rows){}});
    Note(text);
  }
  const Form1* watched_;
};

}  // namespace stakora::testing
