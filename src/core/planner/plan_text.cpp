#include "plan_text.h"

#include "exact.h"

namespace stakora::plan {
namespace {

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> out;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    out.push_back(line);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  return out;
}

bool Blank(std::string_view s) {
  return s.find_first_not_of(" \t") == std::string_view::npos;
}

// Short enough to keep in a settings file.
bool Plain(std::string_view v) {
  return v.size() <= 32 && v.find_first_of("\r\n") == std::string_view::npos;
}

}  // namespace

std::vector<RunnerInput> ParseRunnerLines(std::string_view text) {
  std::vector<RunnerInput> out;
  for (std::string_view line : Lines(text)) {
    if (Blank(line)) continue;
    RunnerInput r;
    const auto tab = line.rfind('\t');
    if (tab == std::string_view::npos) {
      r.odds = line;
    } else {
      r.name = line.substr(0, tab);
      r.odds = line.substr(tab + 1);
    }
    out.push_back(std::move(r));
  }
  return out;
}

std::string StakesText(const Plan& p) {
  std::string out;
  for (std::size_t j = 0; j < p.runners.size(); ++j) {
    const RunnerPlan& r = p.runners[j];
    out += (r.name.empty() ? "Runner " + std::to_string(j + 1) : r.name) + "\t" +
           MoneyText(r.stake) + "\n";
  }
  return out;
}

std::string SummaryText(const Plan& p) {
  std::string out = "Book " + p.book_percent + "%. Total stake " + MoneyText(p.total_stake) +
                    ". Worst profit " + MoneyText(p.worst_profit) + ", best " +
                    MoneyText(p.best_profit) + ".";
  if (p.mode == Mode::Stake) {
    out += " Rounding costs " + MoneyText(p.rounding_cost) + " of profit (unrounded worst " +
           MoneyText(p.exact_worst_profit) + ").";
  } else if (p.mode == Mode::Profit) {
    out += " Rounding costs " + MoneyText(p.rounding_cost) + " more stake (unrounded " +
           MoneyText(p.exact_total_stake) + ").";
  } else {
    out += " Rounding costs " + MoneyText(p.rounding_cost) + " of backers' stakes (unrounded " +
           MoneyText(p.exact_total_stake) + ").";
  }
  return out;
}

std::string PlannerSettingsText(const PlannerSettings& s) {
  return std::string("side=") + SideName(s.side) + "\nmode=" + ModeName(s.mode) +
         "\nstep=" + s.step + "\nmin_stake=" + s.min_stake + "\ncommission=" + s.commission + "\n";
}

PlannerSettings ReadPlannerSettings(std::string_view text) {
  PlannerSettings s;
  for (std::string_view line : Lines(text)) {
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, eq), value = line.substr(eq + 1);
    if (!Plain(value)) continue;
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
    }
  }
  // A mode the side does not have falls back to a stake.
  if ((s.side == Side::Back) == (s.mode == Mode::Liability) && s.mode != Mode::Stake)
    s.mode = Mode::Stake;
  return s;
}

}  // namespace stakora::plan
