#pragma once
// A race as a file a spreadsheet opens: comma-separated UTF-8 in sections, a
// blank line (or one of empty cells) between them, each headed by its column
// names.
//
//   name,odds,saver[,place_odds]          the runners, a saver marked "yes"
//   runner,kind,stake,odds[,places,fraction]   the held bets, when any
//   setting,value                          field_covered, rule4, place_market
//
// Columns are found by their names, in any order; others are left alone. A
// section is known by its heading: "setting" first, else a "kind" column
// (held bets) or an "odds" column (runners), which come first.

#include <string>
#include <string_view>

#include "planner_settings.h"
#include "result.h"

namespace stakora::plan {

std::string RaceCsv(const Race& race);

// The race, or the first reason it cannot be read, as "Line N: ...".
Result<Race, std::string> ReadRaceCsv(std::string_view text);

// Whether a text starts as a race does: with the runners' heading, naming
// at least the name and odds columns.
bool LooksLikeRaceCsv(std::string_view text);

}  // namespace stakora::plan
