// Stake plans of 5, 20 and 200 runners at a 0.01 step, in each mode.

#include <benchmark/benchmark.h>

#include <string>

#include "plan.h"

namespace {

using namespace stakora::plan;

// A field of n runners whose book is about 85%: prices spread from favourite
// to outsider, each with two decimals so that nothing divides evenly.
Request Field(std::size_t n, Side side, Mode mode, const char* amount) {
  Request r;
  r.side = side;
  r.mode = mode;
  r.amount = amount;
  r.commission = mode == Mode::Stake ? "0" : "2";
  for (std::size_t j = 0; j < n; ++j) {
    const double odds = static_cast<double>(n) * 1.18 *
                        (0.5 + static_cast<double>(j) / static_cast<double>(n)) / 1.0;
    const long cents = static_cast<long>(odds * 100) + 7;
    r.runners.push_back(
        {"", std::to_string(cents / 100) + "." + std::to_string(10 + cents % 90), false});
  }
  return r;
}

void Plan(benchmark::State& state, Side side, Mode mode, const char* amount) {
  const Request r = Field(static_cast<std::size_t>(state.range(0)), side, mode, amount);
  if (!MakePlan(r)) state.SkipWithError("refused");
  for (auto _ : state) benchmark::DoNotOptimize(MakePlan(r));
}

BENCHMARK_CAPTURE(Plan, BackStake, Side::Back, Mode::Stake, "1000")->Arg(5)->Arg(20)->Arg(200);
BENCHMARK_CAPTURE(Plan, BackProfit, Side::Back, Mode::Profit, "100")->Arg(5)->Arg(20)->Arg(200);
BENCHMARK_CAPTURE(Plan, LayStake, Side::Lay, Mode::Stake, "1000")->Arg(5)->Arg(20)->Arg(200);
BENCHMARK_CAPTURE(Plan, LayLiability, Side::Lay, Mode::Liability, "100")->Arg(5)->Arg(20)->Arg(200);

}  // namespace

BENCHMARK_MAIN();
