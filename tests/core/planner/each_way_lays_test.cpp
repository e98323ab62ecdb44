#include "each_way_lays.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "core/planner/price_cases.h"
#include "exact.h"
#include "plan.h"

namespace stakora::plan {
namespace {

using std::int64_t;

Request WorkedExample() {
  Request r;
  r.side = Side::Lay;
  r.commission = "5";
  r.place_market = "3";
  r.runners.push_back({"Hope", "8.2", false, "1.7"});
  r.held.push_back({"Hope", "each-way", "50", "7.5", "4", "1/5"});
  return r;
}

TEST(EachWayLays, TheWorkedExampleLaysBothMarketsToTheCent) {
  const auto p = MakePlan(WorkedExample());
  ASSERT_TRUE(p.ok()) << p.error();
  const RunnerPlan& h = p->runners[0];
  EXPECT_EQ(h.stake, 4601);
  EXPECT_EQ(h.lay_place_stake, 6970);
  EXPECT_EQ(h.liability, 33127);
  EXPECT_EQ(h.place_liability, 4879);
  EXPECT_EQ(h.profit_if_wins, 994);
  EXPECT_EQ(h.profit_if_places, 992);
  EXPECT_EQ(h.profit_if_extra_place, 12492);
  EXPECT_EQ(h.profit_if_unplaced, 992);
  EXPECT_EQ(p->worst_profit, 992);
  EXPECT_EQ(p->extra_place_profit, 12492);
  EXPECT_EQ(p->new_liability, 38006);
  EXPECT_EQ(h.places_span, std::pair(2, 3));
  EXPECT_EQ(h.extra_span, std::pair(4, 4));
}

TEST(EachWayLays, RefusesWhatItCannotPlan) {
  const struct {
    std::function<void(Request&)> change;
    const char* says;
  } cases[] = {
      {[](Request& r) { r.side = Side::Back; }, "choose a lay plan"},
      {[](Request& r) {
         r.runners.push_back({"Other", "5", false, ""});
       },
       "Other: no held each-way bet"},
      {[](Request& r) { r.held.push_back(r.held[0]); }, "Hope: two held each-way bets"},
      {[](Request& r) { r.place_market = ""; }, "Place market winners"},
      {[](Request& r) { r.held[0].places = "0"; }, "Held bet 1 places"},
      {[](Request& r) {
         r.runners = {{"Hope", "1.5", false, ""}, {"Two", "1.5", false, ""}};
         r.held.push_back({"Two", "each-way", "5", "2", "3", "1/5"});
       },
       "win lays' book is 133.33%), so there is no best plan without a cap"},
      {[](Request& r) {
         for (int j = 0; j < 6; ++j) {
           r.runners.push_back({"R" + std::to_string(j), "20", false, ""});
           r.held.push_back({"R" + std::to_string(j), "each-way", "1", "20", "3", "1/5"});
         }
       },
       "At most 5 runners with held each-way bets"},
  };
  for (const auto& c : cases) {
    Request r = WorkedExample();
    c.change(r);
    const auto p = MakePlan(r);
    ASSERT_FALSE(p.ok());
    EXPECT_NE(p.error().find(c.says), std::string::npos) << p.error();
  }
}

// Money x / y cents, exact for the small cases below.
struct Cents {
  i128 x = 0, y = 1;
  friend Cents operator+(Cents a, Cents b) { return {a.x * b.y + b.x * a.y, a.y * b.y}; }
  friend Cents operator-(Cents a) { return {-a.x, a.y}; }
  friend auto operator<=>(Cents a, Cents b) { return a.x * b.y <=> b.x * a.y; }
  friend bool operator==(Cents a, Cents b) { return a.x * b.y == b.x * a.y; }
};

struct LaidRunner {
  Price book, win, place;
  bool laid_place = true;
  int64_t stake = 0;  // cents, each part
  int places = 0;
  int fraction_den = 5;
  std::optional<Price> back{};  // a held win bet beside it, of 2 steps
};

struct LaidCase {
  std::vector<LaidRunner> runners;
  int winners = 3;
  Step step;
  int64_t min = 0, commission = 0;
  std::optional<int64_t> cap, loss;  // steps, cents
  std::optional<int> field;          // runners in the race
};

// Standing of a plan: worst, extra-place worst, loss, stakes, then order.
struct Standing {
  Cents worst;
  std::optional<Cents> extra;
  Cents loss;
  int64_t total = 0;
  std::vector<int64_t> v;
  bool BetterThan(const Standing& o) const {
    if (worst != o.worst) return worst > o.worst;
    if (extra && *extra != *o.extra) return *extra > *o.extra;
    if (loss != o.loss) return loss < o.loss;
    if (total != o.total) return total < o.total;
    return v < o.v;
  }
};

Cents Net(const LaidCase& c, Cents gross) {
  return gross.x > 0 ? Cents{gross.x * (10000 - c.commission), gross.y * 10000} : gross;
}

// Every finishing order of the runners a field allows: place 1 to `last`,
// or 0 beyond.
void EachFinish(std::size_t n, int last, std::optional<int> field,
                const std::function<void(const std::vector<int>&)>& f) {
  std::vector<int> pos(n);
  std::function<void(std::size_t)> go = [&](std::size_t j) {
    if (j == n) {
      const auto beyond = std::count(pos.begin(), pos.end(), 0);
      const bool fits =
          !field || (beyond <= std::max(0, *field - last) &&
                     std::all_of(pos.begin(), pos.end(), [&](int p) { return p <= *field; }));
      if (fits) f(pos);
      return;
    }
    for (int p = 0; p <= last; ++p)
      if (p == 0 || std::find(pos.begin(), pos.begin() + static_cast<std::ptrdiff_t>(j), p) ==
                        pos.begin() + static_cast<std::ptrdiff_t>(j))
        pos[j] = p, go(j + 1);
  };
  go(0);
}

Standing StandingOf(const LaidCase& c, const std::vector<int64_t>& v) {
  const std::size_t n = c.runners.size();
  int last = c.winners;
  for (const LaidRunner& r : c.runners) last = std::max(last, r.places);
  Standing s{{}, {}, {}, 0, v};
  for (int64_t x : v) s.total += x;
  bool first = true;
  EachFinish(n, last, c.field, [&](const std::vector<int>& pos) {
    Cents held, win, place;
    bool extra = false;
    for (std::size_t j = 0; j < n; ++j) {
      const LaidRunner& r = c.runners[j];
      const i128 x = v[j] * c.step.cents, y = v[n + j] * c.step.cents;
      const Cents part{r.stake * (r.book.a - r.book.b), r.book.b};
      held = held + (pos[j] == 1 ? part : Cents{-r.stake});
      held = held + (pos[j] >= 1 && pos[j] <= r.places ? Cents{part.x, part.y * r.fraction_den}
                                                       : Cents{-r.stake});
      if (r.back)
        held = held + (pos[j] == 1 ? Cents{2 * c.step.cents * (r.back->a - r.back->b), r.back->b}
                                   : Cents{-2 * c.step.cents});
      win = win + (pos[j] == 1 ? Cents{x * (r.win.b - r.win.a), r.win.b} : Cents{x});
      const bool placed = pos[j] >= 1 && pos[j] <= c.winners;
      place = place + (placed ? Cents{y * (r.place.b - r.place.a), r.place.b} : Cents{y});
      extra = extra || (pos[j] > c.winners && pos[j] <= r.places);
    }
    const Cents fresh = Net(c, win) + Net(c, place), total = held + fresh;
    if (first || total < s.worst) s.worst = total;
    if (extra && (!s.extra || total < *s.extra)) s.extra = total;
    if (-fresh > s.loss) s.loss = -fresh;
    first = false;
  });
  return s;
}

Request RequestOf(const LaidCase& c) {
  Request r;
  r.side = Side::Lay;
  r.mode = c.loss ? Mode::Liability : Mode::Stake;
  r.amount = c.loss ? MoneyText(*c.loss) : MoneyText(*c.cap * c.step.cents);
  r.commission = kCommissions[c.commission / 250];
  r.step = c.step.text;
  r.min_stake = MoneyText(c.min * c.step.cents);
  r.place_market = std::to_string(c.winners);
  if (c.field) r.field_size = std::to_string(*c.field);
  for (std::size_t j = 0; j < c.runners.size(); ++j) {
    const LaidRunner& l = c.runners[j];
    const std::string name = "R" + std::to_string(j);
    r.runners.push_back({name, l.win.text, false, l.laid_place ? l.place.text : ""});
    r.held.push_back({name, "each-way", MoneyText(l.stake), l.book.text, std::to_string(l.places),
                      "1/" + std::to_string(l.fraction_den)});
    if (l.back) r.held.push_back({name, "back", MoneyText(2 * c.step.cents), l.back->text, "", ""});
  }
  return r;
}

class EachWayLaysOptimal : public ::testing::TestWithParam<int> {
 protected:
  LaidCase Random() {
    LaidCase c;
    const std::size_t n = GetParam() % 3 == 0 ? 2 : 1;
    c.step = kSteps[gen() % 2];
    c.winners = 1 + static_cast<int>(gen() % 3);
    c.min = static_cast<int64_t>(gen() % 3);
    c.commission = static_cast<int64_t>(gen() % 3) * 250;
    for (std::size_t j = 0; j < n; ++j) {
      LaidRunner r{Pick(), Pick(), Pick()};
      r.laid_place = gen() % 4 != 0;
      r.stake = (1 + static_cast<int64_t>(gen() % 4)) * c.step.cents;
      r.places = 1 + static_cast<int>(gen() % 4);
      r.fraction_den = 4 + static_cast<int>(gen() % 2);
      if (gen() % 4 == 0) r.back = Pick();
      c.runners.push_back(r);
    }
    if (gen() % 3 == 0) c.field = static_cast<int>(n + gen() % 3);
    // A liability bounds a lone runner's two lays; two runners take a cap.
    if (n == 1 && gen() % 2)
      c.loss = (1 + static_cast<int64_t>(gen() % 8)) * c.step.cents;
    else
      c.cap = (n == 1 ? 8 : 5) + static_cast<int64_t>(gen() % 5);
    return c;
  }
  Price Pick() { return kPrices[gen() % std::size(kPrices)]; }
  std::mt19937 gen{static_cast<unsigned>(GetParam())};
};

// Every staking the caps allow, each stake 0 or from the minimum up.
TEST_P(EachWayLaysOptimal, BeatsOrTiesEveryOtherStaking) {
  const LaidCase c = Random();
  const std::size_t n = c.runners.size(), d = 2 * n;
  // A lone runner's lay loses at most the liability when it wins.
  const auto most = [&](std::size_t i, int64_t left) -> int64_t {
    if (i >= n && !c.runners[i - n].laid_place) return 0;
    if (!c.loss) return left;
    const Price& o = i < n ? c.runners[i].win : c.runners[i - n].place;
    return *c.loss * o.b / ((o.a - o.b) * c.step.cents);
  };
  std::optional<Standing> best;
  std::vector<int64_t> v(d, 0);
  std::function<void(std::size_t, int64_t)> go = [&](std::size_t i, int64_t left) {
    if (i == d) {
      const Standing s = StandingOf(c, v);
      if (c.loss && s.loss > Cents{*c.loss}) return;
      if (!best || s.BetterThan(*best)) best = s;
      return;
    }
    for (int64_t x = 0; x <= most(i, left); x = x == 0 ? std::max<int64_t>(c.min, 1) : x + 1) {
      v[i] = x;
      go(i + 1, c.cap ? left - x : left);
    }
    v[i] = 0;
  };
  go(0, c.cap.value_or(0));
  const auto p = MakePlan(RequestOf(c));
  ASSERT_TRUE(p.ok()) << p.error();
  std::vector<int64_t> planned;
  for (const RunnerPlan& r : p->runners) planned.push_back(r.stake / c.step.cents);
  for (const RunnerPlan& r : p->runners) planned.push_back(r.lay_place_stake / c.step.cents);
  EXPECT_EQ(planned, best->v) << "seed " << GetParam();
  EXPECT_EQ(p->worst_profit,
            static_cast<int64_t>(RoundHalfEven(Ratio{best->worst.x, best->worst.y})));
}

INSTANTIATE_TEST_SUITE_P(AgainstEveryStaking, EachWayLaysOptimal, ::testing::Range(1, 121));

}  // namespace
}  // namespace stakora::plan
