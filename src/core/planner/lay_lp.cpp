#include "lay_lp.h"

#include <cmath>

namespace stakora::plan {
namespace {

using Real = long double;
using Vec = std::vector<Real>;

constexpr Real kTiny = 1e-12L;
constexpr int kMostSteps = 400;
// Past this many steps the entering column is the first that improves, which
// cannot cycle.
constexpr int kBlandAfter = 60;

// Solves m x = b in place (m square, row-major), by elimination with partial
// pivoting; false when m is singular.
bool Solve(std::vector<Vec> m, Vec& b) {
  const std::size_t k = b.size();
  for (std::size_t col = 0; col < k; ++col) {
    std::size_t pivot = col;
    for (std::size_t r = col + 1; r < k; ++r)
      if (std::fabs(m[r][col]) > std::fabs(m[pivot][col])) pivot = r;
    if (std::fabs(m[pivot][col]) < kTiny) return false;
    std::swap(m[col], m[pivot]);
    std::swap(b[col], b[pivot]);
    for (std::size_t r = col + 1; r < k; ++r) {
      const Real f = m[r][col] / m[col][col];
      if (f == 0) continue;
      for (std::size_t c = col; c < k; ++c) m[r][c] -= f * m[col][c];
      b[r] -= f * b[col];
    }
  }
  for (std::size_t col = k; col-- > 0;) {
    for (std::size_t c = col + 1; c < k; ++c) b[col] -= m[col][c] * b[c];
    b[col] /= m[col][col];
  }
  return true;
}

// The dual as a programme in standard form, d + 1 equalities:
//   min Σ w_r held_r + Σ_i (hi_i p_i - lo_i q_i)
//   Σ_r w_r coef_ri - p_i + q_i = 0 for each stake i,  Σ_r w_r = 1 over the
//   rows that are no constraints,  w, p, q >= 0.
// Columns: the rows' weights, then p, then q.
class Dual {
 public:
  Dual(const LpRows& rows, const Vec& lo, const Vec& hi)
      : rows_(rows), lo_(lo), hi_(hi), m_(rows.held.size()), d_(lo.size()) {}

  Real Cost(std::size_t j) const {
    return j < m_ ? rows_.held[j] : j < m_ + d_ ? hi_[j - m_] : -lo_[j - m_ - d_];
  }
  Vec Column(std::size_t j) const {
    Vec out(d_ + 1, 0);
    if (j < m_) {
      for (std::size_t i = 0; i < d_; ++i) out[i] = rows_.coef[j][i];
      out[d_] = rows_.constraint[j] ? 0 : 1;
    } else {
      out[j < m_ + d_ ? j - m_ : j - m_ - d_] = j < m_ + d_ ? -1 : 1;
    }
    return out;
  }
  // The reduced cost of column j against the duals y.
  Real Reduced(std::size_t j, const Vec& y) const {
    if (j >= m_) return j < m_ + d_ ? hi_[j - m_] + y[j - m_] : -lo_[j - m_ - d_] - y[j - m_ - d_];
    Real sum = rows_.constraint[j] ? 0 : y[d_];
    for (std::size_t i = 0; i < d_; ++i) sum += y[i] * rows_.coef[j][i];
    return rows_.held[j] - sum;
  }
  std::size_t columns() const { return m_ + 2 * d_; }
  std::size_t rows() const { return m_; }

 private:
  const LpRows& rows_;
  const Vec &lo_, &hi_;
  std::size_t m_, d_;
};

BoxSolution Failed(int steps) {
  BoxSolution out;
  out.steps = steps;
  return out;
}

}  // namespace

BoxSolution BoxDual(const LpRows& rows, const Vec& lo, const Vec& hi) {
  const std::size_t m = rows.held.size(), d = lo.size(), k = d + 1;
  if (m == 0) return Failed(0);
  const Dual dual(rows, lo, hi);
  // Start from the objective row whose own bound over the box is least.
  std::size_t start = m;
  Real least = 0;
  for (std::size_t r = 0; r < m; ++r) {
    if (rows.constraint[r]) continue;
    Real bound = rows.held[r];
    for (std::size_t i = 0; i < d; ++i)
      bound += std::fmax(rows.coef[r][i] * lo[i], rows.coef[r][i] * hi[i]);
    if (start == m || bound < least) start = r, least = bound;
  }
  if (start == m) return Failed(0);
  std::vector<std::size_t> basis(k);
  std::vector<bool> in_basis(dual.columns(), false);
  Vec x(k);
  for (std::size_t i = 0; i < d; ++i) {
    const Real a = rows.coef[start][i];
    basis[i] = a >= 0 ? m + i : m + d + i;
    x[i] = std::fabs(a);
  }
  basis[d] = start, x[d] = 1;
  for (std::size_t j : basis) in_basis[j] = true;

  int step = 0;
  for (; step < kMostSteps; ++step) {
    std::vector<Vec> b(k, Vec(k)), bt(k, Vec(k));
    for (std::size_t pos = 0; pos < k; ++pos) {
      const Vec col = dual.Column(basis[pos]);
      for (std::size_t r = 0; r < k; ++r) b[r][pos] = bt[pos][r] = col[r];
    }
    Vec y(k);
    for (std::size_t pos = 0; pos < k; ++pos) y[pos] = dual.Cost(basis[pos]);
    if (!Solve(bt, y)) return Failed(step);
    std::size_t enter = dual.columns();
    Real most = -kTiny;
    for (std::size_t j = 0; j < dual.columns(); ++j) {
      if (in_basis[j]) continue;
      const Real rc = dual.Reduced(j, y);
      if (rc < most) {
        enter = j, most = rc;
        if (step >= kBlandAfter) break;
      }
    }
    if (enter == dual.columns()) {
      // The duals of the stakes' equalities are the programme's point, negated.
      BoxSolution out;
      out.steps = step + 1;
      for (std::size_t pos = 0; pos < k; ++pos)
        if (basis[pos] < m && x[pos] > 0) out.weights.emplace_back(basis[pos], x[pos]);
      for (std::size_t i = 0; i < d; ++i) out.point.push_back(-y[i]);
      for (std::size_t j : basis)
        if (j < m) out.basic_rows.push_back(j);
      for (std::size_t i = 0; i < d; ++i)
        if (!in_basis[m + i] && !in_basis[m + d + i]) out.free_stakes.push_back(i);
      return out;
    }
    Vec u = dual.Column(enter);
    if (!Solve(b, u)) return Failed(step);
    std::size_t leave = k;
    Real ratio = 0;
    for (std::size_t pos = 0; pos < k; ++pos)
      if (u[pos] > kTiny) {
        const Real t = x[pos] / u[pos];
        if (leave == k || t < ratio || (t == ratio && basis[pos] < basis[leave]))
          leave = pos, ratio = t;
      }
    if (leave == k) return Failed(step);
    for (std::size_t pos = 0; pos < k; ++pos) x[pos] -= ratio * u[pos];
    x[leave] = ratio;
    in_basis[basis[leave]] = false;
    basis[leave] = enter;
    in_basis[enter] = true;
  }
  return Failed(step);
}

}  // namespace stakora::plan
