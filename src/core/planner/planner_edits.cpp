// Each edit as a value, applied by the functions that make it, with the
// lines it took away and added said from what the edit is.

#include <algorithm>

#include "planner_model.h"

namespace stakora::plan {
namespace {

// Every old line went and every new one came.
LineChange AllOf(std::size_t before, std::size_t after) {
  return {0, before, 0, after};
}

// Lines added at the end.
LineChange Appended(std::size_t before, std::size_t after) {
  return {0, 0, before, after - before};
}

// One line added at the end of lines now `size` long.
LineChange LastAdded(std::size_t size) {
  return Appended(size - 1, size);
}

// Line `line` taken out of lines `size` long, if it was there.
LineChange Removed(std::size_t line, std::size_t size) {
  return line < size ? LineChange{line, 1, 0, 0} : LineChange{};
}

struct Applier {
  Planner& p;
  Applied out;

  void operator()(const SideChosen& e) { SetSide(p, e.side); }
  void operator()(const ModeChosen& e) { SetMode(p, e.mode); }
  void operator()(const BoxTyped& e) { SetBox(p, e.box, e.text); }
  void operator()(const EachWayTicked& e) { SetEachWay(p, e.on); }
  void operator()(const HandicapTicked& e) { SetHandicap(p, e.on); }
  void operator()(const CellTyped& e) { SetCell(p, e.row, e.cell, e.text); }
  void operator()(const SaverTicked& e) { SetSaver(p, e.row, e.saver); }
  void operator()(const RowAdded&) {
    AddRow(p);
    out.rows = LastAdded(p.rows.size());
  }
  void operator()(const RowRemoved& e) {
    out.rows = Removed(e.row, p.rows.size());
    RemoveRow(p, e.row);
  }
  void operator()(const RunnersPasted& e) {
    const std::size_t before = p.rows.size();
    const bool replaced = std::none_of(p.rows.begin(), p.rows.end(), IsRunner);
    if (PasteRunners(p, e.text) == 0) return;
    if (replaced) {
      out.rows = AllOf(before, p.rows.size());
    } else if (p.rows.size() > before) {
      out.rows = Appended(before, p.rows.size());
    }
  }
  void operator()(const RunnersCleared&) {
    const std::size_t before = p.rows.size();
    ClearRunners(p);
    if (!p.cleared.empty()) out.rows = AllOf(before, p.rows.size());
  }
  void operator()(const ClearUndone&) {
    const std::size_t before = p.rows.size();
    if (UndoClear(p)) out.rows = AllOf(before, p.rows.size());
  }
  void operator()(const HeldAdded&) {
    AddHeld(p);
    out.held = LastAdded(p.held.size());
  }
  void operator()(const HeldRemoved& e) {
    out.held = Removed(e.line, p.held.size());
    RemoveHeld(p, e.line);
  }
  void operator()(const HeldCellTyped& e) { SetHeldCell(p, e.line, e.cell, e.text); }
  // Lines left empty anywhere in the list go as the pasted ones come.
  void operator()(const HeldPasted& e) {
    const std::size_t before = p.held.size();
    if (PasteHeld(p, e.text) > 0) out.held = AllOf(before, p.held.size());
  }
  void operator()(const FieldCoveredTicked& e) { SetFieldCovered(p, e.covered); }
  void operator()(const ExchangeRulesChosen& e) { SetExchangeRules(p, e.name); }
  void operator()(const LadderTicked& e) { SetLadder(p, e.on); }
  void operator()(const RaceOpened& e) {
    const std::size_t rows = p.rows.size(), held = p.held.size();
    OpenRace(p, e.race);
    out.rows = AllOf(rows, p.rows.size());
    out.held = AllOf(held, p.held.size());
  }
  void operator()(const PlanCarried& e) {
    const std::size_t rows = p.rows.size(), held = p.held.size();
    static_cast<Choices&>(p) = e.request;
    p.exchange_rules.clear();
    const Request& r = e.request;
    OpenRace(p, Race{r.runners, r.held, false, r.rule4, r.place_market});
    p.note = "The bet held and the runner to lay, carried in: the plan lays it off.";
    out.rows = AllOf(rows, p.rows.size());
    out.held = AllOf(held, p.held.size());
  }
};

}  // namespace

Applied Apply(Planner& p, const PlannerEdit& edit) {
  const Planner before = p;
  p.note.clear();  // a note is about the edit that made it
  Applier applier{p, {}};
  std::visit(applier, edit);
  applier.out.changed = p != before;
  return applier.out;
}

}  // namespace stakora::plan
