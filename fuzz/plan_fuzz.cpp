// Any texts as a stake plan: no crash, no undefined behaviour, and a plan
// that is given keeps its promises: whole steps adding up to the total, savers
// even, a stake plan's total the amount, a profit plan's worst profit at least
// the amount, a liability plan's largest loss at most the amount.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "exact.h"
#include "fuzz_support.h"
#include "number_text.h"
#include "plan.h"

using namespace stakora::plan;
using stakora::fuzz::Check;
using stakora::fuzz::Texts;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  Request r;
  r.side = data[0] & 1 ? Side::Lay : Side::Back;
  r.mode = static_cast<Mode>((data[0] >> 1) % 3);
  // amount, commission, step, minimum, then a runner each (a leading ! a saver)
  const auto texts = Texts(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  std::string* fields[] = {&r.amount, &r.commission, &r.step, &r.min_stake};
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i < 4) {
      *fields[i] = texts[i];
    } else {
      const bool saver = !texts[i].empty() && texts[i][0] == '!';
      r.runners.push_back({"", saver ? texts[i].substr(1) : texts[i], saver});
    }
  }
  const auto plan = MakePlan(r);
  if (!plan) {
    Check(!plan.error().empty());
    return 0;
  }
  std::int64_t sum = 0;
  for (const RunnerPlan& runner : plan->runners) {
    Check(runner.stake >= 0 && runner.stake % plan->step == 0);
    if (runner.saver) Check(runner.profit_if_wins >= 0);
    sum += runner.stake;
  }
  Check(sum == plan->total_stake && sum > 0);
  Check(plan->worst_profit <= plan->best_profit);
  const auto amount = ParseDecimal(stakora::TrimBlanks(r.amount), 2, true);
  Check(amount.ok());
  const std::int64_t cents = static_cast<std::int64_t>(amount->num * 100 / amount->den);
  switch (r.mode) {
    case Mode::Stake:
      Check(plan->total_stake == cents);
      break;
    case Mode::Profit:
      Check(plan->worst_profit >= cents);
      break;
    case Mode::Liability:
      Check(plan->worst_profit >= -cents);
      break;
  }
  return 0;
}
