#include "cli/plan_report.h"

#include "cli/json_out.h"
#include "cli/text.h"
#include "exact.h"
#include "plan_text.h"

namespace stakora::cli {
namespace {

using plan::ModeName;
using plan::MoneyText;
using plan::SideName;

// The ladder prices either side of a runner's, null past an end.
std::string TicksJson(const plan::Ticks& t) {
  const auto price = [](const std::optional<plan::LadderPrice>& p) {
    return p ? JsonString(plan::LadderText(*p)) : std::string("null");
  };
  return "{\"up\": " + price(t.up) + JsonField("down", price(t.down)) + "}";
}

}  // namespace

std::string PlanJson(const plan::Plan& p) {
  const bool held = !p.held.empty(), laid = p.place_market > 0;
  std::string out = "{\"outcome\": \"planned\", \"message\": null";
  out += JsonField("side", JsonString(SideName(p.side)));
  out += JsonField("mode", JsonString(ModeName(p.mode)));
  out += JsonField("step", JsonMoney(p.step));
  out += JsonField("commission_percent", JsonString(p.commission_percent));
  out += JsonField("book_percent", JsonString(p.book_percent));
  if (p.each_way)
    out += ", \"each_way\": {\"places\": " + std::to_string(p.places) +
           JsonField("place_fraction", JsonString(p.place_fraction)) + "}";
  out += ", \"runners\": [";
  for (std::size_t i = 0; i < p.runners.size(); ++i) {
    const plan::RunnerPlan& r = p.runners[i];
    out += i ? ", {" : "{";
    out += "\"name\": " + JsonString(r.name);
    out += JsonField("odds", JsonString(r.odds));
    out += JsonField("decimal_odds", JsonString(r.decimal_odds));
    out += JsonField("saver", r.saver ? "true" : "false");
    out += JsonField("stake", JsonMoney(r.stake));
    out += JsonField("liability", JsonMoney(r.liability));
    out += JsonField("profit_if_wins", JsonMoney(r.profit_if_wins));
    if (p.each_way) {
      out += JsonField("place_odds", JsonString(r.place_odds));
      out += JsonField("profit_if_places", JsonMoney(r.profit_if_places));
    }
    if (held) out += JsonField("held_if_wins", JsonMoney(r.held_if_wins));
    if (laid) {
      out += JsonField("place_odds", r.place_odds.empty() ? "null" : JsonString(r.place_odds));
      out += JsonField("lay_place_stake", JsonMoney(r.lay_place_stake));
      out += JsonField("place_liability", JsonMoney(r.place_liability));
      out += JsonField("profit_if_places", JsonMoney(r.profit_if_places));
      out += JsonField("profit_if_extra_place", JsonMoney(r.profit_if_extra_place));
      out += JsonField("profit_if_unplaced", JsonMoney(r.profit_if_unplaced));
    }
    out += JsonField("ticks_to_next", r.ticks ? TicksJson(*r.ticks) : "null");
    out += "}";
  }
  out += "]";
  if (held) {
    out += ", \"held\": [";
    for (std::size_t i = 0; i < p.held.size(); ++i) {
      const plan::HeldShown& h = p.held[i];
      out += std::string(i ? ", " : "") + "{\"runner\": " + JsonString(h.runner) +
             JsonField("kind", JsonString(h.kind)) + JsonField("stake", JsonMoney(h.stake)) +
             JsonField("odds", JsonString(h.odds)) +
             (h.places > 0 ? JsonField("places", std::to_string(h.places)) +
                                 JsonField("place_fraction", JsonString(h.fraction))
                           : "") +
             "}";
    }
    out += "]";
  }
  out += JsonField("total_stake", JsonMoney(p.total_stake));
  out += JsonField("if_another_wins", p.field_covered ? "null" : JsonMoney(p.if_another_wins));
  out += JsonField("worst_profit", JsonMoney(p.worst_profit));
  out += JsonField("best_profit", JsonMoney(p.best_profit));
  // A plan around held bets, or on a field its runners cover, has no
  // unrounded twin to set beside it.
  const bool twin = p.unrounded;
  out += JsonField("exact_worst_profit", twin ? JsonMoney(p.exact_worst_profit) : "null");
  out += JsonField("exact_total_stake", twin ? JsonMoney(p.exact_total_stake) : "null");
  out += JsonField("rounding_cost", twin ? JsonMoney(p.rounding_cost) : "null");
  if (p.each_way) {
    out += JsonField("worst_place_profit", JsonMoney(p.worst_place_profit));
    out += JsonField("if_none_places", JsonMoney(p.if_none_places));
  }
  if (const auto kept = plan::RetentionPercent(p))
    out += JsonField("retention_percent", JsonString(*kept));
  if (laid) {
    out += JsonField("place_market", std::to_string(p.place_market));
    out += JsonField("extra_place_profit", JsonMoney(p.extra_place_profit));
    out += JsonField("new_liability", JsonMoney(p.new_liability));
  }
  return out + "}\n";
}

std::string RefusedPlanJson(const plan::Request& r, const std::string& message) {
  return "{\"outcome\": \"refused\", \"message\": " + JsonString(message) +
         JsonField("side", JsonString(SideName(r.side))) +
         JsonField("mode", JsonString(ModeName(r.mode))) + ", \"runners\": []}\n";
}

namespace {

// Each runner's two lays and four outcomes, a missing one blank.
std::string LaidTable(const plan::Plan& p) {
  const auto money = [](const std::optional<std::int64_t>& v) {
    return v ? MoneyText(*v) : std::string("-");
  };
  std::string out = Pad("Runner", 16) + Pad("Odds", 8) + Pad("Lay stake", 11) +
                    Pad("Liability", 11) + Pad("Place odds", 12) + Pad("Place lay", 11) +
                    Pad("Place liability", 17) + Pad("If it wins", 12) + Pad("Places", 10) +
                    Pad("Extra place", 13) + "Unplaced\n";
  for (std::size_t i = 0; i < p.runners.size(); ++i) {
    const plan::RunnerPlan& r = p.runners[i];
    out += Pad(PrintableText(plan::RunnerName(r.name, i)), 16) + Pad(PrintableText(r.odds), 8) +
           Pad(MoneyText(r.stake), 11) + Pad(MoneyText(r.liability), 11) +
           Pad(r.place_odds.empty() ? "-" : PrintableText(r.place_odds), 12) +
           Pad(MoneyText(r.lay_place_stake), 11) + Pad(MoneyText(r.place_liability), 17) +
           Pad(MoneyText(r.profit_if_wins), 12) + Pad(money(r.profit_if_places), 10) +
           Pad(money(r.profit_if_extra_place), 13) + money(r.profit_if_unplaced) + "\n";
  }
  return out + plan::SummaryText(p) + "\n";
}

}  // namespace

std::string PlanTable(const plan::Plan& p) {
  if (p.place_market > 0) return LaidTable(p);
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
