#pragma once
// The command line of stakora-plan.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/command.h"
#include "cli/option_words.h"
#include "lay_lean.h"
#include "plan.h"
#include "result.h"

namespace stakora::cli {

struct PlanArgs {
  CommonArgs common;
  plan::Request request;
  bool csv = false;
  // --underlay or --overlay, and its fraction as given.
  std::optional<std::pair<plan::Lean, std::string>> lean;
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
    "                    [--min-stake M] [--rule4 P] [--underlay F | --overlay F]\n"
    "                    [--] RUNNER...\n"
    "       a win plan also takes [--exchange-rules NAME] [--min-payout P] [--ladder]\n"
    "                    [--exchange]\n"
    "       every plan also takes --csv in place of --json\n"
    "       stakora-plan --help | --version\n"
    "RUNNER is [NAME=]ODDS[!]: decimal odds (3.5), a fraction (7/2) or evens; ! marks a saver.\n";

// What --help shows after the usage: the options, examples, the exit status.
std::string PlanGuide();

}  // namespace stakora::cli
