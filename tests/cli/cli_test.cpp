// stakora-cli through its real binary.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct Result {
  int status;
  std::string out;
};

Result RunCli(const std::string& args) {
  const std::string cmd = std::string(STAKORA_CLI) + " " + args + " 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  Result r{-1, ""};
  char buf[4096];
  while (std::size_t n = std::fread(buf, 1, sizeof buf, p)) r.out.append(buf, n);
  const int raw = pclose(p);
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return r;
}

TEST(Cli, JsonForTwoDecimalHorses) {
  const auto r = RunCli("--json --mode stake --odds-format decimal --amount=50 -- 3.0 4.0");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "{\"outcome\": \"completed\", \"messages\": [], \"rows\": ["
            "{\"horse\": 1, \"odds\": \"3.0\", \"working_odds\": \"2\", \"stake\": \"28.57\", "
            "\"win\": \"57.14\", \"profit\": \"35.71\", \"loss_warning\": false}, "
            "{\"horse\": 2, \"odds\": \"4.0\", \"working_odds\": \"3\", \"stake\": \"21.43\", "
            "\"win\": \"64.29\", \"profit\": \"35.72\", \"loss_warning\": false}]}\n");
}

TEST(Cli, StartUpValuesByDefault) {
  const auto r = RunCli("--json");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\"odds\": \"1/1\", \"working_odds\": \"1\", \"stake\": \"50\""),
            std::string::npos)
      << r.out;
}

TEST(Cli, LossWarningsStillComplete) {
  const auto r = RunCli("--json --odds-format decimal 2 2 2");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("[\"You will loose money on this bet\", \"You will loose money on this "
                       "bet\", \"You will loose money on this bet\"]"),
            std::string::npos);
  EXPECT_NE(r.out.find("\"loss_warning\": true"), std::string::npos);
}

TEST(Cli, RefusalExitsOneWithItsMessage) {
  const auto r = RunCli("--json --amount= 2/1");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("\"refused\", \"messages\": [\"Please only enter numbers in the stke "
                       "field!\"]"),
            std::string::npos);
  EXPECT_NE(r.out.find("\"stake\": \"0.00\""), std::string::npos);
}

TEST(Cli, UnusedRowsKeepTheNotationTexts) {
  const auto r = RunCli("--json --odds-format decimal --horses=3 7");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\"horse\": 2, \"odds\": \"3\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"horse\": 3, \"odds\": \"4\""), std::string::npos);
}

TEST(Cli, TextsAreTakenAsGiven) {
  const auto r = RunCli("--json --odds-format decimal -- -2 '\"x\\'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("\"odds\": \"\\\"x\\\\\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Please check the odds for Horse 2"), std::string::npos);
}

TEST(Cli, NoRowsBelowACountOfOne) {
  const auto r = RunCli("--json --horses=0");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("\"rows\": []"), std::string::npos);
}

TEST(Cli, TableMarksWarnedRowsWithoutColourInAPipe) {
  const auto r = RunCli("--odds-format decimal 2 1.99");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Message: You will loose money on this bet"), std::string::npos);
  EXPECT_NE(r.out.find("-0.12  ! loss"), std::string::npos);
  EXPECT_EQ(r.out.find("\x1b["), std::string::npos);
}

TEST(Cli, UsageErrorsExitTwo) {
  for (const char* args :
       {"--mode loss", "--odds-format us", "--bogus", "1 2 3 4 5 6", "--amount"}) {
    const auto r = RunCli(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_NE(r.out.find("usage: stakora-cli"), std::string::npos) << args;
  }
}

}  // namespace
