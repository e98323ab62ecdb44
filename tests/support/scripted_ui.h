#pragma once
// A Ui for tests: records every box with the rows as they stood when it was
// shown, answers questions from a script, and fails the test on a question
// nobody scripted instead of waiting for a click.

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <string>
#include <vector>

#include "form1.h"
#include "ui.h"

namespace stakora::testing {

class ScriptedUi : public Ui {
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
    if (answers.empty()) return (ADD_FAILURE() << "unexpected question: " << prompt, false);
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
  }
  void ShowErrorNumber(ReportNumber n) override {
    Record(Kind::ErrorNumber, std::to_string(ToInt(n)));
  }
  void SetFocus(FocusTarget target) override { focus.push_back(target); }
  void ShowBrowser() override { browser_urls.push_back(watched_ ? watched_->thisURL : ""); }
  void OpenInSystemBrowser(const std::string& url) override { opened.push_back(url); }

  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& s : shown) out.push_back(s.text);
    return out;
  }

  std::vector<Shown> shown;
  std::vector<FocusTarget> focus;
  std::deque<bool> answers;               // Yes is true
  std::vector<std::string> browser_urls;  // thisURL at each ShowBrowser
  std::vector<std::string> opened;

 private:
  void Record(Kind kind, const std::string& text) {
    shown.push_back({kind, text, watched_ ? watched_->rows : decltype(Shown::rows){}});
  }
  const Form1* watched_;
};

}  // namespace stakora::testing
