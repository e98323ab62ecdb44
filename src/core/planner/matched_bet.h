#pragma once
// The Matched bet window as a plain value: a back bet held (a qualifying bet
// or a free bet) and its lay at an exchange, planned exactly by the stake
// planner around the held bet, then moved by underlay or overlay. The desktop
// window draws the view and forwards each edit.

#include <cstdint>
#include <optional>
#include <string>

#include "lay_lean.h"
#include "plan.h"
#include "result.h"

namespace stakora::plan {

enum class MatchedKind { Qualifying, Free, FreeStakeReturned };
// Its order is that of the table of the boxes' texts in matched_bet.cpp.
enum class MatchedBox { BackStake, BackOdds, LayOdds, LayCommission, BackCommission, Step };

// Every kind, in the order offered, and its words in the window.
inline constexpr MatchedKind kMatchedKinds[] = {MatchedKind::Qualifying, MatchedKind::Free,
                                                MatchedKind::FreeStakeReturned};
const char* MatchedKindLabel(MatchedKind kind);  // "Free bet (stake not returned)"
const char* MatchedKindName(MatchedKind kind);   // "qualifying", "free", "free-sr"

// The lean runs from full underlay (-100) through the best lay (0) to full
// overlay (100): the percentage of the way to that end.
inline constexpr int kMostLean = 100;

struct MatchedBet {
  std::string back_stake{}, back_odds{}, lay_odds{};
  std::string lay_commission = "0";  // percent; the exchange's
  std::string back_commission{};     // percent, "" for none: a back bet at an exchange
  std::string step = "0.01";
  MatchedKind kind = MatchedKind::Qualifying;
  int lean = 0;
  friend bool operator==(const MatchedBet&, const MatchedBet&) = default;
};

std::string& BoxText(MatchedBet& m, MatchedBox box);
const std::string& BoxText(const MatchedBet& m, MatchedBox box);
void SetLean(MatchedBet& m, int lean);  // held to -kMostLean..kMostLean

// A box that cannot be read, and why, in the box's own words.
struct MatchedProblem {
  std::optional<MatchedBox> box;  // none: a prompt or the planner's refusal
  std::string message;
  friend bool operator==(const MatchedProblem&, const MatchedProblem&) = default;
};

// What the planner is asked: one runner laid at the lay odds around the held
// bet, with no cap. A back commission is taken into the held bet's odds, as
// what the bet pays after it: 5.0 with 2% pays as 4.92 does.
Result<Request, MatchedProblem> MatchedRequest(const MatchedBet& m);

// What the window shows: money texts, signed for the outcomes, and one
// sentence of it all for a screen reader; or the problem.
struct MatchedView {
  std::string lay_stake, liability, if_back_wins, if_lay_wins;
  std::int64_t if_back_wins_cents = 0, if_lay_wins_cents = 0;  // below 0: shown red
  std::string result_label;  // "Qualifying loss", "Qualifying profit", "Retention"
  std::string result;        // "0.54", "74.75%"
  std::string lean_text;     // "Best lay", "Underlay 40%", "Full overlay: ..."
  std::string summary;
  std::optional<MatchedProblem> problem;
  friend bool operator==(const MatchedView&, const MatchedView&) = default;
};

// The view of `best`, the planner's plan of MatchedRequest(m), moved by the lean.
MatchedView MatchedViewOf(const MatchedBet& m, const Request& r,
                          const Result<Plan, std::string>& best);
// The view while there is no plan to show: a problem, or a plan being worked out.
MatchedView MatchedViewWithout(MatchedProblem problem);

// The choices a window remembers in matched.txt, beside planner.txt.
inline constexpr const char* kMatchedSettingsFile = "matched.txt";
std::string MatchedSettingsText(const MatchedBet& m);
MatchedBet ReadMatchedSettings(std::string_view text);

}  // namespace stakora::plan
