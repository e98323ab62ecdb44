#pragma once
// The Calculate command: checks the amount and the horse count, converts the
// odds, splits the stakes for the selected mode and fills in the results.

#include "form1.h"
#include "ui.h"

namespace stakora {

// The messages as the program has always shown them; "stke" and "loose" are
// kept on purpose, as users and their notes know them.
inline constexpr const char* kMsgStakeNotNumber = "Please only enter numbers in the stke field!";
inline constexpr const char* kMsgHorsesNotNumber = "Please only enter numbers in horse field!";
inline constexpr const char* kMsgZeroAmount = "Please choose your stake or profit";
inline constexpr const char* kMsgAmountTooLarge = "Please enter a smaller stake or profit";
inline constexpr const char* kMsgHorseCountRange = "Please choose between 1 and 5 horses";
inline constexpr const char* kMsgNotWorkable = "Sorry this is not a workable bet";
inline constexpr const char* kMsgLoss = "You will loose money on this bet";
// "Please check the odds for Horse N", N counted from 1.
std::string CheckOddsMessage(int row);

enum class CalcOutcome { Completed, Refused };

// The rows a press reads and writes for the count in Combo1: 0 to 5.
int RowsInUse(const Form1& f);

// Every refusal shows one message; apart from the unworkable target profit,
// which keeps the working odds of the first pass, nothing is written then.
[[nodiscard]] CalcOutcome cmd_calculate2_Click(Form1& f, Ui& ui);

}  // namespace stakora
