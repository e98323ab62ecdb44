#include "settle.h"

#include <algorithm>
#include <map>
#include <set>

#include <boost/multiprecision/cpp_int.hpp>

#include "plan_text.h"
#include "request_texts.h"

namespace stakora::settle {
namespace {

using boost::multiprecision::cpp_int;
using boost::multiprecision::cpp_rational;
using std::int64_t;

using plan::KindWords;
using plan::Ordinal;

// In the order of BetKind.
constexpr KindWords kKindWords[] = {
    {"back", "back: a bookmaker's win bet"},
    {"each-way", "each-way: a bookmaker's win and place bets of the stake each; terms K:F"},
    {"free", "free: a bookmaker's free bet whose stake is not returned"},
    {"free-sr", "free-sr: a bookmaker's free bet whose stake is returned"},
    {"lay", "lay: an exchange lay in the win market, the stake the backer's"},
    {"exchange-back", "exchange-back: an exchange back in the win market"},
    {"place-back", "place-back: an exchange back in a place market of K winners; terms K"},
    {"place-lay", "place-lay: an exchange lay in a place market of K winners; terms K"}};
static_assert(std::size(kKindWords) == std::size(kBetKinds));

cpp_rational Rational(const plan::Odds& o) {
  return cpp_rational(cpp_int(o.a), cpp_int(o.b));
}

// x rounded to a whole number (of cents), a half upwards.
int64_t Cents(const cpp_rational& x) {
  const cpp_int n = 2 * numerator(x) + denominator(x), d = 2 * denominator(x);
  cpp_int q = n / d;  // truncates toward zero
  if (n % d != 0 && n < 0) --q;
  return static_cast<int64_t>(q);
}

// Where each runner finished, how many shared it, and who did not run.
struct Places {
  std::map<std::string, int> position;
  std::map<int, int> sharing;  // runners per position
  std::set<std::string> withdrawn;
};

Result<Places, std::string> PlacesOf(const Race& race) {
  Places p;
  for (const NonRunner& n : race.non_runners)
    if (!p.withdrawn.insert(n.name).second) return n.name + " is given as a non-runner twice";
  for (const Finisher& f : race.finish) {
    if (p.withdrawn.contains(f.name))
      return f.name + " is given both a finishing position and as a non-runner";
    if (!p.position.emplace(f.name, f.position).second)
      return f.name + " is given two finishing positions";
    if (f.position < 1 || f.position > kMostPosition)
      return f.name + ": a finishing position is a whole number from 1 to " +
             std::to_string(kMostPosition);
    ++p.sharing[f.position];
  }
  // Positions run on from 1; a dead heat of t skips the t - 1 after it.
  int next = 1, before = 0;
  for (const auto& [position, runners] : p.sharing) {
    if (position != next) {
      if (position > next)
        return "No runner is given " + Ordinal(next) + ": the positions leave a gap before " +
               Ordinal(position);
      return std::to_string(before) + " runners dead-heated for " + Ordinal(next - before) +
             ", so the next position is " + Ordinal(next) + ", not " + Ordinal(position);
    }
    before = runners;
    next = position + runners;
  }
  return p;
}

// The share of a stake settled as a winner when a bet pays the first
// `paid` positions, and the dead heat that made it less than whole.
struct Share {
  cpp_rational part;  // 0 lost, 1 won in full
  std::optional<DeadHeat> dead_heat;
};

Share ShareOf(const Places& p, const std::string& runner, int paid) {
  const auto at = p.position.find(runner);
  if (at == p.position.end() || at->second > paid) return {0, std::nullopt};
  const int left = paid - at->second + 1, sharing = p.sharing.at(at->second);
  if (sharing <= left) return {1, std::nullopt};
  return {cpp_rational(left, sharing), DeadHeat{left, sharing}};
}

// What a non-runner takes from every other runner's bets.
struct Cuts {
  int rule4 = 0;               // pence, capped
  int64_t win = 0, place = 0;  // reduction factors, hundredths of a percent
};

Result<Cuts, std::string> CutsOf(const Race& race, const Terms& terms) {
  Cuts c;
  for (const NonRunner& n : race.non_runners) {
    if (n.price) c.rule4 += Rule4Pence(*n.price);
    c.win += n.win_factor;
    c.place += n.place_factor;
  }
  c.rule4 = std::min(c.rule4, terms.rule4_cap);
  if (c.win >= 10000)
    return std::string("The win market's reduction factors add up to 100% or more");
  if (c.place >= 10000)
    return std::string("The place market's reduction factors add up to 100% or more");
  return c;
}

// One bet's exact return and what it cost, with how it went.
struct Worked {
  cpp_rational returned;
  int64_t cost = 0;
  SettledBet shown;
};

// The outcome's word: for a back, won when it paid in full; for a lay, won
// when the runner did not.
Status StatusOf(const Share& paid, bool lay) {
  if (paid.dead_heat) return Status::DeadHeat;
  return (paid.part == 1) != lay ? Status::Won : Status::Lost;
}

Worked Bookmaker(const Bet& b, const Places& p, const Cuts& cuts) {
  Worked w;
  const cpp_rational s = b.stake, o = Rational(b.odds);
  // Rule 4 comes off the winnings, never the stake.
  const cpp_rational keep(100 - cuts.rule4, 100);
  const cpp_rational winnings = (o - 1) * keep;
  const Share win = ShareOf(p, b.runner, 1);
  w.shown.rule4_pence = cuts.rule4;
  w.shown.status = StatusOf(win, false);
  w.shown.dead_heat = win.dead_heat;
  switch (b.kind) {
    case BetKind::Free:
      w.returned = s * win.part * winnings;
      break;
    case BetKind::FreeStakeReturned:
      w.returned = s * win.part * (1 + winnings);
      break;
    case BetKind::EachWay: {
      const Share place = ShareOf(p, b.runner, b.places);
      const cpp_rational fraction(b.fraction_num, b.fraction_den);
      w.returned = s * win.part * (1 + winnings) + s * place.part * (1 + fraction * winnings);
      w.cost = 2 * b.stake;
      if (!win.dead_heat && win.part == 0 && place.part > 0)
        w.shown.status = place.dead_heat ? Status::DeadHeat : Status::Placed;
      if (!w.shown.dead_heat) w.shown.dead_heat = place.dead_heat;
      break;
    }
    default:
      w.returned = s * win.part * (1 + winnings);
      w.cost = b.stake;
  }
  return w;
}

Worked Exchange(const Bet& b, const Places& p, const Cuts& cuts) {
  Worked w;
  const cpp_rational s = b.stake, o = Rational(b.odds);
  const bool place = InPlaceMarket(b.kind);
  const bool lay = b.kind == BetKind::Lay || b.kind == BetKind::PlaceLay;
  const Share paid = ShareOf(p, b.runner, place ? b.places : 1);
  // The win market cuts the matched price (to the cent, at least 1.01); a
  // place market cuts the winnings and the liability instead.
  cpp_rational winnings = o - 1;
  if (place) {
    winnings *= cpp_rational(10000 - cuts.place, 10000);
  } else if (cuts.win > 0) {
    const int64_t price = std::max<int64_t>(101, Cents(o * cpp_rational(10000 - cuts.win, 100)));
    w.shown.reduced_odds = price;
    winnings = cpp_rational(price, 100) - 1;
  }
  w.shown.status = StatusOf(paid, lay);
  w.shown.dead_heat = paid.dead_heat;
  if (lay) {
    // Returned: the liability held when the lay was matched, and its profit.
    w.cost = Cents(s * (o - 1));
    w.returned = w.cost + s * (1 - paid.part) - s * paid.part * winnings;
  } else {
    w.cost = b.stake;
    w.returned = s * paid.part * (1 + winnings);
  }
  return w;
}

int64_t Outlay(const Bet& b) {
  switch (b.kind) {
    case BetKind::EachWay:
      return 2 * b.stake;
    case BetKind::Free:
    case BetKind::FreeStakeReturned:
      return 0;
    default:
      return b.stake;
  }
}

}  // namespace

const char* BetKindName(BetKind kind) {
  return kKindWords[static_cast<int>(kind)].name;
}

const char* BetKindHelp(BetKind kind) {
  return kKindWords[static_cast<int>(kind)].help;
}

bool IsExchange(BetKind kind) {
  return kind == BetKind::Lay || kind == BetKind::ExchangeBack || InPlaceMarket(kind);
}

bool InPlaceMarket(BetKind kind) {
  return kind == BetKind::PlaceBack || kind == BetKind::PlaceLay;
}

std::string DeadHeatText(const DeadHeat& d) {
  return std::to_string(d.places) + "/" + std::to_string(d.runners);
}

const char* StatusName(Status status) {
  constexpr const char* kNames[] = {"won", "placed", "lost", "void", "dead heat"};
  return kNames[static_cast<int>(status)];
}

Result<Settlement, std::string> Settle(const std::vector<Bet>& bets, const Race& race,
                                       const Terms& terms) {
  if (bets.empty()) return std::string("There are no bets to settle");
  if (bets.size() > kMaxBets)
    return "At most " + std::to_string(kMaxBets) + " bets can be settled at once";
  const auto places = PlacesOf(race);
  if (!places) return places.error();
  const auto cuts = CutsOf(race, terms);
  if (!cuts) return cuts.error();
  Settlement out;
  out.rule4_pence = cuts->rule4;
  int64_t market_profit[2] = {0, 0};  // the win market's and the place market's
  for (const Bet& b : bets) {
    Worked w;
    if (places->withdrawn.contains(b.runner)) {
      // Void: the stake comes back; a free bet's was never the bettor's.
      w.shown.status = Status::Void;
      w.cost = b.kind == BetKind::Lay || b.kind == BetKind::PlaceLay
                   ? Cents(cpp_rational(b.stake) * (Rational(b.odds) - 1))
                   : Outlay(b);
      w.returned = w.cost;
    } else {
      w = IsExchange(b.kind) ? Exchange(b, *places, *cuts) : Bookmaker(b, *places, *cuts);
    }
    SettledBet shown = w.shown;
    shown.returned = Cents(w.returned);
    shown.profit = shown.returned - w.cost;
    if (IsExchange(b.kind)) market_profit[InPlaceMarket(b.kind) ? 1 : 0] += shown.profit;
    out.total_stake += Outlay(b);
    out.total_return += shown.returned;
    out.profit += shown.profit;
    out.bets.push_back(shown);
  }
  for (const int64_t net : market_profit)
    if (net > 0) out.commission += Cents(cpp_rational(net) * terms.commission / 10000);
  out.profit -= out.commission;
  return out;
}

}  // namespace stakora::settle
