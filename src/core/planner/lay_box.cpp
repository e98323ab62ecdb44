#include "lay_box.h"

#include <algorithm>
#include <cmath>
#include <compare>

#include "big.h"
#include "lay_bound.h"
#include "plan_limits.h"

namespace stakora::plan {
namespace {

using std::int64_t;
using Stakes64 = std::vector<int64_t>;

// The rates commission leaves a market's net: all of a loss, the rest of a gain.
struct Rates {
  i128 loss = kBasis, gain = kBasis;
  i128 Net(i128 n) const { return n * (n > 0 ? gain : loss); }
};

i128 Dot(const std::vector<i128>& form, const Stakes64& v) {
  i128 sum = 0;
  for (std::size_t i = 0; i < v.size(); ++i) sum += form[i] * v[i];
  return sum;
}

// The largest a form reaches over a box.
i128 MaxOver(const std::vector<i128>& form, const Stakes64& lo, const Stakes64& hi) {
  i128 sum = 0;
  for (std::size_t i = 0; i < lo.size(); ++i) sum += std::max(form[i] * lo[i], form[i] * hi[i]);
  return sum;
}

// A plan's standing, or the best any point of a box could have: the worst
// total and the extra-place one at most these, the loss and the stakes at
// least these.
struct Key {
  i128 worst = 0;
  std::optional<i128> extra;
  i128 loss = 0;
  int64_t total = 0;
};

// Which is better, key against key; equal when every figure ties.
std::strong_ordering Against(const Key& a, const Key& b) {
  if (a.worst != b.worst) return a.worst <=> b.worst;
  if (a.extra && b.extra && *a.extra != *b.extra) return *a.extra <=> *b.extra;
  if (a.loss != b.loss) return b.loss <=> a.loss;
  return b.total <=> a.total;
}

struct Box {
  Stakes64 lo, hi;
};

// A row of the narrowing: Σ coef_i v_i >= rhs, one per outcome and pair of rates.
struct Row {
  std::vector<i128> coef;
  std::size_t outcome = 0;
  bool win_gain = false, place_gain = false;  // which rate each market's net takes
};

class Searcher {
 public:
  Searcher(const LayBoxProblem& p, Search& s) : p_(p), s_(s) {
    rates_.gain = kBasis - p.commission;
    const i128 rate[2] = {kBasis, kBasis - p.commission};
    // f(N) is the least of N kBasis and N (kBasis - c): a total at a level is
    // each of the four sums at it.
    const int kinds = p.commission == 0 ? 1 : 2;
    const std::size_t n = p.least.size();
    minus_ones_.assign(n, -1);
    zeros_.assign(n, 0);
    for (std::size_t k = 0; k < p.outcomes.size(); ++k)
      for (int w = 0; w < kinds; ++w)
        for (int q = 0; q < kinds; ++q) {
          Row row{std::vector<i128>(n), k, w == 1, q == 1};
          for (std::size_t i = 0; i < n; ++i)
            row.coef[i] = rate[w] * p.outcomes[k].win[i] + rate[q] * p.outcomes[k].place[i];
          rows_.push_back(std::move(row));
        }
  }

  std::optional<LayBoxBest> Run() {
    const std::size_t n = p_.least.size();
    best_v_.assign(n, 0);
    best_ = KeyAt(Box{best_v_, best_v_});
    std::vector<Box> stack{Box{Stakes64(n, 0), p_.most}};
    while (!stack.empty()) {
      Box box = std::move(stack.back());
      stack.pop_back();
      if (!s_.Spend(static_cast<int64_t>(rows_.size() * n) + 1)) return std::nullopt;
      if (!Narrow(box)) continue;
      const Key bound = KeyAt(box);
      if (!Feasible(bound) || !CanBeat(bound)) continue;
      if (!WidestStake(box)) {
        Leaf(box.lo, bound);
        continue;
      }
      const auto point = Relaxed(box);
      if (s_.Stopped()) return std::nullopt;
      if (!point) continue;  // no point of the box beats the best so far
      TryRounded(box, *point);
      auto [first, second] = Split(box, *point);
      // The half with the better bound is taken next.
      if (Against(KeyAt(first), KeyAt(second)) > 0) std::swap(first, second);
      stack.push_back(std::move(first));
      stack.push_back(std::move(second));
    }
    LayBoxBest out{best_v_, best_.worst, best_.extra, best_.loss};
    return out;
  }

 private:
  // The key at the box's best corner for each outcome: at a point, its own.
  Key KeyAt(const Box& b) const {
    Key key;
    bool first = true;
    for (const LayOutcome& o : p_.outcomes) {
      const i128 most_new =
          rates_.Net(MaxOver(o.win, b.lo, b.hi)) + rates_.Net(MaxOver(o.place, b.lo, b.hi));
      const i128 total = o.held + most_new;
      key.worst = first ? total : std::min(key.worst, total);
      first = false;
      if (o.extra_held)
        key.extra =
            key.extra ? std::min(*key.extra, *o.extra_held + most_new) : *o.extra_held + most_new;
      key.loss = std::max(key.loss, -most_new);
    }
    for (int64_t v : b.lo) key.total += v;
    return key;
  }

  // Whether a box whose best is `bound` holds stakes within the caps: its
  // least stakes, and its least loss.
  bool Feasible(const Key& bound) const {
    return bound.total <= p_.most_total && (!p_.most_loss || bound.loss <= *p_.most_loss);
  }

  // Whether a point of a box whose best is `bound` may beat the best so far;
  // a full tie may, as the order of stakes breaks it.
  bool CanBeat(const Key& bound) const { return Against(bound, best_) >= 0; }

  void Leaf(const Stakes64& v, const Key& key) {
    const auto order = Against(key, best_);
    if (order > 0 || (order == 0 && v < best_v_)) best_ = key, best_v_ = v;
  }

  // What each outcome's new money must reach in every point that may beat
  // the best so far: the worst total's level, the extra-place level once no
  // point of the box can pass the worst, the loss so far once neither can be
  // passed, and the cap on the loss.
  std::vector<i128> Needs(const Key& bound) const {
    std::vector<i128> need(p_.outcomes.size());
    const bool worst_tied = bound.worst <= best_.worst;
    const bool extra_tied = worst_tied && (!bound.extra || *bound.extra <= *best_.extra);
    for (std::size_t k = 0; k < need.size(); ++k) {
      const LayOutcome& o = p_.outcomes[k];
      need[k] = best_.worst - o.held;
      if (worst_tied && o.extra_held) need[k] = std::max(need[k], *best_.extra - *o.extra_held);
      if (extra_tied) need[k] = std::max(need[k], -best_.loss);
      if (p_.most_loss) need[k] = std::max(need[k], -*p_.most_loss);
    }
    return need;
  }

  // Narrows the box by every row and the cap on the stakes until it settles;
  // false when it empties.
  bool Narrow(Box& b) {
    const std::size_t n = b.lo.size();
    const auto need = Needs(KeyAt(b));
    std::vector<Signs> signs(p_.outcomes.size());
    for (int round = 0; round < kRounds; ++round) {
      bool changed = false;
      for (std::size_t k = 0; k < signs.size(); ++k) signs[k] = SignsOver(p_.outcomes[k], b);
      for (const Row& row : rows_) {
        if (Slack(row, signs[row.outcome])) continue;
        const i128 most = MaxOver(row.coef, b.lo, b.hi);
        const i128 rhs = need[row.outcome];
        if (most < rhs) return false;
        for (std::size_t i = 0; i < n; ++i) {
          const i128 c = row.coef[i];
          if (c == 0 || b.lo[i] == b.hi[i]) continue;
          const i128 t = rhs - (most - std::max(c * b.lo[i], c * b.hi[i]));
          if (c > 0) {
            const i128 lo = CeilDiv(t, c);
            if (lo > b.lo[i])
              b.lo[i] = static_cast<int64_t>(std::min<i128>(lo, b.hi[i] + 1)), changed = true;
          } else {
            const i128 hi = FloorDiv(-t, -c);
            if (hi < b.hi[i])
              b.hi[i] = static_cast<int64_t>(std::max<i128>(hi, b.lo[i] - 1)), changed = true;
          }
          if (!Snap(b, i)) return false;
        }
      }
      int64_t total = 0;
      for (int64_t v : b.lo) total += v;
      for (std::size_t i = 0; i < n; ++i) {
        const int64_t room = p_.most_total - (total - b.lo[i]);
        if (room < b.hi[i]) b.hi[i] = std::max(room, b.lo[i] - 1), changed = true;
        if (!Snap(b, i)) return false;
      }
      if (!s_.Spend(static_cast<int64_t>(rows_.size() * n))) return false;
      if (!changed) break;
    }
    return true;
  }

  // Whether each market's net can be below 0 and above 0 over a box.
  struct Signs {
    bool win_loss, win_gain, place_loss, place_gain;
  };
  static Signs SignsOver(const LayOutcome& o, const Box& b) {
    const auto min_of = [&](const std::vector<i128>& form) {
      i128 sum = 0;
      for (std::size_t i = 0; i < b.lo.size(); ++i)
        sum += std::min(form[i] * b.lo[i], form[i] * b.hi[i]);
      return sum;
    };
    return {min_of(o.win) < 0, MaxOver(o.win, b.lo, b.hi) > 0, min_of(o.place) < 0,
            MaxOver(o.place, b.lo, b.hi) > 0};
  }
  // A row whose rate a market's net cannot take over the box is implied by
  // the row with the other rate: f takes the lesser of the two. Without
  // commission one row stands for both rates, and is never slack.
  bool Slack(const Row& row, const Signs& s) const {
    if (p_.commission == 0) return false;
    return (row.win_gain ? !s.win_gain : !s.win_loss && s.win_gain) ||
           (row.place_gain ? !s.place_gain : !s.place_loss && s.place_gain);
  }

  // The optimum of the box's linear programme for the first figure it may
  // pass (stakes of any size, within the caps), or none when they prove that no
  // point of the box beats the best plan so far: figure by figure, a box
  // that cannot pass the best's figure is judged on the next, among its
  // points that keep the figures before. Past every figure only a stake
  // order before the best's can still win. Where a simplex fails, the box's
  // middle stands in for the optimum.
  std::optional<std::vector<long double>> Relaxed(const Box& b) const {
    const std::size_t n = b.lo.size();
    std::vector<BoundRow> worst, extra, gain{{&zeros_, 0, false}}, caps, kept;
    std::vector<Signs> signs;
    for (const LayOutcome& o : p_.outcomes) signs.push_back(SignsOver(o, b));
    for (const Row& row : rows_) {
      if (Slack(row, signs[row.outcome])) continue;
      const LayOutcome& o = p_.outcomes[row.outcome];
      worst.push_back({&row.coef, o.held, false});
      if (o.extra_held) extra.push_back({&row.coef, *o.extra_held, false});
      gain.push_back({&row.coef, 0, false});
      if (p_.most_loss) caps.push_back({&row.coef, *p_.most_loss, true});
    }
    caps.push_back({&minus_ones_, p_.most_total, true});
    const std::vector<BoundRow> thrift{{&minus_ones_, 0, false}};
    const std::pair<const std::vector<BoundRow>*, std::optional<i128>> figures[] = {
        {&worst, best_.worst},
        {&extra, best_.extra},
        {&gain, -best_.loss},
        {&thrift, -best_.total}};
    std::vector<long double> point;
    for (const auto& [rows, figure] : figures) {
      if (!figure || rows->empty()) continue;  // no extra place in the race
      std::vector<BoundRow> judged = *rows;
      judged.insert(judged.end(), caps.begin(), caps.end());
      judged.insert(judged.end(), kept.begin(), kept.end());
      const Judged j = JudgeBox(judged, b.lo, b.hi, *figure);
      s_.Spend(static_cast<int64_t>(judged.size() * (n + 1)) * (j.steps + 1));
      // The programme that leaves the box open says where to split it.
      if (!j.point.empty()) point = j.point;
      if (j.verdict == Verdict::Worse) return std::nullopt;
      if (j.verdict == Verdict::Unknown) return Middle(b, point);
      // No point passes this figure: those that keep it are judged on the next.
      for (const BoundRow& row : *rows) kept.push_back({row.coef, row.held - *figure, true});
    }
    if (!(b.lo < best_v_)) return std::nullopt;
    return Middle(b, point);
  }

  std::vector<long double> Middle(const Box& b, std::vector<long double> point) const {
    if (point.empty())
      for (std::size_t i = 0; i < b.lo.size(); ++i)
        point.push_back((static_cast<long double>(b.lo[i]) + b.hi[i]) / 2);
    return point;
  }

  // The relaxed optimum rounded to stakes the box allows: a good plan early
  // lets the bounds rule out more.
  void TryRounded(const Box& b, const std::vector<long double>& point) {
    Stakes64 v(b.lo.size());
    for (std::size_t i = 0; i < v.size(); ++i) {
      const auto near = static_cast<int64_t>(std::llround(std::clamp<long double>(
          point[i], static_cast<long double>(b.lo[i]), static_cast<long double>(b.hi[i]))));
      // Below the least, the nearer of 0 and the least, where the box has it.
      const int64_t least = std::max<int64_t>(p_.least[i], 1);
      // A narrowed box holds 0 or stakes from the least, so the clamp keeps one.
      v[i] = near > 0 && near < least ? (2 * near < least && b.lo[i] == 0 ? 0 : least) : near;
      v[i] = std::clamp(v[i], b.lo[i], b.hi[i]);
    }
    const Key key = KeyAt(Box{v, v});
    if (Feasible(key)) Leaf(v, key);
  }

  // A stake is 0 or at least its least: bounds between the two move out.
  bool Snap(Box& b, std::size_t i) const {
    const int64_t least = std::max<int64_t>(p_.least[i], 1);
    if (b.lo[i] > 0 && b.lo[i] < least) b.lo[i] = least;
    if (b.hi[i] > 0 && b.hi[i] < least) b.hi[i] = 0;
    return b.lo[i] <= b.hi[i];
  }

  std::optional<std::size_t> WidestStake(const Box& b) const {
    std::optional<std::size_t> widest;
    for (std::size_t i = 0; i < b.lo.size(); ++i)
      if (b.hi[i] > b.lo[i] && (!widest || b.hi[i] - b.lo[i] > b.hi[*widest] - b.lo[*widest]))
        widest = i;
    return widest;
  }

  // Two halves of the box: nothing against a stake; else at the relaxed
  // optimum along the stake where it is farthest from a whole step; else in
  // the middle of the widest stake.
  std::pair<Box, Box> Split(const Box& b, const std::vector<long double>& point) const {
    std::size_t at = *WidestStake(b);
    int64_t cut = b.lo[at] + (b.hi[at] - b.lo[at]) / 2;
    long double farthest = 0.01L;
    for (std::size_t i = 0; i < b.lo.size(); ++i) {
      const long double x = point[i];
      if (b.lo[i] == b.hi[i] || x < b.lo[i] || x >= b.hi[i]) continue;
      const long double off = std::fabs(x - std::floor(x) - 0.5L);
      if (0.5L - off > farthest)
        farthest = 0.5L - off, at = i, cut = static_cast<int64_t>(std::floor(x));
    }
    Box low = b, high = b;
    if (b.lo[at] == 0 && p_.least[at] > 1) {
      low.hi[at] = 0;
      high.lo[at] = p_.least[at];
    } else {
      low.hi[at] = cut;
      high.lo[at] = cut + 1;
    }
    return {std::move(low), std::move(high)};
  }

  static constexpr int kRounds = 24;
  const LayBoxProblem& p_;
  Search& s_;
  Rates rates_;
  std::vector<Row> rows_;
  std::vector<i128> minus_ones_;  // the cap on the stakes: most_total - Σ v
  std::vector<i128> zeros_;       // a loss is never below 0
  Key best_;
  Stakes64 best_v_;
};

}  // namespace

i128 NewOf(const LayBoxProblem& p, const LayOutcome& o, const std::vector<std::int64_t>& v) {
  const Rates rates{kBasis, kBasis - p.commission};
  return rates.Net(Dot(o.win, v)) + rates.Net(Dot(o.place, v));
}

std::optional<LayBoxBest> BestLayBox(const LayBoxProblem& p, Search& s) {
  return Searcher(p, s).Run();
}

}  // namespace stakora::plan
