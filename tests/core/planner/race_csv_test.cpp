// Races and plans as comma-separated files, and the planner taking them in.

#include "race_csv.h"

#include <gtest/gtest.h>

#include "csv.h"
#include "plan_csv.h"
#include "planner_model.h"

namespace stakora::plan {
namespace {

Race OddRace() {
  Race race;
  race.runners = {{"Smith, J \"Jockey\"", "7/2", true, ""},
                  {"Ça Va Être Élan 🐎", "3.5", false, "1.8"},
                  {"  two\nlines ", "evens", false, ""},
                  {"", "12", false, ""}};
  race.held = {{"1", "free", "20", "6.0", "", ""},
               {"Ça Va Être Élan 🐎", "each-way", "5", "8", "3", "1/5"}};
  race.field_covered = true;
  race.rule4 = "10";
  race.place_market = "3";
  return race;
}

TEST(RaceCsv, ARaceWithOddNamesComesBackExactly) {
  const Race race = OddRace();
  const std::string text = RaceCsv(race);
  EXPECT_EQ(text.substr(0, 29), "name,odds,saver,place_odds\r\n\"");
  const auto read = ReadRaceCsv(text);
  ASSERT_TRUE(read) << read.error();
  EXPECT_EQ(*read, race);
  // Just the runners, as a spreadsheet might keep them: any column order,
  // a byte order mark, LF line ends, columns of its own.
  const auto sheet =
      ReadRaceCsv("\xEF\xBB\xBFOdds,Notes,NAME\n3.5,x,Fav\n,,\n7/2,,\"Long, Shot\"\n");
  ASSERT_TRUE(sheet) << sheet.error();
  EXPECT_EQ(sheet->runners, (std::vector<RunnerInput>{{"Fav", "3.5"}, {"Long, Shot", "7/2"}}));
}

TEST(RaceCsv, AFileThatDoesNotReadSaysWhichLine) {
  using namespace std::literals;
  const std::pair<std::string_view, const char*> cases[] = {
      {"horse,price\nA,3\n", "Line 1: this is not a race"},
      {"name,odds\nA,3\n\"B\n,4\n", "Line 3: a quote is opened and never closed"},
      {"name,odds\n\"A\"x,3\n", "Line 2: text follows a closing quote"},
      {"name,odds,saver\n\"two\nlines\",3,\nB,4,maybe\n",
       "Line 4: the saver column says \"maybe\""},
      {"name,odds\nA,\xff\n", "Line 2: this is not UTF-8"},
      {"name,odds\nA,\xed\xa0\x80\n", "Line 2: this is not UTF-8"},  // a surrogate
      {"name,odds\nA,3\n\nrunner,kind,stake\n", "Line 4: the held bets' heading has no \"odds\""},
      {"runner,kind,stake,odds\n", "Line 1: this is not a race"},  // the runners come first
      {"name,odds\n\nname,odds\n", "Line 3: the \"name\" section comes twice"},
      {"name,odds\nA,3\0\n"sv, "Line 2: a NUL byte"},
      {"name,odds\n\nsetting,value\nfield_covered,perhaps\n", "Line 4: field_covered says"},
      {"", "Line 1: this is not a race"},
  };
  for (const auto& [text, said] : cases) {
    const auto read = ReadRaceCsv(text);
    ASSERT_FALSE(read) << said;
    EXPECT_EQ(read.error().rfind(said, 0), 0u) << read.error();
  }
}

TEST(RaceCsv, TheRunnersPasteAndARaceOpensInPlaceOfTheOneTyped) {
  Planner p;
  Apply(p, CellTyped{0, Cell::Odds, "4"});
  Apply(p,
        RunnersPasted{
            "name,odds,saver\r\nA,3,yes\r\nB,5,\r\n\r\nrunner,kind,stake,odds\r\n1,back,5,3\r\n"});
  EXPECT_EQ(p.rows[1], (PlannerRow{"A", "3", true}));
  EXPECT_EQ(p.rows[2], (PlannerRow{"B", "5"}));
  EXPECT_TRUE(p.held.empty());  // the held bets paste on their own
  const Planner before = p;
  Apply(p, RunnersPasted{"name,odds\n\"A,3\n"});
  EXPECT_EQ(p.rows, before.rows);
  EXPECT_EQ(p.note, "Nothing pasted: Line 2: a quote is opened and never closed");

  const Applied opened = Apply(p, RaceOpened{OddRace()});
  EXPECT_EQ(RaceOf(p), OddRace());
  EXPECT_EQ(p.side, Side::Lay);  // its each-way bet is laid off
  EXPECT_EQ(p.note, "Race opened: 4 runners, 2 held bets.");
  EXPECT_EQ(opened.rows, (LineChange{0, 3, 0, 4}));
}

TEST(PlanCsv, EachRunnerThenTheTotals) {
  Request r;
  r.amount = "10";
  r.runners = {{"=cmd|' /C calc'!A0", "3"}, {"B, the second", "6"}};
  const auto p = MakePlan(r);
  ASSERT_TRUE(p) << p.error();
  const auto rows = ReadCsv(PlanCsv(*p));
  ASSERT_TRUE(rows) << rows.error();
  std::vector<std::vector<std::string>> cells;
  for (const CsvRecord& rec : *rows) cells.push_back(rec.cells);
  EXPECT_EQ(cells,
            (std::vector<std::vector<std::string>>{{"Runner", "Odds", "Stake", "Profit if it wins"},
                                                   {"'=cmd|' /C calc'!A0", "3", "6.67", "10.01"},
                                                   {"B, the second", "6", "3.33", "9.98"},
                                                   {"Total stake", "10.00"},
                                                   {"If another wins", "-10.00"},
                                                   {"Worst profit", "9.98"},
                                                   {"Best profit", "10.01"}}));
}

}  // namespace
}  // namespace stakora::plan
