#pragma once
// The stake planner window as a plain value: what the user typed and chose,
// changed only by the edits below, and what the window shows, worked out from
// it and a plan. The desktop window draws this and forwards each edit, as the
// main window does with Form1.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plan.h"
#include "planner_settings.h"

namespace stakora::plan {

// One line of the runners grid, as typed.
struct PlannerRow {
  std::string name, odds;
  bool saver = false;
  friend bool operator==(const PlannerRow&, const PlannerRow&) = default;
};

// A row with neither a name nor odds is not filled in yet: it is no runner.
bool IsRunner(const PlannerRow& row);

// A held bet's line with nothing typed but its kind is not filled in yet.
bool IsHeld(const HeldInput& bet);

enum class Box { Amount, Commission, Step, MinStake, FieldSize, Places, PlaceFraction };
enum class Cell { Name, Odds };
enum class HeldCell { Runner, Kind, Stake, Odds };

// Held bets and whether the runners are the whole field belong to one race,
// like the runners, and are not kept in the settings.
struct Planner : Choices {
  std::vector<PlannerRow> rows = std::vector<PlannerRow>(3);  // three to type into
  std::vector<HeldInput> held;
  bool field_covered = false;
  std::vector<PlannerRow> cleared;  // the rows "Clear runners" took, until a row is edited
  friend bool operator==(const Planner&, const Planner&) = default;
};

Planner MakePlanner(const PlannerSettings& s);
PlannerSettings SettingsOf(const Planner& p);

// The edits the window forwards. A row index past the grid changes nothing.
void SetSide(Planner& p, Side side);  // a mode the new side lacks falls back to a stake
void SetMode(Planner& p, Mode mode);  // a mode the side lacks is not taken
// A field size that reads as one fills in the usual places and fraction, or
// empties them when a race that small has none; so does the handicap box.
void SetBox(Planner& p, Box box, std::string text);
const std::string& BoxText(const Planner& p, Box box);
// Each way backs at a bookmaker: it takes the back side and no liability.
void SetEachWay(Planner& p, bool on);
void SetHandicap(Planner& p, bool handicap);
void SetCell(Planner& p, std::size_t row, Cell cell, std::string text);
void SetSaver(Planner& p, std::size_t row, bool saver);
void AddRow(Planner& p);
void RemoveRow(Planner& p, std::size_t row);
// Pasted lines of runners fill the empty rows first, then follow the last;
// a grid with nothing typed is replaced by them. Returns how many were pasted.
std::size_t PasteRunners(Planner& p, std::string_view text);
// Empties the grid (three rows to type into). Until a row is edited,
// UndoClear brings the runners back; it says whether it did.
void ClearRunners(Planner& p);
bool UndoClear(Planner& p);

// The held bets list: a new line backs; a line index past the list changes
// nothing. Pasted lines are added after the filled ones (plan_text.h).
void AddHeld(Planner& p);
void RemoveHeld(Planner& p, std::size_t line);
void SetHeldCell(Planner& p, std::size_t line, HeldCell cell, std::string text);
std::size_t PasteHeld(Planner& p, std::string_view text);
void SetFieldCovered(Planner& p, bool covered);
// Any held bet filled in: the plan is of new bets around them.
bool HasHeld(const Planner& p);

// The rows and held bets filled in, and the boxes, as one request, whether or
// not it can be planned yet.
Request TypedRequest(const Planner& p);
// What to plan, or nothing yet: no runner, or no amount typed (around held
// bets the amount is a cap, and may be left empty).
std::optional<Request> RequestOf(const Planner& p);

// What the window shows of one grid row besides what the user typed.
struct RowResult {
  std::string stake, liability, profit;  // money texts, empty when nothing is planned
  std::string held;                      // what held bets return if it wins
  std::int64_t profit_cents = 0;
  bool loss = false;  // the profit if it wins is a loss
  // Each way: the place odds and the result if it only places.
  std::string place_odds, place_profit;
  std::int64_t place_profit_cents = 0;
  bool place_loss = false;
  friend bool operator==(const RowResult&, const RowResult&) = default;
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
  std::vector<RowResult> rows;      // one per grid row
  std::int64_t largest_profit = 0;  // cents, the largest size of a figure a bar shows: their scale
  bool any_loss = false, any_gain = false;  // so the bars' zero can stand where both fit
  std::string stakes_text;                  // what "Copy stakes" copies; empty when there is none
};

inline constexpr const char* kAskForRunners = "Type the odds of the runners and the amount.";
inline constexpr const char* kWorkingOut = "Working out the plan...";

// Nothing planned: the summary says why (a refusal, what is missing, or that
// the plan is being worked out).
PlannerView ViewWithout(const Planner& p, std::string summary);
// Nothing to plan yet: the summary names the first box that cannot be read,
// else offers to undo a clear, else asks for the runners and the amount.
PlannerView PromptView(const Planner& p);
// The summary once "Copy stakes" has put the view's stakes on the clipboard.
std::string CopiedSummary(const PlannerView& v);
// The plan of RequestOf(p), each runner's figures on its own row.
PlannerView ViewOf(const Planner& p, const Plan& plan);

}  // namespace stakora::plan
