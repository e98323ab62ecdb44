#pragma once
// Typing in the amount, the horse count and the odds boxes. The box's text is
// the model's already; these say what else the edit means.

#include "form1.h"

namespace stakora {

// Each marks the figures shown out of date; nothing is calculated.
void Total_stake_Change(Form1& f);
void Combo1_Change(Form1& f);
// The text typed in odds box `index` becomes what that box keeps, in the
// notation now selected.
void txt_odds_Change(Form1& f, int index);

}  // namespace stakora
