#include "held_bounds.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>
#include <vector>

#include "big.h"
#include "checked_request.h"
#include "held_lines.h"

namespace stakora::plan {
namespace {

using std::int64_t;

// The residue classes looked at: their period, the least common multiple of
// the runners' short periods, and the looks over all of them.
constexpr int64_t kMostPeriod = 2048;
constexpr int64_t kMostPeriodLooks = 200'000;

// The largest back total at which a runner outside the plan still reaches w.
int64_t MostBackTotal(const HeldProblem& p, const Ratio& w, bool above, int64_t hi) {
  if (!p.held_other) return hi;
  // H - X s >= w: X <= (H - w) / s, below it when the level is to be passed.
  const auto g = Threshold(w, *p.held_other, 0);
  if (!g) return hi;
  Safe safe;
  const i128 den = safe.Mul(g->den(), p.step);
  if (!safe.ok) return hi;
  const i128 most = above ? CeilDiv(-g->num(), den) - 1 : FloorDiv(-g->num(), den);
  return To64(std::min<i128>(most, hi));
}

// Σ b / a over the lines against 1: -1, 0 or 1.
int BookSide(const std::vector<StakeLine>& lines) {
  i128 up = 0, down = 0;
  for (const StakeLine& l : lines) up += GridUp(l.slope, l.den), down += GridDown(l.slope, l.den);
  if (up < kGrid) return -1;
  if (down > kGrid) return 1;
  std::vector<Fraction> terms;
  for (const StakeLine& l : lines) terms.push_back({Big(l.slope), Big(l.den)});
  const auto side = Sum(std::move(terms)) <=> Whole(1);
  return side < 0 ? -1 : side > 0 ? 1 : 0;
}

// Σ b / a over the lines on the grid: rounded up, or down.
i128 GridBook(const std::vector<StakeLine>& lines, bool up) {
  i128 sum = 0;
  for (const StakeLine& l : lines) sum += up ? GridUp(l.slope, l.den) : GridDown(l.slope, l.den);
  return sum;
}

// The runners whose rounding losses are followed class by class: those of the
// shortest periods, while the classes and the looks stay few.
std::vector<std::size_t> ShortPeriods(const std::vector<StakeLine>& lines, int64_t& period) {
  std::vector<std::size_t> order(lines.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(),
            [&](std::size_t i, std::size_t j) { return lines[i].Period() < lines[j].Period(); });
  std::vector<std::size_t> kept;
  period = 1;
  for (std::size_t i : order) {
    const i128 next = period / Gcd(period, lines[i].Period()) * lines[i].Period();
    if (next > kMostPeriod || next * static_cast<i128>(kept.size() + 1) > kMostPeriodLooks) break;
    period = To64(next);
    kept.push_back(i);
  }
  return kept;
}

}  // namespace

bool LevelOutOfReach(const HeldProblem& p, const Ratio& w, bool above, int64_t lo, int64_t hi,
                     int64_t& looks) {
  const bool back = p.side == Side::Back;
  if (back) hi = MostBackTotal(p, w, above, hi);
  if (lo > hi) return true;
  std::vector<StakeLine> lines;
  looks += 2 * static_cast<int64_t>(p.odds.size());
  for (std::size_t k = 0; k < p.odds.size(); ++k) {
    auto line = StakeLineOf(p, k, w, above);
    if (!line) return false;
    line = Reduced(*line);  // the periods below need lowest terms
    const auto at = PointAt(*line, lo);
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
  for (const StakeLine& l : lines) {
    const auto at = PointAt(l, x0);
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
    const StakeLine& l = lines[i];
    rest.push_back(PointAt(l, x0)->rest);
    const i128 m = l.slope % l.den + (l.slope % l.den < 0 ? l.den : 0);
    step.push_back(from_lo ? m : (l.den - m) % l.den);
  }
  // A lay stake is at most floor(z), or z - 1 when z is whole and the bound
  // strict; a back stake at least ceil(z), or z + 1 likewise.
  const auto loss = [&](std::size_t j) {
    const StakeLine& l = lines[kept[j]];
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
