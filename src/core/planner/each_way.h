#pragma once
// Each-way plans. An each-way stake s is two bets of s: the win part returns
// s * O if the runner wins, the place part s * P if it finishes in the first
// K places, P = 1 + f * (O - 1). With E = O + P and T the sum of the stakes:
//   win outcome of i (no other runner of the plan places):   s_i * E - 2T
//   place outcome of i (it places, no other of the plan does): s_i * P - 2T
// A plan maximises the worst win outcome of the runners that are not savers
// (savers break even), and among those stakes the worst place outcome. That
// is the back planner's problem at odds E / 2 and a total of T, followed by
// spreading what the win outcomes leave free over the place outcomes.

#include <optional>
#include <stop_token>
#include <string>

#include "checked_request.h"
#include "plan.h"
#include "result.h"

namespace stakora::plan {

struct PlaceTerms {
  int places = 0;
  int fraction_num = 1, fraction_den = 1;  // in lowest terms, 0 < f <= 1
  friend bool operator==(const PlaceTerms&, const PlaceTerms&) = default;
};

// The usual terms for a race of that many runners; none below five.
std::optional<PlaceTerms> UsualPlaceTerms(int runners, bool handicap);

// "1/5".
std::string FractionText(const PlaceTerms& t);

// The terms a request gives: from its field size, with the places and the
// fraction it names instead of the usual ones; or why there are none.
Result<PlaceTerms, std::string> ReadPlaceTerms(const Request& r);

// The boxes on their own, or why they cannot be read; each message starts
// with the box's name. The field size is a whole number of runners from 1 to
// 1000, the places one from 1 to 10, the fraction in (0, 1] ("1/5" or 0.2).
Result<int, std::string> ReadFieldSize(const std::string& text);
Result<int, std::string> ReadPlaces(const std::string& text);
Result<PlaceTerms, std::string> ReadPlaceFraction(const std::string& text);

// The plan of a checked each-way request.
Result<Plan, std::string> MakeEachWayPlan(const Request& r, const Checked& c, std::stop_token stop);

}  // namespace stakora::plan
