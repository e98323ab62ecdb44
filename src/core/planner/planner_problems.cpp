// The boxes and cells of the planner window that cannot be read, each found
// by the same reader the plan uses, so the words are the refusal's own.

#include <algorithm>
#include <functional>

#include "checked_request.h"
#include "each_way.h"
#include "held.h"
#include "number_text.h"
#include "planner_view.h"

namespace stakora::plan {
namespace {

template <typename T>
void Note(std::vector<Problem>& out, const Result<T, std::string>& read, Problem at) {
  if (read) return;
  at.message = read.error();
  out.push_back(std::move(at));
}

Problem AtBox(Box box) {
  Problem at;
  at.box = box;
  return at;
}

}  // namespace

std::vector<Problem> Problems(const Planner& p) {
  std::vector<Problem> out;
  Note(out, ReadStep(p.step), AtBox(Box::Step));
  // A bookmaker's each-way bet takes neither commission nor an exchange's payout.
  const bool exchange = TakesCommission(p.each_way.on);
  if (exchange) Note(out, ReadCommission(p.commission), AtBox(Box::Commission));
  Note(out, ReadMinStake(p.min_stake), AtBox(Box::MinStake));
  if (exchange) Note(out, ReadMinPayout(p.min_payout), AtBox(Box::MinPayout));
  // An empty amount or term is not yet typed, not wrong.
  auto typed = [](const std::string& text) { return !TrimBlanks(text).empty(); };
  if (typed(p.amount)) Note(out, ReadAmount(p.amount), AtBox(Box::Amount));
  if (p.each_way.on) {
    const EachWayChoices& e = p.each_way;
    if (typed(p.field_size)) Note(out, ReadFieldSize(p.field_size), AtBox(Box::FieldSize));
    if (typed(e.places)) Note(out, ReadPlaces(e.places), AtBox(Box::Places));
    if (typed(e.place_fraction))
      Note(out, ReadPlaceFraction(e.place_fraction), AtBox(Box::PlaceFraction));
  }

  // The plan numbers the runners and held bets filled in; the marks go on
  // their rows and lines.
  const Request r = TypedRequest(p);
  std::size_t j = 0;
  for (std::size_t row = 0; row < p.rows.size(); ++row) {
    if (!IsRunner(p.rows[row])) continue;
    Problem at;
    at.at = Problem::At::Cell, at.line = row, at.cell = Cell::Odds;
    Note(
        out,
        (RunnersOnLadder(r) ? ReadLadderOdds : ReadOdds)(p.rows[row].odds, RunnerLabel(j++) + ": "),
        at);
  }
  if (HasHeld(p) && typed(p.rule4)) Note(out, ReadRule4(p.rule4), AtBox(Box::Rule4));
  const bool laid = HasHeldEachWay(p) && !p.each_way.on;
  if (laid && typed(p.place_market))
    Note(out, ReadPlaceMarket(p.place_market), AtBox(Box::PlaceMarket));
  for (std::size_t row = 0, runner = 0; laid && row < p.rows.size(); ++row) {
    if (!IsRunner(p.rows[row])) continue;
    Problem at;
    at.at = Problem::At::Cell, at.line = row, at.cell = Cell::PlaceOdds;
    if (typed(p.rows[row].place_odds))
      Note(out, ReadPlaceOdds(p.rows[row].place_odds, runner, r.ladder), at);
    ++runner;
  }
  std::size_t i = 0;
  for (std::size_t line = 0; line < p.held.size(); ++line) {
    const HeldInput& bet = p.held[line];
    if (!IsHeld(bet)) continue;
    Problem at;
    at.at = Problem::At::HeldCell, at.line = line;
    at.held_cell = HeldCell::Runner;
    if (!r.runners.empty()) Note(out, ReadHeldRunner(r, i), at);
    at.held_cell = HeldCell::Kind;
    Note(out, ReadHeldKind(bet.kind, i), at);
    at.held_cell = HeldCell::Stake;
    Note(out, ReadHeldStake(bet.stake, i), at);
    at.held_cell = HeldCell::Odds;
    const auto kind = ReadHeldKind(bet.kind, i);
    Note(out, ReadHeldOdds(bet.odds, i, r.ladder && kind && *kind == HeldKind::Lay), at);
    if (kind && *kind == HeldKind::EachWay) {
      at.held_cell = HeldCell::Places;
      if (typed(bet.places)) Note(out, ReadHeldPlaces(bet.places, i), at);
      at.held_cell = HeldCell::Fraction;
      if (typed(bet.fraction)) Note(out, ReadHeldFraction(bet.fraction, i), at);
    }
    ++i;
  }
  return out;
}

namespace {

std::string Find(const PlannerView& v, const std::function<bool(const Problem&)>& is) {
  const auto found = std::find_if(v.problems.begin(), v.problems.end(), is);
  return found == v.problems.end() ? std::string() : found->message;
}

}  // namespace

std::string BoxProblem(const PlannerView& v, Box box) {
  return Find(v, [box](const Problem& p) { return p.at == Problem::At::Box && p.box == box; });
}

std::string CellProblem(const PlannerView& v, std::size_t row, Cell cell) {
  return Find(v, [&](const Problem& p) {
    return p.at == Problem::At::Cell && p.line == row && p.cell == cell;
  });
}

std::string HeldCellProblem(const PlannerView& v, std::size_t line, HeldCell cell) {
  return Find(v, [&](const Problem& p) {
    return p.at == Problem::At::HeldCell && p.line == line && p.held_cell == cell;
  });
}

}  // namespace stakora::plan
