#include "cli/cli_args.h"

#include <span>

#include "cli/text.h"
#include "number_text.h"

namespace stakora::cli {
namespace {

constexpr std::size_t kMaxOdds = 5;

using Taken = std::optional<UsageError>;

constexpr Option<Args> kOptions[] = {
    {"--mode", "stake|profit",
     "stake: the amount is the total stake to spread over the horses\n"
     "(the default); profit: the amount is the profit to win whichever\nhorse wins",
     [](Args& a, const std::string& v) -> Taken {
       const std::string mode = AsciiLower(v);
       if (mode != "stake" && mode != "profit") return UsageError{"--mode takes stake or profit"};
       a.mode = mode == "profit" ? Mode::Profit : Mode::Stake;
       return std::nullopt;
     }},
    {"--odds-format", "FORMAT", "fraction (2/1, the default), decimal (3.0) or betfair (3.0)",
     [](Args& a, const std::string& v) -> Taken {
       const std::string format = AsciiLower(v);
       if (format == "decimal") {
         a.odds_format = Notation::Decimal;
       } else if (format == "fraction") {
         a.odds_format = Notation::Fraction;
       } else if (format == "betfair") {
         a.odds_format = Notation::Betfair;
       } else {
         return UsageError{"--odds-format takes decimal, fraction or betfair"};
       }
       return std::nullopt;
     }},
    {"--amount", "TEXT", "the amount (default 50.00)",
     [](Args& a, const std::string& v) -> Taken {
       a.amount = v;
       return std::nullopt;
     }},
    {"--horses", "TEXT", "how many horses (default: as many as the odds given)",
     [](Args& a, const std::string& v) -> Taken {
       a.horses = v;
       return std::nullopt;
     }},
    {"--json", "", "one JSON object instead of a table", SetCommonFlag<Args, &CommonArgs::json>},
    {"--help", "", "this text, also -h", SetCommonFlag<Args, &CommonArgs::help>, "-h"},
    {"--version", "", "the program's version", SetCommonFlag<Args, &CommonArgs::version>},
};

}  // namespace

std::string Guide() {
  return "One press of the Calculate button of Stakora, the dutching calculator.\n\n" +
         OptionGuide(std::span<const Option<Args>>(kOptions)) +
         "\n"
         "Example: stakora-cli --odds-format decimal --amount=50 -- 3.0 4.0\n"
         "Exit status: 0 calculated (loss warnings included), 1 refused, 2 usage error.\n";
}

Result<Args, UsageError> ParseArgs(const std::vector<std::string>& words) {
  Args args;
  bool options_done = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (options_done || !LooksLikeOption(word)) {
      if (args.odds.size() == kMaxOdds) return UsageError{"at most five odds can be given"};
      args.odds.push_back(word);
      continue;
    }
    if (word == "--") {
      options_done = true;
      continue;
    }
    const auto read = ReadOption(std::span<const Option<Args>>(kOptions), words, i, args);
    if (!read) return read.error();
    if (!*read) return UnknownOption(word, std::span<const Option<Args>>(kOptions));
  }
  return args;
}

}  // namespace stakora::cli
