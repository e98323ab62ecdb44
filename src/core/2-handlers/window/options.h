#pragma once
// The mode buttons (Option1) and the odds notation buttons (Option2 Decimal,
// Option3 Fraction, Option4 Betfair), and the odds boxes' change event.

#include "form1.h"

namespace stakora {

enum class OptionId { Option1_0, Option1_1, Option2, Option3, Option4 };

// The button that selects a notation: Option2, Option3 or Option4.
OptionId NotationOption(Notation n);

Control& OptionControl(Form1& f, OptionId id);
const Control& OptionControl(const Form1& f, OptionId id);

// As a user's click: clears the others of its group and runs its handler. An
// option that is already selected stays as it is and runs nothing, so a second
// click on Fraction does not throw away the odds typed since.
void SelectOption(Form1& f, OptionId id);
// Clears the option and runs nothing.
void ClearOption(Form1& f, OptionId id);

// The prompts as the program has always shown them; "do wish" is kept on
// purpose, as users know it.
inline constexpr const char* kPromptStake = "How much do wish to stake?";
inline constexpr const char* kPromptWin = "How much do wish to Win?";

void Option1_Click(Form1& f, int index);
// Switching notation shows each box's typed odds in the new notation and
// never throws them away: back in the notation they were typed in, they read
// exactly as typed; a text that cannot be converted stays. Decimal and
// Betfair: fractional odds a/b become the decimal odds a/b + 1, exact to four
// decimals (1/8 becomes 1.125, 1/3 becomes 1.3333).
void Option2_Click(Form1& f);
// Fraction: decimal odds become the exact fraction of their profit in lowest
// terms (3.5 becomes 5/2, 2 becomes 1/1).
void Option3_Click(Form1& f);
void Option4_Click(Form1& f);

}  // namespace stakora
