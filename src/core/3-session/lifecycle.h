#pragma once
// Start-up and closing of the main window.

#include "form1.h"
#include "ui.h"

namespace stakora {

inline constexpr const char* kMsgExitQuestion = "Are you sure you want to exit?";

// Lays the window out for one row, then restores the saved settings.
void Form_Load(Form1& f, Ui& ui);

// What the front end does once a handler is done.
enum class CloseOutcome { KeepOpen, EndProgram };

// Close button and Exit menu: ask, and on Yes save and end (even when saving failed).
[[nodiscard]] CloseOutcome cmd_close_Click(Form1& f, Ui& ui);
[[nodiscard]] CloseOutcome Exit_Click(Form1& f, Ui& ui);
// Any other request to close the window ends the program at once, unsaved.
[[nodiscard]] CloseOutcome Form_QueryUnload(Form1& f);

}  // namespace stakora
