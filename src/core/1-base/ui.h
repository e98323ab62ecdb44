#pragma once
// What the handlers ask of the desktop: message boxes, focus and pages. The Qt
// front end implements it; tests script it. Every call is modal: it returns
// when the user has answered.

#include <string>
#include <vector>

#include "report_number.h"

namespace stakora {

// The controls that can receive the input focus from a handler.
struct FocusTarget {
  enum class Kind { Total_stake, Combo1, txt_odds };
  Kind kind = Kind::Total_stake;
  int row = 0;  // for txt_odds
  friend bool operator==(const FocusTarget&, const FocusTarget&) = default;
};

class Ui {
 public:
  virtual ~Ui() = default;
  // OK only, no icon, the application title as caption.
  virtual void ShowMessage(const std::string& prompt) = 0;
  // Yes and No, Yes the default, no icon; true for Yes.
  virtual bool AskYesNo(const std::string& prompt) = 0;
  // The settings report: the bare error number with the stop icon.
  virtual void ShowErrorNumber(ReportNumber number) = 0;
  virtual void SetFocus(FocusTarget target) = 0;
  // Show the browser window; it loads thisURL only when it is not open yet.
  virtual void ShowBrowser() = 0;
  // Hand an address to the user's own browser; the outcome is not looked at.
  virtual void OpenInSystemBrowser(const std::string& url) = 0;
};

// A Ui that shows nothing and answers No: for dry runs and scripted use.
class SilentUi : public Ui {
 public:
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  void ShowErrorNumber(ReportNumber) override {}
  void SetFocus(FocusTarget) override {}
  void ShowBrowser() override {}
  void OpenInSystemBrowser(const std::string&) override {}
};

// A silent Ui that keeps every message shown, in order: for the command line,
// the fuzz targets and the press tried on a copy of the window.
class RecordingUi : public SilentUi {
 public:
  void ShowMessage(const std::string& prompt) override { messages.push_back(prompt); }
  std::vector<std::string> messages;
};

}  // namespace stakora
