#include "cli/plan_report.h"

#include "cli/text.h"
#include "exact.h"
#include "plan_text.h"

namespace stakora::cli {
namespace {

using plan::ModeName;
using plan::MoneyText;
using plan::SideName;

std::string Field(const char* name, const std::string& json_value) {
  return std::string(", \"") + name + "\": " + json_value;
}

std::string Money(std::int64_t cents) {
  return JsonString(MoneyText(cents));
}

std::string Money(const std::optional<std::int64_t>& cents) {
  return cents ? Money(*cents) : "null";
}

}  // namespace

std::string PlanJson(const plan::Plan& p) {
  const bool held = !p.held.empty();
  std::string out = "{\"outcome\": \"planned\", \"message\": null";
  out += Field("side", JsonString(SideName(p.side)));
  out += Field("mode", JsonString(ModeName(p.mode)));
  out += Field("step", Money(p.step));
  out += Field("commission_percent", JsonString(p.commission_percent));
  out += Field("book_percent", JsonString(p.book_percent));
  if (p.each_way)
    out += ", \"each_way\": {\"places\": " + std::to_string(p.places) +
           Field("place_fraction", JsonString(p.place_fraction)) + "}";
  out += ", \"runners\": [";
  for (std::size_t i = 0; i < p.runners.size(); ++i) {
    const plan::RunnerPlan& r = p.runners[i];
    out += i ? ", {" : "{";
    out += "\"name\": " + JsonString(r.name);
    out += Field("odds", JsonString(r.odds));
    out += Field("decimal_odds", JsonString(r.decimal_odds));
    out += Field("saver", r.saver ? "true" : "false");
    out += Field("stake", Money(r.stake));
    out += Field("liability", Money(r.liability));
    out += Field("profit_if_wins", Money(r.profit_if_wins));
    if (p.each_way) {
      out += Field("place_odds", JsonString(r.place_odds));
      out += Field("profit_if_places", Money(r.profit_if_places));
    }
    if (held) out += Field("held_if_wins", Money(r.held_if_wins));
    out += "}";
  }
  out += "]";
  if (held) {
    out += ", \"held\": [";
    for (std::size_t i = 0; i < p.held.size(); ++i) {
      const plan::HeldShown& h = p.held[i];
      out += std::string(i ? ", " : "") + "{\"runner\": " + JsonString(h.runner) +
             Field("kind", JsonString(h.kind)) + Field("stake", Money(h.stake)) +
             Field("odds", JsonString(h.odds)) + "}";
    }
    out += "]";
  }
  out += Field("total_stake", Money(p.total_stake));
  out += Field("if_another_wins", p.field_covered ? "null" : Money(p.if_another_wins));
  out += Field("worst_profit", Money(p.worst_profit));
  out += Field("best_profit", Money(p.best_profit));
  // A plan around held bets, or on a field its runners cover, has no
  // unrounded twin to set beside it.
  const bool twin = p.unrounded;
  out += Field("exact_worst_profit", twin ? Money(p.exact_worst_profit) : "null");
  out += Field("exact_total_stake", twin ? Money(p.exact_total_stake) : "null");
  out += Field("rounding_cost", twin ? Money(p.rounding_cost) : "null");
  if (p.each_way) {
    out += Field("worst_place_profit", Money(p.worst_place_profit));
    out += Field("if_none_places", Money(p.if_none_places));
  }
  return out + "}\n";
}

std::string RefusedPlanJson(const plan::Request& r, const std::string& message) {
  return "{\"outcome\": \"refused\", \"message\": " + JsonString(message) +
         Field("side", JsonString(SideName(r.side))) + Field("mode", JsonString(ModeName(r.mode))) +
         ", \"runners\": []}\n";
}

std::string PlanTable(const plan::Plan& p) {
  const plan::PlanColumns shown =
      plan::ColumnsFor(p.side, p.each_way, p.worst_place_profit.has_value(), !p.held.empty());
  const bool lay = shown.liability, ew = shown.place_odds, held = shown.held,
             placing = shown.place_profit;
  std::string out =
      Pad("Runner", 16) + Pad("Odds", 10) + (ew ? Pad("Place odds", 12) : "") +
      Pad(plan::StakeHeading(p.side, ew), 12) + (lay ? Pad("Liability", 12) : "") +
      (held ? Pad("Held if wins", 14) : "") +
      (placing ? Pad("Profit if it wins", 19) + "If it places\n" : "Profit if it wins\n");
  for (std::size_t i = 0; i < p.runners.size(); ++i) {
    const plan::RunnerPlan& r = p.runners[i];
    out += Pad(PrintableText(plan::RunnerName(r.name, i)), 16) + Pad(PrintableText(r.odds), 10) +
           (ew ? Pad(r.place_odds, 12) : "") + Pad(MoneyText(r.stake), 12) +
           (lay ? Pad(MoneyText(r.liability), 12) : "") +
           (held ? Pad(MoneyText(r.held_if_wins), 14) : "") +
           (placing ? Pad(MoneyText(r.profit_if_wins), 19) + MoneyText(*r.profit_if_places)
                    : MoneyText(r.profit_if_wins)) +
           (r.saver ? "  (saver)" : "") + "\n";
  }
  out += plan::SummaryText(p) + "\n";
  return out;
}

}  // namespace stakora::cli
