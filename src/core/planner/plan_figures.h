#pragma once
// What every kind of plan works out the same way from a checked request: the
// book as text, results net of commission in whole cents, the refusals for a
// search that found no total, and a back plan's total and stakes.

#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>

#include "big.h"
#include "checked_request.h"
#include "solver.h"

namespace stakora::plan {

inline constexpr const char* kStopped = "Stopped before the plan was found";
inline constexpr const char* kTooLarge =
    "The unrounded plan's figures are too large to show; ask for less";

// The book as a percentage that never reads 100 when the book is not 100%:
// two decimals, more where they are needed.
std::string BookText(const Fraction& book);

// q rounded half to even, when it fits in 64 bits.
std::optional<std::int64_t> Rounded(const Fraction& q);

// A gross result net of commission, in whole cents: exactly for the unrounded
// plan's figures, in 128 bits (num / den) for a runner's.
std::optional<std::int64_t> NetCents(const Checked& c, const Fraction& gross);
std::int64_t NetCents(const Checked& c, i128 gross_num, i128 gross_den);

// The minimum stakes (of `parts` bets each) cost more than the stake.
std::string MinimumsTooMuch(const Checked& c, std::int64_t parts);

// The total a search found, or the refusal for why it found none: `beyond`
// when it lies past the largest total, `none` when there is none at all.
Result<std::int64_t, std::string> TotalOrRefusal(const std::optional<std::int64_t>& total,
                                                 const Search& s, const char* whose,
                                                 const std::string& book_text,
                                                 const std::string& beyond,
                                                 const std::string& none);

// The words a back plan's refusals use for its kind of plan.
struct BackWords {
  const char* book;   // "runners' book": the book that is 100% or more
  const char* whose;  // "runners'": the book a search gave up on
  const char* spent;  // "staked": what is done with the amount
};

// A back plan over f, each step of its total costing `unit` cents: the
// amount spread (stake mode) or the least total that nets the amount on every
// runner but the savers (profit mode), the stakes, and the same plan's
// unrounded worst profit and total in cents.
struct BackPlan {
  std::int64_t total = 0;  // steps
  Stakes stakes;
  std::int64_t exact_worst = 0, exact_total = 0;
};
Result<BackPlan, std::string> PlanBack(const Checked& c, const Field& f, const Books& books,
                                       Mode mode, std::int64_t unit, const BackWords& words,
                                       std::stop_token stop);

// What every plan shows before its runners: side, mode, step, commission and
// the runners' book.
Plan PlanHead(const Request& r, const Checked& c, const Fraction& book);

// What every plan shows of a runner before its figures: names, odds, saver.
RunnerPlan RunnerOf(const Request& r, const Checked& c, std::size_t j);

// What a lay of `stake` cents at odds o pays if its runner wins.
std::int64_t LayLiability(std::int64_t stake, const Odds& o);

// The least and the largest profit if a runner of the plan wins, savers
// left out (a plan has at least one runner that is no saver).
std::int64_t WorstWin(const std::vector<RunnerPlan>& runners);
std::int64_t BestWin(const std::vector<RunnerPlan>& runners);

// What rounding costs a plan in its own terms: profit, stake or backers' stakes.
std::int64_t RoundingCost(const Plan& p);

}  // namespace stakora::plan
