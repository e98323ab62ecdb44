#include "cli/plan_args.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "cli/text.h"
#include "held.h"
#include "plan_text.h"

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

Result<plan::HeldInput, UsageError> ParseHeld(const std::string& text) {
  if (auto bet = plan::ParseHeldText(text)) return *bet;
  return UsageError{"--held takes RUNNER:KIND:STAKE@ODDS, such as Fav:back:10@3.0, not " +
                    PrintableText(text)};
}

namespace {

// Held bets: new bets win only, around them, with a cap or none.
std::optional<UsageError> HeldMisuse(const plan::Request& r) {
  const auto conflict = plan::HeldConflictOf(r);
  if (!conflict) return std::nullopt;
  switch (conflict->kind) {
    case plan::HeldConflict::EachWay:
      return UsageError{"--held plans win bets only: leave out --each-way"};
    case plan::HeldConflict::Profit:
      return UsageError{
          "--profit cannot be planned around --held bets: the plan makes the most of them; "
          "cap the new stakes with --stake, or give no amount"};
    case plan::HeldConflict::Saver:
      break;
  }
  return UsageError{"a saver (!) cannot be planned around --held bets: drop the !"};
}

// Each-way bets are a bookmaker's: no lay, no liability, no commission, and
// terms from a field size or given in full. `given`: the options, in order.
std::optional<UsageError> EachWayMisuse(const plan::Request& r,
                                        const std::vector<std::string_view>& given) {
  const plan::EachWayChoices& e = r.each_way;
  auto has = [&](std::string_view option) {
    return std::find(given.begin(), given.end(), option) != given.end();
  };
  if (!e.on) {
    for (std::string_view option : given)
      if ((option == "--field" && r.held.empty()) || option == "--handicap" ||
          option == "--places" || option == "--place-fraction")
        return UsageError{std::string(option) + " is for an each-way plan: add --each-way" +
                          (option == "--field" ? ", or --held bets" : "")};
    return std::nullopt;
  }
  if (r.side != plan::SideFor(r.side, e.on))
    return UsageError{"--each-way backs at a bookmaker and cannot be laid: leave out --lay"};
  if (r.mode == plan::Mode::Liability)
    return UsageError{"--liability is for a lay plan; an each-way plan takes --stake or --profit"};
  if (has("--commission") && !plan::TakesCommission(e.on))
    return UsageError{
        "--each-way bets are with a bookmaker, who takes no commission: leave out --commission"};
  if (r.field_size.empty() && (e.places.empty() || e.place_fraction.empty()))
    return UsageError{"--each-way needs --field N, or --places K and --place-fraction F"};
  if (e.handicap && r.field_size.empty())
    return UsageError{"--handicap picks the usual terms for a field size: add --field N"};
  return std::nullopt;
}

}  // namespace

Result<PlanArgs, UsageError> ParsePlanArgs(const std::vector<std::string>& words) {
  PlanArgs args;
  plan::Request& r = args.request;
  int modes = 0;
  bool options_done = false;
  std::vector<std::string_view> given;
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
    if (word == "--each-way") {
      r.each_way.on = true;
      continue;
    }
    if (auto held = OptionValue(words, i, "--held")) {
      if (!*held) return held->error();
      auto bet = ParseHeld(**held);
      if (!bet) return bet.error();
      r.held.push_back(*bet);
      continue;
    }
    if (word == "--handicap") {
      r.each_way.handicap = true;
      given.push_back("--handicap");
      continue;
    }
    struct Valued {
      const char* name;
      std::string* into;
      std::optional<plan::Mode> mode;
    };
    bool known = false;
    for (const Valued& option :
         {Valued{"--stake", &r.amount, plan::Mode::Stake},
          Valued{"--profit", &r.amount, plan::Mode::Profit},
          Valued{"--liability", &r.amount, plan::Mode::Liability},
          Valued{"--commission", &r.commission, std::nullopt},
          Valued{"--step", &r.step, std::nullopt},
          Valued{"--min-stake", &r.min_stake, std::nullopt},
          Valued{"--field", &r.field_size, std::nullopt},
          Valued{"--places", &r.each_way.places, std::nullopt},
          Valued{"--place-fraction", &r.each_way.place_fraction, std::nullopt}}) {
      auto value = OptionValue(words, i, option.name);
      if (!value) continue;
      if (!*value) return value->error();
      *option.into = **value;
      if (option.mode) {
        r.mode = *option.mode;
        ++modes;
      }
      given.push_back(option.name);
      known = true;
      break;
    }
    if (!known)
      return UnknownOption(
          word, {"--stake", "--profit", "--liability", "--commission", "--step", "--min-stake",
                 "--field", "--places", "--place-fraction", "--held", "--lay", "--each-way",
                 "--handicap", "--json", "--help", "--version"});
  }
  if (args.common.help || args.common.version) return args;
  if (const auto wrong = HeldMisuse(r)) return *wrong;
  if (modes > 1 || (modes == 0 && r.held.empty()))
    return UsageError{r.held.empty() ? "give exactly one of --stake, --profit and --liability"
                                     : "give at most one of --stake and --liability"};
  if (const auto wrong = EachWayMisuse(r, given)) return *wrong;
  if (!plan::SideHasMode(r.side, r.mode))
    return UsageError{r.side == plan::Side::Back
                          ? "--liability is for a lay plan: add --lay"
                          : "--profit is for a back plan; a lay plan takes --stake or --liability"};
  return args;
}

}  // namespace stakora::cli
