// Any texts as bets, a result and a plan in JSON: no crash, no undefined
// behaviour, and a settlement that is given adds up: each bet's profit is its
// return less its cost, returns are never negative, commission is never
// negative, and the totals are the sums of the bets' figures.
//
// The input, split at 0xff: a plan's JSON first, then texts whose first byte
// says what they are: b a bet, f a finish, n a non-runner, c the commission,
// r the Rule 4 cap.

#include <cstdint>
#include <string>

#include "cli/plan_json.h"
#include "fuzz_support.h"
#include "settler.h"

using namespace stakora::settle;
using stakora::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto texts = stakora::fuzz::Texts({reinterpret_cast<const char*>(data), size});
  Settler s;
  if (const auto plan = stakora::cli::ReadPlanJson(texts[0])) FillFromPlan(s, BetsOf(*plan));
  for (std::size_t i = 1; i < texts.size(); ++i) {
    const std::string& t = texts[i];
    if (t.empty()) continue;
    const std::string_view rest = std::string_view(t).substr(1);
    switch (t[0]) {
      case 'b':
        if (const auto bet = ParseBetText(rest)) s.bets.push_back(*bet);
        break;
      case 'f':
        if (const auto runner = ParseFinishText(rest)) s.runners.push_back(*runner);
        break;
      case 'n':
        if (const auto runner = ParseNonRunnerText(rest)) s.runners.push_back(*runner);
        break;
      case 'c':
        s.commission = std::string(rest);
        break;
      case 'r':
        s.rule4_cap = std::string(rest);
        break;
      default:
        PasteBets(s, rest);
    }
  }
  const SettlerView v = ViewOf(s);
  if (!v.settled) return 0;
  const Settlement& out = *v.settled;
  Check(out.bets.size() == v.bets.size() && out.commission >= 0);
  std::int64_t returned = 0, profit = 0;
  for (const SettledBet& b : out.bets) {
    Check(b.returned >= 0);
    returned += b.returned;
    profit += b.profit;
  }
  Check(returned == out.total_return && profit - out.commission == out.profit);
  Check(out.rule4_pence >= 0 && out.rule4_pence <= kRule4Cap);
  return 0;
}
