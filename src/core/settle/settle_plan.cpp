#include "settle_plan.h"

#include <algorithm>

#include "exact.h"

namespace stakora::settle {

PlanSketch SketchOf(const plan::Plan& p) {
  PlanSketch s;
  s.lay = p.side == plan::Side::Lay;
  s.each_way = p.each_way;
  s.places = std::to_string(p.places);
  s.place_fraction = p.place_fraction;
  s.commission = p.commission_percent;
  for (std::size_t j = 0; j < p.runners.size(); ++j) {
    const plan::RunnerPlan& r = p.runners[j];
    s.runners.push_back(
        {plan::RunnerName(r.name, j), r.odds, r.stake, r.place_odds, r.lay_place_stake});
  }
  if (p.place_market > 0) s.place_market = std::to_string(p.place_market);
  s.held = p.held;
  return s;
}

PlanBets BetsOf(const PlanSketch& s) {
  PlanBets out;
  out.commission = s.commission;
  const auto commission = plan::ParseDecimal(s.commission, 2);
  const bool charged = commission && commission->num() > 0;
  const char* kind = s.lay ? "lay" : s.each_way ? "each-way" : charged ? "exchange-back" : "back";
  const std::string terms = s.each_way ? s.places + ":" + s.place_fraction : "";
  for (const PlanSketch::Runner& r : s.runners) {
    out.runners.push_back(r.name);
    if (r.stake > 0) out.bets.push_back({r.name, kind, plan::MoneyText(r.stake), r.odds, terms});
    if (r.place_stake > 0)
      out.bets.push_back(
          {r.name, "place-lay", plan::MoneyText(r.place_stake), r.place_odds, s.place_market});
  }
  for (const plan::HeldShown& h : s.held) {
    const std::string held_terms =
        h.places > 0 ? std::to_string(h.places) + ":" + h.fraction : std::string();
    out.bets.push_back({h.runner, h.kind, plan::MoneyText(h.stake), h.odds, held_terms});
    if (std::find(out.runners.begin(), out.runners.end(), h.runner) == out.runners.end())
      out.runners.push_back(h.runner);
  }
  return out;
}

}  // namespace stakora::settle
