#include "lay_bound.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "big.h"
#include "lay_lp.h"

namespace stakora::plan {
namespace {

using Weights = std::vector<std::pair<std::size_t, Big>>;

constexpr long double kWeightUnit = 1LL << 40;

Verdict VerdictOf(const std::vector<BoundRow>& rows, const Weights& weights,
                  const std::vector<std::int64_t>& lo, const std::vector<std::int64_t>& hi,
                  i128 best) {
  const std::size_t n = lo.size();
  Big count = 0, bound = 0;
  std::vector<Big> c(n, Big(0));
  for (const auto& [r, w] : weights) {
    if (w.negative() || w.zero()) continue;
    if (!rows[r].constraint) count = count + w;
    bound = bound + w * Big(rows[r].held);
    for (std::size_t i = 0; i < n; ++i) c[i] = c[i] + w * Big((*rows[r].coef)[i]);
  }
  if (count.zero()) return Verdict::Unknown;
  for (std::size_t i = 0; i < n; ++i)
    bound = bound + std::max(c[i] * Big(lo[i]), c[i] * Big(hi[i]));
  if (bound < count * Big(best)) return Verdict::Worse;
  if (bound < count * (Big(best) + Big(1))) return Verdict::NoBetter;
  return Verdict::Unknown;
}

// The simplex's weights as whole numbers, in proportion to each unscaled row's.
Weights Rounded(const BoxSolution& s, const std::vector<long double>& size) {
  long double most = 0;
  for (const auto& [r, w] : s.weights)
    if (std::isfinite(w) && w > 0) most = std::max(most, w / size[r]);
  Weights out;
  for (const auto& [r, w] : s.weights)
    if (std::isfinite(w) && w > 0)
      out.emplace_back(r, Big(static_cast<i128>(std::llround(w / size[r] / most * kWeightUnit))));
  return out;
}

// The weights of the final basis solved exactly: for the free stakes their
// weighted coefficients add up to 0, so with one more basic row than free
// stakes they are a null vector of that system, worked out fraction-free.
std::optional<Weights> Exact(const std::vector<BoundRow>& rows, const BoxSolution& s) {
  const std::size_t f = s.free_stakes.size(), k = s.basic_rows.size();
  if (k != f + 1) return std::nullopt;
  // [A' | -a_last]: A' the first f basic rows' columns.
  std::vector<std::vector<Big>> m(f, std::vector<Big>(f + 1));
  for (std::size_t e = 0; e < f; ++e)
    for (std::size_t j = 0; j < k; ++j) {
      const i128 a = (*rows[s.basic_rows[j]].coef)[s.free_stakes[e]];
      m[e][j] = j < f ? Big(a) : Big(-a);
    }
  Big previous = 1;
  for (std::size_t col = 0; col < f; ++col) {
    std::size_t pivot = col;
    while (pivot < f && m[pivot][col].zero()) ++pivot;
    if (pivot == f) return std::nullopt;
    std::swap(m[col], m[pivot]);
    for (std::size_t r = col + 1; r < f; ++r) {
      for (std::size_t c = col + 1; c <= f; ++c)
        m[r][c] = DivideExactly(m[col][col] * m[r][c] - m[r][col] * m[col][c], previous);
      m[r][col] = 0;
    }
    previous = m[col][col];
  }
  // y = det x for A' x = -a_last, det the last pivot (up to the swaps' sign,
  // which the common sign below absorbs).
  const Big det = f == 0 ? Big(1) : m[f - 1][f - 1];
  std::vector<Big> y(f);
  for (std::size_t i = f; i-- > 0;) {
    Big sum = det * m[i][f];
    for (std::size_t j = i + 1; j < f; ++j) sum = sum - m[i][j] * y[j];
    y[i] = DivideExactly(sum, m[i][i]);
  }
  Weights out;
  const bool flip = det.negative();
  for (std::size_t j = 0; j < k; ++j) {
    Big w = j < f ? y[j] : det;
    if (flip) w = Big(0) - w;
    if (w.negative()) return std::nullopt;
    out.emplace_back(s.basic_rows[j], w);
  }
  return out;
}

}  // namespace

Judged JudgeBox(const std::vector<BoundRow>& rows, const std::vector<std::int64_t>& lo,
                const std::vector<std::int64_t>& hi, i128 best) {
  const std::size_t n = lo.size();
  // Stakes scaled to the box and rows to their size, so the simplex's
  // figures stay near 1.
  std::vector<long double> unit(n), low(n), high(n), size;
  for (std::size_t i = 0; i < n; ++i) {
    unit[i] = static_cast<long double>(std::max<std::int64_t>(hi[i], 1));
    low[i] = static_cast<long double>(lo[i]) / unit[i];
    high[i] = static_cast<long double>(hi[i]) / unit[i];
  }
  // The objective rows share one size: the minimum over them is the
  // programme's, and scaling one alone would change it.
  const auto size_of = [&](const BoundRow& row) {
    long double s = std::fabs(static_cast<long double>(row.held));
    for (std::size_t i = 0; i < n; ++i)
      s += std::fabs(static_cast<long double>((*row.coef)[i]) * unit[i]);
    return std::max(s, 1.0L);
  };
  long double shared = 1;
  for (const BoundRow& row : rows)
    if (!row.constraint) shared = std::max(shared, size_of(row));
  LpRows lp;
  for (const BoundRow& row : rows) {
    const long double s = row.constraint ? size_of(row) : shared;
    size.push_back(s);
    lp.held.push_back(static_cast<long double>(row.held) / s);
    auto& coef = lp.coef.emplace_back(n);
    for (std::size_t i = 0; i < n; ++i)
      coef[i] = static_cast<long double>((*row.coef)[i]) * unit[i] / s;
    lp.constraint.push_back(row.constraint);
  }
  const BoxSolution s = BoxDual(lp, low, high);
  Judged out;
  out.steps = s.steps;
  if (!s.point.empty() &&
      std::all_of(s.point.begin(), s.point.end(), [](long double x) { return std::isfinite(x); }))
    for (std::size_t i = 0; i < n; ++i) out.point.push_back(s.point[i] * unit[i]);
  if (s.weights.empty()) return out;
  out.verdict = VerdictOf(rows, Rounded(s, size), lo, hi, best);
  if (out.verdict != Verdict::Worse)
    if (const auto exact = Exact(rows, s)) {
      const Verdict v = VerdictOf(rows, *exact, lo, hi, best);
      if (v != Verdict::Unknown) out.verdict = v;
    }
  return out;
}

}  // namespace stakora::plan
