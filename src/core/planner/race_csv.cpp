#include "race_csv.h"

#include <algorithm>
#include <array>
#include <optional>

#include "csv.h"
#include "number_text.h"
#include "plan_limits.h"
#include "plan_text.h"

namespace stakora::plan {
namespace {

std::string Lower(std::string_view text) {
  return AsciiLower(TrimBlanks(text));
}

// A section's columns: where each wanted name stands in the heading.
template <std::size_t N>
struct Columns {
  std::array<std::optional<std::size_t>, N> at{};

  Columns(const CsvRecord& heading, const std::array<const char*, N>& names) {
    for (std::size_t c = 0; c < heading.cells.size(); ++c)
      for (std::size_t k = 0; k < N; ++k)
        if (!at[k] && Lower(heading.cells[c]) == names[k]) at[k] = c;
  }
  std::string Cell(const CsvRecord& r, std::size_t k) const {
    return at[k] && *at[k] < r.cells.size() ? r.cells[*at[k]] : std::string();
  }
};

bool AllEmpty(const CsvRecord& r) {
  return std::all_of(r.cells.begin(), r.cells.end(),
                     [](const std::string& c) { return c.empty(); });
}

std::optional<bool> ReadYesNo(std::string_view text) {
  const std::string t = Lower(text);
  for (const char* yes : {"yes", "y", "true", "1", "x", "saver"})
    if (t == yes) return true;
  for (const char* no : {"", "no", "n", "false", "0"})
    if (t == no) return false;
  return std::nullopt;
}

constexpr std::array<const char*, 4> kRunnerColumns{"name", "odds", "saver", "place_odds"};
constexpr std::array<const char*, 6> kHeldColumns{"runner", "kind",   "stake",
                                                  "odds",   "places", "fraction"};
constexpr const char* kNotARace =
    "this is not a race: its first line should be the heading name,odds,saver";

enum class Section { Runners, Held, Settings };

// A heading names its section: "setting" first, a bet's "kind", or "odds".
std::optional<Section> SectionOf(const CsvRecord& heading) {
  const auto has = [&](const char* name) {
    return std::any_of(heading.cells.begin(), heading.cells.end(),
                       [name](const std::string& c) { return Lower(c) == name; });
  };
  if (Lower(heading.cells[0]) == "setting") return Section::Settings;
  if (has("kind")) return Section::Held;
  if (has("odds")) return Section::Runners;
  return std::nullopt;
}

class RaceReader {
 public:
  std::optional<std::string> Heading(const CsvRecord& h, Section s) {
    if (seen_[static_cast<std::size_t>(s)])
      return CsvProblem(h.line, "the \"" + h.cells[0] + "\" section comes twice");
    seen_[static_cast<std::size_t>(s)] = true;
    section_ = s;
    if (s == Section::Runners) {
      runners_.emplace(h, kRunnerColumns);
    } else if (s == Section::Held) {
      held_.emplace(h, kHeldColumns);
      for (std::size_t k = 0; k < 4; ++k)
        if (!held_->at[k])
          return CsvProblem(h.line, std::string("the held bets' heading has no \"") +
                                        kHeldColumns[k] + "\" column");
    }
    return std::nullopt;
  }

  std::optional<std::string> Row(const CsvRecord& r) {
    switch (section_) {
      case Section::Runners:
        return Runner(r);
      case Section::Held:
        return Held(r);
      case Section::Settings:
        return Setting(r);
    }
    return std::nullopt;
  }

  Race race;

 private:
  std::optional<std::string> Runner(const CsvRecord& r) {
    if (race.runners.size() == kMaxRunners)
      return CsvProblem(r.line, "a race has at most " + std::to_string(kMaxRunners) + " runners");
    const auto saver = ReadYesNo(runners_->Cell(r, 2));
    if (!saver)
      return CsvProblem(r.line,
                        "the saver column says \"" + runners_->Cell(r, 2) + "\"; give yes or no");
    RunnerInput runner{runners_->Cell(r, 0), runners_->Cell(r, 1), *saver, runners_->Cell(r, 3)};
    // A line with nothing in the race's columns is a sheet's, not a runner.
    if (runner != RunnerInput{}) race.runners.push_back(std::move(runner));
    return std::nullopt;
  }

  std::optional<std::string> Held(const CsvRecord& r) {
    if (race.held.size() == kMaxHeld)
      return CsvProblem(r.line, "a race has at most " + std::to_string(kMaxHeld) + " held bets");
    std::array<std::string, 6> c;
    for (std::size_t k = 0; k < c.size(); ++k) c[k] = held_->Cell(r, k);
    HeldInput bet{c[0], c[1], c[2], c[3], c[4], c[5]};
    if (bet != HeldInput{}) race.held.push_back(std::move(bet));
    return std::nullopt;
  }

  std::optional<std::string> Setting(const CsvRecord& r) {
    const std::string key = Lower(r.cells[0]);
    const std::string value = r.cells.size() > 1 ? r.cells[1] : std::string();
    if (key == "field_covered") {
      const auto yes = ReadYesNo(value);
      if (!yes) return CsvProblem(r.line, "field_covered says \"" + value + "\"; give yes or no");
      race.field_covered = *yes;
    } else if (key == "rule4") {
      race.rule4 = value;
    } else if (key == "place_market") {
      race.place_market = value;
    }
    return std::nullopt;
  }

  std::array<bool, 3> seen_{};
  Section section_ = Section::Runners;
  std::optional<Columns<4>> runners_;
  std::optional<Columns<6>> held_;
};

}  // namespace

std::string RaceCsv(const Race& race) {
  const bool place = std::any_of(race.runners.begin(), race.runners.end(),
                                 [](const RunnerInput& r) { return !r.place_odds.empty(); });
  std::vector<std::string> heading{"name", "odds", "saver"};
  if (place) heading.push_back("place_odds");
  std::string out = CsvLine(heading);
  for (const RunnerInput& r : race.runners) {
    std::vector<std::string> cells{r.name, r.odds, r.saver ? "yes" : ""};
    if (place) cells.push_back(r.place_odds);
    out += CsvLine(cells);
  }
  if (!race.held.empty()) {
    const bool terms = std::any_of(race.held.begin(), race.held.end(), [](const HeldInput& h) {
      return !h.places.empty() || !h.fraction.empty();
    });
    out +=
        "\r\n" +
        CsvLine(terms ? std::vector<std::string>(kHeldColumns.begin(), kHeldColumns.end())
                      : std::vector<std::string>(kHeldColumns.begin(), kHeldColumns.begin() + 4));
    for (const HeldInput& h : race.held)
      out += CsvLine(
          terms ? std::vector<std::string>{h.runner, h.kind, h.stake, h.odds, h.places, h.fraction}
                : std::vector<std::string>{h.runner, h.kind, h.stake, h.odds});
  }
  if (race.field_covered || !race.rule4.empty() || !race.place_market.empty()) {
    out += "\r\n" + CsvLine({"setting", "value"});
    if (race.field_covered) out += CsvLine({"field_covered", "yes"});
    if (!race.rule4.empty()) out += CsvLine({"rule4", race.rule4});
    if (!race.place_market.empty()) out += CsvLine({"place_market", race.place_market});
  }
  return out;
}

Result<Race, std::string> ReadRaceCsv(std::string_view text) {
  const auto records = ReadCsv(text);
  if (!records) return records.error();
  RaceReader reader;
  // After a line with nothing in it (a spreadsheet writes ",,,"), a heading
  // may start the next section; any other line goes on with this one.
  bool after_blank = true, any = false;
  for (const CsvRecord& r : *records) {
    if (AllEmpty(r)) {
      after_blank = true;
      continue;
    }
    const auto section = after_blank ? SectionOf(r) : std::nullopt;
    after_blank = false;
    if (!any && section != Section::Runners) return CsvProblem(r.line, kNotARace);
    if (section) {
      if (auto problem = reader.Heading(r, *section)) return *problem;
      any = true;
    } else if (auto problem = reader.Row(r)) {
      return *problem;
    }
  }
  if (!any) return CsvProblem(1, kNotARace);
  return reader.race;
}

bool LooksLikeRaceCsv(std::string_view text) {
  const auto records = ReadCsv(text.substr(0, text.find('\n')));
  if (!records || records->empty()) return false;
  const auto& cells = records->front().cells;
  const auto has = [&](const char* name) {
    return std::any_of(cells.begin(), cells.end(),
                       [name](const std::string& c) { return Lower(c) == name; });
  };
  return has("name") && has("odds") && !has("kind");
}

}  // namespace stakora::plan
