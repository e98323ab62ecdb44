#include "held_bounds.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>
#include <vector>

#include "big.h"
#include "checked_request.h"

namespace stakora::plan {
namespace {

using std::int64_t;

// Fractions are counted in whole multiples of 2^-24, rounded to the safe
// side: over 1000 runners the grid gives away less than 10^-4 of a step.
constexpr int kGridBits = 24;
constexpr i128 kGrid = i128{1} << kGridBits;
// Every figure stays within 2^100, so that one times the grid fits 128 bits.
constexpr i128 kMostFigure = i128{1} << 100;
static_assert(kMostFigure < std::numeric_limits<i128>::max() / kGrid);
// The residue classes looked at: their period, the least common multiple of
// the runners' short periods, and the looks over all of them.
constexpr int64_t kMostPeriod = 2048;
constexpr int64_t kMostPeriodLooks = 200'000;

// Whole-number arithmetic that notes a figure passing kMostFigure; the
// caller then says it cannot tell.
struct Safe {
  bool ok = true;
  i128 Mul(i128 x, i128 y) {
    i128 r = 0;
    ok = ok && !__builtin_mul_overflow(x, y, &r) && Fits(r);
    return ok ? r : 0;
  }
  i128 Add(i128 x, i128 y) {
    i128 r = 0;
    ok = ok && !__builtin_add_overflow(x, y, &r) && Fits(r);
    return ok ? r : 0;
  }
  static bool Fits(i128 r) { return r <= kMostFigure && r >= -kMostFigure; }
};

// A runner's stake bound at the level, z(X) = (X * slope + offset) / den with
// den > 0, slope / den being b / a of its price; `strict` when the bound itself
// is not allowed (a level to pass, not to reach).
struct Line {
  i128 slope = 0, offset = 0, den = 1;
  bool strict = false;
  i128 Period() const { return den / Gcd(slope, den); }
};

// z at X as a whole part and a remainder in [0, den).
struct Point {
  i128 whole = 0, rest = 0;
};
std::optional<Point> At(const Line& l, int64_t x) {
  Safe safe;
  const i128 n = safe.Add(safe.Mul(x, l.slope), l.offset);
  if (!safe.ok) return std::nullopt;
  const i128 whole = FloorDiv(n, l.den);
  return Point{whole, n - whole * l.den};
}

// rest / den on the grid, rounded down or up.
i128 GridDown(i128 rest, i128 den) {
  return rest * kGrid / den;
}
i128 GridUp(i128 rest, i128 den) {
  return CeilDiv(rest * kGrid, den);
}

// What the new bets must make, gross in cents, for an outcome holding `held`
// to reach w: w - held, over (1 - commission) when that is a gain.
std::optional<Q> Threshold(const Q& w, const Q& held, int64_t commission) {
  Safe safe;
  i128 num = safe.Add(safe.Mul(w.num, held.den), -safe.Mul(held.num, w.den));
  i128 den = safe.Mul(w.den, held.den);
  if (num > 0) num = safe.Mul(num, kBasis), den = safe.Mul(den, kBasis - commission);
  if (!safe.ok) return std::nullopt;
  return Q::Of(num, den);
}

Line Reduced(Line l) {
  const i128 g = Gcd(Gcd(l.slope, l.offset), l.den);
  if (g > 1) l.slope /= g, l.offset /= g, l.den /= g;
  return l;
}

// Runner k's line: back, the least stake x with s (x a / b - X) >= G; lay,
// the most stake l with s (X - l a / b) >= G, and with l a / b - X at most
// the lay's loss cap, whichever is less.
std::optional<Line> LineOf(const HeldProblem& p, std::size_t k, const Q& w, bool above) {
  const auto g = Threshold(w, p.held[k], p.commission);
  if (!g) return std::nullopt;
  const i128 a = p.odds[k].a, b = p.odds[k].b, s = p.step;
  Safe safe;
  const bool back = p.side == Side::Back;
  Line l{safe.Mul(safe.Mul(s, g->den), b), safe.Mul(back ? g->num : -g->num, b),
         safe.Mul(safe.Mul(a, s), g->den), above};
  if (!back && p.most_loss && safe.Mul(*p.most_loss, g->den) < -g->num)
    l = Line{safe.Mul(s, b), safe.Mul(*p.most_loss, b), safe.Mul(a, s), false};
  if (!safe.ok) return std::nullopt;
  return Reduced(l);
}

// The largest back total at which a runner outside the plan still reaches w.
int64_t MostBackTotal(const HeldProblem& p, const Q& w, bool above, int64_t hi) {
  if (!p.held_other) return hi;
  // H - X s >= w: X <= (H - w) / s, below it when the level is to be passed.
  const auto g = Threshold(w, *p.held_other, 0);
  if (!g) return hi;
  Safe safe;
  const i128 den = safe.Mul(g->den, p.step);
  if (!safe.ok) return hi;
  const i128 most = above ? CeilDiv(-g->num, den) - 1 : FloorDiv(-g->num, den);
  return static_cast<int64_t>(std::min<i128>(most, hi));
}

// Σ b / a over the lines against 1: -1, 0 or 1.
int BookSide(const std::vector<Line>& lines) {
  i128 up = 0, down = 0;
  for (const Line& l : lines) up += GridUp(l.slope, l.den), down += GridDown(l.slope, l.den);
  if (up < kGrid) return -1;
  if (down > kGrid) return 1;
  std::vector<Fraction> terms;
  for (const Line& l : lines) terms.push_back({Big(l.slope), Big(l.den)});
  const auto side = Sum(std::move(terms)) <=> Whole(1);
  return side < 0 ? -1 : side > 0 ? 1 : 0;
}

// Σ b / a over the lines on the grid: rounded up, or down.
i128 GridBook(const std::vector<Line>& lines, bool up) {
  i128 sum = 0;
  for (const Line& l : lines) sum += up ? GridUp(l.slope, l.den) : GridDown(l.slope, l.den);
  return sum;
}

// The runners whose rounding losses are followed class by class: those of the
// shortest periods, while the classes and the looks stay few.
std::vector<std::size_t> ShortPeriods(const std::vector<Line>& lines, int64_t& period) {
  std::vector<std::size_t> order(lines.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(),
            [&](std::size_t i, std::size_t j) { return lines[i].Period() < lines[j].Period(); });
  std::vector<std::size_t> kept;
  period = 1;
  for (std::size_t i : order) {
    const i128 next = period / Gcd(period, lines[i].Period()) * lines[i].Period();
    if (next > kMostPeriod || next * static_cast<i128>(kept.size() + 1) > kMostPeriodLooks) break;
    period = static_cast<int64_t>(next);
    kept.push_back(i);
  }
  return kept;
}

}  // namespace

bool LevelOutOfReach(const HeldProblem& p, const Q& level, bool above, int64_t lo, int64_t hi,
                     int64_t& looks) {
  const bool back = p.side == Side::Back;
  const Q w = Q::Of(level.num, level.den);
  if (back) hi = MostBackTotal(p, w, above, hi);
  if (lo > hi) return true;
  std::vector<Line> lines;
  looks += 2 * static_cast<int64_t>(p.odds.size());
  for (std::size_t k = 0; k < p.odds.size(); ++k) {
    const auto line = LineOf(p, k, w, above);
    if (!line) return false;
    const auto at = At(*line, lo);
    if (!at) return false;
    // A back runner that needs no stake at lo asks nothing of the totals; the
    // others only need more as the total grows.
    const bool needs =
        line->strict ? at->whole >= 0 : at->whole > 0 || (at->whole == 0 && at->rest > 0);
    if (!back || needs) lines.push_back(*line);
  }

  // Rounding aside the stakes leave Λ(X) to spare: Σ z - X laying, X - Σ z
  // backing; rounding takes at least the losses of the short-period runners.
  // Λ falls or rises by |1 - Σ b/a| per step of X: the class of totals with
  // the most to spare starts where Λ is largest, at lo or at hi.
  const int side = BookSide(lines);
  const bool falling = back ? side > 0 : side < 0;
  const bool from_lo = falling || side == 0;
  const int64_t x0 = from_lo ? lo : hi;
  const i128 fall = !falling ? 0
                    : back   ? std::max<i128>(0, GridBook(lines, false) - kGrid)
                             : std::max<i128>(0, kGrid - GridBook(lines, true));
  const i128 rise = side == 0 ? 0
                    : falling ? 0
                    : back    ? std::max<i128>(0, kGrid - GridBook(lines, true))
                              : std::max<i128>(0, GridBook(lines, false) - kGrid);
  Safe safe;
  i128 spare = 0;  // Λ(x0) on the grid, rounded up
  for (const Line& l : lines) {
    const auto at = At(l, x0);
    if (!at) return false;
    spare = back ? safe.Add(spare, -safe.Add(safe.Mul(at->whole, kGrid), GridDown(at->rest, l.den)))
                 : safe.Add(spare, safe.Add(safe.Mul(at->whole, kGrid), GridUp(at->rest, l.den)));
  }
  spare = safe.Add(spare, back ? safe.Mul(x0, kGrid) : -safe.Mul(x0, kGrid));
  if (!safe.ok) return false;

  int64_t period = 1;
  const std::vector<std::size_t> kept = ShortPeriods(lines, period);
  std::vector<i128> rest, step;
  for (std::size_t i : kept) {
    const Line& l = lines[i];
    rest.push_back(At(l, x0)->rest);
    const i128 m = l.slope % l.den + (l.slope % l.den < 0 ? l.den : 0);
    step.push_back(from_lo ? m : (l.den - m) % l.den);
  }
  // A lay stake is at most floor(z), or z - 1 when z is whole and the bound
  // strict; a back stake at least ceil(z), or z + 1 likewise.
  const auto loss = [&](std::size_t j) {
    const Line& l = lines[kept[j]];
    if (rest[j] == 0) return l.strict ? kGrid : i128{0};
    return GridDown(back ? l.den - rest[j] : rest[j], l.den);
  };
  for (int64_t d = 0; d < period && (from_lo ? x0 + d <= hi : x0 - d >= lo); ++d) {
    looks += static_cast<int64_t>(kept.size());
    i128 lost = 0;
    for (std::size_t j = 0; j < kept.size(); ++j) {
      lost += loss(j);
      rest[j] = (rest[j] + step[j]) % lines[kept[j]].den;
    }
    // Along a class Λ only moves away from x0's, by at least the grid's
    // rate: the class is out when its first total is.
    if (lost <= spare - d * (fall + rise)) return false;
  }
  return true;
}

}  // namespace stakora::plan
