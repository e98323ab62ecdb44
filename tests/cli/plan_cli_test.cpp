// stakora-plan in-process through its library, and once through its binary.

#include <gtest/gtest.h>

#include <sstream>
#include <utility>
#include <vector>

#include "app_identity.h"
#include "capture.h"
#include "cli/plan_run.h"

namespace stakora::cli {
namespace {

using stakora::testing::Has;
using stakora::testing::Ran;

Ran Plan(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return stakora::testing::Capture(RunPlan, words);
}

// The value of every "key": "..." in order, as one text.
std::string Values(const std::string& json, const std::string& key) {
  std::string out;
  const std::string at = "\"" + key + "\": \"";
  for (auto p = json.find(at); p != std::string::npos; p = json.find(at, p + 1)) {
    const auto from = p + at.size();
    out += (out.empty() ? "" : " ") + json.substr(from, json.find('"', from) - from);
  }
  return out;
}

struct Example {
  const char* args;
  const char* stakes;
  const char* total;
  const char* worst;
  const char* rounding_cost;
};
class PlanExample : public ::testing::TestWithParam<Example> {};

TEST_P(PlanExample, GivesTheStakes) {
  const Example& e = GetParam();
  const Ran r = Plan(std::string("--json ") + e.args);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Values(r.out, "stake"), e.stakes);
  EXPECT_EQ(Values(r.out, "total_stake"), e.total);
  EXPECT_EQ(Values(r.out, "worst_profit"), e.worst);
  EXPECT_EQ(Values(r.out, "rounding_cost"), e.rounding_cost);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Readme, PlanExample, ::testing::Values(
  Example{"--stake 25 --step 1 -- 2.2 5.5 8 13", "13.00 5.00 4.00 3.00", "25.00", "2.50", "2.32"},
  Example{"--stake 50 -- Home=2.8 Draw=3.6! Away=3.3", "19.53 13.89 16.58", "50.00", "4.68", "0.02"},
  Example{"--profit 10 -- 3 4 5", "15.40 11.55 9.24", "36.19", "10.01", "0.04"},
  Example{"--profit 10 --commission 5% -- 3 4 5", "16.20 12.15 9.72", "38.07", "10.00", "0.01"},
  Example{"--stake 10 --min-stake 2 --step 0.5 -- 1.5 10 20 30", "4.00 2.00 2.00 2.00", "10.00", "-4.00", "5.76"},
  Example{"--lay --stake 20 -- 3 5 7", "9.86 5.92 4.22", "20.00", "-9.60", "0.02"},
  Example{"--lay --liability 30 --commission 2 -- 3 5 6/1", "30.87 18.52 13.23", "62.62", "-29.99", "0.03"},
  Example{"--stake 10.000 -- 0000000000003 2", "4.00 6.00", "10.00", "2.00", "0.00"},
  Example{"--each-way --field 8 --stake 40 --step 1 -- 4/1 6/1 10/1", "9.00 7.00 4.00", "40.00", "16.00", "5.13"},
  Example{"--each-way --field 8 --stake 40 -- 4/1 6/1 10/1", "8.99 6.64 4.37", "40.00", "21.09", "0.04"},
  Example{"--each-way --field 12 --profit 25 -- 5/1 7/1 9/1", "7.79 6.00 4.87", "37.32", "25.00", "0.04"},
  Example{"--lay --commission 2 --held Fav:back:10@3.0 -- Fav=3.1", "9.74 10.00", "9.74", "-0.45", ""},
  Example{"--lay --commission 2 --liability= --held Fav:back:10@3.0 -- Fav=3.1", "9.74 10.00", "9.74", "-0.45", ""},
  Example{"--lay --commission 5 --held Fav:free:20@6.0 -- Fav=6.4", "15.74 20.00", "15.74", "14.95", ""},
  // Underlay and overlay: all the way, and halfway rounded toward the best (9.65).
  Example{"--lay --commission 2 --underlay 1 --held 1:back:10@5.0 -- 5.2", "9.52 10.00", "9.52", "-0.67", ""},
  Example{"--lay --commission 2 --overlay 1 --held 1:back:10@5.0 -- 5.2", "10.21 10.00", "10.21", "-2.88", ""},
  Example{"--lay --commission 2 --overlay 0.5 --held 1:back:10@5.0 -- 5.2", "9.93 10.00", "9.93", "-1.71", ""},
  Example{"--field 3 --step 1 --stake 40 --held Frankel:free:20@3.0 -- Frankel=3.0 Enable=2.0 Arkle=5.0",
          "0.00 20.00 8.00 20.00", "28.00", "12.00", ""},
  Example{"--lay --commission 5 --step 0.1 --stake 60 --field 3 --held Arkle:back:20@8.0 -- Arkle=3.0 Enable=2.5 Frankel=6.0",
          "54.20 0.00 0.00 20.00", "54.20", "31.49", ""},
  Example{"--exchange-rules betfair --stake 10 -- 2.5 4.0 12.0 40.0 100.0", "5.20 3.25 1.09 0.33 0.13", "10.00", "3.00", "0.02"},
  Example{"--exchange-rules betfair --min-payout 0 --stake 10 -- 2.5 4.0 12.0 40.0 100.0", "4.31 2.69 1.00 1.00 1.00", "10.00", "0.76", "2.26"},
  Example{"--lay --exchange-rules betfair-eur --min-payout 10 --stake 10 -- 3.0 5.0 25.0 50.0", "5.63 3.37 0.67 0.33", "10.00", "-6.89", "0.04"},
  Example{"--lay --exchange-rules betfair --stake 1.40 -- 25.0 5.0", "0.40 1.00", "1.40", "-8.60", "4.17"}));
// clang-format on

// The JSON's fields in their order: a lay plan's; what each way adds (with
// one place no place-only outcome; on a field the runners cover no other
// winner, no unplaced outcome and no unrounded twin); the held bets with
// their results per runner (A: -4 held, 2 * 26.50 - 26.50 new; B: 45 + 4
// held, -26.50 new).
TEST(PlanCli, TheJsonHasEveryField) {
  // clang-format off
  const std::pair<const char*, std::vector<const char*>> cases[] = {
      {"--lay --liability 30 --commission 2 -- 7/2 5",
       {"{\"outcome\": \"planned\", \"message\": null, \"side\": \"lay\", \"mode\": \"liability\", "
        "\"step\": \"0.01\", \"commission_percent\": \"2\", \"book_percent\": \"42.22\", "
        "\"runners\": [{\"name\": \"\", \"odds\": \"7/2\", \"decimal_odds\": \"4.5\", \"saver\": false, ",
        "\"total_stake\": \"21.91\", \"if_another_wins\": \"21.47\", \"worst_profit\": \"-29.99\", "
        "\"best_profit\": \"-29.98\", \"exact_worst_profit\": \"-30.00\", "
        "\"exact_total_stake\": \"21.92\", \"rounding_cost\": \"0.01\"}\n"}},
      {"--each-way --places 2 --place-fraction 1/4 --stake 10 -- 3 5",
       {"\"book_percent\": \"53.33\", \"each_way\": {\"places\": 2, \"place_fraction\": \"1/4\"}, \"runners\": ",
        "\"stake\": \"3.04\", \"liability\": \"0.00\", \"profit_if_wins\": \"3.68\", "
        "\"place_odds\": \"1.5\", \"profit_if_places\": \"-5.44\", \"ticks_to_next\": null}",
        // Best: the 5 wins (13.72) and the 3 places (3.04 at 1.5) on an outlay of 10.
        "\"best_profit\": \"8.28\", \"exact_worst_profit\": \"3.70\", \"exact_total_stake\": \"10.00\", "
        "\"rounding_cost\": \"0.02\", \"worst_place_profit\": \"-6.08\", \"if_none_places\": \"-10.00\"}\n"}},
      {"--each-way --places 1 --place-fraction 1/4 --stake 10 -- 3 5",
       {"\"profit_if_places\": null, \"ticks_to_next\": null}", "\"worst_place_profit\": null, \"if_none_places\": \"-10.00\"}"}},
      {"--exchange --stake 10 -- 3.35 1000",
       {"\"ticks_to_next\": {\"up\": \"3.40\", \"down\": \"3.30\"}}",
        "\"ticks_to_next\": {\"up\": null, \"down\": \"990.00\"}}"}},
      {"--each-way --field 2 --places 2 --place-fraction 1/4 --stake 10 -- 3 5",
       {"\"if_another_wins\": null", "\"rounding_cost\": null", "\"if_none_places\": null}"}},
      {"--field 2 --held 2:free-sr:10@7/2 --held A:lay:4@2 -- A=2 B=1.8",
       {"\"stake\": \"26.50\", \"liability\": \"0.00\", \"profit_if_wins\": \"22.50\", "
        "\"held_if_wins\": \"-4.00\", \"ticks_to_next\": null}",
        "\"held_if_wins\": \"49.00\", \"ticks_to_next\": null}], \"held\": [{\"runner\": \"B\", \"kind\": \"free-sr\", "
        "\"stake\": \"10.00\", \"odds\": \"7/2\"}, {\"runner\": \"A\", \"kind\": \"lay\", "
        "\"stake\": \"4.00\", \"odds\": \"2\"}], \"total_stake\": \"26.50\", \"if_another_wins\": null, "
        "\"worst_profit\": \"22.50\", \"best_profit\": \"22.50\", \"exact_worst_profit\": null, "
        "\"exact_total_stake\": null, \"rounding_cost\": null, \"retention_percent\": \"225.00\"}\n"}},
      // A free bet laid off: what it keeps of its stake.
      {"--lay --commission 5 --held 1:free:20@6.0 -- 6.4",
       {"\"stake\": \"15.74\"", "\"worst_profit\": \"14.95\"", "\"retention_percent\": \"74.75\"}"}},
      {"--commission 5 --held Hope:each-way:50@7.5:4:1/5 --place-market 3 --place-odds Hope=1.7 -- Hope=8.2",
       {"\"stake\": \"46.01\", \"liability\": \"331.27\", \"profit_if_wins\": \"9.94\", "
        "\"held_if_wins\": \"390.00\", \"place_odds\": \"1.7\", \"lay_place_stake\": \"69.70\", "
        "\"place_liability\": \"48.79\", \"profit_if_places\": \"9.92\", "
        "\"profit_if_extra_place\": \"124.92\", \"profit_if_unplaced\": \"9.92\"",
        "\"kind\": \"each-way\", \"stake\": \"50.00\", \"odds\": \"7.5\", \"places\": 4, "
        "\"place_fraction\": \"1/5\"}]",
        "\"worst_profit\": \"9.92\"", "\"place_market\": 3, \"extra_place_profit\": \"124.92\", "
        "\"new_liability\": \"380.06\"}\n"}},
      {"--commission 5 --held Hope:each-way:50@7.5:3:1/5 --place-market 3 -- Hope=8.2",
       {"\"place_odds\": null, \"lay_place_stake\": \"0.00\"", "\"profit_if_extra_place\": null",
        "\"extra_place_profit\": null"}}};
  // clang-format on
  for (const auto& [args, parts] : cases) {
    const Ran r = Plan(std::string("--json ") + args);
    for (const char* part : parts) EXPECT_TRUE(Has(r.out, part)) << args << "\n" << r.out;
  }
  const Ran table = Plan("--held 1:back:10@3 --stake 5 -- Fav=3.1");
  EXPECT_TRUE(Has(table.out,
                  "Held if wins  Profit if it wins\nFav             3.1       "
                  "0.00        20.00         20.00\n"
                  "With the 1 bet you hold: new stakes 0.00. Worst -10.00, best 20.00; "
                  "if another wins -10.00. To lay your bets off at an exchange, choose Lay.\n"))
      << table.out;
}

TEST(PlanCli, RefusalsSayWhyAndExitOne) {
  std::string crowd = "--stake 10 --";
  for (int i = 0; i < 1001; ++i) crowd += " 2";
  // clang-format off
  const std::pair<std::string, const char*> cases[] = {
      {crowd, "At most 1000 runners can be planned"},
      {"--stake 10", "No runners"},
      {"--stake 10 -- 2 3 x", "Runner 3: cannot read the odds \"x\""},
      {"--stake 10 -- 2 1.005", "Runner 2: odds of 1.005 are below 1.01"},
      {"--lay --ladder --stake 10 -- 2 3.33", "Runner 2: 3.33 is not on the exchange's price ladder: 3.30 or 3.35"},
      {"--stake 10 --min-payout -1 -- 2", "Minimum payout: must be 0 or more"},
      {"--lay --exchange-rules betfair --stake 1.39 -- 25.0 5.0", "The minimum stakes add up to 1.40, more than the stake 1.39"},
      {"--ladder --held 1:lay:10@3.33 -- 3.35", "Held bet 1: 3.33 is not on the exchange's price ladder: 3.30 or 3.35"},
      {"--stake 0 -- 2", "Amount: must be more than 0"},
      {"--stake 10.5 --step 1 -- 2", "Amount: the stake 10.50 is not a whole number of steps of 1.00"},
      {"--stake 10 --min-stake 3 -- 2 3 4 5", "The minimum stakes add up to 12.00"},
      {"--profit 10 -- 2 2", "The runners' book is 100.00%"},
      {"--lay --liability 10 -- 2 3 6", "The lay book is 100.00%"},
      {"--stake 10 --step 1 -- 2 1.5! 1.5!", "The savers cannot break even"},
      {"--lay --stake 10 -- 2 3!", "Runner 2: marked as a saver"},
      {"--stake 10 -- 2! 3!", "Every runner is a saver"},
      {"--lay --liability 1 --min-stake 5 -- 3 5", "Even the minimum stake on every runner"},
      {"--lay --liability 1000000000 -- 1.01 10000", "A liability of 1000000000.00 allows more"},
      {"--lay --liability 0.01 -- 10000", "A liability of 0.01 is too small to lay one step"},
      {"--stake abc -- 2", "Amount: \"abc\" is not a number"},
      {"--stake -5 -- 2", "Amount: must be more than 0"},
      {"--stake 10 --min-stake -1 -- 2", "Minimum stake: must be 0 or more"},
      {"--stake 10 -- 1234567890123", "Runner 1: odds of 1234567890123 are above 10000"},
      {"--each-way --places 2 --place-fraction x --stake 10 -- 3 4", "Place fraction: \"x\" is not a fraction"},
      {"--stake 1.001 -- 2", "Amount: \"1.001\" has more than two decimals"},
      {"--stake 10000000000000 -- 2", "Amount: must be at most 1000000000.00"},
      {"--stake 10 --min-stake 1000000000.01 -- 2", "Minimum stake: must be at most 1000000000.00"},
      {"--stake 10 --step 1e2 -- 2", "Step: \"1e2\" is not a number"},
      {"--stake 200000 --step 100000.01 -- 2", "Step: must be at most 100000.00"},
      {"--lay --stake 10 --commission 100 -- 2", "Commission: must be a percentage"},
      {"--stake 10 -- 10000.5", "Runner 1: odds of 10000.5 are above 10000"},
      {"--stake 10 -- 3.1234567", "Runner 1: odds of 3.1234567 have more than six decimals"},
      {"--stake 10 -- 1000001/2", "Runner 1: the fraction 1000001/2 has a term above 1000000"},
      {"--profit 1 -- 100.990001 1.010001", "A profit of 1.00 needs more than 1000000000.00"},
      {"--profit 1 --min-stake 500000000 -- 3 3.5 4", "A profit of 1.00 needs more than"},
      {"--held 4:back:1@2 -- 3", "Held bet 1: there is no runner 4; the plan has 1"},
      {"--held Fav:back:1@2 -- Fab=3", "Held bet 1: no runner is called \"Fav\""},
      {"--held Fav:back:1@2 -- Fav=3 Fav=4", "Held bet 1: runners 1 and 2 are both called \"Fav\""},
      {"--held 1:each:1@2 -- 3", "Held bet 1: the kind \"each\" is not back, lay, free, free-sr or each-way"},
      {"--held 1:each-way:1@2:3:1/5 --place-market 3 -- 3 4", "Runner 2: no held each-way bet"},
      {"--held 1:back:0@2 -- 3", "Held bet 1 stake: must be more than 0"},
      {"--held 1:back:1@1 -- 3", "Held bet 1: odds of 1 are below 1.01"},
      {"--held 1:back:1@2 --rule4 91 -- 3", "Rule 4: \"91\" is not a whole number of pence"},
      {"--field 1 --held 1:back:1@2 -- 3 4", "Field size: the plan has 2 runners, more than the 1 in the field"},
      {"--field 2 --held 1:back:1@2 -- 3 4", "The new bets alone would win whatever happens"},
      {"--lay --liability 5 --held 1:back:1@2 -- 1.5 2", "The new bets alone would win"},
      {"--lay --held 1:free-sr:1000000000@10000 --held 1:free-sr:1000000000@10000 -- 10000 1.01",
       "The best plan around these bets needs more than 1000000000.00 of backers' stakes"},
      {"--held 1:back:5@2 --overlay 1 -- 3", "Overlay moves a lay around bets held on one runner"},
      {"--lay --held 1:back:5@2 --underlay 2 -- 3", "Underlay: \"2\" is no fraction from 0 to 1"},
      {"--held 1:back:1@10001/999999 --held 1:back:1@10001/999998 -- 3",
       "The held bets on Runner 1 are at prices too unlike to add up exactly"}};
  // clang-format on
  for (const auto& [args, why] : cases) {
    const Ran r = Plan(args);
    EXPECT_EQ(r.status, 1) << args;
    EXPECT_EQ(r.out, "") << args;
    EXPECT_EQ(r.err.find(std::string("stakora-plan: ") + why), 0u) << args << ": " << r.err;
  }
  EXPECT_EQ(Plan("--json --stake 0 -- 2").out,
            "{\"outcome\": \"refused\", \"message\": \"Amount: must be more than 0\", "
            "\"side\": \"back\", \"mode\": \"stake\", \"runners\": []}\n");
}

TEST(PlanCli, UsageErrorsExitTwo) {
  for (const char* args : {"2 3",
                           "--stake 5 --profit 5 2",
                           "--liability 5 2",
                           "--lay --profit 5 2",
                           "--stake --json 2",
                           "--bogus --stake 5 2",
                           "--each-way --lay --field 8 --stake 5 2",
                           "--each-way --field 8 --liability 5 2",
                           "--each-way --field 8 --commission 0 --stake 5 2",
                           "--each-way --places 3 --stake 5 2",
                           "--field 8 --stake 5 2",
                           "--each-way --handicap --places 3 --place-fraction 1/4 --stake 5 2",
                           "--held 1:back:5 2",
                           "--held back:5@2 2",
                           "--profit 5 --held 1:back:5@2 2",
                           "--held 1:back:5@2 2!",
                           "--each-way --field 8 --held 1:back:5@2 --stake 5 2",
                           "--stake 5 --liability 5 --lay --held 1:back:5@2 2",
                           "--lay --stake 5 --rule4 25 2",
                           "--exchange-rules betdaq --stake 5 2",
                           "--each-way --field 8 --ladder --stake 5 2",
                           "--place-market 3 --stake 5 2",
                           "--held 1:each-way:5@3:3:1/5 2",
                           "--held 1:each-way:5@3:3:1/5 --place-market 3 --place-odds X=2 2",
                           "--lay --stake 5 --underlay 1 2",
                           "--lay --held 1:back:5@2 --underlay 1 --overlay 1 2",
                           "--json --csv --stake 5 2"}) {
    const Ran r = Plan(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_NE(r.err.find("usage: stakora-plan"), std::string::npos) << args;
  }
  EXPECT_EQ(Plan("--help").status, 0);
  EXPECT_EQ(Plan("--version").out, std::string("stakora-plan ") + kVersionText + "\n");
}

#ifndef _WIN32  // the shell and /dev/full are POSIX things
TEST(PlanCliBinary, PlansOnStandardOutput) {
  const std::string plan = STAKORA_PLAN;
  const auto status = stakora::testing::ShellStatus;
  EXPECT_EQ(
      status(plan + " --stake 25 --step 1 -- Fav=2.2 5.5 8 13 | grep -q '^Fav  *2.2  *13.00'"), 0);
}

#endif

}  // namespace
}  // namespace stakora::cli
