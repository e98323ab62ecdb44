#include "plan_csv.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "csv.h"
#include "exact.h"
#include "plan_text.h"

namespace stakora::plan {
namespace {

using Cell = std::function<std::string(const RunnerPlan&)>;

std::string Money(const std::optional<std::int64_t>& cents) {
  return cents ? MoneyText(*cents) : std::string();
}

// The columns after the runner's name, each with its heading.
std::vector<std::pair<std::string, Cell>> ColumnsOf(const Plan& p) {
  std::vector<std::pair<std::string, Cell>> out;
  const auto add = [&](std::string heading, Cell cell) {
    out.emplace_back(std::move(heading), std::move(cell));
  };
  // Odds read as odds, so no odds cell starts as a formula would.
  add("Odds", [](const RunnerPlan& r) { return r.odds; });
  if (p.place_market > 0) {
    add("Lay stake", [](const RunnerPlan& r) { return MoneyText(r.stake); });
    add("Liability", [](const RunnerPlan& r) { return MoneyText(r.liability); });
    add("Place odds", [](const RunnerPlan& r) { return r.place_odds; });
    add("Place lay", [](const RunnerPlan& r) { return MoneyText(r.lay_place_stake); });
    add("Place liability", [](const RunnerPlan& r) { return MoneyText(r.place_liability); });
    add("If it wins", [](const RunnerPlan& r) { return MoneyText(r.profit_if_wins); });
    add("If it places", [](const RunnerPlan& r) { return Money(r.profit_if_places); });
    add("If extra place", [](const RunnerPlan& r) { return Money(r.profit_if_extra_place); });
    add("If unplaced", [](const RunnerPlan& r) { return Money(r.profit_if_unplaced); });
    return out;
  }
  const PlanColumns shown =
      ColumnsFor(p.side, p.each_way, p.worst_place_profit.has_value(), !p.held.empty());
  if (std::any_of(p.runners.begin(), p.runners.end(), [](const RunnerPlan& r) { return r.saver; }))
    add("Saver", [](const RunnerPlan& r) { return std::string(r.saver ? "yes" : ""); });
  if (shown.place_odds) add("Place odds", [](const RunnerPlan& r) { return r.place_odds; });
  add(StakeHeading(p.side, p.each_way), [](const RunnerPlan& r) { return MoneyText(r.stake); });
  if (shown.liability) add("Liability", [](const RunnerPlan& r) { return MoneyText(r.liability); });
  if (shown.held)
    add("Held if wins", [](const RunnerPlan& r) { return MoneyText(r.held_if_wins); });
  add("Profit if it wins", [](const RunnerPlan& r) { return MoneyText(r.profit_if_wins); });
  if (shown.place_profit)
    add("If it places", [](const RunnerPlan& r) { return Money(r.profit_if_places); });
  return out;
}

}  // namespace

std::string InertCell(const std::string& text) {
  if (!text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos)
    return "'" + text;
  return text;
}

std::string PlanCsv(const Plan& p) {
  const auto columns = ColumnsOf(p);
  std::vector<std::string> cells{"Runner"};
  for (const auto& [heading, cell] : columns) cells.push_back(heading);
  std::string out = CsvLine(cells);
  for (std::size_t j = 0; j < p.runners.size(); ++j) {
    const RunnerPlan& r = p.runners[j];
    cells = {InertCell(RunnerName(r.name, j))};
    for (const auto& [heading, cell] : columns) cells.push_back(cell(r));
    out += CsvLine(cells);
  }
  const auto total = [&](const char* label, const std::optional<std::int64_t>& cents) {
    if (cents) out += CsvLine({label, MoneyText(*cents)});
  };
  total("Total stake", p.total_stake);
  if (!p.field_covered) total("If another wins", p.if_another_wins);
  total("Worst profit", p.worst_profit);
  total("Best profit", p.best_profit);
  if (p.each_way) {
    total("Worst place profit", p.worst_place_profit);
    total("If none places", p.if_none_places);
  }
  if (p.place_market > 0) {
    total("Worst with an extra place", p.extra_place_profit);
    total("New liability", p.new_liability);
  }
  if (const auto kept = RetentionPercent(p)) out += CsvLine({"Retention percent", *kept});
  return out;
}

}  // namespace stakora::plan
