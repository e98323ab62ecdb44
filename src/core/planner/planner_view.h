#pragma once
// What the stake planner window shows, worked out from the planner's value
// and a plan: the figures of each row, the boxes and cells that cannot be
// read, the summary, and which controls and columns are there. The window
// only draws it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "plan.h"
#include "plan_text.h"
#include "planner_model.h"

namespace stakora::plan {

// What the window shows of one grid row besides what the user typed.
struct RowResult {
  std::string stake, liability, profit;  // money texts, empty when nothing is planned
  std::string held;                      // what held bets return if it wins
  std::int64_t profit_cents = 0;         // below 0: a loss, shown red
  // Each way: the place odds and the result if it only places.
  std::string place_odds, place_profit;
  std::int64_t place_profit_cents = 0;
  // Around held each-way bets: the place lay, its liability, and the results
  // in an extra place and outside the bookmaker's places.
  std::string place_lay, place_liability, extra_profit, unplaced_profit;
  std::int64_t extra_profit_cents = 0, unplaced_profit_cents = 0;
  // The bars: each figure as a share of the largest a bar shows (-1 to 1),
  // none when there is no figure; and what a screen reader says of them.
  std::optional<double> bar, place_bar, extra_bar, unplaced_bar;
  std::string bar_text;
  friend bool operator==(const RowResult&, const RowResult&) = default;
};

// Which controls can be used and which columns are shown: they follow the
// side, the mode, each way and the held bets.
struct PlannerControls {
  bool lay = true, profit = true, liability = false, commission = true;
  // An exchange's rules (a bookmaker's each-way bet has none); whether Up and
  // Down move the runners' odds a tick on its ladder.
  bool exchange = true, ticks = false;
  bool terms = false;         // field size, handicap, places and place fraction
  bool place_market = false;  // a held each-way bet is typed
  bool copy = false;          // there are stakes to copy
  // The held bets list and Field covered; the Saver column (a ticked saver
  // can still be unticked). Each says why when it is off.
  bool held = true, saver = true;
  std::string held_why, saver_why, profit_why;
  std::string held_caption;  // "Held bets (N)"
  PlanColumns columns;
  std::string stake_heading;
  friend bool operator==(const PlannerControls&, const PlannerControls&) = default;
};

// A box or cell whose text cannot be read, and why: the words the plan's
// refusal uses, starting with the box's or runner's name.
struct Problem {
  enum class At { Box, Cell, HeldCell };
  At at = At::Box;
  Box box = Box::Amount;
  std::size_t line = 0;  // the grid row or the held bets' line
  Cell cell = Cell::Odds;
  HeldCell held_cell = HeldCell::Runner;
  std::string message;
  friend bool operator==(const Problem&, const Problem&) = default;
};

// A box's text as the window shows it: the each-way boxes are empty while
// Each way is off (the planner keeps what they held).
std::string ShownBoxText(const Planner& p, Box box);

// What the bars show, for their heading.
inline constexpr const char* kBarsLegend =
    "Bars: the profit if the runner wins (and, below it, if it only places; around held "
    "each-way bets, then in an extra place and unplaced), green a gain and red a loss, every "
    "bar on one scale: the largest figure of the plan";

// Every box and cell that cannot be read, in the order the plan reads them.
std::vector<Problem> Problems(const Planner& p);
struct PlannerView;
// Why a box or cell of the view cannot be read; empty when it can.
std::string BoxProblem(const PlannerView& v, Box box);
std::string CellProblem(const PlannerView& v, std::size_t row, Cell cell);
std::string HeldCellProblem(const PlannerView& v, std::size_t line, HeldCell cell);

struct PlannerView {
  std::string summary;
  std::vector<Problem> problems;
  std::vector<RowResult> rows;  // one per grid row
  double bar_zero = 0;          // where the bars' zero stands: 0, 1/2 or 1 of the width
  std::string stakes_text;      // what "Copy stakes" copies; empty when there is none
  PlannerControls controls;
};

inline constexpr const char* kAskForRunners = "Type the odds of the runners and the amount.";
inline constexpr const char* kWorkingOut = "Working out the plan...";

// Nothing planned: the summary says why (a refusal, what is missing, or that
// the plan is being worked out).
PlannerView ViewWithout(const Planner& p, std::string summary);
// Nothing to plan yet: the summary names the first box that cannot be read,
// else offers to undo a clear, else asks for the runners and the amount.
PlannerView PromptView(const Planner& p);
// The view once "Copy stakes" has put its stakes on the clipboard: the
// summary says so.
PlannerView Copied(PlannerView v);
// The plan of RequestOf(p), each runner's figures on its own row.
PlannerView ViewOf(const Planner& p, const Plan& plan);
// The view at once after an edit, before its plan is worked out: the
// problems and controls of the planner as it now is, and, when rows came or
// went, no figures (they would stand on other runners).
PlannerView ViewAfter(const Planner& p, PlannerView v, const Applied& applied);

}  // namespace stakora::plan
