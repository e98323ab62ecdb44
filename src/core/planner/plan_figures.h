#pragma once
// What every kind of plan works out the same way from a checked request: the
// book as text, results net of commission in whole cents, and the refusals
// for a search that found no total.

#include <cstdint>
#include <optional>
#include <string>

#include "big.h"
#include "checked_request.h"
#include "solver.h"

namespace stakora::plan {

inline constexpr const char* kStopped = "stopped before the plan was found";

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
Result<std::int64_t, std::string> Found(const std::optional<std::int64_t>& total, const Search& s,
                                        const char* whose, const std::string& book_text,
                                        const std::string& beyond, const std::string& none);

}  // namespace stakora::plan
