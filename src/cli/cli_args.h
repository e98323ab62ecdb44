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

inline constexpr const char* kGuide =
    "One press of the Calculate button of Stakora, the dutching calculator.\n"
    "\n"
    "  --mode stake     the amount is the total stake to spread over the horses (default)\n"
    "  --mode profit    the amount is the profit to win whichever horse wins\n"
    "  --odds-format    fraction (2/1, the default), decimal (3.0) or betfair (3.0)\n"
    "  --amount=TEXT    the amount (default 50.00)\n"
    "  --horses=TEXT    how many horses (default: as many as the odds given)\n"
    "  --json           one JSON object instead of a table\n"
    "\n"
    "Example: stakora-cli --odds-format decimal --amount=50 -- 3.0 4.0\n"
    "Exit status: 0 calculated (loss warnings included), 1 refused, 2 usage error.\n";

}  // namespace stakora::cli
