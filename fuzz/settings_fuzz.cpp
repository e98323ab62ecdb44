// Any bytes as config.txt: a clean load or one of the error numbers, and the
// visible rows always a prefix of the five.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "form1.h"
#include "report_number.h"
#include "settings.h"

using namespace stakora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Form1 f = MakeForm1();
  LayOutForStartUp(f);
  const ReportNumber error =
      ApplySettings(f, std::string_view(reinterpret_cast<const char*>(data), size));
  switch (error) {
    case ReportNumber::None:
    case ReportNumber::Overflow:
    case ReportNumber::TypeMismatch:
    case ReportNumber::InputPastEnd:
    case ReportNumber::NoSuchRow:
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
  // What the program would save now is seven lines, whatever was read.
  const std::string saved = SettingsText(f);
  if (std::count(saved.begin(), saved.end(), '\r') != 7 ||
      std::count(saved.begin(), saved.end(), '\n') != 7 || !saved.ends_with("\r\n"))
    std::abort();
  return 0;
}
