#include "planner_settings.h"

#include "plan_text.h"
#include "settings_file.h"

#include <algorithm>
#include <initializer_list>

namespace stakora::plan {
namespace {

// "key=value" and a line end; nothing for a value reading would not keep: the
// box then starts from its default, as it would have.
std::string Line(const char* key, std::string_view value) {
  if (!IsPlainSetting(value)) return {};
  return std::string(key) + "=" + std::string(value) + "\n";
}

// A race's texts on one line: tabs part them, so a backslash, a tab, the
// line ends and a NUL are written as escapes and nothing typed is lost.
std::string Escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\0':  // a NUL would make the file read as binary
        out += "\\0";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::vector<std::string> Fields(std::string_view line) {
  std::vector<std::string> out(1);
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\t') {
      out.emplace_back();
    } else if (c == '\\' && i + 1 < line.size()) {
      const char e = line[++i];
      out.back() += e == 't' ? '\t' : e == 'r' ? '\r' : e == 'n' ? '\n' : e == '0' ? '\0' : e;
    } else {
      out.back() += c;
    }
  }
  return out;
}

std::string RaceLine(const char* key, std::initializer_list<std::string_view> fields) {
  std::string line = std::string(key) + "=";
  const char* sep = "";
  for (std::string_view f : fields) line += sep + Escaped(f), sep = "\t";
  return line + "\n";
}

// The race's lines after the choices, as many as the file may hold.
std::string RaceText(const Race& race, std::size_t room) {
  std::string out = race.field_covered ? "field_covered=yes\n" : "";
  if (!race.rule4.empty() && IsPlainSetting(race.rule4)) out += "rule4=" + race.rule4 + "\n";
  if (!race.place_market.empty() && IsPlainSetting(race.place_market))
    out += "place_market=" + race.place_market + "\n";
  const auto add = [&](const std::string& line) {
    if (out.size() + line.size() > room) return false;
    out += line;
    return true;
  };
  for (const RunnerInput& r : race.runners)
    if (!add(RaceLine("runner", {r.name, r.odds, r.saver ? "saver" : "", r.place_odds})))
      return out;
  for (const HeldInput& h : race.held)
    if (!add(RaceLine("held", {h.runner, h.kind, h.stake, h.odds, h.places, h.fraction})))
      return out;
  return out;
}

}  // namespace

std::string PlannerSettingsText(const PlannerSettings& s) {
  const std::string choices =
      Line("side", SideName(s.side)) + Line("mode", ModeName(s.mode)) + Line("step", s.step) +
      Line("min_stake", s.min_stake) + Line("commission", s.commission) +
      Line("each_way", s.each_way.on ? "yes" : "no") + Line("field_size", s.field_size) +
      Line("handicap", s.each_way.handicap ? "yes" : "no") + Line("places", s.each_way.places) +
      Line("place_fraction", s.each_way.place_fraction) + Line("min_payout", s.min_payout) +
      Line("ladder", s.ladder ? "yes" : "no") + Line("exchange_rules", s.exchange_rules);
  return choices +
         RaceText(s.race, kMaxSettingsBytes - std::min(choices.size(), kMaxSettingsBytes));
}

PlannerSettings ReadPlannerSettings(std::string_view text) {
  PlannerSettings s;
  for (std::string_view line : Lines(text)) {
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, eq), value = line.substr(eq + 1);
    if (key == "runner") {
      auto f = Fields(value);
      f.resize(4);
      s.race.runners.push_back({f[0], f[1], f[2] == "saver", f[3]});
      continue;
    }
    if (key == "held") {
      auto f = Fields(value);
      f.resize(6);
      s.race.held.push_back({f[0], f[1], f[2], f[3], f[4], f[5]});
      continue;
    }
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
    } else if (key == "min_payout") {
      s.min_payout = value;
    } else if (key == "ladder") {
      s.ladder = value == "yes";
    } else if (key == "exchange_rules") {
      s.exchange_rules = value;
    } else if (key == "field_covered") {
      s.race.field_covered = value == "yes";
    } else if (key == "rule4") {
      s.race.rule4 = value;
    } else if (key == "place_market") {
      s.race.place_market = value;
    }
  }
  s.side = SideFor(s.side, s.each_way.on);
  s.mode = ModeFor(s.side, s.mode);
  return s;
}

bool IsPlainSetting(std::string_view v) {
  return v.size() <= 32 && v.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

LoadedText LoadSettingsText(const std::string& folder, const char* file, Ui& ui) {
  if (folder.empty()) return {};
  FileBytes read = ReadSettingsFile(folder + "/" + file);
  if (read.error == ReportNumber::FileNotFound) return {{}, true};
  if (read.error != ReportNumber::None) {
    ui.ShowErrorNumber(read.error);
    return {};
  }
  return {std::move(read.bytes), true};
}

void SaveSettingsText(const std::string& folder, const char* file, const std::string& text,
                      bool may_save, Ui& ui) {
  if (!may_save) return;
  const ReportNumber error = ReplaceSettingsFile(folder + "/" + file, text);
  if (error != ReportNumber::None) ui.ShowErrorNumber(error);
}

LoadedPlannerSettings LoadPlannerSettings(const std::string& folder, Ui& ui) {
  const LoadedText loaded = LoadSettingsText(folder, kPlannerSettingsFile, ui);
  return {ReadPlannerSettings(loaded.text), loaded.may_save};
}

void SavePlannerSettings(const std::string& folder, const PlannerSettings& s, bool may_save,
                         Ui& ui) {
  SaveSettingsText(folder, kPlannerSettingsFile, PlannerSettingsText(s), may_save, ui);
}

}  // namespace stakora::plan
