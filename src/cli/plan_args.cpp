#include "cli/plan_args.h"

#include "cli/text.h"

namespace stakora::cli {

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
    if (ReadCommonFlag(word, args.common)) continue;
    if (word == "--lay") {
      r.side = plan::Side::Lay;
      continue;
    }
    struct Valued {
      const char* name;
      std::string* into;
      std::optional<plan::Mode> mode;
    };
    bool known = false;
    for (const Valued& option : {Valued{"--stake", &r.amount, plan::Mode::Stake},
                                 Valued{"--profit", &r.amount, plan::Mode::Profit},
                                 Valued{"--liability", &r.amount, plan::Mode::Liability},
                                 Valued{"--commission", &r.commission, std::nullopt},
                                 Valued{"--step", &r.step, std::nullopt},
                                 Valued{"--min-stake", &r.min_stake, std::nullopt}}) {
      auto value = OptionValue(words, i, option.name);
      if (!value) continue;
      if (!*value) return value->error();
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
  if (args.common.help || args.common.version) return args;
  if (modes != 1) return UsageError{"give exactly one of --stake, --profit and --liability"};
  if (!plan::SideHasMode(r.side, r.mode))
    return UsageError{r.side == plan::Side::Back
                          ? "--liability is for a lay plan: add --lay"
                          : "--profit is for a back plan; a lay plan takes --stake or --liability"};
  return args;
}

}  // namespace stakora::cli
