#include "held_lines.h"

#include <algorithm>

#include "checked_request.h"

namespace stakora::plan {
namespace {

bool Fits(i128 r) {
  return r <= kMostFigure && r >= -kMostFigure;
}

// b / a in units of 1 / kFine, rounded down or up; -1 when b is too large.
i128 Fine(const Odds& o, bool up) {
  i128 n = 0;
  if (__builtin_mul_overflow(static_cast<i128>(o.b), kFine, &n)) return -1;
  return up ? CeilDiv(n, o.a) : FloorDiv(n, o.a);
}

}  // namespace

i128 Safe::Mul(i128 x, i128 y) {
  i128 r = 0;
  ok = ok && !__builtin_mul_overflow(x, y, &r) && Fits(r);
  return ok ? r : 0;
}

i128 Safe::Add(i128 x, i128 y) {
  i128 r = 0;
  ok = ok && !__builtin_add_overflow(x, y, &r) && Fits(r);
  return ok ? r : 0;
}

std::optional<LinePoint> PointAt(const StakeLine& l, std::int64_t x) {
  Safe safe;
  const i128 n = safe.Add(safe.Mul(x, l.slope), l.offset);
  if (!safe.ok) return std::nullopt;
  const i128 whole = FloorDiv(n, l.den);
  return LinePoint{whole, n - whole * l.den};
}

i128 GridDown(i128 n, i128 den) {
  return FloorDiv(n * kGrid, den);
}

i128 GridUp(i128 n, i128 den) {
  return CeilDiv(n * kGrid, den);
}

std::optional<i128> GridAt(const StakeLine& l, std::int64_t x, bool up) {
  Safe safe;
  const i128 n = safe.Add(safe.Mul(x, l.slope), l.offset);
  if (!safe.ok) return std::nullopt;
  // |n| is at most kMostFigure, so n * kGrid fits (see its static_assert).
  return up ? CeilDiv(n * kGrid, l.den) : FloorDiv(n * kGrid, l.den);
}

void GridSum::AddLine(const StakeLine& l, std::int64_t x, bool positive) {
  const auto z = GridAt(l, x, up);
  Safe safe{ok && z.has_value()};
  if (safe.ok) {
    at = safe.Add(at, positive ? std::max<i128>(*z, 0) : *z);
    slope = safe.Add(slope, up ? l.fine_slope_up : l.fine_slope_down);
  }
  ok = safe.ok && (up ? l.fine_slope_up : l.fine_slope_down) >= 0;
}

void GridSum::AddTotal(std::int64_t x) {
  Safe safe{ok};
  at = safe.Add(at, safe.Mul(x, kGrid));
  slope = safe.Add(slope, kFine);
  ok = safe.ok;
}

std::optional<GridSum::Drift> GridSum::Against(std::int64_t x) const {
  // |at - x * kGrid| is below 2^101 and kFine / kGrid is 2^40: the product
  // is checked rather than bounded, as sums of many lines may pass 2^87.
  i128 excess = 0;
  if (!ok || __builtin_mul_overflow(at - x * kGrid, kFine / kGrid, &excess)) return std::nullopt;
  return Drift{excess, slope - kFine};
}

std::optional<Q> Threshold(const Ratio& w, const Q& held, std::int64_t commission) {
  Safe safe;
  i128 num = safe.Add(safe.Mul(w.num, held.den()), -safe.Mul(held.num(), w.den));
  i128 den = safe.Mul(w.den, held.den());
  if (num > 0) num = safe.Mul(num, kBasis), den = safe.Mul(den, kBasis - commission);
  if (!safe.ok) return std::nullopt;
  return Q::Of(num, den);
}

StakeLine Reduced(StakeLine l) {
  const i128 g = Gcd(Gcd(l.slope, l.offset), l.den);
  if (g > 1) l.slope /= g, l.offset /= g, l.den /= g;
  return l;
}

std::optional<StakeLine> StakeLineOf(const HeldProblem& p, std::size_t k, const Ratio& w,
                                     bool above) {
  const auto g = Threshold(w, p.held[k], p.commission);
  if (!g) return std::nullopt;
  const i128 a = p.odds[k].a, b = p.odds[k].b, s = p.step;
  Safe safe;
  const bool back = p.side == Side::Back;
  StakeLine l{safe.Mul(safe.Mul(s, g->den()), b), safe.Mul(back ? g->num() : -g->num(), b),
              safe.Mul(safe.Mul(a, s), g->den()), above};
  if (!back && p.most_loss && safe.Mul(*p.most_loss, g->den()) < -g->num())
    l = StakeLine{safe.Mul(s, b), safe.Mul(*p.most_loss, b), safe.Mul(a, s), false};
  if (!safe.ok) return std::nullopt;
  l.fine_slope_down = Fine(p.odds[k], false);
  l.fine_slope_up = Fine(p.odds[k], true);
  return l;
}

}  // namespace stakora::plan
