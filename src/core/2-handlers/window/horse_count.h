#pragma once
// Choosing how many horses to back: shows rows 0 to n-1 and sizes the window.

#include "form1.h"
#include "report_number.h"

namespace stakora {

// The count comes from Combo1's text. Returns None, or the number of the
// failure (13 not a number, 6 beyond 16 bits, 340 a row above the fifth) with
// the window as it stood at that moment.
[[nodiscard]] ReportNumber Combo1_Click(Form1& f);

}  // namespace stakora
