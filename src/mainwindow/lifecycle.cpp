#include "mainwindow/lifecycle.h"

#include "mainwindow/settings.h"

namespace stakora {

void Form_Load(Form1& f, Ui& ui) {
  ResizeMainWindow(f, 4700);
  for (int i = 1; i < kRowCount; ++i) HideRow(f.rows[static_cast<std::size_t>(i)]);
  LoadSettings(f, ui);
}

CloseOutcome cmd_close_Click(Form1& f, Ui& ui) {
  if (!ui.AskYesNo(kMsgExitQuestion)) return CloseOutcome::KeepOpen;
  SaveSettings(f, ui);
  return Form_QueryUnload(f);
}

CloseOutcome Exit_Click(Form1& f, Ui& ui) {
  return cmd_close_Click(f, ui);
}

CloseOutcome Form_QueryUnload(Form1& /*f*/) {
  return CloseOutcome::EndProgram;
}

}  // namespace stakora
