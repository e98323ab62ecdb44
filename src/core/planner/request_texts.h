#pragma once
// Every text a plan is given, read once: each box and cell on its own, as a
// number or the reason it cannot be one. Every message starts with the name
// of the box, runner or held bet it is about.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "plan.h"
#include "result.h"
#include "solver.h"

namespace stakora::plan {

// Odds as typed ("3.5", "7/2", "evens"), the message starting with `who`.
Result<Odds, std::string> ReadOdds(const std::string& odds, const std::string& who);

// Odds that must be a price on the exchange's ladder (ladder.h): the message
// names the two ladder prices either side.
Result<Odds, std::string> ReadLadderOdds(const std::string& odds, const std::string& who);

// A money box's text in cents: at most two decimals, at most `most` cents;
// the message starts with `what`, the box's name.
Result<std::int64_t, std::string> ReadMoney(const std::string& what, const std::string& text,
                                            std::int64_t most);
// The same, above 0 and at most kMostCents: an amount or a held bet's stake.
Result<std::int64_t, std::string> ReadPositiveMoney(const std::string& what,
                                                    const std::string& text);

// In cents or hundredths of a percent.
Result<std::int64_t, std::string> ReadStep(const std::string& text);        // above 0
Result<std::int64_t, std::string> ReadCommission(const std::string& text);  // "5" or "5%"
// "5" or "5%", below 100 with at most two decimals, the message starting
// with `what`.
Result<std::int64_t, std::string> ReadPercent(const std::string& what, const std::string& text);
Result<std::int64_t, std::string> ReadMinStake(const std::string& text);
// The exchange's minimum payout; an empty box is none (0).
Result<std::int64_t, std::string> ReadMinPayout(const std::string& text);
Result<std::int64_t, std::string> ReadAmount(const std::string& text);  // above 0
// Rule 4 deductions are whole pence in the pound, at most 90.
inline constexpr int kMostRule4Pence = 90;
Result<int, std::string> ReadPence(const std::string& what, const std::string& text);
// Rule 4 on the held bets; an empty box is none.
Result<int, std::string> ReadRule4(const std::string& text);

struct PlaceTerms {
  int places = 0;
  int fraction_num = 1, fraction_den = 1;  // in lowest terms, 0 < f <= 1
  friend bool operator==(const PlaceTerms&, const PlaceTerms&) = default;
};

// The field size is a whole number of runners from 1 to kMaxRunners, the
// places one from 1 to 10, the fraction in (0, 1] ("1/5" or 0.2).
Result<int, std::string> ReadFieldSize(const std::string& text);
Result<int, std::string> ReadPlaces(const std::string& text);
Result<PlaceTerms, std::string> ReadPlaceFraction(const std::string& text);

enum class HeldKind { Back, Lay, Free, FreeStakeReturned, EachWay };

// Every kind, in the order offered.
inline constexpr HeldKind kHeldKinds[] = {HeldKind::Back, HeldKind::Lay, HeldKind::Free,
                                          HeldKind::FreeStakeReturned, HeldKind::EachWay};

// A kind of bet's word and what it is, for a list to explain its choices;
// each module that offers kinds keeps a table of these.
struct KindWords {
  const char* name;
  const char* help;
};

// "back", "lay", "free", "free-sr", "each-way".
const char* HeldKindName(HeldKind kind);
// The kind's name and what it is, for a list to explain its choices.
const char* HeldKindHelp(HeldKind kind);

// Held bet i's cells, the message starting "Held bet N". The runner is a
// name of the request's runners, else a position among them.
Result<std::size_t, std::string> ReadHeldRunner(const Request& r, std::size_t i);
// The same for a runner named elsewhere, the message starting with `who`.
Result<std::size_t, std::string> ReadRunnerOf(const Request& r, std::string_view typed,
                                              const std::string& who);
Result<HeldKind, std::string> ReadHeldKind(const std::string& text, std::size_t i);
// Whether a kind typed reads as each-way, as ReadHeldKind reads it.
bool IsEachWayKind(const std::string& text);
Result<std::int64_t, std::string> ReadHeldStake(const std::string& text, std::size_t i);
// Runner j's odds in the exchange's place market, on its ladder when it is on.
Result<Odds, std::string> ReadPlaceOdds(const std::string& text, std::size_t j, bool on_ladder);

// A held each-way bet's terms at the bookmaker: its places, its fraction
// (the terms' places left 0), and both.
Result<int, std::string> ReadHeldPlaces(const std::string& text, std::size_t i);
Result<PlaceTerms, std::string> ReadHeldFraction(const std::string& text, std::size_t i);
Result<PlaceTerms, std::string> ReadHeldTerms(const HeldInput& bet, std::size_t i);
// The winners an exchange's place market pays, 1 to 10.
Result<int, std::string> ReadPlaceMarket(const std::string& text);
// A held lay is at an exchange: with its ladder on, its odds must be on it.
Result<Odds, std::string> ReadHeldOdds(const std::string& text, std::size_t i,
                                       bool on_ladder = false);

}  // namespace stakora::plan
