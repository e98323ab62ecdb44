#include "cli/plan_json.h"

#include "cli/json_value.h"
#include "plan_limits.h"
#include "request_texts.h"

namespace stakora::cli {
namespace {

using Type = Json::Type;

// A member of the wanted type, or nullptr.
const Json* Member(const Json& object, std::string_view key, Type type) {
  const Json* v = object.Find(key);
  return v && v->type == type ? v : nullptr;
}

std::string Missing(std::string_view where, std::string_view key) {
  return "not a stakora-plan plan: " + std::string(where) + " has no \"" + std::string(key) + "\"";
}

Result<std::int64_t, std::string> Money(const Json& object, std::string_view where,
                                        std::string_view key) {
  const Json* v = Member(object, key, Type::String);
  if (!v) return Missing(where, key);
  const auto cents =
      plan::ReadMoney(std::string(where) + ": " + std::string(key), v->text, plan::kMostCents);
  if (!cents || *cents < 0)
    return "not a stakora-plan plan: " + std::string(where) + " has a \"" + std::string(key) +
           "\" that is no amount";
  return *cents;
}

}  // namespace

Result<settle::PlanSketch, std::string> ReadPlanJson(std::string_view text) {
  const auto json = ParseJson(text);
  if (!json) return json.error();
  const Json& p = *json;
  if (p.type != Type::Object) return std::string("not a stakora-plan plan: no JSON object");
  const Json* outcome = Member(p, "outcome", Type::String);
  if (!outcome) return Missing("the plan", "outcome");
  if (outcome->text != "planned") {
    const Json* message = Member(p, "message", Type::String);
    return "the plan holds no bets: it was " + outcome->text +
           (message ? " (" + message->text + ")" : std::string());
  }
  settle::PlanSketch s;
  const Json* side = Member(p, "side", Type::String);
  if (!side) return Missing("the plan", "side");
  s.lay = side->text == "lay";
  if (const Json* commission = Member(p, "commission_percent", Type::String))
    s.commission = commission->text;
  if (const Json* ew = Member(p, "each_way", Type::Object)) {
    const Json* places = Member(*ew, "places", Type::Number);
    const Json* fraction = Member(*ew, "place_fraction", Type::String);
    if (!places || !fraction) return Missing("each_way", places ? "place_fraction" : "places");
    s.each_way = true;
    s.places = places->text;
    s.place_fraction = fraction->text;
  }
  // Around held each-way bets, each runner's place lay.
  const Json* market = Member(p, "place_market", Type::Number);
  if (market) s.place_market = market->text;
  const Json* runners = Member(p, "runners", Type::Array);
  if (!runners) return Missing("the plan", "runners");
  for (std::size_t j = 0; j < runners->items.size(); ++j) {
    const Json& r = runners->items[j];
    const std::string where = "runner " + std::to_string(j + 1);
    const Json* name = Member(r, "name", Type::String);
    const Json* odds = Member(r, "odds", Type::String);
    if (!name || !odds) return Missing(where, name ? "odds" : "name");
    const auto stake = Money(r, where, "stake");
    if (!stake) return stake.error();
    s.runners.push_back({plan::RunnerName(name->text, j), odds->text, *stake});
    settle::PlanSketch::Runner& runner = s.runners.back();
    const Json* place = market ? Member(r, "place_odds", Type::String) : nullptr;
    if (place) {
      const auto place_stake = Money(r, where, "lay_place_stake");
      if (!place_stake) return place_stake.error();
      runner.place_odds = place->text;
      runner.place_stake = *place_stake;
    }
  }
  if (const Json* held = Member(p, "held", Type::Array)) {
    for (std::size_t i = 0; i < held->items.size(); ++i) {
      const Json& h = held->items[i];
      const std::string where = "held bet " + std::to_string(i + 1);
      const Json* runner = Member(h, "runner", Type::String);
      const Json* kind = Member(h, "kind", Type::String);
      const Json* odds = Member(h, "odds", Type::String);
      if (!runner || !kind || !odds)
        return Missing(where, !runner ? "runner" : !kind ? "kind" : "odds");
      const auto stake = Money(h, where, "stake");
      if (!stake) return stake.error();
      s.held.push_back({runner->text, kind->text, *stake, odds->text});
      plan::HeldShown& shown = s.held.back();
      const Json* places = Member(h, "places", Type::Number);
      const Json* fraction = Member(h, "place_fraction", Type::String);
      if (places && fraction) {
        const auto read = plan::ReadPlaces(places->text);
        if (!read) return "not a stakora-plan plan: " + where + " has " + read.error();
        shown.places = *read;
        shown.fraction = fraction->text;
      }
    }
  }
  return s;
}

}  // namespace stakora::cli
