#include "each_way.h"

#include <algorithm>
#include <numeric>

#include "big.h"
#include "each_way_cover.h"
#include "plan_figures.h"
#include "solver.h"

namespace stakora::plan {
namespace {

using std::int64_t;

// The each-way prices (E, E / 2 and P) times a total in steps and another
// such denominator, and the searches' products with them, stay far inside
// 128 bits.
static_assert(kMostCents * kMostPriceA * kMostPriceB < kI128Most / 1000);
static_assert(kMostCents * 2 * kMostStepCents * kMostPriceB < kI128Most / 1000);

Odds Lowest(i128 a, i128 b) {
  const Q q = Q::Of(a, b);
  return {To64(q.num()), To64(q.den())};
}

// P = 1 + f(O - 1) and E / 2 = (O + P) / 2 for odds a/b.
Odds PlaceOdds(const Odds& o, const PlaceTerms& t) {
  return Lowest(
      static_cast<i128>(t.fraction_den) * o.b + static_cast<i128>(t.fraction_num) * (o.a - o.b),
      static_cast<i128>(t.fraction_den) * o.b);
}
Odds HalfEachWay(const Odds& o, const PlaceTerms& t) {
  return Lowest(static_cast<i128>(t.fraction_den) * (o.a + o.b) +
                    static_cast<i128>(t.fraction_num) * (o.a - o.b),
                2 * static_cast<i128>(t.fraction_den) * o.b);
}

// Exact when the decimals end, else to six.
std::string OddsText(const Odds& o) {
  int64_t den = o.b;
  int twos = 0, fives = 0;
  for (; den % 2 == 0; den /= 2) ++twos;
  for (; den % 5 == 0; den /= 5) ++fives;
  const int decimals = den == 1 ? std::max(twos, fives) : 6;
  return DecimalText(Fraction::Of(Q::Of(o.a, o.b)), decimals).value_or("");
}

// The best outcome: a runner wins and the plan's best place returns fill the
// other places. For the K - 1 best place returns R, a runner outside them adds
// its win and place return V to their sum; one among them adds its win-part
// return to the sum of the K best with its own place return in it.
std::optional<int64_t> BestCase(const std::vector<Odds>& win, const std::vector<Odds>& place,
                                const std::vector<Odds>& each_way, const Stakes& cents, int places,
                                int64_t outlay) {
  const std::size_t n = cents.size();
  auto less = [&](const std::vector<Odds>& o, std::size_t i, std::size_t j) {
    return ReturnLess(o, cents[i], i, cents[j], j);
  };
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t i, std::size_t j) { return less(place, j, i); });
  const std::size_t others = std::min<std::size_t>(static_cast<std::size_t>(places) - 1, n);
  const std::size_t with_one_more = std::min(others + 1, n);
  auto placed = [&](std::size_t count) {
    std::vector<Fraction> r;
    for (std::size_t i = 0; i < count; ++i) {
      const Odds& p = place[order[i]];
      r.push_back({Big(static_cast<i128>(cents[order[i]]) * p.a), Big(p.b)});
    }
    return Sum(std::move(r));
  };
  auto top = [&](const std::vector<Odds>& o, std::size_t from, std::size_t to) {
    std::size_t best = order[from];
    for (std::size_t i = from; i < to; ++i)
      if (less(o, best, order[i])) best = order[i];
    return Fraction{Big(static_cast<i128>(cents[best]) * o[best].a), Big(o[best].b)};
  };
  std::optional<Fraction> best;
  if (others < n) best = placed(others) + top(each_way, others, n);
  if (others > 0) {
    const Fraction among = placed(with_one_more) + top(win, 0, others);
    if (!best || *best < among) best = among;
  }
  return Rounded(*best - Whole(outlay));
}

}  // namespace

std::optional<PlaceTerms> UsualPlaceTerms(int runners, bool handicap) {
  if (runners < 5) return std::nullopt;
  if (runners <= 7) return PlaceTerms{2, 1, 4};
  if (runners <= 11 || !handicap) return PlaceTerms{3, 1, 5};
  if (runners <= 15) return PlaceTerms{3, 1, 4};
  return PlaceTerms{4, 1, 4};
}

std::string FractionText(const PlaceTerms& t) {
  return std::to_string(t.fraction_num) + "/" + std::to_string(t.fraction_den);
}

namespace {

// The outcomes a race leaves the plan: how many of its runners must fill
// places when one of them wins, whether a runner outside it can win, whether
// none of its runners can place, and whether one can place without winning.
struct Shape {
  int forced = 0;
  bool outsider_wins = true, none_place = true, place_only = true;
};

Shape ShapeOf(std::optional<int> field, std::size_t runners, int places) {
  Shape s;
  s.place_only = places >= 2;
  if (!field) return s;  // taken as large
  const int n = static_cast<int>(runners), placed = std::min(places, *field);
  s.forced = std::max(0, placed - 1 - (*field - n));
  s.outsider_wins = *field > n;
  s.none_place = *field - n >= places;
  s.place_only = placed >= 2;
  return s;
}

// The plan's prices over one denominator, small enough for the covered
// search's products (each_way_cover.h): 10^12 keeps a total of 5 * 10^10
// steps at the longest each-way odds, summed over 1000 runners, far inside
// 128 bits.
constexpr i128 kMostCoverScale = 1'000'000'000'000;
static_assert(kMostCents * 3 * 10000 * kMostCoverScale * 1001 < kI128Most / 1000);

std::optional<CoverProblem> CoverOf(const Field& f, const std::vector<Odds>& place,
                                    const std::vector<Odds>& each_way, const Shape& shape) {
  CoverProblem p;
  p.forced = shape.forced, p.outsider_can_win = shape.outsider_wins, p.min = f.min;
  for (std::size_t j = 0; j < f.size(); ++j)
    for (const i128 den : {static_cast<i128>(place[j].b), static_cast<i128>(each_way[j].b)}) {
      p.scale = p.scale / Gcd(p.scale, den) * den;
      if (p.scale > kMostCoverScale) return std::nullopt;
    }
  for (std::size_t j = 0; j < f.size(); ++j)
    p.runners.push_back({each_way[j].a * (p.scale / each_way[j].b),
                         place[j].a * (p.scale / place[j].b), f.saver[j]});
  return p;
}

constexpr std::int64_t kCoverWorkBudget = 12'000'000;

std::string Unfound(const Search& s) {
  return s.why == Stop::Cancelled
             ? std::string(kStopped)
             : std::string(
                   "The best each-way stakes for a field the runners cover could not be found "
                   "within the work allowed; give a larger step or fewer runners");
}

// The stakes (steps of each part) and their total on a field the plan's
// runners cover, for a stake or a profit.
Result<BackPlan, std::string> PlanCovered(const Checked& c, const CoverProblem& problem,
                                          const Books& books, Mode mode, std::stop_token stop) {
  BackPlan b;
  const std::int64_t unit = 2 * c.step, most = kMostCents / unit;
  if (mode == Mode::Stake) {
    b.total = c.amount / unit;
    if (c.field.MinTotal() > b.total) return MinimumsTooMuch(c, 2);
  } else {
    // A saver breaks even on the very place returns that make the others'
    // profit: the least outlay for both is not searched for.
    if (std::any_of(c.field.saver.begin(), c.field.saver.end(), [](bool s) { return s; }))
      return std::string(
          "Savers cannot be planned for a profit where the runners must fill the places; "
          "plan a stake instead");
    // W - 2T at least the profit, both in steps of each part over the scale.
    const i128 target = CeilDiv(static_cast<i128>(c.amount) * problem.scale, c.step);
    Search search{most, stop, kCoverWorkBudget};
    const auto least = LeastCoveredTotal(problem, target, search);
    if (!least)
      return search.why == Stop::BeyondMost
                 ? "A profit of " + MoneyText(c.amount) + " needs more than " +
                       MoneyText(kMostCents) +
                       " laid out, or no stakes make it whichever runner wins (the runners' book "
                       "is " +
                       BookText(books.all) + "%)"
                 : Unfound(search);
    b.total = *least;
  }
  Search search{most, std::move(stop), kCoverWorkBudget};
  const auto stakes = BestCoveredStakes(problem, b.total, search);
  if (!stakes) return Unfound(search);
  if (stakes->empty())
    return "The savers cannot break even with " + MoneyText(b.total * unit) +
           " laid out in all; stake more or mark fewer savers";
  b.stakes = *stakes;
  return b;
}

// Cents of a return in 1 / scale of a step, less the outlay.
std::int64_t ScaledCents(const Checked& c, const CoverProblem& p, i128 ret, std::int64_t outlay) {
  return To64(RoundHalfEven(Ratio{ret * c.step, p.scale})) - outlay;
}

}  // namespace

Result<Plan, std::string> MakeEachWayPlan(const Request& r, const Checked& c,
                                          std::stop_token stop) {
  const std::optional<PlaceTerms>& terms = c.terms;
  const std::optional<int>& field = c.field_size;
  const std::size_t n = c.field.size();
  const Shape shape = ShapeOf(field, n, terms->places);
  Field halves = c.field;
  std::vector<Odds> place(n), each_way(n);
  for (std::size_t j = 0; j < n; ++j) {
    place[j] = PlaceOdds(c.field.odds[j], *terms);
    halves.odds[j] = HalfEachWay(c.field.odds[j], *terms);
    each_way[j] = Lowest(static_cast<i128>(halves.odds[j].a) * 2, halves.odds[j].b);
  }
  std::optional<CoverProblem> cover;
  if (shape.forced > 0) {
    cover = CoverOf(c.field, place, each_way, shape);
    if (!cover)
      return std::string(
          "The runners' prices are too unlike to plan exactly where they fill the places; give "
          "their odds as decimals");
  }
  const Books books = BooksOf(c.field);
  const auto back =
      cover ? PlanCovered(c, *cover, books, r.mode, std::move(stop))
            : PlanBack(c, halves, BooksOf(halves), r.mode, 2 * c.step,
                       {"runners' each-way book (the sum of 2 / (win odds + place odds))",
                        "each-way", "laid out"},
                       std::move(stop));
  if (!back) return back.error();
  const Stakes stakes = cover ? back->stakes : BestPlaces(halves, place, back->stakes);

  Plan p = PlanHead(r, c, books.all);
  p.each_way = true;
  p.places = terms->places;
  p.place_fraction = FractionText(*terms);
  p.total_stake = back->total * 2 * c.step;
  p.field_covered = !shape.outsider_wins;
  p.unrounded = !cover;
  p.exact_worst_profit = back->exact_worst;
  p.exact_total_stake = back->exact_total;
  Stakes cents(n);
  auto outcome = [&](std::size_t j, const Odds& o) {
    return NetCents(c, GrossIfWins(true, cents[j], p.total_stake, o), o.b);
  };
  const CoverReturns returns = cover ? ReturnsOf(*cover, stakes) : CoverReturns{};
  for (std::size_t j = 0; j < n; ++j) {
    cents[j] = stakes[j] * c.step;
    RunnerPlan runner = RunnerOf(r, c, j);
    runner.stake = cents[j];
    runner.profit_if_wins =
        cover ? ScaledCents(c, *cover, returns.win[j], p.total_stake) : outcome(j, each_way[j]);
    runner.place_odds = OddsText(place[j]);
    if (shape.place_only) {
      runner.profit_if_places =
          cover ? ScaledCents(c, *cover, returns.place[j], p.total_stake) : outcome(j, place[j]);
      p.worst_place_profit = p.worst_place_profit
                                 ? std::min(*p.worst_place_profit, *runner.profit_if_places)
                                 : *runner.profit_if_places;
    }
    p.runners.push_back(std::move(runner));
  }
  p.worst_profit = WorstWin(p.runners);
  // Another runner winning: none of the plan's places, or at worst some do.
  if (shape.none_place) p.if_none_places = -p.total_stake;
  p.if_another_wins = shape.none_place ? -p.total_stake : p.worst_place_profit.value_or(0);
  const auto best = BestCase(c.field.odds, place, each_way, cents, terms->places, p.total_stake);
  if (!best) return std::string("The plan's figures are too large to show; ask for less");
  p.best_profit = *best;
  if (p.unrounded) p.rounding_cost = RoundingCost(p);
  return p;
}

}  // namespace stakora::plan
