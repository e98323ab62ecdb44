#include "planner_model.h"

#include <algorithm>
#include <cstdlib>

#include "each_way.h"
#include "exact.h"
#include "ladder.h"
#include "number_text.h"
#include "plan_text.h"
#include "race_csv.h"
#include "request_texts.h"

namespace stakora::plan {

bool IsRunner(const PlannerRow& row) {
  return !TrimBlanks(row.name).empty() || !TrimBlanks(row.odds).empty();
}

bool IsHeld(const HeldInput& bet) {
  return !TrimBlanks(bet.runner).empty() || !TrimBlanks(bet.stake).empty() ||
         !TrimBlanks(bet.odds).empty();
}

namespace {

// The usual terms of the field size typed, when it reads as one.
void FillTerms(Planner& p) {
  const auto field = ReadFieldSize(p.field_size);
  if (!field) return;
  const auto usual = UsualPlaceTerms(*field, p.each_way.handicap);
  p.each_way.places = usual ? std::to_string(usual->places) : "";
  p.each_way.place_fraction = usual ? FractionText(*usual) : "";
}

// The text a box holds, for a planner or a const one.
template <typename P>
auto& TextOf(P& p, Box box) {
  switch (box) {
    case Box::Amount:
      return p.amount;
    case Box::Commission:
      return p.commission;
    case Box::Step:
      return p.step;
    case Box::MinStake:
      return p.min_stake;
    case Box::FieldSize:
      return p.field_size;
    case Box::Places:
      return p.each_way.places;
    case Box::Rule4:
      return p.rule4;
    case Box::MinPayout:
      return p.min_payout;
    case Box::PlaceMarket:
      return p.place_market;
    case Box::PlaceFraction:
      break;
  }
  return p.each_way.place_fraction;
}

// The race in place of the one in the window, as it stands.
void PutRace(Planner& p, const Race& race) {
  p.rows.clear();
  for (const RunnerInput& r : race.runners)
    p.rows.push_back({r.name, r.odds, r.saver, r.place_odds});
  if (p.rows.size() < 3) p.rows.resize(3);
  p.held = race.held;
  p.field_covered = race.field_covered;
  p.rule4 = race.rule4;
  p.place_market = race.place_market;
  p.cleared.clear();
}

}  // namespace

Planner MakePlanner(const PlannerSettings& s) {
  Planner p;
  p.side = s.side;
  p.mode = ModeFor(s.side, s.mode);
  p.step = s.step;
  p.min_stake = s.min_stake;
  p.commission = s.commission;
  p.field_size = s.field_size;
  p.each_way = s.each_way;
  p.min_payout = s.min_payout;
  p.ladder = s.ladder;
  if (FindExchangeRules(s.exchange_rules)) p.exchange_rules = s.exchange_rules;
  p.exchange = !p.exchange_rules.empty();
  if (p.each_way.on) SetEachWay(p, true);
  PutRace(p, s.race);
  return p;
}

Race RaceOf(const Planner& p) {
  Race race;
  for (const PlannerRow& row : p.rows)
    if (IsRunner(row)) race.runners.push_back({row.name, row.odds, row.saver, row.place_odds});
  for (const HeldInput& bet : p.held)
    if (IsHeld(bet)) race.held.push_back(bet);
  race.field_covered = p.field_covered;
  race.rule4 = p.rule4;
  race.place_market = p.place_market;
  return race;
}

void OpenRace(Planner& p, const Race& race) {
  PutRace(p, race);
  if (HasHeldEachWay(p)) SetSide(p, Side::Lay);
  p.note = "Race opened: " + std::to_string(race.runners.size()) +
           (race.runners.size() == 1 ? " runner" : " runners") +
           (race.held.empty() ? std::string()
                              : ", " + std::to_string(race.held.size()) +
                                    (race.held.size() == 1 ? " held bet" : " held bets")) +
           ".";
}

PlannerSettings SettingsOf(const Planner& p) {
  return PlannerSettings{p.side,       p.mode,           p.step,     p.min_stake,
                         p.commission, p.field_size,     p.each_way, p.min_payout,
                         p.ladder,     p.exchange_rules, RaceOf(p)};
}

void SetSide(Planner& p, Side side) {
  p.side = SideFor(side, p.each_way.on);
  p.mode = ModeFor(p.side, p.mode);
}

void SetMode(Planner& p, Mode mode) {
  if (SideHasMode(p.side, mode)) p.mode = mode;
}

void SetBox(Planner& p, Box box, std::string text) {
  TextOf(p, box) = std::move(text);
  if (box == Box::FieldSize) FillTerms(p);
}

const std::string& BoxText(const Planner& p, Box box) {
  return TextOf(p, box);
}

void SetEachWay(Planner& p, bool on) {
  p.each_way.on = on;
  SetSide(p, p.side);
}

void SetHandicap(Planner& p, bool handicap) {
  p.each_way.handicap = handicap;
  FillTerms(p);
}

// Rows typed into after a clear: undoing it would throw them away.
void SetCell(Planner& p, std::size_t row, Cell cell, std::string text) {
  if (row >= p.rows.size()) return;
  PlannerRow& r = p.rows[row];
  (cell == Cell::Name ? r.name : cell == Cell::Odds ? r.odds : r.place_odds) = std::move(text);
  p.cleared.clear();
}

void SetSaver(Planner& p, std::size_t row, bool saver) {
  if (row >= p.rows.size()) return;
  p.rows[row].saver = saver;
  p.cleared.clear();
}

void AddRow(Planner& p) {
  p.rows.emplace_back();
  p.cleared.clear();
}

void RemoveRow(Planner& p, std::size_t row) {
  if (row >= p.rows.size()) return;
  p.rows.erase(p.rows.begin() + static_cast<std::ptrdiff_t>(row));
  p.cleared.clear();
}

std::size_t PasteRunners(Planner& p, std::string_view text) {
  PastedRunners read;
  if (LooksLikeRaceCsv(text)) {
    // A race copied from a spreadsheet or a saved file: its runners.
    auto race = ReadRaceCsv(text);
    if (!race) {
      p.note = "Nothing pasted: " + race.error();
      return 0;
    }
    read.runners = std::move(race->runners);
  } else {
    read = ParseRunnerLines(text);
  }
  const auto& [pasted, heading] = read;
  if (pasted.empty()) return 0;
  if (!heading.empty()) p.note = HeadingNote(heading);
  if (std::none_of(p.rows.begin(), p.rows.end(), IsRunner)) p.rows.clear();
  auto next = pasted.begin();
  for (PlannerRow& row : p.rows)
    if (!IsRunner(row) && next != pasted.end())
      row = {next->name, next->odds, next->saver, next->place_odds}, ++next;
  for (; next != pasted.end(); ++next)
    p.rows.push_back({next->name, next->odds, next->saver, next->place_odds});
  p.cleared.clear();
  return pasted.size();
}

void ClearRunners(Planner& p) {
  if (std::none_of(p.rows.begin(), p.rows.end(), IsRunner)) return;
  p.cleared = std::move(p.rows);
  p.rows = std::vector<PlannerRow>(3);
}

bool UndoClear(Planner& p) {
  if (p.cleared.empty()) return false;
  p.rows = std::move(p.cleared);
  p.cleared.clear();
  return true;
}

void AddHeld(Planner& p) {
  p.held.push_back({"", "back", "", ""});
}

void RemoveHeld(Planner& p, std::size_t line) {
  if (line < p.held.size()) p.held.erase(p.held.begin() + static_cast<std::ptrdiff_t>(line));
}

void SetHeldCell(Planner& p, std::size_t line, HeldCell cell, std::string text) {
  if (line >= p.held.size()) return;
  HeldInput& bet = p.held[line];
  switch (cell) {
    case HeldCell::Runner:
      bet.runner = std::move(text);
      return;
    case HeldCell::Kind:
      bet.kind = std::move(text);
      if (IsEachWayKind(bet.kind) && p.side != Side::Lay) {
        SetSide(p, Side::Lay);
        if (p.side == Side::Lay)
          p.note = "An each-way bet is laid off at an exchange: the plan now lays.";
      }
      return;
    case HeldCell::Stake:
      bet.stake = std::move(text);
      return;
    case HeldCell::Places:
      bet.places = std::move(text);
      return;
    case HeldCell::Fraction:
      bet.fraction = std::move(text);
      return;
    case HeldCell::Odds:
      break;
  }
  bet.odds = std::move(text);
}

std::size_t PasteHeld(Planner& p, std::string_view text) {
  const auto [pasted, heading] = ParseHeldLines(text);
  if (pasted.empty()) return 0;
  if (!heading.empty()) p.note = HeadingNote(heading);
  std::erase_if(p.held, [](const HeldInput& bet) { return !IsHeld(bet); });
  p.held.insert(p.held.end(), pasted.begin(), pasted.end());
  return pasted.size();
}

void SetFieldCovered(Planner& p, bool covered) {
  p.field_covered = covered;
}

void SetExchangeRules(Planner& p, const std::string& name) {
  const ExchangeRules* rules = FindExchangeRules(name);
  p.exchange_rules = rules ? name : "";
  p.exchange = rules != nullptr;
  if (rules) ApplyExchangeRules(p, *rules);
}

void SetLadder(Planner& p, bool on) {
  p.ladder = on;
}

std::optional<std::string> TickedOdds(const std::string& odds, int direction) {
  const auto read = ReadOdds(odds, "");
  if (!read) return std::nullopt;
  const Ticks t = TicksOf(read->a, read->b);
  const auto next = direction > 0 ? t.up : t.down;
  if (!next) return std::nullopt;
  return LadderText(*next);
}

bool RunnersAtExchange(const Planner& p) {
  return AtExchange(TypedRequest(p));
}

bool HasHeld(const Planner& p) {
  return std::any_of(p.held.begin(), p.held.end(), IsHeld);
}

bool HasHeldEachWay(const Planner& p) {
  return std::any_of(p.held.begin(), p.held.end(),
                     [](const HeldInput& bet) { return IsHeld(bet) && IsEachWayKind(bet.kind); });
}

Request TypedRequest(const Planner& p) {
  Request r{p, {}, {}};
  // Kept for exchange plans; a bookmaker takes none, and has no exchange's rules.
  if (!TakesCommission(p.each_way.on)) {
    r.commission = "0";
    r.min_payout.clear();
    r.ladder = r.exchange = false;
  }
  // Prices that must be on the ladder are an exchange's.
  if (r.ladder) r.exchange = true;
  for (const PlannerRow& row : p.rows)
    if (IsRunner(row)) r.runners.push_back({row.name, row.odds, row.saver, row.place_odds});
  for (const HeldInput& bet : p.held)
    if (IsHeld(bet)) r.held.push_back(bet);
  // Around held bets the field size only says whether another runner can win.
  if (!r.held.empty() && !p.each_way.on)
    r.field_size = p.field_covered ? std::to_string(r.runners.size()) : "";
  return r;
}

std::optional<Request> RequestOf(const Planner& p) {
  Request r = TypedRequest(p);
  if (r.runners.empty() || (r.held.empty() && TrimBlanks(r.amount).empty())) return std::nullopt;
  return r;
}

}  // namespace stakora::plan
