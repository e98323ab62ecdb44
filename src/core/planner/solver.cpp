#include "solver.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <queue>

namespace stakora::plan {
namespace {

using std::int64_t;

// k_i * O_i < k_j * O_j, exactly.
bool ReturnLess(const std::vector<Odds>& o, int64_t ki, std::size_t i, int64_t kj, std::size_t j) {
  return static_cast<i128>(ki) * o[i].a * o[j].b < static_cast<i128>(kj) * o[j].a * o[i].b;
}

// A heap of runner indexes ordered by a key the caller recomputes after each change.
template <typename Before>
class Heap {
 public:
  explicit Heap(Before before) : q_(before) {}
  void Push(std::size_t i) { q_.push(i); }
  bool Empty() const { return q_.empty(); }
  std::size_t Pop() {
    const std::size_t i = q_.top();
    q_.pop();
    return i;
  }

 private:
  std::priority_queue<std::size_t, std::vector<std::size_t>, Before> q_;
};

int64_t Sum(const Stakes& s) {
  return std::accumulate(s.begin(), s.end(), int64_t{0});
}

// Σ 1/O_j, as a first guess only.
long double RoughBook(const std::vector<Odds>& o) {
  long double book = 0;
  for (const Odds& x : o) book += 1 / x.value();
  return book;
}

int64_t ToSteps(long double x, int64_t at_least) {
  if (!(x > static_cast<long double>(at_least))) return at_least;
  if (x > 9e15L) return 9'000'000'000'000'000;
  return static_cast<int64_t>(x);
}

// The level L (a return, in steps) at which Σ max(min, L / O_j) over the
// runners in `who` reaches `room`: above every level the exact search can reach.
long double LevelFor(const std::vector<Odds>& o, const std::vector<std::size_t>& who, int64_t min,
                     int64_t room) {
  std::vector<long double> at;  // the level from which runner j needs more than the minimum
  for (std::size_t j : who) at.push_back(static_cast<long double>(min) * o[j].value());
  std::vector<std::size_t> order(who.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(),
            [&](std::size_t x, std::size_t y) { return at[x] < at[y]; });
  long double inverse_sum = 0;
  for (std::size_t i = 0; i < order.size(); ++i) {
    inverse_sum += 1 / o[who[order[i]]].value();
    const long double fixed =
        static_cast<long double>(min) * static_cast<long double>(order.size() - i - 1);
    const long double level = (static_cast<long double>(room) - fixed) / inverse_sum;
    if (i + 1 == order.size() || level <= at[order[i + 1]]) return std::max(level, at[order[0]]);
  }
  return 0;
}

}  // namespace

Stakes BackStakes(const std::vector<Odds>& o, const std::vector<bool>& saver, int64_t min,
                  int64_t total) {
  const std::size_t n = o.size();
  Stakes k(n, min);
  std::vector<std::size_t> others;
  int64_t room = total;
  for (std::size_t j = 0; j < n; ++j) {
    if (saver[j]) {
      // Break even: k * a / b >= total.
      k[j] = std::max<int64_t>(
          min, static_cast<int64_t>(CeilDiv(static_cast<i128>(total) * o[j].b, o[j].a)));
      room -= k[j];
    } else {
      others.push_back(j);
    }
  }
  if (others.empty() || room < min * static_cast<int64_t>(others.size())) return {};

  // Start at or above the stakes the best level needs, then give back the
  // steps whose loss costs least; or, short of the total, add to the weakest.
  const long double level = LevelFor(o, others, min, room);
  for (std::size_t j : others) k[j] = ToSteps(std::ceil(level / o[j].value()) + 2, min);
  int64_t sum = 0;
  for (std::size_t j : others) sum += k[j];

  auto after_giving_back_less = [&](std::size_t i, std::size_t j) {
    return ReturnLess(o, k[i] - 1, i, k[j] - 1, j);
  };
  Heap<decltype(after_giving_back_less)> richest(after_giving_back_less);
  for (std::size_t j : others)
    if (k[j] > min) richest.Push(j);
  while (sum > room) {
    const std::size_t j = richest.Pop();
    --k[j], --sum;
    if (k[j] > min) richest.Push(j);
  }
  auto returns_more = [&](std::size_t i, std::size_t j) { return ReturnLess(o, k[j], j, k[i], i); };
  Heap<decltype(returns_more)> weakest(returns_more);
  for (std::size_t j : others) weakest.Push(j);
  while (sum < room) {
    const std::size_t j = weakest.Pop();
    ++k[j], ++sum;
    weakest.Push(j);
  }
  return k;
}

std::optional<int64_t> LeastBackTotal(const std::vector<Odds>& o, const std::vector<bool>& saver,
                                      int64_t min, Q target, int64_t most, Stop& stop) {
  const std::size_t n = o.size();
  // The stakes a total needs: Σ max(min, ceil((total + target) / O_j)), and
  // for savers ceil(total / O_j). A total below that sum cannot be placed.
  auto needs = [&](int64_t total) {
    i128 sum = 0;
    for (std::size_t j = 0; j < n; ++j) {
      const i128 level = saver[j] ? static_cast<i128>(total) * target.den
                                  : static_cast<i128>(total) * target.den + target.num;
      sum += std::max<i128>(min, CeilDiv(level * o[j].b, target.den * o[j].a));
    }
    return sum;
  };
  long double others = 0;
  for (std::size_t j = 0; j < n; ++j)
    if (!saver[j]) others += 1 / o[j].value();
  const long double lowest = target.ToLongDouble() * others / (1 - RoughBook(o));
  int64_t total = std::max<int64_t>(min * static_cast<int64_t>(n), ToSteps(lowest - 2, 0));
  // Every total below the stakes a total needs fails too, so jump to them.
  int64_t work = 0;
  for (i128 need = needs(total); need > total; need = needs(total)) {
    if (need > most) {
      stop = Stop::BeyondMost;
      return std::nullopt;
    }
    if ((work += static_cast<int64_t>(n)) > kWorkBudget) {
      stop = Stop::WorkBudget;
      return std::nullopt;
    }
    total = std::max<int64_t>(total + 1, static_cast<int64_t>(need));
  }
  if (total > most) {
    stop = Stop::BeyondMost;
    return std::nullopt;
  }
  return total;
}

Stakes LayStakes(const std::vector<Odds>& o, int64_t min, int64_t total) {
  const std::size_t n = o.size();
  long double floor_level = 0;
  for (const Odds& x : o)
    floor_level = std::max(floor_level, static_cast<long double>(min) * x.value());
  // At or below the best largest return, so every start fits under it.
  const long double level = std::max(static_cast<long double>(total) / RoughBook(o), floor_level);
  Stakes l(n);
  for (std::size_t j = 0; j < n; ++j) l[j] = ToSteps(std::floor(level / o[j].value()) - 2, min);
  int64_t excess = Sum(l) - total;
  // Too much: any stake taken back keeps the largest return under the best.
  for (std::size_t j = 0; j < n && excess > 0; ++j) {
    const int64_t back = std::min(excess, l[j] - min);
    l[j] -= back, excess -= back;
  }
  auto next_returns_more = [&](std::size_t i, std::size_t j) {
    return ReturnLess(o, l[j] + 1, j, l[i] + 1, i);
  };
  Heap<decltype(next_returns_more)> cheapest(next_returns_more);
  for (std::size_t j = 0; j < n; ++j) cheapest.Push(j);
  for (; excess < 0; ++excess) {
    const std::size_t j = cheapest.Pop();
    ++l[j];
    cheapest.Push(j);
  }
  return l;
}

std::optional<LayPlan> LargestLayTotal(const std::vector<Odds>& o, int64_t min, Q loss,
                                       int64_t most, Stop& stop) {
  const std::size_t n = o.size();
  const long double book = RoughBook(o);
  const long double lam = loss.ToLongDouble();
  const int64_t least = min * static_cast<int64_t>(n);
  int64_t total =
      std::max(least, ToSteps((lam * book - static_cast<long double>(n)) / (1 - book) - 2, 0));
  // One step past `most` tells a total beyond it from one that ends there.
  const int64_t highest = std::min(most + 1, ToSteps(lam * book / (1 - book) + 2, 0));
  if (total > highest) {
    if (total > most) stop = Stop::BeyondMost;
    return std::nullopt;
  }
  if (highest - total > kWorkBudget) {
    stop = Stop::WorkBudget;
    return std::nullopt;
  }

  Stakes l = LayStakes(o, min, total);
  std::size_t top = 0;  // the runner with the largest return
  for (std::size_t j = 1; j < n; ++j)
    if (ReturnLess(o, l[top], top, l[j], j)) top = j;
  // Loses at most `loss`: l_top * a / b - total <= loss.
  auto within = [&] {
    return (static_cast<i128>(l[top]) * o[top].a - static_cast<i128>(total) * o[top].b) *
               loss.den <=
           loss.num * o[top].b;
  };
  std::optional<int64_t> best;
  // Adding each step where it raises the largest return least keeps every
  // total's stakes the best for that total.
  auto next_returns_more = [&](std::size_t i, std::size_t j) {
    return ReturnLess(o, l[j] + 1, j, l[i] + 1, i);
  };
  Heap<decltype(next_returns_more)> cheapest(next_returns_more);
  for (std::size_t j = 0; j < n; ++j) cheapest.Push(j);
  for (;;) {
    if (within()) best = total;
    if (total >= highest) break;
    const std::size_t j = cheapest.Pop();
    ++l[j], ++total;
    cheapest.Push(j);
    if (ReturnLess(o, l[top], top, l[j], j)) top = j;
  }
  if (!best) return std::nullopt;
  if (*best > most) {
    stop = Stop::BeyondMost;
    return std::nullopt;
  }
  return LayPlan{*best, LayStakes(o, min, *best)};
}

std::optional<Q> Book(const std::vector<Odds>& odds) {
  Q sum = Q::Of(0);
  for (const Odds& x : odds) {
    const auto next = Add(sum, Q::Of(x.b, x.a));
    if (!next) return std::nullopt;
    sum = *next;
  }
  return sum;
}

}  // namespace stakora::plan
