#include "each_way.h"

#include <gtest/gtest.h>

#include "exact.h"

namespace stakora::plan {
namespace {

struct TermsRule {
  int fewest, most;
  bool handicap;
  std::optional<PlaceTerms> terms;
};

class UsualTerms : public ::testing::TestWithParam<TermsRule> {};

TEST_P(UsualTerms, HoldFromFirstToLastFieldSize) {
  const TermsRule& rule = GetParam();
  for (int runners = rule.fewest; runners <= rule.most; ++runners)
    EXPECT_EQ(UsualPlaceTerms(runners, rule.handicap), rule.terms) << runners;
}

INSTANTIATE_TEST_SUITE_P(
    EachRule, UsualTerms,
    ::testing::Values(TermsRule{1, 4, true, std::nullopt}, TermsRule{5, 7, true, {{2, 1, 4}}},
                      TermsRule{8, 11, true, {{3, 1, 5}}}, TermsRule{12, 15, false, {{3, 1, 5}}},
                      TermsRule{12, 15, true, {{3, 1, 4}}}, TermsRule{16, 40, false, {{3, 1, 5}}},
                      TermsRule{16, 40, true, {{4, 1, 4}}}));

Request EachWay(Mode mode, const char* amount, const char* step, const char* field,
                std::vector<const char*> odds) {
  Request r;
  r.mode = mode, r.amount = amount, r.step = step, r.field_size = field;
  r.each_way.on = true;
  for (const char* o : odds) r.runners.push_back({"", o, false});
  return r;
}

// Place odds that do not end are shown to six decimals, others exactly.
TEST(EachWayPlan, ShowsPlaceOddsExactlyWhereTheyEnd) {
  Request r = EachWay(Mode::Stake, "10", "0.01", "", {"3/1", "3.123457"});
  r.each_way.places = "2", r.each_way.place_fraction = "1/3";
  const auto third = MakePlan(r);
  ASSERT_TRUE(third) << third.error();
  EXPECT_EQ(third->runners[0].place_odds, "2");
  EXPECT_EQ(third->runners[1].place_odds, "1.707819");
  r.each_way.place_fraction = "1/4";
  EXPECT_EQ(MakePlan(r)->runners[1].place_odds, "1.53086425");
}

// Where a bettor's own terms go, they override the usual ones.
TEST(EachWayPlan, TypedTermsOverrideTheFieldSize) {
  Request r = EachWay(Mode::Stake, "40", "1", "8", {"4/1", "6/1", "10/1"});
  r.each_way.places = "4";
  auto p = MakePlan(r);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->places, 4);
  EXPECT_EQ(p->place_fraction, "1/5");
  r.each_way.place_fraction = "0.25";
  EXPECT_EQ(MakePlan(r)->place_fraction, "1/4");
}

struct Refusal {
  const char* what;
  Request request;
  const char* message;
};

Request With(Request r, void (*change)(Request&)) {
  change(r);
  return r;
}

const Request kThree = EachWay(Mode::Stake, "40", "1", "8", {"4/1", "6/1", "10/1"});

class Refused : public ::testing::TestWithParam<Refusal> {};

TEST_P(Refused, SaysWhy) {
  const auto p = MakePlan(GetParam().request);
  ASSERT_FALSE(p);
  EXPECT_EQ(p.error(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    EachWayPlan, Refused,
    ::testing::Values(
        Refusal{"small field",
                With(kThree, [](Request& r) { r.field_size = "4", r.runners.resize(2); }),
                "Field size: a race of 4 runners has no each-way terms; give the bookmaker's "
                "places and place "
                "fraction"},
        Refusal{"no terms", With(kThree, [](Request& r) { r.field_size = ""; }),
                "Each way needs the field size, or the places and the place fraction"},
        Refusal{"field too small", With(kThree, [](Request& r) { r.field_size = "2"; }),
                "Field size: the plan has 3 runners, more than the 2 in the field"},
        Refusal{"places", With(kThree, [](Request& r) { r.each_way.places = "11"; }),
                "Places: \"11\" is not a whole number from 1 to 10"},
        Refusal{"fraction", With(kThree, [](Request& r) { r.each_way.place_fraction = "5/4"; }),
                "Place fraction: \"5/4\" is not a fraction such as 1/4 or 1/5, above 0 and at "
                "most 1"},
        Refusal{
            "odd outlay", With(kThree, [](Request& r) { r.amount = "41"; }),
            "Amount: the stake 41.00 is not a whole number of each-way steps (two bets) of 2.00"},
        Refusal{"minimums", With(kThree, [](Request& r) { r.min_stake = "7"; }),
                "The minimum stakes add up to 42.00, more than the stake 40.00"},
        Refusal{"savers",
                With(kThree,
                     [](Request& r) {
                       for (auto& x : r.runners) x.saver = true;
                     }),
                "Every runner is a saver: leave at least one to share the profit"},
        Refusal{"lay", With(kThree, [](Request& r) { r.side = Side::Lay; }),
                "An each-way plan backs every runner at a bookmaker: it cannot lay"},
        Refusal{"commission", With(kThree, [](Request& r) { r.commission = "2"; }),
                "Commission: an each-way plan is placed with a bookmaker, who takes no commission"},
        Refusal{"profit saver in a covered field",
                With(kThree,
                     [](Request& r) {
                       r.mode = Mode::Profit, r.amount = "5", r.field_size = "3";
                       r.each_way.places = "2", r.each_way.place_fraction = "1/4";
                       r.runners[2].saver = true;
                     }),
                "Savers cannot be planned for a profit where the runners must fill the places; "
                "plan a stake instead"},
        Refusal{"full book",
                With(kThree,
                     [](Request& r) {
                       r.mode = Mode::Profit;
                       r.runners = {{"", "2", false}, {"", "2", false}};
                     }),
                "The runners' each-way book (the sum of 2 / (win odds + place odds)) is "
                "125.00%, so no stakes can make a profit whichever of them wins"}),
    [](const auto& row) {
      std::string name = row.param.what;
      for (char& ch : name)
        if (ch == ' ') ch = '_';
      return name;
    });

}  // namespace
}  // namespace stakora::plan
