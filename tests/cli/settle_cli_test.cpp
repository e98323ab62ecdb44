// stakora-settle in-process: its JSON, a plan piped in, and how it refuses.

#include <gtest/gtest.h>

#include <sstream>

#include "capture.h"
#include "cli/plan_run.h"
#include "cli/settle_run.h"

namespace stakora::cli {
namespace {

using stakora::testing::Has;
using stakora::testing::Ran;

Ran Settle(std::vector<std::string> words, const std::string& input = "") {
  std::istringstream in(input);
  return stakora::testing::Capture([&](const std::vector<std::string>& w, std::ostream& out,
                                       std::ostream& err) { return RunSettle(w, in, out, err); },
                                   words);
}

TEST(SettleCli, JsonGivesEveryFieldOfABet) {
  const Ran r = Settle({"--json", "--commission", "5", "--bet", "A:exchange-back:10@8.6",
                        "--finish", "A=1", "--non-runner", "N:16.2"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "{\"outcome\": \"settled\", \"bets\": [{\"runner\": \"A\", \"kind\": "
            "\"exchange-back\", \"stake\": \"10.00\", \"odds\": \"8.6\", \"status\": \"won\", "
            "\"rule4_pence\": null, \"reduced_odds\": \"7.21\", \"dead_heat\": null, \"return\": "
            "\"72.10\", \"profit\": \"62.10\"}], \"total_stake\": \"10.00\", \"total_return\": "
            "\"72.10\", \"commission\": \"3.11\", \"profit\": \"58.99\", \"rule4_pence\": 0}\n");
}

TEST(SettleCli, SettlesAPlanPipedIn) {
  const Ran plan = stakora::testing::Capture(
      RunPlan,
      {"--json", "--lay", "--commission", "2", "--held", "Fav:back:10@3.0", "--", "Fav=3.1"});
  ASSERT_EQ(plan.status, 0) << plan.err;
  // The plan's own commission: the lay loses, so none is taken.
  const Ran r = Settle({"--plan", "-", "--finish", "Fav=1"}, plan.out);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.out, "profit -0.45")) << r.out;
  const Ran loses = Settle({"--json", "--plan", "-", "--finish", "Other=1"}, plan.out);
  EXPECT_TRUE(Has(loses.out, "\"commission\": \"0.19\"")) << loses.out;
  // A held each-way bet and both lays, 4th in an extra place: the plan's +124.92.
  const Ran laid = stakora::testing::Capture(
      RunPlan, {"--json", "--commission", "5", "--held", "Hope:each-way:50@7.5:4:1/5",
                "--place-market", "3", "--place-odds", "Hope=1.7", "--", "Hope=8.2"});
  const Ran extra = Settle({"--plan", "-", "--finish", "A=1", "--finish", "B=2", "--finish", "C=3",
                            "--finish", "Hope=4"},
                           laid.out);
  EXPECT_TRUE(Has(extra.out, "profit +124.92")) << extra.out << extra.err;
}

TEST(SettleCli, MisuseIsStatusTwoAndARefusalOne) {
  const std::pair<std::vector<std::string>, int> cases[] = {
      {{"--bet", "A:back:10"}, 2},
      {{"--finish", "A=1"}, 2},
      {{"--bet", "A:back:10@2", "stray"}, 2},
      {{"--bet", "A:back:10@2", "--non-runner", "N@"}, 2},
      {{"--bet", "A:back:10@2", "--finish", "A=1", "--finish", "B=1", "--finish", "C=2"}, 1},
      {{"--bet", "A:back:10@1.00"}, 1},
      {{"--bet", "A:back:10@2", "--rule4-cap", "91"}, 1},
      {{"--plan", "/nonexistent/plan.json"}, 1},
  };
  for (const auto& [words, status] : cases) EXPECT_EQ(Settle(words).status, status) << words[1];
}

TEST(SettleCli, APlanThatIsNotOneIsRefusedWithWhy) {
  const std::pair<const char*, const char*> cases[] = {
      {"{\"outcome\": \"refused\", \"message\": \"Amount: must be more than 0\"}",
       "it was refused (Amount: must be more than 0)"},
      {"[1, 2", "a missing ',' or closing bracket at byte 6"},
      {"{\"outcome\": \"planned\", \"side\": \"back\", \"runners\": [{\"name\": \"A\"}]}",
       "runner 1 has no \"odds\""},
      {"{\"outcome\": \"planned\", \"side\": \"back\", \"runners\": "
       "[{\"name\": \"A\", \"odds\": \"3\", \"stake\": \"-1\"}]}",
       "runner 1 has a \"stake\" that is no amount"},
  };
  for (const auto& [text, why] : cases) {
    const Ran r = Settle({"--json", "--plan", "-"}, text);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, why)) << r.err;
    EXPECT_TRUE(Has(r.out, "\"outcome\": \"refused\"")) << r.out;
  }
}

}  // namespace
}  // namespace stakora::cli
