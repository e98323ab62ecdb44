// One press of Calculate on five horses, per mode and notation.

#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "calculate.h"
#include "options.h"

namespace {

using namespace stakora;

void Press(benchmark::State& state, OptionId mode, OptionId notation) {
  Form1 f = MakeForm1();
  SelectOption(f, mode);
  SelectOption(f, notation);
  f.Combo1.text = "5";
  // Prices a target profit can be reached with.
  const std::array<std::string, kRowCount> decimal{"10", "11", "12", "15", "20"};
  const std::array<std::string, kRowCount> fraction{"9/1", "10/1", "11/1", "14/1", "19/1"};
  const auto& odds = notation == OptionId::Option2 ? decimal : fraction;
  for (std::size_t i = 0; i < odds.size(); ++i) f.rows[i].txt_odds.text = odds[i];
  SilentUi ui;
  for (auto _ : state) {
    benchmark::DoNotOptimize(cmd_calculate2_Click(f, ui));
    benchmark::ClobberMemory();
  }
}

BENCHMARK_CAPTURE(Press, StakeFraction, OptionId::Option1_0, OptionId::Option3);
BENCHMARK_CAPTURE(Press, StakeDecimal, OptionId::Option1_0, OptionId::Option2);
BENCHMARK_CAPTURE(Press, ProfitFraction, OptionId::Option1_1, OptionId::Option3);
BENCHMARK_CAPTURE(Press, ProfitDecimal, OptionId::Option1_1, OptionId::Option2);

}  // namespace

BENCHMARK_MAIN();
