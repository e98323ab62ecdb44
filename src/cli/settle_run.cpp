#include "cli/settle_run.h"

#include <filesystem>
#include <fstream>

#include "cli/command.h"
#include "cli/json_out.h"
#include "cli/plan_json.h"
#include "cli/settle_args.h"
#include "cli/text.h"
#include "exact.h"
#include "number_text.h"

namespace stakora::cli {
namespace {

using plan::MoneyText;

// A plan is a few kilobytes; anything this large is not one.
constexpr std::size_t kMostPlanBytes = 16u << 20;

Result<std::string, UsageError> ReadAll(std::istream& in, const std::string& name) {
  std::string text;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    text.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMostPlanBytes) return UsageError{name + " is larger than any plan (16 MiB)"};
  }
  if (in.bad()) return UsageError{"cannot read " + name};
  return text;
}

// The plan's text; a file that cannot be read is a refusal (status 1).
Result<std::string, UsageError> PlanText(const std::string& path, std::istream& in) {
  if (path == "-") return ReadAll(in, "the plan on standard input");
  const std::string name = PrintableText(path);
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return UsageError{name + " is a folder, not a plan"};
  std::ifstream file(path, std::ios::binary);
  if (!file) return UsageError{"cannot open the plan " + name};
  return ReadAll(file, name);
}

// Bet k's odds as typed.
std::string OddsOf(const settle::Settler& race, const settle::SettlerView& v, std::size_t k) {
  return std::string(TrimBlanks(race.bets[v.bet_lines[k]].odds));
}

std::string Json(const settle::Settler& race, const settle::SettlerView& v) {
  const settle::Settlement& s = *v.settled;
  std::string out = "{\"outcome\": \"settled\", \"bets\": [";
  for (std::size_t k = 0; k < v.bets.size(); ++k) {
    const settle::Bet& b = v.bets[k];
    const settle::SettledBet& r = s.bets[k];
    out += k ? ", {" : "{";
    out += "\"runner\": " + JsonString(b.runner);
    out += JsonField("kind", JsonString(settle::BetKindName(b.kind)));
    out += JsonField("stake", JsonMoney(b.stake));
    out += JsonField("odds", JsonString(OddsOf(race, v, k)));
    out += JsonField("status", JsonString(settle::StatusName(r.status)));
    out += JsonField("rule4_pence", r.rule4_pence ? std::to_string(*r.rule4_pence) : "null");
    out += JsonField("reduced_odds", JsonMoney(r.reduced_odds));
    out += JsonField("dead_heat",
                     r.dead_heat ? JsonString(settle::DeadHeatText(*r.dead_heat)) : "null");
    out += JsonField("return", JsonMoney(r.returned));
    out += JsonField("profit", JsonMoney(r.profit)) + "}";
  }
  out += "]";
  out += JsonField("total_stake", JsonMoney(s.total_stake));
  out += JsonField("total_return", JsonMoney(s.total_return));
  out += JsonField("commission", JsonMoney(s.commission));
  out += JsonField("profit", JsonMoney(s.profit));
  out += JsonField("rule4_pence", std::to_string(s.rule4_pence));
  return out + "}\n";
}

std::string Table(const settle::Settler& race, const settle::SettlerView& v) {
  std::string out = Pad("Runner", 16) + Pad("Kind", 14) + Pad("Stake", 10) + Pad("Odds", 9) +
                    Pad("Result", 15) + Pad("Rule 4", 8) + Pad("Price", 8) + Pad("Return", 11) +
                    "Profit\n";
  for (std::size_t k = 0; k < v.bets.size(); ++k) {
    const settle::Bet& b = v.bets[k];
    const settle::SettledLine& line = v.lines[v.bet_lines[k]];
    out += Pad(PrintableText(b.runner), 16) + Pad(settle::BetKindName(b.kind), 14) +
           Pad(MoneyText(b.stake), 10) + Pad(PrintableText(OddsOf(race, v, k)), 9) +
           Pad(line.status, 15) + Pad(line.rule4.empty() ? "-" : line.rule4, 8) +
           Pad(line.reduced_odds.empty() ? "-" : line.reduced_odds, 8) + Pad(line.returned, 11) +
           line.profit + "\n";
  }
  return out + v.totals + "\n";
}

}  // namespace

int RunSettle(const std::vector<std::string>& words, std::istream& in, std::ostream& out,
              std::ostream& err) {
  const Command kSettleCommand{"stakora-settle", kSettleUsage, SettleGuide()};
  return RunCommand<SettleArgs>(
      kSettleCommand, words, out, err, ParseSettleArgs,
      [&](const SettleArgs& args, std::ostream& e) {
        settle::Settler race = args.race;
        auto refuse = [&](const std::string& message) {
          e << kSettleCommand.program << ": " << PrintableText(message) << "\n";
          return Outcome{
              args.common.json
                  ? "{\"outcome\": \"refused\", \"message\": " + JsonString(message) + "}\n"
                  : "",
              1};
        };
        if (args.plan) {
          const auto text = PlanText(*args.plan, in);
          if (!text) return refuse(text.error().text);
          const auto sketch = ReadPlanJson(*text);
          if (!sketch) return refuse(sketch.error());
          settle::PlanBets planned = settle::BetsOf(*sketch);
          race.bets.insert(race.bets.begin(), planned.bets.begin(), planned.bets.end());
          if (!args.commission_given) race.commission = planned.commission;
          if (planned.bets.empty() && args.race.bets.empty())
            return refuse("the plan stakes no runner: there is nothing to settle");
        }
        const settle::SettlerView v = settle::ViewOf(race);
        if (!v.problem.empty()) return refuse(v.problem);
        return Outcome{args.common.json ? Json(race, v) : Table(race, v), 0};
      });
}

}  // namespace stakora::cli
