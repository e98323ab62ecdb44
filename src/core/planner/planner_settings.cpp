#include "planner_settings.h"

#include "plan_text.h"
#include "settings_file.h"

namespace stakora::plan {
namespace {

std::string PathIn(const std::string& folder) {
  return folder + "/" + kPlannerSettingsFile;
}

// Short enough to keep in a settings file, on one line, with no NUL (which
// would make the file read as binary).
bool IsPlainSetting(std::string_view v) {
  return v.size() <= 32 && v.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

// "key=value" and a line end; nothing for a value reading would not keep: the
// box then starts from its default, as it would have.
std::string Line(const char* key, std::string_view value) {
  if (!IsPlainSetting(value)) return {};
  return std::string(key) + "=" + std::string(value) + "\n";
}

}  // namespace

std::string PlannerSettingsText(const PlannerSettings& s) {
  return Line("side", SideName(s.side)) + Line("mode", ModeName(s.mode)) + Line("step", s.step) +
         Line("min_stake", s.min_stake) + Line("commission", s.commission) +
         Line("each_way", s.each_way.on ? "yes" : "no") + Line("field_size", s.field_size) +
         Line("handicap", s.each_way.handicap ? "yes" : "no") + Line("places", s.each_way.places) +
         Line("place_fraction", s.each_way.place_fraction);
}

PlannerSettings ReadPlannerSettings(std::string_view text) {
  PlannerSettings s;
  for (std::string_view line : Lines(text)) {
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, eq), value = line.substr(eq + 1);
    if (!IsPlainSetting(value)) continue;
    if (key == "side") {
      for (Side side : {Side::Back, Side::Lay})
        if (value == SideName(side)) s.side = side;
    } else if (key == "mode") {
      for (Mode mode : {Mode::Stake, Mode::Profit, Mode::Liability})
        if (value == ModeName(mode)) s.mode = mode;
    } else if (key == "step") {
      s.step = value;
    } else if (key == "min_stake") {
      s.min_stake = value;
    } else if (key == "commission") {
      s.commission = value;
    } else if (key == "each_way") {
      s.each_way.on = value == "yes";
    } else if (key == "field_size") {
      s.field_size = value;
    } else if (key == "handicap") {
      s.each_way.handicap = value == "yes";
    } else if (key == "places") {
      s.each_way.places = value;
    } else if (key == "place_fraction") {
      s.each_way.place_fraction = value;
    }
  }
  s.side = SideFor(s.side, s.each_way.on);
  s.mode = ModeFor(s.side, s.mode);
  return s;
}

LoadedPlannerSettings LoadPlannerSettings(const std::string& folder, Ui& ui) {
  if (folder.empty()) return {};
  const FileBytes file = ReadSettingsFile(PathIn(folder));
  if (file.error == ReportNumber::FileNotFound) return {{}, true};
  if (file.error != ReportNumber::None) {
    ui.ShowErrorNumber(file.error);
    return {};
  }
  return {ReadPlannerSettings(file.bytes), true};
}

void SavePlannerSettings(const std::string& folder, const PlannerSettings& s, bool may_save,
                         Ui& ui) {
  if (!may_save) return;
  const ReportNumber error = ReplaceSettingsFile(PathIn(folder), PlannerSettingsText(s));
  if (error != ReportNumber::None) ui.ShowErrorNumber(error);
}

}  // namespace stakora::plan
