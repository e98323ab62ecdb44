#include "cli/plan_args.h"

#include "cli/text.h"

namespace stakora::cli {
namespace {

// A number as an option value: digits with at most one point and a leading
// minus; whether it is a good amount is the planner's to say.
bool LooksLikeNumber(const std::string& s) {
  std::size_t i = s.starts_with('-') ? 1 : 0, digits = 0, points = 0;
  for (; i < s.size(); ++i) {
    if (s[i] == '.') {
      ++points;
    } else if (s[i] >= '0' && s[i] <= '9') {
      ++digits;
    } else {
      return false;
    }
  }
  return digits > 0 && points <= 1;
}

}  // namespace

plan::RunnerInput ParseRunner(const std::string& word) {
  plan::RunnerInput r;
  std::string odds = word;
  if (odds.ends_with('!')) {
    r.saver = true;
    odds.pop_back();
  }
  if (const auto eq = odds.rfind('='); eq != std::string::npos) {
    r.name = odds.substr(0, eq);
    odds = odds.substr(eq + 1);
  }
  r.odds = odds;
  return r;
}

Result<PlanArgs, UsageError> ParsePlanArgs(const std::vector<std::string>& words) {
  PlanArgs args;
  plan::Request& r = args.request;
  int modes = 0;
  bool options_done = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (options_done || !LooksLikeOption(word)) {
      r.runners.push_back(ParseRunner(word));
      continue;
    }
    if (word == "--") {
      options_done = true;
      continue;
    }
    if (word == "--json") {
      args.json = true;
      continue;
    }
    if (word == "--lay") {
      r.side = plan::Side::Lay;
      continue;
    }
    if (word == "--help" || word == "-h") {
      args.help = true;
      continue;
    }
    if (word == "--version") {
      args.version = true;
      continue;
    }
    struct Numeric {
      const char* name;
      std::string* into;
      std::optional<plan::Mode> mode;
    };
    bool known = false;
    for (const Numeric& option : {Numeric{"--stake", &r.amount, plan::Mode::Stake},
                                  Numeric{"--profit", &r.amount, plan::Mode::Profit},
                                  Numeric{"--liability", &r.amount, plan::Mode::Liability},
                                  Numeric{"--commission", &r.commission, std::nullopt},
                                  Numeric{"--step", &r.step, std::nullopt},
                                  Numeric{"--min-stake", &r.min_stake, std::nullopt}}) {
      auto value = OptionValue(words, i, option.name);
      if (!value) continue;
      if (!*value) return value->error();
      if (!LooksLikeNumber(**value))
        return UsageError{std::string(option.name) + " takes a number, not \"" +
                          PrintableText(**value) + "\""};
      *option.into = **value;
      if (option.mode) {
        r.mode = *option.mode;
        ++modes;
      }
      known = true;
      break;
    }
    if (!known) return UsageError{"unknown option " + PrintableText(word)};
  }
  if (args.help || args.version) return args;
  if (modes != 1) return UsageError{"give exactly one of --stake, --profit and --liability"};
  if (r.side == plan::Side::Back && r.mode == plan::Mode::Liability)
    return UsageError{"--liability is for a lay plan: add --lay"};
  if (r.side == plan::Side::Lay && r.mode == plan::Mode::Profit)
    return UsageError{"--profit is for a back plan; a lay plan takes --stake or --liability"};
  return args;
}

}  // namespace stakora::cli
