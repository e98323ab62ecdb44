#pragma once
// The command line of stakora-plan.

#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/option_words.h"
#include "plan.h"
#include "result.h"

namespace stakora::cli {

struct PlanArgs {
  CommonArgs common;
  plan::Request request;
};

// Option values are taken as texts: whether one is a good amount is the
// planner's to say, as a refusal.
Result<PlanArgs, UsageError> ParsePlanArgs(const std::vector<std::string>& words);

// "[NAME=]ODDS[!]": a trailing ! marks a saver; the name ends at the last "=".
plan::RunnerInput ParseRunner(const std::string& word);

// "RUNNER:KIND:STAKE@ODDS" (plan_text.h), or a usage error.
Result<plan::HeldInput, UsageError> ParseHeld(const std::string& text);

inline constexpr const char* kPlanUsage =
    "usage: stakora-plan [--json] [--lay] (--stake A | --profit P | --liability L)\n"
    "                    [--commission PCT] [--step Q] [--min-stake M] [--] RUNNER...\n"
    "       stakora-plan [--json] --each-way (--field N [--handicap] | --places K\n"
    "                    --place-fraction F) [--places K] [--place-fraction F]\n"
    "                    (--stake A | --profit P) [--step Q] [--min-stake M] [--] RUNNER...\n"
    "       stakora-plan [--json] [--lay] --held RUNNER:KIND:STAKE@ODDS... [--field N]\n"
    "                    [--stake A | --liability L] [--commission PCT] [--step Q]\n"
    "                    [--min-stake M] [--] RUNNER...\n"
    "       stakora-plan --help | --version\n"
    "RUNNER is [NAME=]ODDS[!]: decimal odds (3.5), a fraction (7/2) or evens; ! marks a saver.\n";

inline constexpr const char* kPlanGuide =
    "Stakes a bookmaker or an exchange will take: whole steps, a minimum stake,\n"
    "chosen so that no other such stakes do better.\n"
    "\n"
    "  --stake A        back: spread A over the runners for the best worst case\n"
    "  --profit P       back: the least total that wins P (net of commission) on each\n"
    "  --lay --stake A  lay backers' stakes of A in all, for the smallest largest loss\n"
    "  --lay --liability L   the largest backers' stakes that never lose more than L\n"
    "  --commission PCT the exchange's share of a net win, 5 or 5% (default 0)\n"
    "  --step Q         stakes are whole multiples of Q (default 0.01)\n"
    "  --min-stake M    no stake below M (default 0)\n"
    "  --json           one JSON object instead of a table\n"
    "\n"
    "Each way (a win bet and a place bet of the same stake on every runner):\n"
    "  --each-way       plan each-way stakes; --stake A is the outlay, both parts\n"
    "  --field N        runners in the race: the usual place terms (none below 5;\n"
    "                   5-7: 2 at 1/4; 8-11: 3 at 1/5; 12-15: 3 at 1/5, handicap\n"
    "                   3 at 1/4; 16+: 3 at 1/5, handicap 4 at 1/4)\n"
    "  --handicap       the race is a handicap\n"
    "  --places K       the bookmaker's places, 1 to 10\n"
    "  --place-fraction F   the bookmaker's fraction of the odds, such as 1/5\n"
    "  The best worst win outcome (a runner wins, no other of the plan places),\n"
    "  then the best worst place outcome; --profit P: the least outlay whose\n"
    "  worst win outcome is P.\n"
    "\n"
    "Bets you already hold (matched bets, free bets, hedging):\n"
    "  --held R:K:S@O   a bet held on runner R (its name, or its position 1, 2, ...)\n"
    "                   of kind K at stake S and odds O; repeat for more. K is back,\n"
    "                   lay, free (stake not returned) or free-sr (stake returned)\n"
    "  --field N        the runners in the race: N equal to the runners given means\n"
    "                   no other runner can win\n"
    "  New bets (backed, or laid with --lay) make the worst total, held and new,\n"
    "  over every outcome as large as it can be, then cost the least. --stake A\n"
    "  caps the new stakes; --liability L caps what new lays may lose. Without a\n"
    "  cap, a plan whose new bets alone would win whatever happens is refused.\n"
    "\n"
    "Examples: stakora-plan --stake 25 --step 1 -- 2.2 5.5 8 13\n"
    "          stakora-plan --each-way --field 8 --stake 40 --step 1 -- 4/1 6/1 10/1\n"
    "          stakora-plan --lay --commission 2 --held Fav:back:10@3.0 -- Fav=3.1\n"
    "Exit status: 0 planned, 1 refused, 2 usage error.\n";

}  // namespace stakora::cli
