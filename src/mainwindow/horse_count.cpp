#include "mainwindow/horse_count.h"

#include "calc/number_text.h"
#include "mainwindow/error_numbers.h"

namespace stakora {

int Combo1_Click(Form1& f) {
  const auto count = ToInt16(f.Combo1.text, f.platform.decimal_separator);
  if (!count.value)
    return count.error == ConversionError::NotNumeric ? err::kTypeMismatch : err::kOverflow;
  int step = 270;
  f.height = 4500;  // the bottom controls stay where they were until a row is shown
  for (HorseRow& row : f.rows) HideRow(row);
  for (int i = 0; i < *count.value; ++i) {
    if (i >= kRowCount) return err::kNoSuchRow;
    ShowRow(f.rows[static_cast<std::size_t>(i)]);
    // The window grows by 270, 300, 330, 360, 390: not the rows' 360 pitch.
    ResizeMainWindow(f, f.height + step);
    step += 30;
  }
  return err::kNone;
}

}  // namespace stakora
