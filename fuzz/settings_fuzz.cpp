// Any bytes as config.txt: a clean load or one of the error numbers, the
// visible rows always a prefix of the five, and what would be saved then
// always seven lines. The same bytes as planner.txt or matched.txt: what
// would be saved is a file reading accepts, and reads back as itself. As a
// race file: refused with its line, or written out again it reads back as
// the same race.

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "matched_bet.h"
#include "planner_settings.h"
#include "race_csv.h"
#include "settings.h"
#include "settings_file.h"

using namespace stakora;
using stakora::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Form1 f = MakeForm1();
  LayOutForStartUp(f);
  const ReportNumber e =
      ApplySettings(f, std::string_view(reinterpret_cast<const char*>(data), size));
  Check(e == ReportNumber::None || e == ReportNumber::Overflow || e == ReportNumber::TypeMismatch ||
        e == ReportNumber::InputPastEnd || e == ReportNumber::NoSuchRow);
  bool shown = true;
  for (const HorseRow& row : f.rows) {
    Check(!row.thisDecimal.visible && (shown || !row.txt_odds.visible));
    shown = row.txt_odds.visible;
  }
  const std::string saved = SettingsText(f);
  Check(std::count(saved.begin(), saved.end(), '\r') == 7 &&
        std::count(saved.begin(), saved.end(), '\n') == 7 && saved.ends_with("\r\n"));

  const std::string planner = plan::PlannerSettingsText(
      plan::ReadPlannerSettings(std::string_view(reinterpret_cast<const char*>(data), size)));
  Check(!ForeignSettingsBytes(planner) &&
        plan::PlannerSettingsText(plan::ReadPlannerSettings(planner)) == planner);

  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string matched = plan::MatchedSettingsText(plan::ReadMatchedSettings(bytes));
  Check(plan::MatchedSettingsText(plan::ReadMatchedSettings(matched)) == matched);
  const auto race = plan::ReadRaceCsv(bytes);
  if (!race) {
    Check(race.error().rfind("Line ", 0) == 0);
  } else {
    const auto again = plan::ReadRaceCsv(plan::RaceCsv(*race));
    Check(again && *again == *race);
  }
  return 0;
}
