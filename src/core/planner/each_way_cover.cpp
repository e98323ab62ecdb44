#include "each_way_cover.h"

#include <algorithm>
#include <numeric>
#include <queue>
#include <utility>

namespace stakora::plan {
namespace {

using std::int64_t;

// What a search makes as large as it can: the floor λ under the h of the
// runners marked (none marked: the place returns' part alone), while each W
// given a figure reaches it.
struct Goal {
  std::vector<bool> maximised;
  std::vector<std::optional<i128>> least;
  bool Pooled() const {
    return std::none_of(maximised.begin(), maximised.end(), [](bool m) { return m; });
  }
  bool Bound() const {
    return std::any_of(least.begin(), least.end(), [](const auto& l) { return l.has_value(); });
  }
};

// t as it stands for a box of them: the h of its least t, the place returns
// capped at its most, the term (n - 1 - m) t of its least. One t: all three.
struct Ts {
  i128 req = 0, cap = 0, lin = 0;
  static Ts At(i128 t) { return {t, t, t}; }
};

// A point's stakes and what they are worth to the goal: λ + U - (n - 1 - m) t,
// or U - (n - 1 - m) t alone; at most what the stakes themselves reach.
struct State {
  i128 value = 0;
  Stakes stakes;
};

// Steps of one worth to U: whole ones of P, then the part below the cap.
struct Steps {
  i128 worth = 0;
  int64_t count = 0;
  std::size_t runner = 0;
};

class Cover {
 public:
  Cover(const CoverProblem& p, int64_t total, Search& s)
      : p_(p),
        n_(p.runners.size()),
        total_(total),
        s_(s),
        rest_(static_cast<i128>(n_) - 1 - p.forced) {}

  // The best state for the goal, the incumbent unless a state beats it;
  // nullopt when the search was stopped, empty when no state is feasible.
  // Over a span [t1, t2] of t the goal is worth at most its best at t1 plus
  // slope (t2 - t1): as t rises by one, W_i rises by at most m (its rivals
  // above t, less the n - 1 - m others) and the place returns' part alone by
  // at most m + 1. For that best the figures W must reach are lowered by
  // m (t2 - t1), as W at t1 is at most that short of W at t.
  std::optional<std::optional<State>> Best(const Goal& g, std::optional<State> incumbent) {
    std::optional<State> best = std::move(incumbent);
    const auto beats = [&](i128 v) { return !best || v > best->value; };
    const i128 m = p_.forced, slope = g.Pooled() ? m + 1 : m;
    struct Span {
      i128 bound, t1, t2;
      std::optional<i128> at_t1;  // the goal's best at t1, when it stands for the whole span
      bool operator<(const Span& o) const { return bound < o.bound; }
    };
    std::priority_queue<Span> open;
    const auto look = [&](i128 t1, i128 t2, std::optional<i128> at_t1) -> bool {
      const i128 width = t2 - t1;
      if (!at_t1) {
        Goal loose = g;
        for (auto& least : loose.least)
          if (least) *least -= m * width;
        const auto floor = best ? std::optional(best->value - slope * width) : std::nullopt;
        const auto inner = Inner(Ts::At(t1), loose, floor);
        if (!inner) return false;
        if (!*inner) return true;  // nothing in the span beats the best
        // With no figure lowered the state at t1 is one the goal allows.
        if ((width == 0 || !g.Bound()) && beats((*inner)->value)) best = **inner;
        at_t1 = (*inner)->value;
      }
      if (width > 0 && beats(*at_t1 + slope * width))
        open.push({*at_t1 + slope * width, t1, t2, g.Bound() ? std::nullopt : at_t1});
      return true;
    };
    const auto top = CapDown(static_cast<i128>(total_) * MostPlace());
    if (!look(0, top.value_or(0), std::nullopt)) return std::nullopt;
    while (!open.empty()) {
      const Span span = open.top();
      open.pop();
      if (!beats(span.bound)) break;
      const i128 a = *CapDown(span.t1 + (span.t2 - span.t1) / 2), b = PlaceUp(a + 1);
      if (!look(span.t1, a, span.at_t1) || !look(b, span.t2, std::nullopt)) return std::nullopt;
    }
    return best;
  }

  // The least total one point (t, λ) allows for a profit: from its least
  // stakes, steps to the place returns while each adds more than the 2 of
  // the outlay, until λ + U - (n - 1 - m) t reaches 2T + target. nullopt when
  // none does; a box's bound when t and λ are loosened.
  std::optional<int64_t> LeastTotal(const Ts& t, i128 floor, i128 floor_top, i128 target) {
    if (!Spend(1)) return std::nullopt;
    Stakes st(n_);
    int64_t used = 0;
    for (std::size_t j = 0; j < n_; ++j) {
      st[j] = LeastStake(j, floor, t.req);
      used += st[j];
      if (used > s_.most) return std::nullopt;
    }
    i128 u = 0;
    for (std::size_t j = 0; j < n_; ++j) u += Pool(j, st[j], t.cap);
    const i128 outlay = 2 * p_.scale;
    i128 short_by = target + rest_ * t.lin - floor_top - (u - outlay * used);
    if (short_by <= 0) return used;
    for (const Steps& step : Offered(st, t.cap)) {
      const i128 gain = step.worth - outlay;
      if (gain <= 0) break;
      const i128 need = CeilDiv(short_by, gain);
      if (need <= step.count) {
        used += To64(need);
        return used <= s_.most ? std::optional(used) : std::nullopt;
      }
      used += step.count;
      short_by -= gain * step.count;
      if (used > s_.most) return std::nullopt;
    }
    return std::nullopt;
  }

  // The least of LeastTotal over every t and λ: branch and bound over spans
  // of t, each needing at least the least total with t loosened over it.
  std::optional<int64_t> LeastOverAll(i128 target) {
    std::optional<int64_t> best;
    using Span = std::pair<int64_t, std::pair<i128, i128>>;  // bound, [t1, t2]
    std::priority_queue<Span, std::vector<Span>, std::greater<>> open;
    const auto look = [&](i128 t1, i128 t2) {
      const auto least = LeastOverFloors(Ts{t1, t2, t1}, target, best);
      if (!least) return;
      if (t1 == t2)
        best = least;
      else
        open.push({*least, {t1, t2}});
    };
    const auto top = CapDown(static_cast<i128>(total_) * MostPlace());
    look(0, top.value_or(0));
    while (!open.empty() && !Stopped()) {
      const auto [bound, span] = open.top();
      open.pop();
      if (best && bound >= *best) break;
      const auto [t1, t2] = span;
      const i128 a = *CapDown(t1 + (t2 - t1) / 2), b = PlaceUp(a + 1);
      look(t1, a);
      look(b, t2);
    }
    return best;
  }

  bool Stopped() const { return s_.Stopped(); }

  Goal Everyone() const {
    Goal g;
    for (const CoverRunner& r : p_.runners) g.maximised.push_back(!r.saver);
    g.least.assign(n_, std::nullopt);
    return g;
  }

 private:
  // Passes over the runners; false once the search must end.
  // A pass costs about as much as 32 looks however few the runners.
  bool Spend(int64_t passes) {
    return s_.Spend(passes * std::max<int64_t>(32, static_cast<int64_t>(n_)));
  }

  i128 MostPlace() const {
    i128 most = 0;
    for (const CoverRunner& r : p_.runners) most = std::max(most, r.place);
    return most;
  }

  i128 H(std::size_t j, i128 x, i128 t) const {
    const CoverRunner& r = p_.runners[j];
    return x * r.win - std::min(x * r.place, t);
  }
  i128 Pool(std::size_t j, i128 x, i128 cap) const {
    return std::min(x * p_.runners[j].place, cap);
  }

  // The least stake, at least the minimum, whose h reaches `floor`; past the
  // total when only a stake beyond it would.
  int64_t LeastStake(std::size_t j, i128 floor, i128 t) const {
    const CoverRunner& r = p_.runners[j];
    const i128 beyond = static_cast<i128>(total_) + 1;
    if (H(j, p_.min, t) >= floor) return p_.min;
    // Below the cap h grows by E - P a step, above it by E.
    i128 x = CeilDiv(floor, r.win - r.place);
    if (x * r.place > t) x = std::max(CeilDiv(floor + t, r.win), CeilDiv(t, r.place));
    return To64(std::min(std::max<i128>(x, p_.min), beyond));
  }

  // The steps the stakes leave to raise U, the most worth first.
  std::vector<Steps> Offered(const Stakes& st, i128 cap) const {
    std::vector<Steps> out;
    for (std::size_t j = 0; j < n_; ++j) {
      const i128 place = p_.runners[j].place, has = st[j] * place;
      if (has >= cap) continue;
      const i128 whole = (cap - has) / place, part = cap - has - whole * place;
      const int64_t room = total_ - st[j];
      if (whole > 0) out.push_back({place, To64(std::min<i128>(whole, room)), j});
      if (part > 0) out.push_back({part, 1, j});
    }
    std::sort(out.begin(), out.end(),
              [](const Steps& a, const Steps& b) { return a.worth > b.worth; });
    return out;
  }

  // The stakes of one point: each runner at the least stake its floor asks,
  // then the steps left to the largest place returns below the cap, and any
  // still left to the lowest h of the runners maximised. A runner whose W must
  // reach a figure asks for h >= figure + (n - 1 - m) t - U, which the U of
  // those very stakes settles: from the U the others alone give, down to the
  // largest U the stakes give back.
  std::optional<State> Eval(const Ts& t, std::optional<i128> floor, const Goal& g) {
    const i128 c = rest_ * t.lin;
    std::optional<i128> guess;
    for (;;) {
      if (!Spend(1)) return std::nullopt;
      State out;
      out.stakes.assign(n_, 0);
      int64_t used = 0;
      for (std::size_t j = 0; j < n_; ++j) {
        std::optional<i128> need;
        if (g.maximised[j]) need = floor;
        if (g.least[j] && guess) {
          const i128 w = *g.least[j] + c - *guess;
          need = need ? std::max(*need, w) : w;
        }
        out.stakes[j] = need ? LeastStake(j, *need, t.req) : p_.min;
        used += out.stakes[j];
        if (used > total_) return std::nullopt;
      }
      int64_t left = total_ - used;
      i128 u = 0;
      for (std::size_t j = 0; j < n_; ++j) u += Pool(j, out.stakes[j], t.cap);
      for (const Steps& step : Offered(out.stakes, t.cap)) {
        const int64_t k = std::min(left, step.count);
        out.stakes[step.runner] += k;
        u += step.worth * k;
        left -= k;
      }
      if (g.Bound() && (!guess || u < *guess)) {
        guess = u;
        continue;
      }
      if (left > 0) out.stakes[Lowest(out.stakes, t.req, g)] += left;
      out.value = (floor ? *floor : 0) + u - c;
      return out;
    }
  }

  std::size_t Lowest(const Stakes& st, i128 t, const Goal& g) const {
    std::optional<std::size_t> low;
    for (std::size_t j = 0; j < n_; ++j)
      if ((g.maximised[j] || g.Pooled()) && (!low || H(j, st[j], t) < H(*low, st[*low], t)))
        low = j;
    return *low;
  }

  // The best over λ at one t (or box of them), above `floor_value` if given:
  // nullopt when stopped, an empty state when nothing is above it.
  std::optional<std::optional<State>> Inner(const Ts& t, const Goal& g,
                                            std::optional<i128> floor_value) {
    std::optional<State> best;
    const auto above = [&](i128 v) {
      return (!floor_value || v > *floor_value) && (!best || v > best->value);
    };
    if (g.Pooled()) {
      auto state = Eval(t, std::nullopt, g);
      if (Stopped()) return std::nullopt;
      if (state && above(state->value)) best = std::move(state);
      return best;
    }
    // A box [l1, l2] of floors: its states are at most the value at l1 with
    // l1 swapped for l2, as a lower floor asks less.
    struct Box {
      i128 bound, l1, l2;
      std::optional<State> leaf;  // the state of a single floor, kept
      bool operator<(const Box& o) const { return bound < o.bound; }
    };
    std::priority_queue<Box> open;
    const auto look = [&](i128 l1, i128 l2) {
      auto state = Eval(t, l1, g);
      if (!state) return;
      const i128 bound = state->value - l1 + l2;
      if (!above(bound)) return;
      if (l1 < l2) state.reset();
      open.push({bound, l1, l2, std::move(state)});
    };
    const auto [lo, hi] = FloorRange(g, t.req);
    look(lo, hi);
    while (!open.empty() && !Stopped()) {
      Box box = open.top();
      open.pop();
      if (!above(box.bound)) break;
      if (box.leaf) {
        best = std::move(box.leaf);
        continue;
      }
      const i128 a = FloorDown(g, t.req, box.l1 + (box.l2 - box.l1) / 2, box.l1),
                 b = FloorUp(g, t.req, a + 1);
      look(box.l1, a);
      if (b <= box.l2) look(b, box.l2);
    }
    if (Stopped()) return std::nullopt;
    return best;
  }

  // The least LeastTotal over λ at one t (or span of them) below `below`.
  std::optional<int64_t> LeastOverFloors(const Ts& t, i128 target, std::optional<int64_t> below) {
    const Goal all = Everyone();
    std::optional<int64_t> best = below;
    bool found = false;
    using Box = std::pair<int64_t, std::pair<i128, i128>>;
    std::priority_queue<Box, std::vector<Box>, std::greater<>> open;
    const auto look = [&](i128 l1, i128 l2) {
      const auto least = LeastTotal(t, l1, l2, target);
      if (least && (!best || *least < *best)) open.push({*least, {l1, l2}});
    };
    const auto [lo, hi] = FloorRange(all, t.req);
    look(lo, hi);
    while (!open.empty() && !Stopped()) {
      const auto [bound, box] = open.top();
      open.pop();
      if (best && bound >= *best) break;
      const auto [l1, l2] = box;
      if (l1 == l2) {
        best = bound, found = true;
        continue;
      }
      const i128 a = FloorDown(all, t.req, l1 + (l2 - l1) / 2, l1), b = FloorUp(all, t.req, a + 1);
      look(l1, a);
      if (b <= l2) look(b, l2);
    }
    if (!found) return std::nullopt;
    return best;
  }

  // The floors worth a look at t: from the least h the maximised runners have
  // at the minimum stake to the most they reach with the whole total.
  std::pair<i128, i128> FloorRange(const Goal& g, i128 t) const {
    std::optional<i128> lo, hi;
    for (std::size_t j = 0; j < n_; ++j)
      if (g.maximised[j]) {
        const i128 at_min = H(j, p_.min, t), at_all = H(j, total_, t);
        lo = lo ? std::min(*lo, at_min) : at_min;
        hi = hi ? std::max(*hi, at_all) : at_all;
      }
    return {lo.value_or(0), hi.value_or(0)};
  }

  // The least value h takes at or above `floor`, and the most at or below it
  // (`fallback` when none): a state's floor is always such a value.
  i128 FloorUp(const Goal& g, i128 t, i128 floor) const {
    std::optional<i128> up;
    for (std::size_t j = 0; j < n_; ++j) {
      if (!g.maximised[j]) continue;
      const int64_t x = LeastStake(j, floor, t);
      if (x > total_) continue;
      up = up ? std::min(*up, H(j, x, t)) : H(j, x, t);
    }
    return up.value_or(floor + 1);
  }
  i128 FloorDown(const Goal& g, i128 t, i128 floor, i128 fallback) const {
    std::optional<i128> down;
    for (std::size_t j = 0; j < n_; ++j) {
      if (!g.maximised[j]) continue;
      const i128 x = std::min<i128>(LeastStake(j, floor + 1, t) - 1, total_);
      if (x < p_.min) continue;
      down = down ? std::max(*down, H(j, x, t)) : H(j, x, t);
    }
    return std::max(down.value_or(fallback), fallback);
  }

  // The least place return above t (t > 0 is never one), the most at or below.
  i128 PlaceUp(i128 t) const {
    std::optional<i128> up;
    for (const CoverRunner& r : p_.runners) {
      const i128 x = CeilDiv(t, r.place);
      if (x <= total_) up = up ? std::min(*up, x * r.place) : x * r.place;
    }
    return up.value_or(t);
  }
  std::optional<i128> CapDown(i128 t) const {
    std::optional<i128> down;
    for (const CoverRunner& r : p_.runners) {
      const i128 x = std::min<i128>(FloorDiv(t, r.place), total_);
      if (x >= 0) down = down ? std::max(*down, x * r.place) : x * r.place;
    }
    return down;
  }

  const CoverProblem& p_;
  std::size_t n_;
  int64_t total_;
  Search& s_;
  i128 rest_;  // n - 1 - m: the runners a winner's rival does not place with
};

// The runners in rising order of their place returns, with the m smallest
// summed and the (m + 1)-th: every worst finish is made of them.
struct Ranked {
  std::vector<std::size_t> order;
  i128 bottom = 0, next = 0;
};

Ranked Rank(const CoverProblem& p, const Stakes& s) {
  Ranked r;
  r.order.resize(s.size());
  std::iota(r.order.begin(), r.order.end(), std::size_t{0});
  const auto place = [&](std::size_t j) { return s[j] * p.runners[j].place; };
  std::sort(r.order.begin(), r.order.end(),
            [&](std::size_t a, std::size_t b) { return place(a) < place(b); });
  const std::size_t m = static_cast<std::size_t>(p.forced);
  for (std::size_t k = 0; k < m; ++k) r.bottom += place(r.order[k]);
  r.next = place(r.order[m]);
  return r;
}

// W_i: one of the m smallest has the next in its place among its rivals'.
std::vector<i128> Wins(const CoverProblem& p, const Stakes& s, const Ranked& r) {
  std::vector<i128> w(s.size());
  for (std::size_t k = 0; k < s.size(); ++k) {
    const std::size_t i = r.order[k], m = static_cast<std::size_t>(p.forced);
    w[i] = s[i] * p.runners[i].win +
           (k < m ? r.bottom - s[i] * p.runners[i].place + r.next : r.bottom);
  }
  return w;
}

}  // namespace

CoverReturns ReturnsOf(const CoverProblem& p, const Stakes& s) {
  const Ranked ranked = Rank(p, s);
  CoverReturns out{Wins(p, s, ranked), std::vector<i128>(s.size())};
  const std::size_t n = s.size();
  const auto placed = [&](std::size_t j) { return s[j] * p.runners[j].place; };
  if (p.outsider_can_win) {
    // An outsider wins; i places with its rivals' m smallest.
    for (std::size_t i = 0; i < n; ++i)
      out.place[i] = out.win[i] - s[i] * (p.runners[i].win - p.runners[i].place);
    return out;
  }
  // A rival j wins; i places with the m - 1 smallest of the rest.
  const std::size_t others = static_cast<std::size_t>(p.forced) - 1;
  for (std::size_t i = 0; i < n; ++i) {
    std::optional<i128> worst;
    for (std::size_t j = 0; j < n; ++j) {
      if (j == i) continue;
      i128 sum = s[j] * p.runners[j].win;
      std::size_t taken = 0;
      for (std::size_t k = 0; k < n && taken < others; ++k)
        if (ranked.order[k] != i && ranked.order[k] != j) sum += placed(ranked.order[k]), ++taken;
      worst = worst ? std::min(*worst, sum) : sum;
    }
    out.place[i] = placed(i) + worst.value_or(0);
  }
  return out;
}

std::optional<Stakes> BestCoveredStakes(const CoverProblem& p, int64_t total, Search& s) {
  const std::size_t n = p.runners.size();
  if (p.min * static_cast<int64_t>(n) > total) return Stakes{};
  Cover cover(p, total, s);
  Goal goal = cover.Everyone();
  for (std::size_t j = 0; j < n; ++j)
    if (p.runners[j].saver) goal.least[j] = 2 * static_cast<i128>(total) * p.scale;
  const auto primary = cover.Best(goal, std::nullopt);
  if (!primary) return std::nullopt;
  if (!*primary) return Stakes{};
  Stakes best = (*primary)->stakes;
  const Ranked ranked = Rank(p, best);
  const std::vector<i128> w = Wins(p, best, ranked);
  std::optional<i128> worst;
  for (std::size_t j = 0; j < n; ++j)
    if (!p.runners[j].saver) worst = worst ? std::min(*worst, w[j]) : w[j];

  // Among the stakes that keep it, the best worst place outcome.
  Goal second;
  second.least = goal.least;
  for (std::size_t j = 0; j < n; ++j)
    if (!p.runners[j].saver) second.least[j] = worst;
  State kept{0, best};
  if (p.outsider_can_win) {
    second.maximised.assign(n, false);
    kept.value = ranked.bottom + ranked.next;  // the m + 1 smallest place returns
  } else {
    const bool savers = std::any_of(p.runners.begin(), p.runners.end(),
                                    [](const CoverRunner& r) { return r.saver; });
    if (!savers) return best;  // every outcome is a win of the plan's: no more to gain
    second.maximised.assign(n, true);
    kept.value = *std::min_element(w.begin(), w.end());
  }
  const auto secondary = cover.Best(second, kept);
  if (!secondary) return std::nullopt;
  return (*secondary)->stakes;
}

std::optional<int64_t> LeastCoveredTotal(const CoverProblem& p, i128 target, Search& s) {
  Cover cover(p, s.most, s);
  const auto least = cover.LeastOverAll(target);
  if (cover.Stopped()) return std::nullopt;
  if (!least) {
    s.why = Stop::BeyondMost;
    return std::nullopt;
  }
  return least;
}

}  // namespace stakora::plan
