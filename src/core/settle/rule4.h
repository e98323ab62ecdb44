#pragma once
// Rule 4: when a runner is withdrawn after bets are struck, a bookmaker
// deducts from the winnings on the others by the withdrawn runner's price,
// so many pence in the pound.

#include "request_texts.h"
#include "solver.h"

namespace stakora::settle {

// The deduction for one runner withdrawn at decimal odds `price`: the first
// band whose bound its profit ratio (price - 1) is at or under.
int Rule4Pence(const plan::Odds& price);

// Bookmakers cap the deductions of several non-runners, which add.
inline constexpr int kRule4Cap = plan::kMostRule4Pence;

}  // namespace stakora::settle
