#pragma once
// The command line of stakora-cli.

#include <optional>
#include <string>
#include <vector>

#include "options.h"
#include "result.h"

namespace stakora::cli {

enum class Mode { Stake, Profit };

struct Args {
  bool json = false;
  Mode mode = Mode::Stake;
  Notation odds_format = Notation::Fraction;
  std::optional<std::string> amount;  // the window's "50.00" when absent
  std::optional<std::string> horses;  // the number of odds given, or "1"
  std::vector<std::string> odds;      // rows 0, 1, ... at most five
};

// Why a command line was refused.
struct UsageError {
  std::string text;
};

Result<Args, UsageError> ParseArgs(const std::vector<std::string>& argv);

inline constexpr const char* kUsage =
    "usage: stakora-cli [--json] [--mode stake|profit] [--odds-format decimal|fraction|betfair]\n"
    "                   [--amount=TEXT] [--horses=TEXT] [--] [ODDS ...]\n";

}  // namespace stakora::cli
