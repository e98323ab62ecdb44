#pragma once
// The planner window's choices in planner.txt, in the settings folder beside
// config.txt and never inside it: "key=value" lines. Read and written with the
// same rules and report numbers as config.txt.

#include <string>
#include <string_view>
#include <vector>

#include "plan.h"
#include "ui.h"

namespace stakora::plan {

// The race in the window when it last closed: the runners as typed (savers
// marked, place odds where typed), the held bets and whether the runners are
// the whole field.
struct Race {
  std::vector<RunnerInput> runners;
  std::vector<HeldInput> held;
  bool field_covered = false;
  std::string rule4;  // the Rule 4 deduction on the held bets
  // Around held each-way bets: the winners of the exchange's place market.
  std::string place_market;
  friend bool operator==(const Race&, const Race&) = default;
};

struct PlannerSettings {
  Side side = Side::Back;
  Mode mode = Mode::Stake;
  std::string step = "0.01";
  std::string min_stake = "0";
  std::string commission = "0";
  std::string field_size;
  EachWayChoices each_way;
  std::string min_payout;
  bool ladder = false;
  std::string exchange_rules;  // "" for none
  Race race;
  friend bool operator==(const PlannerSettings&, const PlannerSettings&) = default;
};

inline constexpr const char* kPlannerSettingsFile = "planner.txt";

// Reading takes what it knows and keeps the defaults for the rest, so an old
// or damaged file never stops the window; a mode its side lacks becomes a stake.
// The race follows the choices, a line per runner and per held bet, for as
// many lines as a settings file may hold.
std::string PlannerSettingsText(const PlannerSettings& s);
PlannerSettings ReadPlannerSettings(std::string_view text);

// The choices kept in `folder`, and whether closing may write them back. A
// missing file (the first use) gives the defaults without a word; any other
// failure to read is reported as its number, and the file is then left alone.
// No folder (the system could not tell the program's; the main window has
// said so) means the defaults and no file.
struct LoadedPlannerSettings {
  PlannerSettings settings;
  bool may_save = false;
};
LoadedPlannerSettings LoadPlannerSettings(const std::string& folder, Ui& ui);

// Writes the choices when loading allowed it; a failure is reported.
void SavePlannerSettings(const std::string& folder, const PlannerSettings& s, bool may_save,
                         Ui& ui);

// Short enough to keep in a settings file, on one line, with no NUL (which
// would make the file read as binary): a value reading takes and writing keeps.
bool IsPlainSetting(std::string_view v);

// The same for any window's settings file in that folder, as its text.
struct LoadedText {
  std::string text;
  bool may_save = false;
};
LoadedText LoadSettingsText(const std::string& folder, const char* file, Ui& ui);
void SaveSettingsText(const std::string& folder, const char* file, const std::string& text,
                      bool may_save, Ui& ui);

}  // namespace stakora::plan
