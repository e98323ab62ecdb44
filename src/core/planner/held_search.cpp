#include "held_search.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>
#include <utility>

#include "checked_request.h"
#include "held_bounds.h"
#include "held_lines.h"
#include "plan_limits.h"

namespace stakora::plan {
namespace {

using std::int64_t;
using Real = long double;

// Within this of 1 an estimated slope says nothing worth proving.
constexpr Real kNearOne = 1e-9L;

Real ValueOf(const Ratio& q) {
  return static_cast<Real>(q.num) / static_cast<Real>(q.den);
}

// The total in cents of one outcome: held plus the new bets' gross over
// `den`, net of commission on a gain. The gross is at most kMostCents times a
// price's a (a stake of at most that many cents at those odds).
static_assert(kMostHeldCents * kMostHeldDen * kMostOddsB * kBasis < kI128Most / 1000);
static_assert(kMostHeldDen * (kMostCents * kMostOddsA) * kBasis < kI128Most / 1000);
Ratio Total(const Q& held, i128 gross, i128 den, int64_t commission) {
  const i128 keep = gross > 0 ? kBasis - commission : kBasis;
  return {held.num() * den * kBasis + held.den() * gross * keep, held.den() * den * kBasis};
}

// Every outcome at least w, or above it.
struct Level {
  Ratio w;
  bool above = false;
  bool Reached(const Ratio& t) const {
    const auto c = Compare(t, w);
    return above ? c > 0 : c >= 0;
  }
};

class LevelSearch {
 public:
  LevelSearch(const HeldProblem& p, Search& s) : p_(p), s_(s), back_(p.side == Side::Back) {
    for (const Odds& o : p.odds) price_.push_back(o.value());
    keep_ = static_cast<Real>(kBasis - p.commission) / static_cast<Real>(kBasis);
  }

  std::optional<HeldBest> Best() {
    if (p_.full_book) period_ = Period();
    HeldBest best = PlanAt({}, 0);  // no new bets
    // Whole cents first, galloping up from the plan without new bets, then
    // halving; then each total a plan reaches above the best so far.
    i128 low = FloorDiv(best.worst.num, best.worst.den), stride = 1;
    std::optional<i128> high;
    while (!high) {
      const Level level{Q::Of(low + stride)};
      if (auto b = BestAtLevel(level, best.total)) {
        best = *b;
        low = std::max(low + stride, FloorDiv(best.worst.num, best.worst.den));
        stride *= 2;
      } else {
        if (Stopped()) return std::nullopt;
        high = low + stride;
      }
    }
    while (*high - low > 1) {
      const i128 mid = low + (*high - low) / 2;
      if (auto b = BestAtLevel(Level{Q::Of(mid)}, best.total)) {
        best = *b;
        low = std::max(mid, FloorDiv(best.worst.num, best.worst.den));
      } else {
        if (Stopped()) return std::nullopt;
        high = mid;
      }
    }
    while (auto b = BestAtLevel(Level{best.worst, true}, best.total)) best = *b;
    if (Stopped()) return std::nullopt;
    if (!back_ && best.total > 0)
      best = PlanAt(LayStakesAt(Level{best.worst}, best.total, true), best.total);
    return best;
  }

 private:
  Ratio Runner(std::size_t k, int64_t x, int64_t total) const {
    const Odds& o = p_.odds[k];
    return Total(
        p_.held[k],
        GrossIfWins(back_, static_cast<i128>(x) * p_.step, static_cast<i128>(total) * p_.step, o),
        o.b, p_.commission);
  }

  Ratio Other(int64_t total) const {
    const i128 money = static_cast<i128>(total) * p_.step;
    return Total(*p_.held_other, back_ ? -money : money, 1, p_.commission);
  }

  bool Stopped() const { return s_.Stopped(); }

  // Whether a lay of x steps on k, with `total` laid in all, loses at most
  // the cap if k wins.
  bool WithinLossCap(std::size_t k, int64_t x, int64_t total) const {
    const Odds& o = p_.odds[k];
    return !p_.most_loss ||
           -GrossIfWins(false, static_cast<i128>(x) * p_.step, static_cast<i128>(total) * p_.step,
                        o) <= static_cast<i128>(*p_.most_loss) * o.b;
  }

  // A level that a short search does not settle is put to the bounds once:
  // those near a 100% book are mostly out of reach, and a long search for a
  // total that is not there is spared.
  bool OutOfReach(const Level& level, int64_t lo, int64_t since, bool& asked) {
    const int64_t probe = 4096 + 1024 * static_cast<int64_t>(price_.size());
    if (asked || s_.work - since < probe) return false;
    asked = true;
    return LevelOutOfReach(p_, level.w, level.above, lo, p_.most_total, s_.work);
  }

  // With a book of exactly 100%, once every runner is staked clear of the
  // minimum and of the total, P more steps of total add exactly P * b / a to
  // each runner's stake when every a divides P: what a total lacks repeats
  // with period P, and a level no total reaches within one period is out of
  // reach. P is the least common multiple of the a, when it is not too large.
  std::optional<int64_t> Period() const {
    i128 lcm = 1;
    for (const Odds& o : p_.odds) {
      lcm = lcm / Gcd(lcm, o.a) * o.a;
      if (lcm > p_.most_total) return std::nullopt;
    }
    return To64(lcm);
  }

  // Past one period of totals that stay in that state: none reaches the level.
  bool PeriodOver(bool steady, int64_t x, std::optional<int64_t>& since) const {
    if (!period_ || !steady) return false;
    if (!since) since = x;
    return x - *since >= *period_;
  }

  // One more exact look; false once the search must end.
  bool Look(int64_t looks = 1) { return s_.Spend(looks); }

  // The least x in [lo, hi] at which `ok` (false, then true) holds, or hi + 1;
  // galloping from `guess`, then halving.
  template <class Ok>
  int64_t FirstTrue(int64_t lo, int64_t hi, Real guess, Ok ok) {
    if (lo > hi) return hi + 1;
    int64_t g = lo;
    if (std::isfinite(guess))
      g = guess <= static_cast<Real>(lo)   ? lo
          : guess >= static_cast<Real>(hi) ? hi
                                           : static_cast<int64_t>(guess);
    int64_t bad = lo - 1, good = hi + 1;
    Look();
    if (ok(g)) {
      good = g;
      for (int64_t d = 1; good - lo >= d && Look(); d *= 2) {
        if (!ok(good - d)) {
          bad = good - d;
          break;
        }
        good -= d;
      }
    } else {
      bad = g;
      for (int64_t d = 1; hi - bad >= d && Look(); d *= 2) {
        if (ok(bad + d)) {
          good = bad + d;
          break;
        }
        bad += d;
      }
    }
    while (good - bad > 1 && Look()) {
      const int64_t mid = bad + (good - bad) / 2;
      (ok(mid) ? good : bad) = mid;
    }
    return good;
  }

  // The cents a new bet must make (or may lose, below 0) for runner k's
  // outcome to reach w: what its gross must be, net of commission on a gain.
  Real GrossNeeded(const Level& level, const Ratio& held) const {
    const Real d = ValueOf(level.w) - ValueOf(held);
    return d > 0 ? d / keep_ : d;
  }
  Real GrossNeeded(const Level& level, std::size_t k) const {
    return GrossNeeded(level, p_.held[k]);
  }

  // Back: the least stake on k that keeps its outcome at the level, given
  // the total; most_total + 1 when none does.
  int64_t Needed(const Level& level, std::size_t k, int64_t total) {
    Look();
    if (level.Reached(Runner(k, 0, total))) return 0;
    const Real guess =
        (static_cast<Real>(total) * p_.step + GrossNeeded(level, k)) / (price_[k] * p_.step);
    return FirstTrue(std::max<int64_t>(p_.min, 1), p_.most_total, guess,
                     [&](int64_t x) { return level.Reached(Runner(k, x, total)); });
  }

  // Lay: the most stake on k that keeps its outcome at the level and its
  // loss within the cap, given the total; -1 when not even 0 does.
  int64_t MostLay(const Level& level, std::size_t k, int64_t total) {
    Look();
    if (!level.Reached(Runner(k, 0, total))) return -1;
    const Real guess =
        (static_cast<Real>(total) * p_.step - GrossNeeded(level, k)) / (price_[k] * p_.step);
    const auto too_much = [&](int64_t x) {
      return !WithinLossCap(k, x, total) || !level.Reached(Runner(k, x, total));
    };
    return FirstTrue(1, total, guess + 1, too_much) - 1;
  }

  std::optional<int64_t> LeastTotal(const Level& level, int64_t from) {
    return back_ ? LeastBack(level, from) : LeastLay(level, from);
  }

  // Every runner's stake line at the level, worked out the first time a
  // search asks; none when a figure is too large to bound, and then the
  // search only steps, never jumps or gives up.
  class LinesAt {
   public:
    LinesAt(const LevelSearch& c, const Level& level) : c_(c), level_(level) {}
    const std::vector<StakeLine>& operator()() {
      if (!lines_) {
        lines_.emplace();
        for (std::size_t k = 0; k < c_.price_.size(); ++k) {
          const auto line = StakeLineOf(c_.p_, k, level_.w, level_.above);
          if (!line) return lines_->clear(), *lines_;
          lines_->push_back(*line);
        }
      }
      return *lines_;
    }

   private:
    const LevelSearch& c_;
    const Level& level_;
    std::optional<std::vector<StakeLine>> lines_;
  };

  // The least back total: each runner's least stake grows with the total,
  // so their sum is iterated up to the first total that covers it. A runner
  // staked at x stays staked and needs at least z_k(x + t) = z_k(x) + t σ_k
  // later (held_lines.h), so a total x + t is reached only when
  // t (1 - Σ σ_k) >= Σ z_k(x) - x over those runners: that lets the
  // iteration jump, or ends it. Both are proven on the grid, rounded down;
  // an estimate in floating point only says when a proof is worth trying.
  std::optional<int64_t> LeastBack(const Level& level, int64_t x) {
    LinesAt lines(*this, level);
    std::optional<int64_t> steady_since;
    const int64_t since = s_.work;
    bool asked = false;
    std::vector<int64_t> needs(price_.size());
    while (x <= p_.most_total) {
      if (OutOfReach(level, x, since, asked)) return std::nullopt;
      if (p_.held_other && !level.Reached(Other(x))) return std::nullopt;
      int64_t sum = 0;
      Real slope = 0, base = 0;
      bool steady = true;
      for (std::size_t k = 0; k < price_.size() && !Stopped(); ++k) {
        const int64_t need = needs[k] = Needed(level, k, x);
        steady = steady && need > std::max<int64_t>(p_.min, 1) && need <= p_.most_total;
        sum += need;
        if (need > 0) {
          slope += 1 / price_[k];
          base += GrossNeeded(level, k) / (p_.step * price_[k]);
        }
      }
      if (Stopped()) return std::nullopt;
      if (sum <= x) return x;
      if (PeriodOver(steady, x, steady_since)) return std::nullopt;
      int64_t next = sum;
      const Real meet = base / (1 - slope);
      const bool worth = slope < 1 - kNearOne
                             ? meet > static_cast<Real>(next) + 1
                             : slope > 1 + kNearOne && meet < static_cast<Real>(x) + 1;
      if (worth) {
        GridSum staked{.up = false, .ok = !lines().empty()};
        for (std::size_t k = 0; k < price_.size() && staked.ok; ++k)
          if (needs[k] > 0) staked.AddLine(lines()[k], x);
        // x + t is reached only when excess + t * rate <= 0.
        const auto d = staked.Against(x);
        if (d && d->excess > 0) {
          if (d->rate >= 0) return std::nullopt;
          next = std::max(next, Past(x, CeilDiv(d->excess, -d->rate)));
        }
      }
      x = next;
    }
    return std::nullopt;
  }

  // x + t, or most_total + 1 when that is past it.
  int64_t Past(int64_t x, i128 t) const {
    return t > p_.most_total - x ? p_.most_total + 1 : x + To64(t);
  }

  // The lay stakes that keep every outcome at the level, their count s
  // limited by the minimum stake, and their s largest, reach a total X when
  // X is at most that sum.
  struct LayRoom {
    std::vector<int64_t> most;  // per runner
    std::vector<std::size_t> chosen;
    int64_t top = 0;
  };
  LayRoom Choose(std::vector<int64_t> most, int64_t total) const {
    LayRoom r;
    r.most = std::move(most);
    for (std::size_t k = 0; k < r.most.size(); ++k)
      if (r.most[k] >= std::max<int64_t>(p_.min, 1)) r.chosen.push_back(k);
    std::size_t count = r.chosen.size();
    if (p_.min > 0) count = std::min<std::size_t>(count, static_cast<std::size_t>(total / p_.min));
    const auto larger = [&](std::size_t i, std::size_t j) { return r.most[i] > r.most[j]; };
    std::nth_element(r.chosen.begin(), r.chosen.begin() + static_cast<std::ptrdiff_t>(count),
                     r.chosen.end(), larger);
    r.chosen.resize(count);
    for (std::size_t k : r.chosen) r.top += r.most[k];
    return r;
  }
  std::vector<int64_t> Rooms(const Level& level, int64_t total) {
    std::vector<int64_t> most;
    for (std::size_t k = 0; k < price_.size() && !Stopped(); ++k)
      most.push_back(MostLay(level, k, total));
    return most;
  }
  LayRoom RoomAt(const Level& level, int64_t total) { return Choose(Rooms(level, total), total); }

  // The least total above `total` at which runner k's room passes `most`.
  int64_t NextRise(const Level& level, std::size_t k, int64_t total, int64_t most) {
    const int64_t x = most + 1;
    const auto fits = [&](int64_t t) {
      return x <= t && WithinLossCap(k, x, t) && level.Reached(Runner(k, x, t));
    };
    return FirstTrue(total + 1, p_.most_total, x * price_[k] + GrossNeeded(level, k) / p_.step,
                     fits);
  }

  // The least lay total. Outcomes with no lay on them only rise with the
  // total, so their least totals come first. Past them, each runner's room
  // rises by at most one step per step of total, so the totals worth a look
  // are those where some room rises (or, with a minimum stake, where one
  // more stake fits): they are swept in order. Over t more steps a room grows
  // to at most max(0, z_k(x)) + t σ_k, or x + t while it is the total itself,
  // so x + t is reached only when t (1 - rate) <= their sum at x - x: below a
  // rate of 1 that ends the sweep, above it skips ahead. Both are proven on
  // the grid, rounded up; an estimate only says when a proof is worth trying.
  std::optional<int64_t> LeastLay(const Level& level, int64_t x) {
    for (std::size_t k = 0; k < price_.size(); ++k)
      x = FirstTrue(x, p_.most_total, GrossNeeded(level, k) / p_.step,
                    [&](int64_t t) { return level.Reached(Runner(k, 0, t)); });
    if (p_.held_other)
      x = FirstTrue(x, p_.most_total, GrossNeeded(level, *p_.held_other) / p_.step,
                    [&](int64_t t) { return level.Reached(Other(t)); });
    LinesAt lines(*this, level);
    using Rise = std::pair<int64_t, std::size_t>;  // total, runner
    std::priority_queue<Rise, std::vector<Rise>, std::greater<>> rises;
    std::vector<int64_t> most;
    int64_t ceiling = p_.most_total;
    std::optional<int64_t> steady_since;
    bool fresh = true;  // the rooms are worked out anew at x
    const int64_t since = s_.work;
    bool asked = false;
    while (x <= ceiling && !Stopped()) {
      if (OutOfReach(level, x, since, asked)) return std::nullopt;
      if (fresh) most = Rooms(level, x);
      if (Stopped()) break;
      const LayRoom room = Choose(most, x);
      if (x <= room.top) return x;
      // The rooms chosen and summed: cheap next to an exact look.
      if (!Look(1 + static_cast<int64_t>(most.size()) / 8)) break;
      Real spare_guess = -static_cast<Real>(x), rate_guess = 0;
      for (std::size_t k = 0; k < most.size(); ++k) {
        spare_guess += static_cast<Real>(most[k] + 1);
        rate_guess += most[k] == x ? 1 : 1 / price_[k];
      }
      const bool worth =
          rate_guess < 1 - kNearOne
              ? spare_guess < 0 || static_cast<Real>(x) + spare_guess / (1 - rate_guess) <
                                       static_cast<Real>(ceiling) - 1
              : rate_guess > 1 + kNearOne && spare_guess < 0 && -spare_guess / (rate_guess - 1) > 2;
      GridSum grows{.up = true, .ok = worth && !lines().empty()};
      for (std::size_t k = 0; k < most.size() && grows.ok; ++k)
        most[k] == x ? grows.AddTotal(x) : grows.AddLine(lines()[k], x, true);
      // x + t is reached only when excess + t * rate >= 0.
      const auto d = grows.Against(x);
      if (d && d->rate < 0) {
        if (d->excess < 0) return std::nullopt;
        ceiling = std::min(ceiling, Past(x, d->excess / -d->rate));
      } else if (d && d->excess < 0) {
        if (d->rate == 0) return std::nullopt;
        const i128 skip = CeilDiv(-d->excess, d->rate);
        if (skip > 1) {
          x = Past(x, skip);
          fresh = true;
          continue;
        }
      }
      const bool steady = room.chosen.size() == most.size() &&
                          std::all_of(most.begin(), most.end(), [&](int64_t m) { return m < x; });
      if (PeriodOver(steady, x, steady_since)) return std::nullopt;
      if (fresh) {
        rises = {};
        for (std::size_t k = 0; k < most.size(); ++k)
          rises.push({NextRise(level, k, x, most[k]), k});
        fresh = false;
      }
      int64_t next = rises.top().first;
      if (p_.min > 0) next = std::min(next, (x / p_.min + 1) * p_.min);
      x = next;
      while (!rises.empty() && rises.top().first == x && x <= p_.most_total) {
        const std::size_t k = rises.top().second;
        rises.pop();
        rises.push({NextRise(level, k, x, ++most[k]), k});
      }
    }
    return std::nullopt;
  }

  std::optional<HeldBest> BestAtLevel(const Level& level, int64_t from) {
    const auto total = LeastTotal(level, from);
    if (!total) return std::nullopt;
    HeldBest b = PlanAt(back_ ? BackStakesAt(level, *total) : LayStakesAt(level, *total), *total);
    if (Stopped()) return std::nullopt;
    return b;
  }

  // At the least total each runner takes exactly its least stake; should
  // they fall short, the rest goes on a runner already staked.
  Stakes BackStakesAt(const Level& level, int64_t total) {
    Stakes x;
    int64_t sum = 0;
    for (std::size_t k = 0; k < price_.size(); ++k) sum += x.emplace_back(Needed(level, k, total));
    for (int64_t& stake : x)
      if (stake > 0 && sum < total) stake += total - sum, sum = total;
    return x;
  }

  // Every chosen runner starts at its most, and the excess comes off down to
  // the minimum stake: on the way to the best level, runner by runner; for
  // the plan itself, a step at a time off the runner whose outcome is
  // lowest, when that is not too long a way.
  Stakes LayStakesAt(const Level& level, int64_t total, bool even = false) {
    const LayRoom room = RoomAt(level, total);
    Stakes x(price_.size(), 0);
    int64_t excess = room.top - total;
    const int64_t floor = p_.min;
    for (std::size_t k : room.chosen) x[k] = room.most[k];
    if (even && excess <= 64 * static_cast<int64_t>(price_.size())) {
      const auto higher = [&](std::size_t i, std::size_t j) {
        return Compare(Runner(i, x[i], total), Runner(j, x[j], total)) > 0;
      };
      std::priority_queue<std::size_t, std::vector<std::size_t>, decltype(higher)> lowest(higher);
      for (std::size_t k : room.chosen)
        if (x[k] > floor) lowest.push(k);
      for (; excess > 0 && !lowest.empty(); --excess) {
        const std::size_t k = lowest.top();
        lowest.pop();
        if (--x[k] > floor) lowest.push(k);
      }
    }
    for (std::size_t k : room.chosen) {
      const int64_t off = std::min(excess, x[k] - floor);
      x[k] -= off;
      excess -= off;
    }
    return x;
  }

  HeldBest PlanAt(Stakes x, int64_t total) const {
    HeldBest b;
    if (x.empty()) x.assign(price_.size(), 0);
    for (std::size_t k = 0; k < price_.size(); ++k) b.outcomes.push_back(Runner(k, x[k], total));
    if (p_.held_other) b.outcomes.push_back(Other(total));
    b.worst = *std::min_element(b.outcomes.begin(), b.outcomes.end(),
                                [](const Ratio& l, const Ratio& r) { return Compare(l, r) < 0; });
    b.stakes = std::move(x);
    b.total = total;
    return b;
  }

  const HeldProblem& p_;
  Search& s_;
  bool back_;
  std::vector<Real> price_;
  Real keep_ = 1;
  std::optional<int64_t> period_;  // steps, for a book of exactly 100%
};

}  // namespace

std::optional<HeldBest> BestAroundHeld(const HeldProblem& p, Search& s) {
  return LevelSearch(p, s).Best();
}

}  // namespace stakora::plan
