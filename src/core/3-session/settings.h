#pragma once
// The user's choices (mode, notation, horse count, amount) in config.txt in
// the settings folder (the program's own, or the user's configuration folder
// for an installed program; see Platform): seven lines, CR LF after each.

#include <string>
#include <string_view>

#include "form1.h"
#include "report_number.h"
#include "ui.h"

namespace stakora {

// The settings folder + "/config.txt", nothing converted.
std::string SettingsPath(const Form1& f);

// The file's bytes for the window as it stands.
std::string SettingsText(const Form1& f);

// Applies a settings file's bytes to the window in file order; returns None
// or the number at which it stopped, with what came before it applied.
[[nodiscard]] ReportNumber ApplySettings(Form1& f, std::string_view bytes);

// Both report their own failure as the bare error number and return.
void SaveSettings(Form1& f, Ui& ui);
void LoadSettings(Form1& f, Ui& ui);

}  // namespace stakora
