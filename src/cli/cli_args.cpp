#include "cli/cli_args.h"

#include <string_view>

namespace stakora::cli {
namespace {

constexpr std::size_t kMaxOdds = 5;

// "--name=value" or "--name value"; the value is taken exactly as given.
std::optional<std::string> OptionValue(const std::vector<std::string>& argv, std::size_t& i,
                                       std::string_view name, bool& matched) {
  const std::string_view arg = argv[i];
  matched = false;
  if (arg.substr(0, name.size()) != name) return std::nullopt;
  const std::string_view rest = arg.substr(name.size());
  if (rest.empty()) {
    matched = true;
    if (i + 1 >= argv.size()) return std::nullopt;
    return argv[++i];
  }
  if (rest.front() != '=') return std::nullopt;
  matched = true;
  return std::string(rest.substr(1));
}

}  // namespace

Result<Args, UsageError> ParseArgs(const std::vector<std::string>& argv) {
  Args args;
  bool options_done = false;
  for (std::size_t i = 0; i < argv.size(); ++i) {
    const std::string& arg = argv[i];
    if (options_done || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      if (args.odds.size() == kMaxOdds) return UsageError{"at most five odds can be given"};
      args.odds.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_done = true;
      continue;
    }
    if (arg == "--json") {
      args.json = true;
      continue;
    }
    bool matched = false;
    if (auto v = OptionValue(argv, i, "--mode", matched); matched) {
      if (v == "stake")
        args.mode = Mode::Stake;
      else if (v == "profit")
        args.mode = Mode::Profit;
      else
        return UsageError{"--mode takes stake or profit"};
      continue;
    }
    if (auto v = OptionValue(argv, i, "--odds-format", matched); matched) {
      if (v == "decimal")
        args.odds_format = Notation::Decimal;
      else if (v == "fraction")
        args.odds_format = Notation::Fraction;
      else if (v == "betfair")
        args.odds_format = Notation::Betfair;
      else
        return UsageError{"--odds-format takes decimal, fraction or betfair"};
      continue;
    }
    if (auto v = OptionValue(argv, i, "--amount", matched); matched) {
      if (!v) return UsageError{"--amount needs a text"};
      args.amount = *v;
      continue;
    }
    if (auto v = OptionValue(argv, i, "--horses", matched); matched) {
      if (!v) return UsageError{"--horses needs a text"};
      args.horses = *v;
      continue;
    }
    return UsageError{"unknown option " + arg};
  }
  return args;
}

}  // namespace stakora::cli
