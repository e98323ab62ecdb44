#include "horse_count.h"

#include "number_text.h"
#include "report_number.h"

namespace stakora {

ReportNumber Combo1_Click(Form1& f) {
  MarkResultsOutOfDate(f);
  const auto count = ToInt16(f.Combo1.text, f.platform.decimal_separator);
  if (!count)
    return count.error() == ConversionError::NotNumeric ? ReportNumber::TypeMismatch
                                                        : ReportNumber::Overflow;
  int step = 270;
  f.height = 4500;  // the bottom controls stay where they were until a row is shown
  for (HorseRow& row : f.rows) HideRow(row);
  for (int i = 0; i < *count; ++i) {
    if (i >= kRowCount) return ReportNumber::NoSuchRow;
    ShowRow(f.rows[static_cast<std::size_t>(i)]);
    // The window grows by 270, 300, 330, 360, 390: not the rows' 360 pitch.
    ResizeMainWindow(f, f.height + step);
    step += 30;
  }
  return ReportNumber::None;
}

}  // namespace stakora
