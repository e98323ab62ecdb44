#include "checked_request.h"

#include <algorithm>

#include "each_way.h"
#include "held.h"
#include "number_text.h"

namespace stakora::plan {
namespace {

using std::int64_t;

// The field size, when typed: at least the runners planned.
Result<std::optional<int>, std::string> ReadField(const Request& r) {
  if (TrimBlanks(r.field_size).empty()) return std::optional<int>();
  const auto field = ReadFieldSize(r.field_size);
  if (!field) return field.error();
  if (r.runners.size() > static_cast<std::size_t>(*field))
    return "Field size: the plan has " + std::to_string(r.runners.size()) +
           " runners, more than the " + std::to_string(*field) + " in the field";
  return std::optional<int>(*field);
}

// The terms from the field size, with the places and the fraction the
// request names instead of the usual ones; or why there are none.
Result<PlaceTerms, std::string> ReadPlaceTerms(const Request& r, std::optional<int> field) {
  const EachWayChoices& e = r.each_way;
  const bool places_given = !TrimBlanks(e.places).empty(),
             fraction_given = !TrimBlanks(e.place_fraction).empty();
  PlaceTerms terms;
  if (field) {
    const auto usual = UsualPlaceTerms(*field, e.handicap);
    if (usual) {
      terms = *usual;
    } else if (!places_given || !fraction_given) {
      return "Field size: a race of " + std::to_string(*field) +
             " runners has no each-way terms; give the bookmaker's places and place fraction";
    }
  } else if (!places_given || !fraction_given) {
    return std::string("Each way needs the field size, or the places and the place fraction");
  }
  if (places_given) {
    const auto places = ReadPlaces(e.places);
    if (!places) return places.error();
    terms.places = *places;
  }
  if (fraction_given) {
    const auto fraction = ReadPlaceFraction(e.place_fraction);
    if (!fraction) return fraction.error();
    terms.fraction_num = fraction->fraction_num;
    terms.fraction_den = fraction->fraction_den;
  }
  return terms;
}

Result<HeldBet, std::string> ReadHeld(const Request& r, std::size_t i) {
  const HeldInput& in = r.held[i];
  HeldBet bet;
  const auto runner = ReadHeldRunner(r, i);
  if (!runner) return runner.error();
  bet.runner = *runner;
  const auto kind = ReadHeldKind(in.kind, i);
  if (!kind) return kind.error();
  bet.kind = *kind;
  const auto stake = ReadHeldStake(in.stake, i);
  if (!stake) return stake.error();
  bet.stake = *stake;
  const auto odds = ReadHeldOdds(in.odds, i, r.ladder && bet.kind == HeldKind::Lay);
  if (!odds) return odds.error();
  bet.odds = *odds;
  if (bet.kind == HeldKind::EachWay) {
    const auto terms = ReadHeldTerms(in, i);
    if (!terms) return terms.error();
    bet.terms = *terms;
  }
  return bet;
}

// Around held each-way bets: a lay plan whose every runner carries one such
// bet, at most kMostEachWayLaid of them, the place market's winners, and
// each runner's place odds where it is laid there.
std::optional<std::string> CheckEachWayHeld(const Request& r, Checked& c) {
  const std::size_t n = r.runners.size();
  if (r.side != Side::Lay)
    return std::string(
        "Held each-way bets are laid off at an exchange, in its win and place markets: choose "
        "a lay plan");
  if (n > kMostEachWayLaid)
    return "At most " + std::to_string(kMostEachWayLaid) +
           " runners with held each-way bets can be planned";
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  c.each_way_bet.assign(n, kNone);
  for (std::size_t i = 0; i < c.held.size(); ++i) {
    const HeldBet& b = c.held[i];
    if (b.kind != HeldKind::EachWay) continue;
    if (c.each_way_bet[b.runner] != kNone)
      return RunnerName(r.runners[b.runner].name, b.runner) +
             ": two held each-way bets; give one, with one set of terms";
    c.each_way_bet[b.runner] = i;
  }
  for (std::size_t j = 0; j < n; ++j)
    if (c.each_way_bet[j] == kNone)
      return RunnerName(r.runners[j].name, j) +
             ": no held each-way bet; around held each-way bets every runner planned carries one";
  const auto winners = ReadPlaceMarket(r.place_market);
  if (!winners) return winners.error();
  c.place_market = *winners;
  for (std::size_t j = 0; j < n; ++j) {
    if (TrimBlanks(r.runners[j].place_odds).empty()) {
      c.place_odds.emplace_back();
      continue;
    }
    const auto odds = ReadPlaceOdds(r.runners[j].place_odds, j, r.ladder);
    if (!odds) return odds.error();
    c.place_odds.emplace_back(*odds);
  }
  return std::nullopt;
}

// Held bets are refused where the plan has no room for them.
std::optional<std::string> Unplannable(const Request& r) {
  if (const auto conflict = HeldConflictOf(r)) switch (conflict->kind) {
      case HeldConflict::EachWay:
        return "Held bets are planned win only: turn each way off";
      case HeldConflict::Profit:
        return std::string(
            "Around held bets the plan makes the most of them: cap the new bets with a stake, or "
            "leave the amount empty, rather than ask for a profit");
      case HeldConflict::Saver:
        return RunnerLabel(conflict->runner) +
               ": marked as a saver; around held bets no runner is a saver";
    }
  if (r.held.size() > kMaxHeld)
    return "At most " + std::to_string(kMaxHeld) + " held bets can be planned around";
  return std::nullopt;
}

// The held bets, or the each-way terms, and the field size: a plan of
// neither takes no field size, whatever its box holds.
std::optional<std::string> CheckBeyondWin(const Request& r, Checked& c) {
  if (r.held.empty() && !r.each_way.on) return std::nullopt;
  if (!r.held.empty()) {
    if (const auto why = Unplannable(r)) return *why;
    for (std::size_t i = 0; i < r.held.size(); ++i) {
      const auto bet = ReadHeld(r, i);
      if (!bet) return bet.error();
      c.held.push_back(*bet);
    }
    const auto rule4 = ReadRule4(r.rule4);
    if (!rule4) return rule4.error();
    c.rule4 = *rule4;
    if (HoldsEachWay(r))
      if (const auto why = CheckEachWayHeld(r, c)) return why;
  }
  const auto field = ReadField(r);
  if (!field) return field.error();
  c.field_size = *field;
  if (r.held.empty() && r.each_way.on) {
    const auto terms = ReadPlaceTerms(r, c.field_size);
    if (!terms) return terms.error();
    c.terms = *terms;
  }
  return std::nullopt;
}

}  // namespace

bool HoldsEachWay(const Request& r) {
  return std::any_of(r.held.begin(), r.held.end(),
                     [](const HeldInput& b) { return IsEachWayKind(b.kind); });
}

bool RunnersOnLadder(const Choices& c) {
  return c.ladder && AtExchange(c);
}

Result<Checked, std::string> Check(const Request& r) {
  Checked c;
  if (r.runners.empty()) return std::string("No runners: give the odds of at least one runner");
  if (r.runners.size() > kMaxRunners)
    return "At most " + std::to_string(kMaxRunners) + " runners can be planned";
  if (r.side != SideFor(r.side, r.each_way.on))
    return std::string("An each-way plan backs every runner at a bookmaker: it cannot lay");
  if (!SideHasMode(r.side, r.mode))
    return std::string(r.side == Side::Back ? "A back plan takes a stake or a profit to win"
                                            : "A lay plan takes a stake or a liability");
  const auto step = ReadStep(r.step);
  if (!step) return step.error();
  c.step = *step;
  const auto commission = ReadCommission(r.commission);
  if (!commission) return commission.error();
  c.commission = *commission;
  if (!TakesCommission(r.each_way.on) && c.commission != 0)
    return std::string(
        "Commission: an each-way plan is placed with a bookmaker, who takes no commission");
  const auto min = ReadMinStake(r.min_stake);
  if (!min) return min.error();
  // A minimum between two steps counts as the next whole step.
  c.field.min = To64(CeilDiv(*min, c.step));
  const auto payout = ReadMinPayout(r.min_payout);
  if (!payout) return payout.error();
  if (r.each_way.on && (*payout != 0 || r.ladder || r.exchange))
    return std::string(
        "Exchange rules: an each-way plan is placed with a bookmaker, not at an exchange");
  // Around held bets the amount only caps the new ones, and may be left out.
  const bool capped = r.held.empty() || !TrimBlanks(r.amount).empty();
  const auto amount = capped ? ReadAmount(r.amount) : int64_t{0};
  if (!amount) return amount.error();
  c.amount = *amount;
  // An each-way stake is two bets of a whole number of steps.
  const int64_t unit = r.each_way.on ? 2 * c.step : c.step;
  if (r.held.empty() && r.mode == Mode::Stake && c.amount % unit != 0)
    return "Amount: the stake " + MoneyText(c.amount) + " is not a whole number of " +
           (r.each_way.on ? "each-way steps (two bets) of " + MoneyText(unit)
                          : "steps of " + MoneyText(unit));

  for (std::size_t j = 0; j < r.runners.size(); ++j) {
    const auto odds =
        (RunnersOnLadder(r) ? ReadLadderOdds : ReadOdds)(r.runners[j].odds, RunnerLabel(j) + ": ");
    if (!odds) return odds.error();
    if (r.runners[j].saver && r.side == Side::Lay)
      return RunnerLabel(j) + ": marked as a saver, but a lay plan has no savers";
    c.field.odds.push_back(*odds);
    c.field.saver.push_back(r.runners[j].saver);
  }
  if (std::all_of(c.field.saver.begin(), c.field.saver.end(), [](bool s) { return s; }))
    return std::string("Every runner is a saver: leave at least one to share the profit");
  if (const auto why = CheckBeyondWin(r, c)) return *why;
  // Around held bets new stakes keep the minimum: the search for them takes
  // one least stake for every runner.
  if (*payout > 0 && c.field.min > 0 && r.held.empty())
    for (const Odds& o : c.field.odds)
      c.field.least.push_back(std::min(c.field.min, PayoutSteps(o, *payout, c.step)));
  return c;
}

}  // namespace stakora::plan
