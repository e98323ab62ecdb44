#include "cli/cli_args.h"

#include "cli/text.h"
#include "number_text.h"

namespace stakora::cli {
namespace {

constexpr std::size_t kMaxOdds = 5;

}  // namespace

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
    } else if (ReadCommonFlag(word, args.common)) {
    } else if (auto m = OptionValue(words, i, "--mode")) {
      if (!*m) return m->error();
      const std::string mode = AsciiLower(**m);
      if (mode != "stake" && mode != "profit") return UsageError{"--mode takes stake or profit"};
      args.mode = mode == "profit" ? Mode::Profit : Mode::Stake;
    } else if (auto o = OptionValue(words, i, "--odds-format")) {
      if (!*o) return o->error();
      const std::string format = AsciiLower(**o);
      if (format == "decimal") {
        args.odds_format = Notation::Decimal;
      } else if (format == "fraction") {
        args.odds_format = Notation::Fraction;
      } else if (format == "betfair") {
        args.odds_format = Notation::Betfair;
      } else {
        return UsageError{"--odds-format takes decimal, fraction or betfair"};
      }
    } else if (auto a = OptionValue(words, i, "--amount")) {
      if (!*a) return a->error();
      args.amount = **a;
    } else if (auto v = OptionValue(words, i, "--horses")) {
      if (!*v) return v->error();
      args.horses = **v;
    } else {
      return UnknownOption(word, {"--mode", "--odds-format", "--amount", "--horses", "--json",
                                  "--help", "--version"});
    }
  }
  return args;
}

}  // namespace stakora::cli
