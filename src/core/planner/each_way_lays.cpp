#include "each_way_lays.h"

#include <algorithm>
#include <array>

#include "held.h"
#include "lay_box.h"
#include "plan_figures.h"
#include "plan_limits.h"

namespace stakora::plan {
namespace {

using std::int64_t;

// How a runner finishes, as its bets see it: it wins; it is placed by both
// the bookmaker and the place market; it is placed by the bookmaker only (an
// extra place); or it is out of the bookmaker's places.
enum Finish { kWins, kPlaced, kExtra, kUnplaced, kFinishes };

// Units to the cent at most: with the odds, steps and stakes the planner
// allows, every product of a form and the stakes stays within 2^110.
inline constexpr i128 kMostScale = 1'000'000'000'000;

// What a runner's held bets return on each finish: it wins, the bookmaker
// places it without a win, it finishes out of the bookmaker's places.
struct HeldReturns {
  Q wins, places, loses;
};

// One outcome as the markets see it: which runner wins (-1: none of the
// plan's), which are among the place market's winners; and, over the race
// outcomes it stands for, the least and most held total, and the least per
// runner and finish.
struct Spot {
  bool seen = false;
  int winner = -1;
  unsigned placed = 0;
  i128 least = 0, most = 0;
  std::optional<i128> least_extra;
  std::vector<std::array<std::optional<i128>, kFinishes>> by_runner;
};

void KeepLeast(std::optional<i128>& slot, i128 v) {
  slot = slot ? std::min(*slot, v) : v;
}

class Outcomes {
 public:
  Outcomes(const Checked& c, const std::vector<std::array<i128, 3>>& held)
      : c_(c), held_(held), n_(held.size()) {
    last_ = c.place_market;
    for (std::size_t b : c.each_way_bet) last_ = std::max(last_, c.held[b].terms.places);
    spots_.resize((n_ + 1) << n_);
    spot_at_.assign(n_, 0);
    Place(0, 0, 0);
  }
  std::vector<Spot>& spots() { return spots_; }

 private:
  // Runner j's finishing place (0: beyond every place paid) given those
  // before it; `used` holds the places taken, `out` the runners beyond.
  void Place(std::size_t j, unsigned used, int out) {
    if (j == n_) return Count();
    const int field = c_.field_size.value_or(0);
    // A runner beyond every place paid needs a place in the field for it.
    if (!c_.field_size || field - last_ > out) {
      spot_at_[j] = 0;
      Place(j + 1, used, out + 1);
    }
    for (int pos = 1; pos <= last_ && (!c_.field_size || pos <= field); ++pos)
      if (!(used >> pos & 1)) {
        spot_at_[j] = pos;
        Place(j + 1, used | 1u << pos, out);
      }
  }

  void Count() {
    int winner = -1;
    unsigned placed = 0;
    i128 held = 0;
    bool extra = false;
    std::array<Finish, kMostEachWayLaid> finish{};
    for (std::size_t j = 0; j < n_; ++j) {
      const int pos = spot_at_[j];
      const int places = c_.held[c_.each_way_bet[j]].terms.places;
      if (pos == 1) winner = static_cast<int>(j);
      if (pos >= 1 && pos <= c_.place_market) placed |= 1u << j;
      const bool booked = pos >= 1 && pos <= places;
      held += held_[j][pos == 1 ? 0 : booked ? 1 : 2];
      finish[j] = pos == 1                           ? kWins
                  : booked && pos <= c_.place_market ? kPlaced
                  : booked                           ? kExtra
                                                     : kUnplaced;
      extra = extra || finish[j] == kExtra;
    }
    Spot& s = spots_[(static_cast<std::size_t>(winner + 1) << n_) | placed];
    if (!s.seen) {
      s.seen = true, s.winner = winner, s.placed = placed, s.least = s.most = held;
      s.by_runner.resize(n_);
    }
    s.least = std::min(s.least, held);
    s.most = std::max(s.most, held);
    if (extra) KeepLeast(s.least_extra, held);
    for (std::size_t j = 0; j < n_; ++j) KeepLeast(s.by_runner[j][finish[j]], held);
  }

  const Checked& c_;
  const std::vector<std::array<i128, 3>>& held_;
  std::size_t n_ = 0;
  int last_ = 0;
  std::vector<int> spot_at_;
  std::vector<Spot> spots_;
};

// 0 past kMostScale, and from then on.
i128 Lcm(i128 a, i128 b) {
  if (a == 0) return 0;
  const i128 l = a / Gcd(a, b) * b;
  return l > kMostScale ? 0 : l;
}

constexpr const char* kUnlike =
    "The held bets and the odds are at prices too unlike to add up exactly; give their odds as "
    "decimals";

// Each runner's held returns, as fractions of a cent.
Result<std::vector<HeldReturns>, std::string> HeldOf(const Checked& c, std::size_t n) {
  std::vector<HeldReturns> out(n, {Q::Of(0), Q::Of(0), Q::Of(0)});
  for (const HeldBet& b : c.held) {
    HeldReturns& h = out[b.runner];
    const auto wins = AddHeld(h.wins, HeldIfWins(b, c.rule4));
    const auto places = AddHeld(h.places, HeldIfPlaces(b, c.rule4));
    if (!wins || !places) return std::string(kUnlike);
    h = {*wins, *places, Q::Of(h.loses.num() + HeldIfLoses(b))};
  }
  return out;
}

// Units to the cent: a whole number for every held return and every price.
i128 ScaleOf(const Checked& c, const std::vector<HeldReturns>& held) {
  i128 scale = 1;
  for (const HeldReturns& h : held)
    for (const Q& q : {h.wins, h.places}) scale = Lcm(scale, q.den());
  for (std::size_t j = 0; j < held.size(); ++j) {
    scale = Lcm(scale, c.field.odds[j].b);
    if (c.place_odds[j]) scale = Lcm(scale, c.place_odds[j]->b);
  }
  return scale;
}

// Σ 1/O: a win book above 1 or a place book above the places the plan's
// runners can take lets new lays alone win whatever happens.
std::optional<std::string> Unbounded(const Checked& c) {
  Fraction win = Whole(0), place = Whole(0);
  int placeable = 0;
  for (std::size_t j = 0; j < c.field.size(); ++j) {
    win = win + Fraction::Of(Q::Of(c.field.odds[j].b, c.field.odds[j].a));
    if (c.place_odds[j])
      place = place + Fraction::Of(Q::Of(c.place_odds[j]->b, c.place_odds[j]->a)), ++placeable;
  }
  const auto tail = "), so there is no best plan without a cap: give a stake";
  if (win > Whole(1))
    return "The new lays alone would win whatever happens (the win lays' book is " + BookText(win) +
           "%" + tail;
  const int most_placed = std::min(placeable, c.place_market);
  if (placeable > 0 && place > Whole(most_placed))
    return "The new lays alone would win whatever happens (the place lays' book is " +
           BookText(place) + "% against " + std::to_string(most_placed) + " placed" + tail;
  return std::nullopt;
}

// The worst of new + held over the spots where each runner finishes each way.
struct RunnerWorst {
  std::array<std::optional<i128>, kFinishes> total;
  std::optional<i128> held_if_wins;
};
RunnerWorst WorstOf(std::size_t j, const std::vector<const Spot*>& spots,
                    const std::vector<i128>& news) {
  RunnerWorst w;
  for (std::size_t k = 0; k < spots.size(); ++k)
    for (std::size_t f = 0; f < kFinishes; ++f)
      if (const auto& held = spots[k]->by_runner[j][f]) {
        KeepLeast(w.total[f], *held + news[k]);
        if (f == kWins) KeepLeast(w.held_if_wins, *held);
      }
  return w;
}

Plan FiguresOf(const Request& r, const Checked& c, const LayBoxProblem& problem,
               const LayBoxBest& best, const std::vector<const Spot*>& spots, i128 unit) {
  const std::size_t n = c.field.size();
  const auto cents = [unit](i128 v) { return To64(RoundHalfEven(Ratio{v, unit})); };
  const auto maybe = [&](const std::optional<i128>& v) {
    return v ? std::optional<int64_t>(cents(*v)) : std::nullopt;
  };
  std::vector<i128> news;
  for (const LayOutcome& o : problem.outcomes) news.push_back(NewOf(problem, o, best.stakes));
  Plan p = PlanHead(r, c, BooksOf(c.field).all);
  const int w = c.place_market;
  for (std::size_t j = 0; j < n; ++j) {
    RunnerPlan runner = RunnerOf(r, c, j);
    runner.stake = best.stakes[j] * c.step;
    runner.liability = LayLiability(runner.stake, c.field.odds[j]);
    runner.lay_place_stake = best.stakes[n + j] * c.step;
    if (c.place_odds[j]) {
      runner.place_liability = LayLiability(runner.lay_place_stake, *c.place_odds[j]);
      runner.place_odds = r.runners[j].place_odds;
    }
    const RunnerWorst worst = WorstOf(j, spots, news);
    runner.profit_if_wins = maybe(worst.total[kWins]).value_or(0);
    runner.profit_if_places = maybe(worst.total[kPlaced]);
    runner.profit_if_extra_place = maybe(worst.total[kExtra]);
    runner.profit_if_unplaced = maybe(worst.total[kUnplaced]);
    runner.held_if_wins = maybe(worst.held_if_wins).value_or(0);
    const int k = c.held[c.each_way_bet[j]].terms.places;
    if (std::min(k, w) >= 2) runner.places_span = std::pair(2, std::min(k, w));
    if (k > w) runner.extra_span = std::pair(w + 1, k);
    p.total_stake += runner.stake + runner.lay_place_stake;
    p.runners.push_back(std::move(runner));
  }
  p.worst_profit = cents(best.worst);
  p.extra_place_profit = maybe(best.extra);
  p.new_liability = cents(best.loss);
  std::optional<i128> best_total, another;
  for (std::size_t k = 0; k < spots.size(); ++k) {
    best_total = std::max(best_total.value_or(spots[k]->most + news[k]), spots[k]->most + news[k]);
    if (spots[k]->winner < 0) KeepLeast(another, spots[k]->least + news[k]);
  }
  p.best_profit = maybe(best_total).value_or(0);
  p.field_covered = !another;
  p.if_another_wins = maybe(another).value_or(0);
  p.place_market = w;
  p.unrounded = false;
  p.held = HeldShownOf(r, c);
  return p;
}

}  // namespace

Result<Plan, std::string> MakeEachWayLayPlan(const Request& r, const Checked& c,
                                             std::stop_token stop) {
  const std::size_t n = c.field.size();
  const bool capped = r.mode == Mode::Stake && c.amount > 0;
  if (!capped)
    if (const auto why = Unbounded(c)) return *why;
  const auto held = HeldOf(c, n);
  if (!held) return held.error();
  const i128 scale = ScaleOf(c, *held);
  if (scale == 0) return std::string(kUnlike);
  const i128 unit = scale * kBasis;  // units times kBasis to the cent
  const auto units = [&](const Q& q) { return q.num() * (unit / q.den()); };
  std::vector<std::array<i128, 3>> held_units;
  for (const HeldReturns& h : *held)
    held_units.push_back({units(h.wins), units(h.places), units(h.loses)});
  Outcomes outcomes(c, held_units);

  LayBoxProblem problem;
  problem.commission = c.commission;
  problem.most_total = capped ? c.amount / c.step : kMostCents / c.step;
  if (r.mode == Mode::Liability && c.amount > 0) problem.most_loss = c.amount * unit;
  for (std::size_t k = 0; k < 2 * n; ++k) {
    problem.least.push_back(c.field.min);
    problem.most.push_back(k < n || c.place_odds[k - n] ? problem.most_total : 0);
  }
  std::vector<const Spot*> spots;
  for (const Spot& s : outcomes.spots()) {
    if (!s.seen) continue;
    LayOutcome o{std::vector<i128>(2 * n), std::vector<i128>(2 * n), s.least, s.least_extra};
    for (std::size_t j = 0; j < n; ++j) {
      const Odds& win = c.field.odds[j];
      o.win[j] = c.step * scale / win.b * (win.b - (s.winner == static_cast<int>(j) ? win.a : 0));
      if (const auto& place = c.place_odds[j])
        o.place[n + j] =
            c.step * scale / place->b * (place->b - (s.placed >> j & 1 ? place->a : 0));
    }
    problem.outcomes.push_back(std::move(o));
    spots.push_back(&s);
  }

  Search search{problem.most_total, std::move(stop), kLayBoxWorkBudget};
  const auto best = BestLayBox(problem, search);
  if (!best)
    return search.why == Stop::Cancelled
               ? std::string(kStopped)
               : std::string(capped ? "The best plan could not be found within the work allowed: "
                                      "many plans tie at the stake cap; cap the loss with a "
                                      "liability instead, or leave a runner out"
                                    : "The best plan could not be found within the work allowed; "
                                      "leave a runner out");
  int64_t total = 0;
  for (int64_t v : best->stakes) total += v;
  if (!capped && total >= problem.most_total)
    return "The best plan around these bets needs more than " + MoneyText(kMostCents) +
           " of backers' stakes, the most the planner takes; give a stake to cap them";
  return FiguresOf(r, c, problem, *best, spots, unit);
}

}  // namespace stakora::plan
