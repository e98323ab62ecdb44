#include "solver.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>
#include <map>
#include <numeric>
#include <queue>
#include <tuple>

#include "plan_limits.h"

namespace stakora::plan {
namespace {

using std::int64_t;

// The most steps a stake is ever given: a thousand of them still add up
// inside 64 bits, and one times a price's two terms inside 128.
constexpr int64_t kMostStakeSteps = 9'000'000'000'000'000;
static_assert(kMostStakeSteps <
              std::numeric_limits<int64_t>::max() / static_cast<int64_t>(kMaxRunners));
static_assert(kMostStakeSteps * kMostPriceA * kMostPriceB < kI128Most);
static_assert(kMostCents < kMostStakeSteps / 1000);  // no stake a plan allows is capped

// A heap of runner indexes ordered by a key the caller recomputes after each change.
template <typename Before>
class Heap {
 public:
  explicit Heap(Before before) : q_(before) {}
  void Push(std::size_t i) { q_.push(i); }
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

// long double only says where the exact steps of BackStakes and LayStakes
// begin. Their start is two steps per runner to the safe side, far beyond the
// rounding of a long double at the planner's sizes, and the steps that follow
// compare exactly.
long double RoughBook(const std::vector<Odds>& o) {
  long double book = 0;
  for (const Odds& x : o) book += 1 / x.value();
  return book;
}

int64_t ToSteps(long double x, int64_t at_least) {
  if (!(x > static_cast<long double>(at_least))) return at_least;
  if (x > static_cast<long double>(kMostStakeSteps)) return kMostStakeSteps;
  return static_cast<int64_t>(x);
}

// The level L (a return, in steps) at which Σ max(floor_j, L / O_j) over the
// runners in `who` reaches `room`: above every level whole steps can reach.
long double LevelFor(const std::vector<Odds>& o, const std::vector<std::size_t>& who,
                     const Stakes& floor, int64_t room) {
  std::vector<long double> at;  // the level from which runner j needs more than its floor
  for (std::size_t j : who) at.push_back(static_cast<long double>(floor[j]) * o[j].value());
  std::vector<std::size_t> order(who.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(),
            [&](std::size_t x, std::size_t y) { return at[x] < at[y]; });
  long double fixed = 0;  // the floors of the runners not yet past theirs
  for (std::size_t j : who) fixed += static_cast<long double>(floor[j]);
  long double inverse_sum = 0;
  for (std::size_t i = 0; i < order.size(); ++i) {
    inverse_sum += 1 / o[who[order[i]]].value();
    fixed -= static_cast<long double>(floor[who[order[i]]]);
    const long double level = (static_cast<long double>(room) - fixed) / inverse_sum;
    if (i + 1 == order.size() || level <= at[order[i + 1]]) return std::max(level, at[order[0]]);
  }
  return 0;
}

// Raises the stakes in k of the runners in `who` from where they stand (their
// floors, adding up to at most `room`) so that they add up to `room` with the
// smallest k_j * O_j as large as it can be. It starts at or above the stakes
// the best level needs, then gives back the steps whose loss costs least.
void SpreadForBestWorst(const std::vector<Odds>& o, const std::vector<std::size_t>& who, Stakes& k,
                        int64_t room) {
  const Stakes floor = k;
  const long double level = LevelFor(o, who, floor, room);
  int64_t sum = 0;
  for (std::size_t j : who) {
    k[j] = ToSteps(std::ceil(level / o[j].value()) + 2, floor[j]);
    sum += k[j];
  }
  auto after_giving_back_less = [&](std::size_t i, std::size_t j) {
    return ReturnLess(o, k[i] - 1, i, k[j] - 1, j);
  };
  Heap<decltype(after_giving_back_less)> richest(after_giving_back_less);
  for (std::size_t j : who)
    if (k[j] > floor[j]) richest.Push(j);
  // Two steps above the level's stakes are more than a long double loses, and
  // no stake reaches the cap of ToSteps: the start is never short of the room.
  assert(sum >= room);
  while (sum > room) {
    const std::size_t j = richest.Pop();
    --k[j], --sum;
    if (k[j] > floor[j]) richest.Push(j);
  }
}

// Runners of one price, role and least stake are alike to a search for a total.
struct Group {
  int64_t a, b;
  bool saver;
  int64_t min;
  int64_t count;
};

std::vector<Group> Groups(const Field& f) {
  std::map<std::tuple<int64_t, int64_t, bool, int64_t>, int64_t> counts;
  for (std::size_t j = 0; j < f.size(); ++j)
    ++counts[{f.odds[j].a, f.odds[j].b, f.saver[j], f.MinOf(j)}];
  std::vector<Group> out;
  for (const auto& [key, count] : counts)
    out.push_back({std::get<0>(key), std::get<1>(key), std::get<2>(key), std::get<3>(key), count});
  return out;
}

}  // namespace

int64_t Field::MinTotal() const {
  int64_t sum = 0;
  for (std::size_t j = 0; j < size(); ++j) sum += MinOf(j);
  return sum;
}

int64_t PayoutSteps(const Odds& o, int64_t payout, int64_t step) {
  return std::max<int64_t>(
      1, To64(CeilDiv(static_cast<i128>(payout) * o.b, static_cast<i128>(step) * o.a)));
}

bool Search::Spend(int64_t looks) {
  const int64_t before = work;
  work += looks;
  if (!Stopped() && (before >> 10) != (work >> 10) && stop.stop_requested()) why = Stop::Cancelled;
  if (!Stopped() && work > budget) why = Stop::WorkBudget;
  return !Stopped();
}

bool ReturnLess(const std::vector<Odds>& o, int64_t ki, std::size_t i, int64_t kj, std::size_t j) {
  return static_cast<i128>(ki) * o[i].a * o[j].b < static_cast<i128>(kj) * o[j].a * o[i].b;
}

Books BooksOf(const Field& f) {
  std::vector<Fraction> all, others, savers;
  for (const Group& g : Groups(f)) {
    const Fraction share{Big(static_cast<i128>(g.b) * g.count), Big(g.a)};
    all.push_back(share);
    (g.saver ? savers : others).push_back(share);
  }
  return {Sum(std::move(all)), Sum(std::move(others)), Sum(std::move(savers))};
}

Stakes BackStakes(const Field& f, int64_t total) {
  const std::vector<Odds>& o = f.odds;
  Stakes k(f.size());
  std::vector<std::size_t> others;
  int64_t room = total, others_least = 0;
  for (std::size_t j = 0; j < f.size(); ++j) {
    k[j] = f.MinOf(j);
    if (f.saver[j]) {
      // Break even: k * a / b >= total.
      k[j] = std::max<int64_t>(
          k[j], static_cast<int64_t>(CeilDiv(static_cast<i128>(total) * o[j].b, o[j].a)));
      room -= k[j];
    } else {
      others.push_back(j);
      others_least += k[j];
    }
  }
  if (others.empty() || room < others_least) return {};

  SpreadForBestWorst(o, others, k, room);
  return k;
}

Stakes BestPlaces(const Field& f, const std::vector<Odds>& place, Stakes k) {
  const std::vector<Odds>& o = f.odds;
  std::optional<std::size_t> worst;
  for (std::size_t j = 0; j < f.size(); ++j)
    if (!f.saver[j] && (!worst || ReturnLess(o, k[j], j, k[*worst], *worst))) worst = j;
  if (!worst) return k;
  // The least stakes that keep every return at the worst; the savers keep theirs.
  const i128 w = static_cast<i128>(k[*worst]) * o[*worst].a;  // over o[*worst].b
  std::vector<std::size_t> everyone(f.size());
  std::iota(everyone.begin(), everyone.end(), std::size_t{0});
  int64_t room = 0;
  for (std::size_t j : everyone) {
    room += k[j];
    if (!f.saver[j])
      k[j] = std::max<int64_t>(f.MinOf(j),
                               To64(CeilDiv(w * o[j].b, static_cast<i128>(o[*worst].b) * o[j].a)));
  }
  SpreadForBestWorst(place, everyone, k, room);
  return k;
}

Stakes LayStakes(const Field& f, int64_t total) {
  const std::vector<Odds>& o = f.odds;
  long double floor_level = 0;
  for (std::size_t j = 0; j < f.size(); ++j)
    floor_level = std::max(floor_level, static_cast<long double>(f.MinOf(j)) * o[j].value());
  // At or below the best largest return, so every start fits under it.
  const long double level = std::max(static_cast<long double>(total) / RoughBook(o), floor_level);
  Stakes l(f.size());
  for (std::size_t j = 0; j < f.size(); ++j)
    l[j] = ToSteps(std::floor(level / o[j].value()) - 2, f.MinOf(j));
  int64_t excess = Sum(l) - total;
  // Too much: any stake taken back keeps the largest return under the best.
  for (std::size_t j = 0; j < f.size() && excess > 0; ++j) {
    const int64_t back = std::min(excess, l[j] - f.MinOf(j));
    l[j] -= back, excess -= back;
  }
  auto next_returns_more = [&](std::size_t i, std::size_t j) {
    return ReturnLess(o, l[j] + 1, j, l[i] + 1, i);
  };
  Heap<decltype(next_returns_more)> cheapest(next_returns_more);
  for (std::size_t j = 0; j < f.size(); ++j) cheapest.Push(j);
  for (; excess < 0; ++excess) {
    const std::size_t j = cheapest.Pop();
    ++l[j];
    cheapest.Push(j);
  }
  return l;
}

// A total T can be placed when the stakes it needs, Σ max(min_j, ceil(R_j / O_j))
// with R_j = T + target (T for a saver), come to at most T. Those needs only
// grow with T, so a total that falls short rules out every total below its
// needs: the search jumps there. It starts at T_c = target * others / (1 -
// book), below which even unrounded stakes fall short. Whole steps make the
// needs run ahead of T by up to a step per runner, which the margin 1 - book
// wins back only slowly: near 100% the jumps are many.
std::optional<int64_t> LeastBackTotal(const Field& f, const Books& books, Q target, Search& s) {
  const Fraction one = Whole(1);
  const auto lowest = Ceil(Fraction::Of(target) * books.others / (one - books.all));
  if (!lowest || *lowest > s.most) {
    s.why = Stop::BeyondMost;
    return std::nullopt;
  }
  const std::vector<Group> groups = Groups(f);
  // total <= s.most <= kMostCents steps; the target's terms are at most a
  // profit in cents times kBasis over an each-way unit (two steps) times it.
  static_assert((kMostCents + 1) * (2 * kMostStepCents * kBasis) * kMostOddsB < kI128Most / 1000);
  i128 total = std::max<i128>(*lowest, f.MinTotal());
  for (;;) {
    if (total > s.most) {
      s.why = Stop::BeyondMost;
      return std::nullopt;
    }
    i128 needs = 0;
    for (const Group& g : groups) {
      const i128 level = total * target.den() + (g.saver ? 0 : target.num());
      needs += g.count * std::max<i128>(g.min, CeilDiv(level * g.b, target.den() * g.a));
    }
    if (needs <= total) return To64(total);  // at most s.most
    if (!s.Spend(static_cast<int64_t>(groups.size()))) return std::nullopt;
    total = needs;
  }
}

// The mirror image: a total L can be laid when the stakes the loss allows,
// Σ floor((L + loss) / O_j), come to at least L (and each to its minimum).
// Below U_c = loss * book / (1 - book) the search starts; a total that falls
// short rules out every total above what it allows, so it jumps down there.
std::optional<int64_t> LargestLayTotal(const Field& f, const Books& books, Q loss, Search& s) {
  const Fraction one = Whole(1), loss_q = Fraction::Of(loss), margin = one - books.all;
  // Each stake must reach its least: L + loss >= min_j * O_j. Totals stay
  // at most kFarthestTop steps and the loss's denominator is a step.
  static_assert(kMostCents * kMostOddsA * kMostStepCents < kI128Most / 1000);
  static_assert((kFarthestTop + kMostCents) * kMostStepCents * kMostOddsB < kI128Most / 1000);
  i128 lowest = f.MinTotal();
  for (std::size_t j = 0; j < f.size(); ++j) {
    const Odds& o = f.odds[j];
    lowest = std::max(lowest,
                      CeilDiv(static_cast<i128>(f.MinOf(j)) * o.a * loss.den() - loss.num() * o.b,
                              loss.den() * o.b));
  }
  // At or below (loss * book - runners) / (1 - book) the caps leave room even
  // after rounding down: a total there that the minimum allows is sure to be.
  const Fraction sure = (loss_q * books.all - Whole(static_cast<i128>(f.size()))) / margin;
  if (const auto at = Floor(sure); at ? *at > s.most && *at >= lowest : !sure.num.negative()) {
    s.why = Stop::BeyondMost;
    return std::nullopt;
  }
  // A top far above that lies more than 1 / (1 - book) jumps away.
  const auto highest = Floor(loss_q * books.all / margin);
  if (!highest || *highest > kFarthestTop) {
    s.why = Stop::WorkBudget;
    return std::nullopt;
  }
  const std::vector<Group> groups = Groups(f);
  for (i128 total = *highest; total >= lowest;) {
    i128 allowed = 0;
    for (const Group& g : groups)
      allowed += g.count * FloorDiv((total * loss.den() + loss.num()) * g.b, loss.den() * g.a);
    if (allowed >= total) {
      if (total > s.most) {
        s.why = Stop::BeyondMost;
        return std::nullopt;
      }
      return To64(total);
    }
    if (!s.Spend(static_cast<int64_t>(groups.size()))) return std::nullopt;
    total = allowed;
  }
  return std::nullopt;
}

}  // namespace stakora::plan
