#pragma once
// The command line of stakora-cli.

#include <optional>
#include <string>
#include <vector>

namespace stakora::cli {

enum class Mode { Stake, Profit };
enum class OddsFormat { Decimal, Fraction, Betfair };

struct Args {
  bool json = false;
  Mode mode = Mode::Stake;
  OddsFormat odds_format = OddsFormat::Fraction;
  std::optional<std::string> amount;  // the window's "50.00" when absent
  std::optional<std::string> horses;  // the number of odds given, or "1"
  std::vector<std::string> odds;      // rows 0, 1, ... at most five
};

struct ParseResult {
  std::optional<Args> args;
  std::string error;  // why the command line was refused
};

ParseResult ParseArgs(const std::vector<std::string>& argv);

inline constexpr const char* kUsage =
    "usage: stakora-cli [--json] [--mode stake|profit] [--odds-format decimal|fraction|betfair]\n"
    "                   [--amount=TEXT] [--horses=TEXT] [--] [ODDS ...]\n";

}  // namespace stakora::cli
