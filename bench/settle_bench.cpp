// Settling per result: the Settle window works it out on its own thread at
// every edit, so even the most bets it takes must settle in well under a frame.

#include <benchmark/benchmark.h>

#include <string>

#include "settler.h"

namespace {

using namespace stakora::settle;

// n bets of every kind over n / 2 runners, a dead heat for second and two
// non-runners, one with a price and one with reduction factors.
Settler Race(int n) {
  const char* kinds[] = {"back", "each-way",      "free",       "free-sr",
                         "lay",  "exchange-back", "place-back", "place-lay"};
  const char* terms[] = {"", "3:1/5", "", "", "", "", "3", "3"};
  Settler s;
  for (int i = 0; i < n; ++i) {
    const int k = i % 8;
    s.bets.push_back({"Runner " + std::to_string(i % (n / 2 + 1)), kinds[k], "10.37",
                      std::to_string(2 + i % 17) + "/" + std::to_string(1 + i % 5), terms[k]});
  }
  s.runners = {{"Runner 0", "1", false, "", "", ""},
               {"Runner 1", "2", false, "", "", ""},
               {"Runner 2", "2", false, "", "", ""},
               {"Gone", "", true, "13/8", "", ""},
               {"Away", "", true, "", "16.2", "12"}};
  s.commission = "5";
  return s;
}

void Settle(benchmark::State& state) {
  const Settler s = Race(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const SettlerView v = ViewOf(s);
    benchmark::DoNotOptimize(v.settled);
    if (!v.problem.empty()) state.SkipWithError(v.problem.c_str());
  }
}
BENCHMARK(Settle)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
