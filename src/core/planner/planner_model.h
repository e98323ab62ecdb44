#pragma once
// The stake planner window as a plain value: what the user typed and chose,
// changed only by the edits below, and what the window shows, worked out from
// it and a plan. The desktop window draws this and forwards each edit, as the
// main window does with Form1.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "plan.h"
#include "planner_settings.h"

namespace stakora::plan {

// One line of the runners grid, as typed.
struct PlannerRow {
  std::string name, odds;
  bool saver = false;
  std::string place_odds{};  // around held each-way bets
  friend bool operator==(const PlannerRow&, const PlannerRow&) = default;
};

// A row with neither a name nor odds is not filled in yet: it is no runner.
bool IsRunner(const PlannerRow& row);

// A held bet's line with nothing typed but its kind is not filled in yet.
bool IsHeld(const HeldInput& bet);

enum class Box {
  Amount,
  Commission,
  Step,
  MinStake,
  FieldSize,
  Places,
  PlaceFraction,
  Rule4,
  MinPayout,
  PlaceMarket
};
enum class Cell { Name, Odds, PlaceOdds };
enum class HeldCell { Runner, Kind, Stake, Odds, Places, Fraction };

// The runners, the held bets and whether the runners are the whole field are
// the race; the settings keep it beside the choices.
struct Planner : Choices {
  std::vector<PlannerRow> rows = std::vector<PlannerRow>(3);  // three to type into
  std::vector<HeldInput> held;
  bool field_covered = false;
  // The exchange whose rules were last chosen ("" for none): a name of
  // kExchangeRules.
  std::string exchange_rules;
  std::vector<PlannerRow> cleared;  // the rows "Clear runners" took, until a row is edited
  std::string note;                 // what the last edit did unasked, for the summary
  friend bool operator==(const Planner&, const Planner&) = default;
};

Planner MakePlanner(const PlannerSettings& s);
PlannerSettings SettingsOf(const Planner& p);

// The race in the window: the runners and held bets filled in, and the rest.
Race RaceOf(const Planner& p);
// A race the user opened, in place of the one in the window: held each-way
// bets lay, and the summary says what came.
void OpenRace(Planner& p, const Race& race);

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
// a grid with nothing typed is replaced by them. A race's comma-separated
// text (race_csv.h) gives its runners; one that does not read is said in
// the note. Returns how many were pasted.
std::size_t PasteRunners(Planner& p, std::string_view text);
// Empties the grid (three rows to type into). Until a row is edited,
// UndoClear brings the runners back; it says whether it did.
void ClearRunners(Planner& p);
bool UndoClear(Planner& p);

// The held bets list: a new line backs; a line index past the list changes
// nothing. Pasted lines are added after the filled ones (plan_text.h).
void AddHeld(Planner& p);
void RemoveHeld(Planner& p, std::size_t line);
// A bet made each way turns the plan to lay: it is laid off at an exchange.
void SetHeldCell(Planner& p, std::size_t line, HeldCell cell, std::string text);
std::size_t PasteHeld(Planner& p, std::string_view text);
void SetFieldCovered(Planner& p, bool covered);
// An exchange's rules fill in the step, the minimum stake and payout and tick
// the ladder; none ("" or a name not known) keeps what they filled in.
void SetExchangeRules(Planner& p, const std::string& name);
void SetLadder(Planner& p, bool on);
// The odds an Up (+1) or Down (-1) key makes of odds typed in a plan at an
// exchange: the next ladder price that way; none past an end of the ladder or
// for odds that do not read.
std::optional<std::string> TickedOdds(const std::string& odds, int direction);
// Whether the runners' odds are an exchange's prices, moved a tick by a key.
bool RunnersAtExchange(const Planner& p);
// Any held bet filled in: the plan is of new bets around them.
bool HasHeld(const Planner& p);
// Any held bet filled in is each way: the plan lays in the win and place
// markets, and the window asks for the place market and place odds.
bool HasHeldEachWay(const Planner& p);

// The edits as values, one per thing a user can do in the window.
struct SideChosen {
  Side side;
};
struct ModeChosen {
  Mode mode;
};
struct BoxTyped {
  Box box;
  std::string text;
};
struct EachWayTicked {
  bool on;
};
struct HandicapTicked {
  bool on;
};
struct CellTyped {
  std::size_t row;
  Cell cell;
  std::string text;
};
struct SaverTicked {
  std::size_t row;
  bool saver;
};
struct RowAdded {};
struct RowRemoved {
  std::size_t row;
};
struct RunnersPasted {
  std::string text;
};
struct RunnersCleared {};
struct ClearUndone {};
struct HeldAdded {};
struct HeldRemoved {
  std::size_t line;
};
struct HeldCellTyped {
  std::size_t line;
  HeldCell cell;
  std::string text;
};
struct HeldPasted {
  std::string text;
};
struct FieldCoveredTicked {
  bool covered;
};
struct ExchangeRulesChosen {
  std::string name;
};
struct LadderTicked {
  bool on;
};
struct RaceOpened {
  Race race;
};
// A plan carried in from elsewhere (the Matched bet window): its choices,
// runners and held bets in place of the window's.
struct PlanCarried {
  Request request;
};
using PlannerEdit =
    std::variant<SideChosen, ModeChosen, BoxTyped, EachWayTicked, HandicapTicked, CellTyped,
                 SaverTicked, RowAdded, RowRemoved, RunnersPasted, RunnersCleared, ClearUndone,
                 HeldAdded, HeldRemoved, HeldCellTyped, HeldPasted, FieldCoveredTicked,
                 ExchangeRulesChosen, LadderTicked, RaceOpened, PlanCarried>;

// The lines of the grid or of the held bets an edit took away, then added:
// old lines [removed_at, removed_at + removed), then new lines [inserted_at,
// inserted_at + inserted). Lines edited in place are neither.
struct LineChange {
  std::size_t removed_at = 0, removed = 0, inserted_at = 0, inserted = 0;
  bool Any() const { return removed > 0 || inserted > 0; }
  friend bool operator==(const LineChange&, const LineChange&) = default;
};

// What an edit did: whether it changed anything, and the lines that went
// and came, so that a window moves its rows instead of redrawing them all.
struct Applied {
  bool changed = false;
  LineChange rows, held;
};
Applied Apply(Planner& p, const PlannerEdit& edit);

// The rows and held bets filled in, and the boxes, as one request, whether or
// not it can be planned yet.
Request TypedRequest(const Planner& p);
// What to plan, or nothing yet: no runner, or no amount typed (around held
// bets the amount is a cap, and may be left empty).
std::optional<Request> RequestOf(const Planner& p);

}  // namespace stakora::plan
