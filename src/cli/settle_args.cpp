#include "cli/settle_args.h"

#include <span>

#include "cli/text.h"

namespace stakora::cli {
namespace {

using Taken = std::optional<UsageError>;

Taken TakeBet(SettleArgs& a, const std::string& v) {
  const auto bet = settle::ParseBetText(v);
  if (!bet)
    return UsageError{"--bet takes NAME:KIND:STAKE@ODDS[:TERMS], such as Fav:back:10@3.0, not " +
                      PrintableText(v)};
  a.race.bets.push_back(*bet);
  return std::nullopt;
}

Taken TakeFinish(SettleArgs& a, const std::string& v) {
  const auto runner = settle::ParseFinishText(v);
  if (!runner) return UsageError{"--finish takes NAME=POS, such as Fav=1, not " + PrintableText(v)};
  a.race.runners.push_back(*runner);
  return std::nullopt;
}

Taken TakeNonRunner(SettleArgs& a, const std::string& v) {
  const auto runner = settle::ParseNonRunnerText(v);
  if (!runner)
    return UsageError{"--non-runner takes NAME[@PRICE][:RF[:PRF]], such as Fav@3/1:25, not " +
                      PrintableText(v)};
  a.race.runners.push_back(*runner);
  return std::nullopt;
}

constexpr Option<SettleArgs> kOptions[] = {
    {"--bet", "BET",
     "a bet NAME:KIND:STAKE@ODDS[:TERMS]; repeat for more.\n"
     "KIND is back, each-way (TERMS K:F, the places and the\n"
     "fraction: 3:1/5), free, free-sr (stake returned), lay\n"
     "(STAKE the backer's), exchange-back, place-back or\n"
     "place-lay (TERMS: the place market's winners)",
     TakeBet},
    {"--plan", "FILE",
     "settle every bet of a plan stakora-plan --json printed\n(- reads it from standard input)",
     [](SettleArgs& a, const std::string& v) -> Taken {
       if (a.plan) return UsageError{"give --plan once"};
       a.plan = v;
       return std::nullopt;
     }},
    {"--finish",
     "R=POS",
     "where runner R finished, 1 for the winner; runners sharing\n"
     "a position dead-heated. Runners not given were unplaced",
     TakeFinish,
     {},
     "\nThe result:\n"},
    {"--non-runner", "NR",
     "a runner withdrawn, NR being NAME[@PRICE][:RF[:PRF]]:\n"
     "PRICE its price then, for Rule 4 (none: no deduction);\n"
     "RF its reduction factor in the win market in percent,\n"
     "PRF in the place market (RF when not given)",
     TakeNonRunner},
    {"--commission",
     "PCT",
     "the exchange's share of each market's net winnings,\n"
     "5 or 5% (default 0, or a plan's own)",
     [](SettleArgs& a, const std::string& v) -> Taken {
       a.race.commission = v;
       a.commission_given = true;
       return std::nullopt;
     },
     {},
     "\nTerms:\n"},
    {"--rule4-cap", "P", "the most Rule 4 takes, in pence (default 90)",
     [](SettleArgs& a, const std::string& v) -> Taken {
       a.race.rule4_cap = v;
       return std::nullopt;
     }},
    {"--json", "", "one JSON object instead of a table",
     SetCommonFlag<SettleArgs, &CommonArgs::json>},
    {"--help", "", "this text, also -h", SetCommonFlag<SettleArgs, &CommonArgs::help>, "-h"},
    {"--version", "", "the program's version", SetCommonFlag<SettleArgs, &CommonArgs::version>},
};

constexpr std::span<const Option<SettleArgs>> kTable(kOptions);

}  // namespace

std::string SettleGuide() {
  return "What a race pays a set of bets: non-runners (Rule 4 at a bookmaker, reduction\n"
         "factors at an exchange), dead heats and each-way terms, exact to the cent.\n\n" +
         OptionGuide(kTable) +
         "\n"
         "Examples: stakora-settle --bet Fav:back:10@10/1 --finish Fav=1 \\\n"
         "                         --non-runner Nr@2/5\n"
         "          stakora-plan --json --stake 20 -- A=3 B=4 |\n"
         "            stakora-settle --plan - --finish B=1\n"
         "Exit status: 0 settled, 1 refused, 2 usage error.\n";
}

Result<SettleArgs, UsageError> ParseSettleArgs(const std::vector<std::string>& words) {
  SettleArgs a;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (!LooksLikeOption(word))
      return UsageError{"unexpected " + PrintableText(word) +
                        ": give each bet with --bet and each placed runner with --finish"};
    const auto read = ReadOption(kTable, words, i, a);
    if (!read) return read.error();
    if (!*read) return UnknownOption(word, kTable);
  }
  if (a.common.help || a.common.version) return a;
  if (a.race.bets.empty() && !a.plan) return UsageError{"give the bets: --bet, or --plan FILE"};
  return a;
}

}  // namespace stakora::cli
