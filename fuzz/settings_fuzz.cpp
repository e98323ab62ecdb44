// Any bytes as config.txt: a clean load or one of the error numbers, and the
// visible rows always a prefix of the five.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "mainwindow/error_numbers.h"
#include "mainwindow/form1.h"
#include "mainwindow/settings.h"

using namespace stakora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Form1 f = MakeForm1();
  ResizeMainWindow(f, 4700);
  for (std::size_t i = 1; i < f.rows.size(); ++i) HideRow(f.rows[i]);
  const int error = ApplySettings(f, std::string_view(reinterpret_cast<const char*>(data), size));
  switch (error) {
    case err::kNone:
    case err::kOverflow:
    case err::kTypeMismatch:
    case err::kInputPastEnd:
    case err::kNoSuchRow:
      break;
    default:
      std::abort();
  }
  bool shown = true;
  for (const HorseRow& row : f.rows) {
    if (row.thisDecimal.visible) std::abort();
    if (row.txt_odds.visible && !shown) std::abort();
    shown = row.txt_odds.visible;
  }
  // What the program would save now reads back cleanly or with an error number.
  Form1 again = MakeForm1();
  ApplySettings(again, SettingsText(f));
  return 0;
}
