#pragma once
// The command line of stakora-cli.

#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/option_words.h"
#include "options.h"
#include "result.h"

namespace stakora::cli {

enum class Mode { Stake, Profit };

struct Args {
  CommonArgs common;
  Mode mode = Mode::Stake;
  Notation odds_format = Notation::Fraction;
  std::optional<std::string> amount;  // the window's "50.00" when absent
  std::optional<std::string> horses;  // the number of odds given, or "1"
  std::vector<std::string> odds;      // rows 0, 1, ... at most five
};

Result<Args, UsageError> ParseArgs(const std::vector<std::string>& words);

inline constexpr const char* kUsage =
    "usage: stakora-cli [--json] [--mode stake|profit] [--odds-format decimal|fraction|betfair]\n"
    "                   [--amount=TEXT] [--horses=TEXT] [--] [ODDS ...]\n"
    "       stakora-cli --help | --version\n";

// What --help shows after the usage: the options, an example, the exit status.
std::string Guide();

}  // namespace stakora::cli
