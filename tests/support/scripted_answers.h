#pragma once
// What the scripted test doubles share: questions answered from a script,
// a question nobody scripted failing the test instead of waiting for a
// click, and the texts shown, in order.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace stakora::testing {

class ScriptedAnswers {
 public:
  std::deque<bool> answers;  // Yes is true
  std::vector<std::string> Texts() const { return texts_; }

 protected:
  void Note(const std::string& text) { texts_.push_back(text); }
  bool Answer(const std::string& question) {
    if (answers.empty()) return (ADD_FAILURE() << "unexpected question: " << question, false);
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
  }

 private:
  std::vector<std::string> texts_;
};

}  // namespace stakora::testing
