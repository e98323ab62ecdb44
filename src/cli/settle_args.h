#pragma once
// The command line of stakora-settle.

#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/option_words.h"
#include "result.h"
#include "settler.h"

namespace stakora::cli {

struct SettleArgs {
  CommonArgs common;
  settle::Settler race;             // the bets, runners and terms given
  bool commission_given = false;    // else a plan's own
  std::optional<std::string> plan;  // a file, or "-" for standard input
};

// Texts are taken as given: whether a stake or a position is good is the
// settlement's to say, as a refusal. Forms that cannot be split are misuse.
Result<SettleArgs, UsageError> ParseSettleArgs(const std::vector<std::string>& words);

inline constexpr const char* kSettleUsage =
    "usage: stakora-settle [--json] [--commission PCT] [--rule4-cap P] --bet BET...\n"
    "                      [--finish NAME=POS]... [--non-runner NR]...\n"
    "       stakora-settle [--json] [--commission PCT] [--rule4-cap P] --plan FILE|-\n"
    "                      [--bet BET]... [--finish NAME=POS]... [--non-runner NR]...\n"
    "       stakora-settle --help | --version\n"
    "BET is NAME:KIND:STAKE@ODDS[:TERMS], such as Fav:each-way:10@7/4:3:1/5;\n"
    "NR is NAME[@PRICE][:RF[:PRF]], such as Gone@3/1 or Gone:16.2.\n";

std::string SettleGuide();

}  // namespace stakora::cli
