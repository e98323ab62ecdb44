// stakora-cli in-process through its library, and once through its binary.

#include <gtest/gtest.h>

#include "capture.h"
#include "cli/run.h"
#include "cli/text.h"

namespace stakora::cli {
namespace {

using stakora::testing::Has;
using stakora::testing::Ran;

Ran Cli(const std::vector<std::string>& words, bool terminal = false) {
  return stakora::testing::Capture(
      [terminal](const auto& w, std::ostream& out, std::ostream& err) {
        return Run(w, out, err, terminal);
      },
      words);
}

TEST(Cli, JsonOfACompletedRun) {
  const Ran r = Cli(
      {"--json", "--mode", "stake", "--odds-format", "decimal", "--amount=50", "--", "3.0", "4.0"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "{\"outcome\": \"completed\", \"messages\": [], \"rows\": ["
            "{\"horse\": 1, \"odds\": \"3.0\", \"working_odds\": \"2\", \"stake\": \"28.57\", "
            "\"win\": \"57.14\", \"profit\": \"35.71\", \"loss_warning\": false}, "
            "{\"horse\": 2, \"odds\": \"4.0\", \"working_odds\": \"3\", \"stake\": \"21.43\", "
            "\"win\": \"64.29\", \"profit\": \"35.72\", \"loss_warning\": false}]}\n");
  EXPECT_EQ(r.err, "");
}

struct Press {
  std::vector<std::string> words;
  const char* part;  // of the JSON
};
class CliPress : public ::testing::TestWithParam<Press> {};

TEST_P(CliPress, FollowsItsOptions) {
  std::vector<std::string> words{"--json"};
  words.insert(words.end(), GetParam().words.begin(), GetParam().words.end());
  const Ran r = Cli(words);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r.out, GetParam().part)) << r.out;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cli, CliPress, ::testing::Values(
  // The window's start-up values fill what is not given.
  Press{{"--horses=3", "--", "-1/2"}, "\"horse\": 3, \"odds\": \"3/1\""},
  Press{{"--", "-1/2"}, "\"odds\": \"-1/2\", \"working_odds\": \"-0.5\", \"stake\": \"50\""},
  Press{{"--mode", "PROFIT", "--odds-format=decimal", "--amount=10", "3", "4"},
        "\"stake\": \"8\", \"win\": \"16\", \"profit\": \"10\""},
  Press{{"--odds-format", "betfair", "--amount=10000.0449", "3"}, "\"stake\": \"10000.04\", \"win\": \"20000.08\""},
  Press{{"--odds-format", "FRACTION", "2/1", "3/1"}, "\"odds\": \"3/1\", \"working_odds\": \"3\", \"stake\": \"21.43\""}));
// clang-format on

TEST(Cli, LossWarningsCompleteWithTheirMessagesOnStandardError) {
  const Ran r = Cli({"--odds-format", "Decimal", "2", "1.99"}, true);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "You will loose money on this bet\nYou will loose money on this bet\n");
  EXPECT_TRUE(
      Has(r.out, "\x1b[31m1       2           24.94       24.94       -0.12  ! loss\x1b[0m\n"))
      << r.out;
  EXPECT_FALSE(Has(Cli({"--odds-format=decimal", "2", "1.99"}).out, "\x1b["));
}

TEST(Cli, RefusalPrintsOnlyItsMessage) {
  Ran r = Cli({"--amount=", "2/1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Please only enter numbers in the stke field!\n");
  r = Cli({"--json", "3.5"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "{\"outcome\": \"refused\", \"messages\": [\"Please check the odds for Horse 1\"], "
            "\"rows\": []}\n");
  EXPECT_EQ(r.err,
            "Please check the odds for Horse 1\n"
            "(the odds notation is Fraction; use --odds-format decimal)\n");
  EXPECT_EQ(Cli({"--odds-format", "decimal", "--", "5/2", "4/1"}).err,
            "Please check the odds for Horse 1\n"
            "(the odds notation is Decimal; use --odds-format fraction)\n");
}

TEST(Cli, AnUnknownOptionNamesTheOneItMostLikelyMeant) {
  const std::pair<const char*, const char*> cases[] = {
      {"--mdoe", "unknown option --mdoe; did you mean --mode?\n"},
      {"--amuont=5", "unknown option --amuont=5; did you mean --amount?\n"},
      {"--odds=decimal", "unknown option --odds=decimal; did you mean --odds-format?\n"},
      {"--color", "unknown option --color\n"}};
  for (const auto& [word, said] : cases) EXPECT_TRUE(Has(Cli({word}).err, said)) << word;
}

TEST(Cli, NoHorsesSaysSoAndCompletes) {
  const Ran r = Cli({"--horses", "0"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "no horses to calculate\n");
}

TEST(Cli, UsageErrorsExitTwo) {
  for (const std::vector<std::string>& words :
       std::vector<std::vector<std::string>>{{"--mode", "loss"},
                                             {"--bogus"},
                                             {"-x"},
                                             {"1", "2", "3", "4", "5", "6"},
                                             {"--amount", "--json", "3/1"},
                                             {"--horses", "--"},
                                             {"--amount"},
                                             {"--odds-format", "roman", "2"}}) {
    const Ran r = Cli(words);
    EXPECT_EQ(r.status, 2) << words[0];
    EXPECT_TRUE(Has(r.err, "usage: stakora-cli")) << words[0];
    EXPECT_EQ(r.out, "");
  }
}

TEST(Cli, HelpAndVersion) {
  const Ran help = Cli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(Has(help.out, "--mode stake|profit") && Has(help.out, "Example:")) << help.out;
  EXPECT_TRUE(Has(Cli({"--version"}).out, "stakora-cli ")) << "the version: see stakora-plan's";
}

TEST(Cli, AnyBytesPrintSafely) {
  EXPECT_EQ(JsonString("a\xe9\x1b\"\\\xc3\xa9\xed\xa0\x80\xc2\x85"),
            "\"a\xef\xbf\xbd\\u001b\\\"\\\\\xc3\xa9\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\\u0085\"");
  EXPECT_EQ(JsonString("a\nb\rc\td"), "\"a\\nb\\rc\\td\"");
  EXPECT_EQ(PrintableText("7\x1b[2J\xff/1\xc3\xa9"), "7\\x1b[2J\\xff/1\xc3\xa9");
  EXPECT_TRUE(Has(Cli({"--\x1b[2J"}).err, "unknown option --\\x1b[2J\n"));
}

#ifndef _WIN32  // the shell and /dev/full are POSIX things
// The binary itself: its streams and exit status.
TEST(CliBinary, ResultsOnStandardOutputAndAFullDiskFails) {
  const std::string cli = STAKORA_CLI;
  const auto status = stakora::testing::ShellStatus;
  EXPECT_EQ(status(cli + " --odds-format decimal 3 4 2>/dev/null | grep -q '^2 *4 *21.43'"), 0);
  EXPECT_EQ(
      status(cli + " --odds-format decimal 2 1.99 2>/dev/null | grep -q \"$(printf '\\033')\""),
      1);  // no colour into a pipe
  EXPECT_EQ(status(cli + " --json 2/1 >/dev/full 2>/dev/null"), 1);
  EXPECT_EQ(status(cli + " --json 2/1 >&- 2>/dev/null"), 1);
}

#endif

}  // namespace
}  // namespace stakora::cli
