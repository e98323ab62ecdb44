#include "cli/plan_args.h"

#include <algorithm>
#include <optional>
#include <span>
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
  for (std::string_view option : {"--min-payout", "--ladder", "--exchange", "--exchange-rules"})
    if (has(option))
      return UsageError{"--each-way bets are with a bookmaker, not at an exchange: leave out " +
                        std::string(option)};
  if (r.field_size.empty() && (e.places.empty() || e.place_fraction.empty()))
    return UsageError{"--each-way needs --field N, or --places K and --place-fraction F"};
  if (e.handicap && r.field_size.empty())
    return UsageError{"--handicap picks the usual terms for a field size: add --field N"};
  return std::nullopt;
}

}  // namespace

namespace {

// The options read so far: the mode options given, and every option's name.
struct PlanWords : PlanArgs {
  int modes = 0;
  std::vector<std::string_view> given;
  std::vector<std::pair<std::string, std::string>> place_odds;  // runner, odds
};

using Taken = std::optional<UsageError>;

template <plan::Mode mode>
Taken TakeAmount(PlanWords& w, const std::string& v) {
  w.request.amount = v;
  w.request.mode = mode;
  ++w.modes;
  return std::nullopt;
}

template <auto member>
Taken TakeText(PlanWords& w, const std::string& v) {
  w.request.*member = v;
  return std::nullopt;
}

template <auto member>
Taken TakeEachWayText(PlanWords& w, const std::string& v) {
  w.request.each_way.*member = v;
  return std::nullopt;
}

template <plan::Lean lean>
Taken TakeLean(PlanWords& w, const std::string& v) {
  if (w.lean) return UsageError{"give at most one of --underlay and --overlay"};
  w.lean = {lean, v};
  return std::nullopt;
}

template <auto member>
Taken SetFlag(PlanWords& w, const std::string&) {
  w.request.*member = true;
  return std::nullopt;
}

using R = plan::Request;
using E = plan::EachWayChoices;

constexpr Option<PlanWords> kOptions[] = {
    {"--stake", "A",
     "back: spread A over the runners for the best worst case;\n"
     "with --lay: lay backers' stakes of A in all, for the smallest\nlargest loss",
     TakeAmount<plan::Mode::Stake>},
    {"--profit", "P", "back: the least total that wins P (net of commission) on each",
     TakeAmount<plan::Mode::Profit>},
    {"--liability", "L", "with --lay: the largest backers' stakes that never lose more than L",
     TakeAmount<plan::Mode::Liability>},
    {"--lay", "", "lay the runners at an exchange rather than back them",
     [](PlanWords& w, const std::string&) -> Taken {
       w.request.side = plan::Side::Lay;
       return std::nullopt;
     }},
    {"--commission", "PCT", "the exchange's share of a net win, 5 or 5% (default 0)",
     TakeText<&R::commission>},
    {"--step", "Q", "stakes are whole multiples of Q (default 0.01)", TakeText<&R::step>},
    {"--min-stake", "M", "no stake below M (default 0)", TakeText<&R::min_stake>},
    {"--json", "", "one JSON object instead of a table",
     SetCommonFlag<PlanWords, &CommonArgs::json>},
    {"--csv", "", "comma-separated lines for a spreadsheet instead of a table",
     [](PlanWords& w, const std::string&) -> Taken {
       w.csv = true;
       return std::nullopt;
     }},
    {"--help", "", "this text, also -h", SetCommonFlag<PlanWords, &CommonArgs::help>, "-h"},
    {"--version", "", "the program's version", SetCommonFlag<PlanWords, &CommonArgs::version>},
    {"--each-way",
     "",
     "plan each-way stakes; --stake A is the outlay, both parts",
     [](PlanWords& w, const std::string&) -> Taken {
       w.request.each_way.on = true;
       return std::nullopt;
     },
     {},
     "\nEach way (a win bet and a place bet of the same stake on every runner):\n"},
    {"--field", "N",
     "runners in the race: the usual place terms (none below 5;\n"
     "5-7: 2 at 1/4; 8-11: 3 at 1/5; 12-15: 3 at 1/5, handicap\n"
     "3 at 1/4; 16+: 3 at 1/5, handicap 4 at 1/4); around --held\n"
     "bets, N equal to the runners given means no other can win",
     TakeText<&R::field_size>},
    {"--handicap", "", "the race is a handicap",
     [](PlanWords& w, const std::string&) -> Taken {
       w.request.each_way.handicap = true;
       return std::nullopt;
     }},
    {"--places", "K", "the bookmaker's places, 1 to 10", TakeEachWayText<&E::places>},
    {"--place-fraction", "F", "the bookmaker's fraction of the odds, such as 1/5",
     TakeEachWayText<&E::place_fraction>},
    {"--held",
     "R:K:S@O",
     "a bet held on runner R (its name, or its position 1, 2, ...)\n"
     "of kind K at stake S and odds O; repeat for more. K is back,\n"
     "lay, free (stake not returned) or free-sr (stake returned);\n"
     "each way, R:each-way:S@O:P:F (S each part's, P places at F)",
     [](PlanWords& w, const std::string& v) -> Taken {
       auto bet = ParseHeld(v);
       if (!bet) return bet.error();
       w.request.held.push_back(*bet);
       return std::nullopt;
     },
     {},
     "  The best worst win outcome (a runner wins, no other of the plan places),\n"
     "  then the best worst place outcome; --profit P: the least outlay whose\n"
     "  worst win outcome is P.\n"
     "\n"
     "Bets you already hold (matched bets, free bets, hedging):\n"},
    {"--rule4", "P",
     "after a non-runner: P pence in the pound (0 to 90) off the\n"
     "held back and free bets' winnings (Rule 4), before planning",
     TakeText<&R::rule4>},
    {"--underlay", "F",
     "one runner laid around held bets: move the lay stake F (0 to 1)\n"
     "of the way from the best toward the least stake that loses\n"
     "nothing if the runner wins (a free bet's: that wins nothing if\n"
     "it loses)",
     TakeLean<plan::Lean::Under>},
    {"--overlay", "F",
     "the same toward the most: loses nothing if it loses (a free\n"
     "bet's: nothing if it wins)",
     TakeLean<plan::Lean::Over>},
    {"--exchange-rules",
     "NAME",
     "betfair: --step 0.01 --min-stake 1 --min-payout 10 --ladder\n"
     "--exchange; betfair-eur: the same with --min-payout 20. Options\n"
     "after it override it; commission is never set by it",
     [](PlanWords& w, const std::string& v) -> Taken {
       const plan::ExchangeRules* rules = plan::FindExchangeRules(v);
       if (!rules)
         return UsageError{"--exchange-rules takes betfair or betfair-eur, not " +
                           PrintableText(v)};
       plan::ApplyExchangeRules(w.request, *rules);
       return std::nullopt;
     },
     {},
     "  New bets (backed, or laid with --lay) make the worst total, held and new,\n"
     "  over every outcome as large as it can be, then cost the least. --stake A\n"
     "  caps the new stakes; --liability L caps what new lays may lose. Without a\n"
     "  cap, a plan whose new bets alone would win whatever happens is refused.\n"
     "  Around free bets the summary, --json and --csv give the retention: the\n"
     "  worst profit as a percentage of the free bets' stakes.\n"
     "\n"
     "An exchange's rules:\n"},
    {"--min-payout", "P",
     "an exchange's exception: a stake below the minimum is taken\n"
     "when stake x odds (a lay: the backer's stake) is at least P",
     TakeText<&R::min_payout>},
    {"--ladder", "", "refuse exchange prices off the exchange's price ladder", SetFlag<&R::ladder>},
    {"--exchange", "", "the back bets are placed at an exchange (its ladder applies)",
     SetFlag<&R::exchange>},
    {"--place-market",
     "W",
     "the winners the exchange's place market pays, 1 to 10",
     TakeText<&R::place_market>,
     {},
     "  Exchange prices are a lay plan's runners, an --exchange back plan's and\n"
     "  held lay bets. Around --held bets new stakes keep --min-stake: the\n"
     "  minimum payout is not used there.\n"
     "\n"
     "Held each-way bets laid off at an exchange (extra places):\n"},
    {"--place-odds", "R=O",
     "lay runner R (its name or position) in the place market at\n"
     "odds O; repeat for more. The runners' odds are the win lays'",
     [](PlanWords& w, const std::string& v) -> Taken {
       const auto eq = v.rfind('=');
       if (eq == std::string::npos || eq == 0)
         return UsageError{"--place-odds takes RUNNER=ODDS, such as Fav=1.7, not " +
                           PrintableText(v)};
       w.place_odds.emplace_back(v.substr(0, eq), v.substr(eq + 1));
       return std::nullopt;
     }},
};

constexpr std::span<const Option<PlanWords>> kTable(kOptions);

// Held each-way bets are laid at an exchange, in a place market of W
// winners; its options are for them alone and name runners given. Taken,
// they make the plan a lay and give each runner named its place odds.
std::optional<UsageError> TakePlaceMarket(PlanWords& w) {
  plan::Request& r = w.request;
  const bool has_market =
      std::find(w.given.begin(), w.given.end(), "--place-market") != w.given.end();
  if (!plan::HoldsEachWay(r)) {
    if (has_market || !w.place_odds.empty())
      return UsageError{std::string(has_market ? "--place-market" : "--place-odds") +
                        " is for held each-way bets: add --held R:each-way:S@O:P:F"};
    return std::nullopt;
  }
  if (!has_market) return UsageError{"held each-way bets need --place-market W"};
  r.side = plan::Side::Lay;
  for (const auto& [runner, odds] : w.place_odds) {
    const auto at = plan::ReadRunnerOf(r, runner, "--place-odds " + PrintableText(runner));
    if (!at) return UsageError{at.error()};
    r.runners[*at].place_odds = odds;
  }
  return std::nullopt;
}

}  // namespace

std::string PlanGuide() {
  return "Stakes a bookmaker or an exchange will take: whole steps, a minimum stake,\n"
         "chosen so that no other such stakes do better.\n\n" +
         OptionGuide(kTable) +
         "  Every runner given carries one held each-way bet and is laid in the win\n"
         "  market, and in the place market where --place-odds names it. The plan\n"
         "  makes the worst total over every finishing order as large as it can be,\n"
         "  then the worst with an extra place (the bookmaker pays more places than\n"
         "  the place market), then the new bets' largest loss as small as it can\n"
         "  be; at most 5 such runners.\n"
         "\n"
         "Examples: stakora-plan --stake 25 --step 1 -- 2.2 5.5 8 13\n"
         "          stakora-plan --each-way --field 8 --stake 40 --step 1 -- 4/1 6/1 10/1\n"
         "          stakora-plan --lay --commission 2 --held Fav:back:10@3.0 -- Fav=3.1\n"
         "          stakora-plan --commission 5 --held Hope:each-way:50@7.5:4:1/5\n"
         "            --place-market 3 --place-odds Hope=1.7 -- Hope=8.2\n"
         "Exit status: 0 planned, 1 refused, 2 usage error.\n";
}

Result<PlanArgs, UsageError> ParsePlanArgs(const std::vector<std::string>& words) {
  PlanWords w;
  plan::Request& r = w.request;
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
    const auto read = ReadOption(kTable, words, i, w);
    if (!read) return read.error();
    if (!*read) return UnknownOption(word, kTable);
    w.given.push_back((*read)->name);
  }
  if (w.common.help || w.common.version) return PlanArgs(w);
  if (w.csv && w.common.json) return UsageError{"give at most one of --json and --csv"};
  if (w.lean && r.held.empty())
    return UsageError{std::string(w.lean->first == plan::Lean::Under ? "--underlay" : "--overlay") +
                      " moves a lay around held bets: add the --held bets and --lay"};
  if (const auto wrong = HeldMisuse(r)) return *wrong;
  if (const auto wrong = TakePlaceMarket(w)) return *wrong;
  if (std::find(w.given.begin(), w.given.end(), "--rule4") != w.given.end() && r.held.empty())
    return UsageError{"--rule4 takes from held bets' winnings: add the --held bets"};
  if (w.modes > 1 || (w.modes == 0 && r.held.empty()))
    return UsageError{r.held.empty() ? "give exactly one of --stake, --profit and --liability"
                                     : "give at most one of --stake and --liability"};
  if (const auto wrong = EachWayMisuse(r, w.given)) return *wrong;
  if (!plan::SideHasMode(r.side, r.mode))
    return UsageError{r.side == plan::Side::Back
                          ? "--liability is for a lay plan: add --lay"
                          : "--profit is for a back plan; a lay plan takes --stake or --liability"};
  return PlanArgs(w);
}

}  // namespace stakora::cli
