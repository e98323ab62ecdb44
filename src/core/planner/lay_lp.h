#pragma once
// Weights that bound a maximin over a box. For rows held_r + coef_r . v and
// any weights w_r >= 0 summing to 1,
//   min_r (held_r + coef_r . v) <= Σ w_r held_r + Σ_i max(c_i lo_i, c_i hi_i),
//   c = Σ w_r coef_r,
// for every v in the box [lo, hi]. The weights making that bound least are
// the linear programme's dual; a simplex in floating point finds them. Only
// where they come from is inexact: the bound itself is worked out exactly by
// whoever uses them (lay_bound.cpp), so a poor weight only prunes less.

#include <cstddef>
#include <utility>
#include <vector>

namespace stakora::plan {

// A constraint row is no part of the minimum: the box's points must keep it
// at 0 or more, and its weight is free of the others'.
struct LpRows {
  std::vector<std::vector<long double>> coef;  // per row, per stake
  std::vector<long double> held;               // per row
  std::vector<bool> constraint;                // per row
};

// The rows' weights, at most one more than the stakes, and the point of the
// box where the programme's own optimum stands; none when the simplex did
// not settle within its steps.
struct BoxSolution {
  std::vector<std::pair<std::size_t, long double>> weights;
  std::vector<long double> point;
  int steps = 0;  // the simplex's, each of them a look at every row
  // The rows among the final basis, and the stakes none of whose bounds
  // are: at the optimum their weighted coefficients add up to 0.
  std::vector<std::size_t> basic_rows, free_stakes;
};
BoxSolution BoxDual(const LpRows& rows, const std::vector<long double>& lo,
                    const std::vector<long double>& hi);

}  // namespace stakora::plan
