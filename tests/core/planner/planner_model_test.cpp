// The planner window's rules, without the window.

#include "planner_view.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "plan_text.h"
#include "settings_file.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace stakora::plan {
namespace {

using stakora::testing::ScriptedUi;
using stakora::testing::TempFolder;
using Strings = std::vector<std::string>;

struct SideCase {
  Side side;
  Mode asked;
  Mode kept;
};
class SideDecidesTheModes : public ::testing::TestWithParam<SideCase> {};

TEST_P(SideDecidesTheModes, InEditsAndInTheSettingsFile) {
  const auto [side, asked, kept] = GetParam();
  Planner p;
  SetMode(p, asked);
  SetSide(p, side);
  SetMode(p, asked);
  EXPECT_EQ(p.mode, kept);
  const std::string file =
      std::string("side=") + SideName(side) + "\nmode=" + ModeName(asked) + "\n";
  EXPECT_EQ(ReadPlannerSettings(file).mode, kept);
  PlannerSettings settings;
  settings.side = side, settings.mode = asked;
  EXPECT_EQ(MakePlanner(settings).mode, kept);
}

INSTANTIATE_TEST_SUITE_P(Planner, SideDecidesTheModes,
                         ::testing::Values(SideCase{Side::Back, Mode::Profit, Mode::Profit},
                                           SideCase{Side::Back, Mode::Liability, Mode::Stake},
                                           SideCase{Side::Lay, Mode::Liability, Mode::Liability},
                                           SideCase{Side::Lay, Mode::Profit, Mode::Stake}));

TEST(Planner, OnlyRowsFilledInAreRunners) {
  Planner p;
  EXPECT_EQ(RequestOf(p), std::nullopt);  // nothing typed
  SetCell(p, 1, Cell::Odds, "3");
  EXPECT_EQ(RequestOf(p), std::nullopt);  // no amount
  SetBox(p, Box::Amount, " \t");
  EXPECT_EQ(RequestOf(p), std::nullopt);
  SetBox(p, Box::Amount, "10");
  SetCell(p, 2, Cell::Name, "Fav");  // a name without odds is a runner to be refused
  SetCell(p, 0, Cell::Name, " ");
  SetSaver(p, 2, true);
  SetCell(p, 9, Cell::Odds, "4");  // past the grid: nothing
  const auto r = RequestOf(p);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->runners, (std::vector<RunnerInput>{{"", "3", false}, {"Fav", "", true}}));
  EXPECT_EQ(r->amount, "10");
}

TEST(Planner, PastedRunnersFillEmptyRowsAndAClearCanBeUndone) {
  Planner p;
  EXPECT_EQ(PasteRunners(p, "Fav\t2.2\r\n\n5.5\n"), 2u);  // nothing typed: replaced
  EXPECT_EQ(p.rows, (std::vector<PlannerRow>{{"Fav", "2.2"}, {"", "5.5"}}));
  AddRow(p);
  SetCell(p, 0, Cell::Odds, "");
  SetCell(p, 0, Cell::Name, "");  // rows 0 and 2 empty now
  EXPECT_EQ(PasteRunners(p, "A\t3\nB\t4\nC\t5"), 3u);
  EXPECT_EQ(p.rows, (std::vector<PlannerRow>{{"A", "3"}, {"", "5.5"}, {"B", "4"}, {"C", "5"}}));
  EXPECT_EQ(PasteRunners(p, " \n"), 0u);

  const auto rows = p.rows;
  ClearRunners(p);
  EXPECT_EQ(p.rows, std::vector<PlannerRow>(3));
  EXPECT_EQ(PromptView(p).summary, "Cleared 4 runners; Ctrl+Z brings them back.");
  EXPECT_TRUE(UndoClear(p));
  EXPECT_EQ(p.rows, rows);
  EXPECT_FALSE(UndoClear(p));
  ClearRunners(p);
  SetCell(p, 1, Cell::Odds, "2");  // typed since: the clear stands
  EXPECT_FALSE(UndoClear(p));
  EXPECT_EQ(PromptView(p).summary, kAskForRunners);
}

// A sheet's heading is skipped and said; "11-4" is 11/4 as bookmakers write it.
TEST(Planner, PastedHeadingsAreSkippedAndDashedFractionsRead) {
  Planner p;
  Apply(p, RunnersPasted{"Horse\tOdds\nA\t11-4\nB\t3\n"});
  EXPECT_EQ(p.rows, (std::vector<PlannerRow>{{"A", "11-4"}, {"B", "3"}}));
  EXPECT_TRUE(PromptView(p).summary.starts_with(
      "The first line, \"Horse Odds\", was taken as a heading and skipped. "));
  SetBox(p, Box::Amount, "10");
  EXPECT_EQ(MakePlan(*RequestOf(p))->runners[0].decimal_odds, "3.75");
  Apply(p, CellTyped{0, Cell::Name, "Al"});  // the note was about the paste alone
  EXPECT_EQ(p.note, "");
  Planner q;  // nothing after it reads: it is a runner, for the plan to refuse by name
  EXPECT_EQ(PasteRunners(q, "Horse\tOdds\nB\tx\n"), 2u);
  EXPECT_EQ(PasteHeld(q, "Runner\tKind\tStake\tOdds\nB\tback\t10\t11-4\n"), 1u);
}

// What does not apply is off and says why; the each-way boxes are empty then.
TEST(Planner, OnlyWhatAppliesIsOffered) {
  Planner p;
  SetBox(p, Box::FieldSize, "8");
  SetEachWay(p, true);
  SetEachWay(p, false);
  EXPECT_EQ(ShownBoxText(p, Box::Places), "");
  EXPECT_EQ(BoxText(p, Box::FieldSize), "8");  // kept for when each way comes back
  PasteHeld(p, "1:back:10@3");
  const PlannerControls c = PromptView(p).controls;
  EXPECT_TRUE(c.held && !c.profit && !c.saver);
  EXPECT_EQ(c.saver_why, "Around held bets no runner is a saver");
}

// An edit that makes lines come or go says which, from what it is, so that
// the window moves its rows; an edit that changes nothing says so.
TEST(Planner, EditsSayWhichLinesWentAndCame) {
  Planner start;
  Apply(start, CellTyped{0, Cell::Odds, "3"});
  Apply(start, HeldPasted{"1:back:5@2\n"});
  Apply(start, HeldAdded{});
  struct Case {
    PlannerEdit edit;
    LineChange rows, held;
  };
  const Case cases[] = {
      {RowAdded{}, {0, 0, 3, 1}, {}},
      {RowRemoved{1}, {1, 1, 0, 0}, {}},
      {RunnersPasted{"A\t3\nB\t4\nC\t5"}, {0, 0, 3, 1}, {}},  // two fill, one follows
      {RunnersCleared{}, {0, 3, 0, 3}, {}},
      {HeldAdded{}, {}, {0, 0, 2, 1}},
      {HeldRemoved{0}, {}, {0, 1, 0, 0}},
      {HeldPasted{"2:lay:1@3"}, {}, {0, 2, 0, 2}},  // the empty line goes as it comes
      {CellTyped{2, Cell::Name, "X"}, {}, {}}};
  for (const Case& c : cases) {
    Planner p = start;
    const Applied a = Apply(p, c.edit);
    EXPECT_TRUE(a.changed) << c.edit.index();
    EXPECT_EQ(a.rows, c.rows) << c.edit.index();
    EXPECT_EQ(a.held, c.held) << c.edit.index();
  }
  Planner p = start;
  EXPECT_FALSE(Apply(p, RowRemoved{9}).changed);
  EXPECT_FALSE(Apply(p, ClearUndone{}).changed);
}

// Between an edit and its plan, a held line's problem stays on its line and
// a row's figures never stand on another runner's row.
TEST(Planner, TheViewFollowsItsLinesAtOnce) {
  Planner p;
  Apply(p, BoxTyped{Box::Amount, "10"});
  Apply(p, CellTyped{0, Cell::Odds, "3"});
  Apply(p, CellTyped{1, Cell::Odds, "4"});
  Apply(p, HeldPasted{"1:back:5@2\n1:back:x@2"});
  PlannerView v = ViewWithout(p, "refused");
  ASSERT_EQ(v.problems.size(), 1u);
  EXPECT_EQ(v.problems[0].line, 1u);
  const Applied held = Apply(p, HeldRemoved{0});
  v = ViewAfter(p, v, held);
  EXPECT_EQ(v.problems[0].line, 0u);
  EXPECT_EQ(v.summary, "refused");
  Apply(p, HeldRemoved{0});
  v = ViewOf(p, *MakePlan(*RequestOf(p)));
  EXPECT_FALSE(ViewAfter(p, v, {true, {}, {}}).rows[1].stake.empty());  // kept until replanned
  const Applied rows = Apply(p, RowRemoved{0});
  v = ViewAfter(p, v, rows);
  EXPECT_EQ(v.rows, std::vector<RowResult>(2));
  EXPECT_FALSE(v.controls.copy);
}

// Each box or cell that cannot be read is named, in the words the plan's own
// refusal uses (pinned with the refusals); with nothing to plan yet the
// summary names the first.
TEST(Planner, ProblemsPointAtTheirBoxOrCell) {
  Planner p;
  SetBox(p, Box::Step, "0");
  SetBox(p, Box::Commission, "5%");
  SetCell(p, 1, Cell::Odds, "x");  // the first runner: row 0 is empty
  SetCell(p, 2, Cell::Odds, "3");
  PasteHeld(p, "2:back:0@3\n7:each:5@1");
  using At = Problem::At;
  std::vector<std::tuple<At, std::size_t, std::string>> seen;
  for (const Problem& problem : Problems(p))
    seen.emplace_back(problem.at, problem.line, problem.message.substr(0, 12));
  EXPECT_EQ(seen, (decltype(seen){{At::Box, 0, "Step: must b"},
                                  {At::Cell, 1, "Runner 1: ca"},
                                  {At::HeldCell, 0, "Held bet 1 s"},
                                  {At::HeldCell, 1, "Held bet 2: "},
                                  {At::HeldCell, 1, "Held bet 2: "},
                                  {At::HeldCell, 1, "Held bet 2: "}}));
  EXPECT_EQ(Problems(p)[3].held_cell, HeldCell::Runner);
  EXPECT_EQ(Problems(p)[5].held_cell, HeldCell::Odds);
  EXPECT_EQ(MakePlan(*RequestOf(p)).error(), Problems(p).front().message);
  SetBox(p, Box::Step, "0.01");
  const std::string odds_x = Problems(p).front().message;
  EXPECT_EQ(MakePlan(*RequestOf(p)).error(), odds_x);
  p.held.clear();
  EXPECT_EQ(PromptView(p).summary, odds_x);  // no amount: nothing to plan, yet named
  SetEachWay(p, true);
  SetBox(p, Box::Places, "11");
  EXPECT_EQ(BoxProblem(PromptView(p), Box::Places).rfind("Places: ", 0), 0u);
  EXPECT_EQ(CellProblem(PromptView(p), 1, Cell::Odds), odds_x);
}

// Held bets: pasted from a sheet or as on the command line, sent only when
// filled in, with no amount needed and the field covered by the runners typed.
TEST(Planner, HeldBetsAreSentAroundTheRunners) {
  Planner p;
  SetCell(p, 0, Cell::Odds, "3.1");
  EXPECT_FALSE(RequestOf(p));  // no amount and no held bet: nothing to plan yet
  AddHeld(p);
  EXPECT_FALSE(RequestOf(p));  // a held line with only its kind is not filled in
  EXPECT_EQ(PasteHeld(p, "1\tfree\t20\t6.0\r\nFav:back:10@3.0\n\nnonsense\n"), 3u);
  EXPECT_EQ(p.held, (std::vector<HeldInput>{{"1", "free", "20", "6.0"},
                                            {"Fav", "back", "10", "3.0"},
                                            {"nonsense", "", "", ""}}));
  RemoveHeld(p, 2);
  SetHeldCell(p, 1, HeldCell::Runner, "1");
  SetFieldCovered(p, true);
  SetSide(p, Side::Lay);  // backing the only runner of the race would win without end
  const auto r = RequestOf(p);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->held.size(), 2u);
  EXPECT_EQ(r->field_size, "1");
  const auto plan = MakePlan(*r);
  ASSERT_TRUE(plan) << plan.error();
  EXPECT_EQ(ViewOf(p, *plan).rows[0].held, "120.00");
  SetEachWay(p, true);  // each way keeps its own field size, and refuses held bets
  SetBox(p, Box::FieldSize, "8");
  EXPECT_EQ(RequestOf(p)->field_size, "8");
  EXPECT_EQ(MakePlan(*RequestOf(p)).error(), "Held bets are planned win only: turn each way off");
  // An each-way bet is laid off: the plan turns to lay and asks for the
  // place market, whose box and the bet's terms are read where typed.
  SetEachWay(p, false);
  SetSide(p, Side::Back);
  SetHeldCell(p, 0, HeldCell::Kind, " Each-Way");  // read as the plan reads it
  EXPECT_EQ(p.side, Side::Lay);
  EXPECT_TRUE(ViewWithout(p, "").controls.place_market);
  SetHeldCell(p, 0, HeldCell::Places, "x");
  SetBox(p, Box::PlaceMarket, "0");
  std::vector<std::string> said;
  for (const Problem& problem : Problems(p)) said.push_back(problem.message.substr(0, 22));
  EXPECT_EQ(said, (std::vector<std::string>{"Place market winners: ", "Held bet 1 places: \"x\""}));
}

TEST(Planner, TheViewPutsEachRunnersFiguresOnItsRow) {
  Planner p;
  SetSide(p, Side::Back);
  SetBox(p, Box::Step, "1");
  SetBox(p, Box::Amount, "25");
  SetCell(p, 0, Cell::Odds, "2.2");
  SetCell(p, 2, Cell::Odds, "5.5");  // row 1 stays empty
  AddRow(p);
  SetCell(p, 3, Cell::Odds, "1.5");
  SetCell(p, 3, Cell::Name, "Fav");
  const auto plan = MakePlan(*RequestOf(p));
  ASSERT_TRUE(plan) << plan.error();
  const PlannerView v = ViewOf(p, *plan);
  EXPECT_EQ(v.rows[0].stake, "9.00");
  EXPECT_EQ(v.rows[1], RowResult{});
  EXPECT_EQ(v.rows[3].stake, "12.00");
  EXPECT_LT(v.rows[2].profit_cents, 0);  // a book over 100%: every runner loses
  EXPECT_EQ(v.rows[3].profit, "-7.00");
  EXPECT_DOUBLE_EQ(*v.rows[3].bar, -0.28);  // one scale: the largest figure, the 25.00 staked
  EXPECT_EQ(v.bar_zero, 1.0);               // at the right: nothing gains
  EXPECT_EQ(v.stakes_text, "Runner 1\t9.00\nRunner 2\t4.00\nFav\t12.00\n");
  EXPECT_EQ(v.summary.rfind("Book 130.30%. Total stake 25.00.", 0), 0u) << v.summary;
  EXPECT_TRUE(Copied(v).summary.ends_with(
      ". Copied 3 stakes to the clipboard, a runner's name and stake a line."));
  EXPECT_EQ(ViewWithout(p, "why").rows.size(), 4u);
}

// A summary never reads as a sure thing: it says what another runner winning
// leaves, or that there is none, and a lay plan says the most it can lose.
TEST(Planner, TheSummarySaysWhatEveryOutcomeLeaves) {
  struct Case {
    Side side;
    const char* amount;
    std::vector<const char*> odds;
    const char* held;  // pasted, the field covered
    const char* says;
    Mode mode = Mode::Stake;
  };
  // clang-format off
  for (const Case& c : {
      Case{Side::Back, "25", {"3"}, "",
           "Total stake 25.00. If one of these wins: worst 50.00, best 50.00; if another wins -25.00. Rounding"},
      Case{Side::Lay, "25", {"3", "4"}, "",
           "Lay stakes 25.00. Most you can lose 17.87; if one of these wins, best -17.84; if another wins 25.00. Rounding"},
      Case{Side::Lay, "", {"3"}, "1:back:20@8",
           "With the 1 bet you hold: new lay stakes 0.00. Nothing to lose: worst 140.00; best 140.00; no other runner can win."},
      Case{Side::Back, "10", {"3", "4", "5"}, "",
           "if another wins -36.19. Rounding costs 0.04 more stake (unrounded 36.15).", Mode::Profit},
      Case{Side::Lay, "30", {"3", "5", "7"}, "",
           "Most you can lose 29.99; if one of these wins, best -29.98; if another wins 62.62. Rounding costs 0.03 of "
           "backers' stakes (unrounded 62.65).", Mode::Liability}}) {
    // clang-format on
    Planner p;
    SetSide(p, c.side);
    SetMode(p, c.mode);
    SetBox(p, Box::Amount, c.amount);
    for (std::size_t i = 0; i < c.odds.size(); ++i) SetCell(p, i, Cell::Odds, c.odds[i]);
    PasteHeld(p, c.held);
    SetFieldCovered(p, true);
    const auto plan = MakePlan(*RequestOf(p));
    ASSERT_TRUE(plan) << plan.error();
    EXPECT_NE(SummaryText(*plan).find(c.says), std::string::npos) << SummaryText(*plan);
  }
}

// The field size fills in the usual terms; what the bettor types over them
// stands until the field size or the handicap box changes again.
TEST(Planner, EachWayTermsFollowTheFieldSize) {
  Planner p;
  SetSide(p, Side::Lay);
  SetMode(p, Mode::Liability);
  SetEachWay(p, true);
  EXPECT_EQ(p.side, Side::Back);
  EXPECT_EQ(p.mode, Mode::Stake);
  SetSide(p, Side::Lay);
  EXPECT_EQ(p.side, Side::Back);
  auto terms = [&] { return Strings{p.each_way.places, p.each_way.place_fraction}; };
  SetBox(p, Box::FieldSize, "14");
  EXPECT_EQ(terms(), (Strings{"3", "1/5"}));
  SetHandicap(p, true);
  EXPECT_EQ(terms(), (Strings{"3", "1/4"}));
  SetBox(p, Box::Places, "4");
  SetBox(p, Box::FieldSize, "1");  // on the way to 16: too small for terms
  EXPECT_EQ(terms(), (Strings{"", ""}));
  SetBox(p, Box::FieldSize, "1x");  // unreadable: left alone
  SetBox(p, Box::Places, "5");
  SetBox(p, Box::FieldSize, "16x");
  EXPECT_EQ(terms(), (Strings{"5", ""}));
  SetBox(p, Box::FieldSize, "16");
  EXPECT_EQ(terms(), (Strings{"4", "1/4"}));
  // A bookmaker takes no commission: what was typed for the exchange stays.
  SetBox(p, Box::Commission, "5");
  SetBox(p, Box::Amount, "40");
  SetCell(p, 0, Cell::Odds, "3/1");
  const auto r = RequestOf(p);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->commission, "0");
  EXPECT_EQ(p.commission, "5");
  const auto plan = MakePlan(*r);
  ASSERT_TRUE(plan) << plan.error();
  const PlannerView v = ViewOf(p, *plan);
  EXPECT_EQ(v.rows[0].place_odds, "1.75");
  EXPECT_EQ(v.rows[0].place_profit, "-5.00");  // 20 at 1.75 on an outlay of 40
  EXPECT_EQ(v.rows[0].bar, 1.0);               // 20 at 4 + 1.75 - 40 = 75.00, the largest
  EXPECT_EQ(v.rows[0].place_bar, -500.0 / 7500);
  EXPECT_EQ(v.bar_zero, 0.5);  // losses and gains both
  // Each way off: the field size left in its box is no part of the plan.
  SetBox(p, Box::FieldSize, "1");
  SetCell(p, 1, Cell::Odds, "4");
  SetEachWay(p, false);
  EXPECT_TRUE(MakePlan(*RequestOf(p)));
}

TEST(PlannerSettings, AreKeptInTheirOwnFile) {
  TempFolder dir;
  ScriptedUi ui;
  const LoadedPlannerSettings first = LoadPlannerSettings(dir.str(), ui);  // none yet: quietly
  EXPECT_TRUE(first.may_save);
  EXPECT_EQ(first.settings, PlannerSettings{});
  PlannerSettings lay;
  lay.side = Side::Lay, lay.mode = Mode::Liability, lay.step = "1", lay.min_stake = "2";
  lay.commission = "5", lay.min_payout = "20", lay.ladder = true, lay.exchange_rules = "betfair";
  SavePlannerSettings(dir.str(), lay, true, ui);
  EXPECT_EQ(dir.Read("planner.txt"),
            "side=lay\nmode=liability\nstep=1\nmin_stake=2\ncommission=5\neach_way=no\n"
            "field_size=\nhandicap=no\nplaces=\nplace_fraction=\nmin_payout=20\nladder=yes\n"
            "exchange_rules=betfair\n");
  EXPECT_EQ(LoadPlannerSettings(dir.str(), ui).settings, lay);
  PlannerSettings odd = lay;
  odd.step = std::string("1\0", 2);  // what reading would not keep is left out
  SavePlannerSettings(dir.str(), odd, true, ui);
  EXPECT_EQ(LoadPlannerSettings(dir.str(), ui).settings.step, "0.01");
  PlannerSettings each_way = lay;
  each_way.side = Side::Back, each_way.mode = Mode::Profit, each_way.field_size = "12";
  each_way.each_way = {true, true, "3", "1/4"};
  SavePlannerSettings(dir.str(), each_way, true, ui);
  EXPECT_EQ(LoadPlannerSettings(dir.str(), ui).settings, each_way);
  EXPECT_FALSE(std::filesystem::exists(dir / "config.txt"));
  // Damaged or from another version: what is known is taken.
  dir.Write("planner.txt", "junk\nstep=0.5\nside=sideways\nmin_stake=" + std::string(40, '9') +
                               "\ncommission=2\r\n");
  PlannerSettings known;
  known.step = "0.5", known.commission = "2";
  EXPECT_EQ(LoadPlannerSettings(dir.str(), ui).settings, known);
  EXPECT_EQ(ui.Texts(), Strings{});
}

// The race outlives the window: whatever was typed comes back as it was.
// Choosing no exchange keeps what a preset filled in; a name not known (an
// old or damaged file) is none.
TEST(Planner, NoExchangeKeepsWhatAPresetFilledIn) {
  Planner p;
  Apply(p, ExchangeRulesChosen{"betfair-eur"});
  Apply(p, ExchangeRulesChosen{""});
  EXPECT_TRUE(p.exchange_rules.empty() && p.min_payout == "20");
  EXPECT_EQ(MakePlanner(ReadPlannerSettings("exchange_rules=betdaq\n")).exchange_rules, "");
}

TEST(PlannerSettings, KeepTheRaceAsTyped) {
  Planner p;
  PasteRunners(p, std::string("Tab\\\tName\t7/2\nNul\0\r\t3\n", 21));
  SetSaver(p, 1, true);
  PasteHeld(p, "Tab\\\tName:free-sr:10@8\n1:lay:5@2\n1:each-way:5@9:4:1/5");
  SetFieldCovered(p, true);
  SetBox(p, Box::Rule4, "25");
  SetBox(p, Box::PlaceMarket, "3");
  SetCell(p, 1, Cell::PlaceOdds, "1.8");
  const Planner again = MakePlanner(ReadPlannerSettings(PlannerSettingsText(SettingsOf(p))));
  EXPECT_EQ(again.rows,
            (std::vector<PlannerRow>{
                {"Tab\\\tName", "7/2"}, {std::string("Nul\0\r", 5), "3", true, "1.8"}, {}}));
  EXPECT_TRUE(again.held == p.held && again.field_covered && again.rule4 == "25");
  EXPECT_EQ(again.held.back().fraction, "1/5");
  EXPECT_EQ(again.place_market, "3");
  // A race past what a settings file may hold keeps the choices and what fits.
  PlannerSettings huge;
  huge.race.runners.assign(3000, {std::string(40, 'x'), "2"});
  const std::string text = PlannerSettingsText(huge);
  EXPECT_TRUE(text.size() <= kMaxSettingsBytes && text.starts_with("side=back\n"));
  EXPECT_GT(ReadPlannerSettings(text).race.runners.size(), 1000u);
}

TEST(PlannerSettings, AFileThatCannotBeReadIsReportedAndLeftAlone) {
  TempFolder dir;
  std::filesystem::create_directory(dir / "planner.txt");  // no file can be read there
  ScriptedUi ui;
  const LoadedPlannerSettings loaded = LoadPlannerSettings(dir.str(), ui);
  EXPECT_FALSE(loaded.may_save);
  SavePlannerSettings(dir.str(), loaded.settings, loaded.may_save, ui);
  EXPECT_EQ(ui.Texts(), Strings{"75"});
  SavePlannerSettings(dir.str(), loaded.settings, true, ui);  // a save that fails says so
  EXPECT_EQ(ui.Texts(), (Strings{"75", "75"}));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "planner.txt"));
  EXPECT_FALSE(LoadPlannerSettings("", ui).may_save);  // no folder: no file, nothing to say
  EXPECT_EQ(ui.Texts().size(), 2u);
  // A binary file is not read as the defaults and then replaced without a word.
  TempFolder binary;
  const std::string bytes("side=lay\n\0\x89PNG", 14);
  binary.Write("planner.txt", bytes);
  ScriptedUi told;
  EXPECT_FALSE(LoadPlannerSettings(binary.str(), told).may_save);
  SavePlannerSettings(binary.str(), PlannerSettings{}, true, told);
  EXPECT_EQ(told.Texts(), (Strings{"75", "75"}));
  EXPECT_EQ(binary.Read("planner.txt"), bytes);
}

}  // namespace
}  // namespace stakora::plan
