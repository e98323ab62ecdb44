#pragma once
// Whether a box of stakes can hold a plan better than the best so far by one
// figure (lay_box.h), proved exactly. Rows held + coef . v bound the figure
// from above at every point (objective rows), or must stay at 0 or more for a
// plan to be worth having (constraint rows). Weights w on them give, for
// every point of the box that keeps the constraint rows,
//   figure * Σ w_objective <= Σ w held + Σ_i max(c_i lo_i, c_i hi_i),
//   c = Σ w coef.
// The weights come from the box's linear programme (lay_lp.h): rounded from
// the simplex's, or, where those fall short, solved exactly on its final
// basis. Figures are whole units, so a bound below best + 1 rules out any
// better figure.

#include <cstdint>
#include <vector>

#include "exact.h"

namespace stakora::plan {

struct BoundRow {
  const std::vector<i128>* coef;
  i128 held;
  bool constraint;
};

enum class Verdict { Worse, NoBetter, Unknown };

struct Judged {
  Verdict verdict = Verdict::Unknown;
  std::vector<long double> point;  // the programme's optimum; empty when the simplex failed
  int steps = 0;                   // the simplex's, each a look at every row
};

// Worse: every point of the box keeping the constraint rows has a figure
// below `best`; NoBetter: none above it; Unknown: neither is proved.
Judged JudgeBox(const std::vector<BoundRow>& rows, const std::vector<std::int64_t>& lo,
                const std::vector<std::int64_t>& hi, i128 best);

}  // namespace stakora::plan
