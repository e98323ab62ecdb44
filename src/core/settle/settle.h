#pragma once
// What a race pays: bets settled exactly for a result, with non-runners
// (Rule 4 at a bookmaker, reduction factors at an exchange), dead heats and
// each-way terms. Money is exact until each bet's return is rounded to the
// cent, half up; the totals add the rounded figures.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "result.h"
#include "rule4.h"
#include "solver.h"

namespace stakora::settle {

enum class BetKind {
  Back,               // a bookmaker's win bet
  EachWay,            // a bookmaker's win bet and place bet, each of the stake
  Free,               // a bookmaker's free bet, its stake not returned
  FreeStakeReturned,  // the same with the stake returned
  Lay,                // an exchange lay in the win market, the stake the backer's
  ExchangeBack,       // an exchange back in the win market
  PlaceBack,          // exchange bets in a place market
  PlaceLay,
};

inline constexpr BetKind kBetKinds[] = {
    BetKind::Back, BetKind::EachWay,      BetKind::Free,      BetKind::FreeStakeReturned,
    BetKind::Lay,  BetKind::ExchangeBack, BetKind::PlaceBack, BetKind::PlaceLay};

// "back", "each-way", "free", "free-sr", "lay", "exchange-back",
// "place-back", "place-lay".
const char* BetKindName(BetKind kind);
// The kind's name and what it is, for a list to explain its choices.
const char* BetKindHelp(BetKind kind);
bool IsExchange(BetKind kind);
bool InPlaceMarket(BetKind kind);

struct Bet {
  std::string runner;
  BetKind kind = BetKind::Back;
  std::int64_t stake = 0;  // cents: each part's for each way, the backer's for a lay
  plan::Odds odds;
  int places = 1;  // positions paid: each way's place part, a place market's
  int fraction_num = 1, fraction_den = 1;  // each way's share of the odds
};

struct NonRunner {
  std::string name;
  std::optional<plan::Odds> price;  // at withdrawal; none: no Rule 4
  std::int64_t win_factor = 0;      // reduction factors, hundredths of a percent
  std::int64_t place_factor = 0;
};

struct Finisher {
  std::string name;
  int position = 1;
};

struct Race {
  std::vector<Finisher> finish;  // runners in a paid position; others unplaced
  std::vector<NonRunner> non_runners;
};

struct Terms {
  std::int64_t commission = 0;  // hundredths of a percent, per exchange market
  int rule4_cap = kRule4Cap;    // pence
};

enum class Status { Won, Placed, Lost, Void, DeadHeat };
// "won", "placed", "lost", "void", "dead heat".
const char* StatusName(Status status);

struct DeadHeat {
  int places = 0, runners = 0;  // k places left for t runners
};
// "k/t", unreduced: "2/4" is two places for four runners.
std::string DeadHeatText(const DeadHeat& d);

struct SettledBet {
  Status status = Status::Lost;
  std::optional<DeadHeat> dead_heat;         // the part that divided its stake
  std::optional<int> rule4_pence;            // a bookmaker's bet on a runner that ran
  std::optional<std::int64_t> reduced_odds;  // an exchange win price cut, in hundredths
  std::int64_t returned = 0;                 // cents, the stake included
  std::int64_t profit = 0;                   // cents, before commission
};

struct Settlement {
  std::vector<SettledBet> bets;
  std::int64_t total_stake = 0, total_return = 0, commission = 0, profit = 0;
  int rule4_pence = 0;  // what bookmakers deduct, after the cap
};

// The limits of one settlement: far beyond a race's.
inline constexpr std::size_t kMaxBets = 1000;
inline constexpr int kMostPosition = 1000;

// Every bet settled for the result, or the first reason the result cannot
// be (gaps in the positions, a runner both placed and withdrawn, reduction
// factors of 100% or more). Bets are read already (settle_texts.h).
Result<Settlement, std::string> Settle(const std::vector<Bet>& bets, const Race& race,
                                       const Terms& terms);

}  // namespace stakora::settle
