#include "lifecycle.h"

#include "settings.h"

namespace stakora {

void Form_Load(Form1& f, Ui& ui) {
  LayOutForStartUp(f);
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
