#pragma once
// The settings as the program uses them: a window started in a folder, and
// a save or a load there, each with the error numbers it reported.

#include <string>
#include <vector>

#include "lifecycle.h"
#include "settings.h"
#include "support/scripted_ui.h"

namespace stakora::testing {

using Strings = std::vector<std::string>;

inline const std::string kDefaults = "true\r\nfalse\r\nfalse\r\ntrue\r\nfalse\r\n1\r\n50.00\r\n";

struct Loaded {
  Form1 form;
  Strings reports;
};

// A fresh window started in the folder, as the program starts.
inline Loaded Start(const std::string& folder) {
  Loaded l{MakeForm1({'.', folder}), {}};
  ScriptedUi ui(&l.form);
  Form_Load(l.form, ui);
  l.reports = ui.Texts();
  return l;
}

inline Strings Save(const std::string& folder, const std::string& amount = "50.00") {
  Form1 f = MakeForm1({'.', folder});
  f.Total_stake.text = amount;
  ScriptedUi ui;
  SaveSettings(f, ui);
  return ui.Texts();
}

}  // namespace stakora::testing
