// Stake plans of 5, 20, 200 and 1000 runners at a 0.01 step in each mode (20
// and 200 also at an exchange with its rules), each-way plans of 5, 20 and
// 200, plans around held bets (a matched bet; 20
// and 200 runners, capped or not), and the plans that work hardest: a thousand
// runners laid to a liability, and books within a hair of 100%, with and
// without held bets.

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "matched_bet.h"
#include "plan.h"
#include "race_csv.h"

namespace {

using namespace stakora::plan;

// A field of n runners whose book is about 85% / longer: prices spread from
// favourite to outsider, each with two decimals so that nothing divides evenly.
Request Field(std::size_t n, Side side, Mode mode, const char* amount, double longer = 1) {
  Request r;
  r.side = side;
  r.mode = mode;
  r.amount = amount;
  r.commission = mode == Mode::Stake ? "0" : "2";
  for (std::size_t j = 0; j < n; ++j) {
    const double odds = static_cast<double>(n) * 1.18 * longer *
                        (0.5 + static_cast<double>(j) / static_cast<double>(n));
    const long cents = static_cast<long>(odds * 100) + 7;
    r.runners.push_back(
        {"", std::to_string(cents / 100) + "." + std::to_string(10 + cents % 90), false});
  }
  return r;
}

// n runners at random prices with six decimals whose book is within `margin`
// of 100%: the searches for a total jump the most here. The weights come from
// `grain` values: 1000 give a field of about 640 distinct prices, 10^9 one
// whose prices all differ, which rounding lines up least kindly.
Request NearlyFull(std::size_t n, double margin, Side side, Mode mode, const char* amount,
                   unsigned long grain = 1000) {
  Request r;
  r.side = side;
  r.mode = mode;
  r.amount = amount;
  std::mt19937_64 gen(7);
  std::vector<double> weight(n);
  double sum = 0;
  for (double& w : weight)
    sum += w = 0.2 + static_cast<double>(gen() % grain) / static_cast<double>(grain);
  for (double w : weight) {
    char odds[32];
    std::snprintf(odds, sizeof odds, "%.6f", sum / (w * (1 - margin)));
    r.runners.push_back({"", odds, false});
  }
  return r;
}

void Run(benchmark::State& state, const Request& r, bool may_refuse = false) {
  const bool planned = MakePlan(r).ok();
  if (!may_refuse && !planned) state.SkipWithError("refused");
  state.SetLabel(planned ? "planned" : "refused");
  for (auto _ : state) benchmark::DoNotOptimize(MakePlan(r));
}

void Plan(benchmark::State& state, Side side, Mode mode, const char* amount) {
  Run(state, Field(static_cast<std::size_t>(state.range(0)), side, mode, amount));
}

// Each way on that many runners at prices twice as long (a win book of about
// 42%, so that every win outcome can pay), in a race of twice as many (its
// usual terms), or of just as many: the runners cover it, and one of them
// places whenever another wins.
void EachWay(benchmark::State& state, Mode mode, const char* amount, int field_per_runner) {
  const auto n = static_cast<std::size_t>(state.range(0));
  Request r = Field(n, Side::Back, mode, amount, 2);
  r.commission = "0";
  r.field_size = std::to_string(n * static_cast<std::size_t>(field_per_runner));
  r.each_way.on = true;
  Run(state, r);
}

// The same field at an exchange with the Betfair rules: each price moved up
// to the ladder's next, so that the minimum payout lowers the outsiders'
// least stakes.
void Exchange(benchmark::State& state, Side side, Mode mode, const char* amount) {
  Request r = Field(static_cast<std::size_t>(state.range(0)), side, mode, amount);
  ApplyExchangeRules(r, kExchangeRules[0]);
  for (RunnerInput& runner : r.runners) {
    const auto odds = std::stod(runner.odds);
    const auto cents = static_cast<std::int64_t>(odds * 100);
    runner.odds = LadderText(*TicksOf(cents, 100).up);
  }
  Run(state, r);
}

// The qualifying bet of a matched bet: a back held at 3.0, laid at 3.1.
void MatchedBet(benchmark::State& state) {
  Request r;
  r.side = Side::Lay, r.commission = "2";
  r.runners.push_back({"Fav", "3.1", false});
  r.held.push_back({"Fav", "back", "10", "3.0"});
  Run(state, r);
}

// What the Matched bet window works out per key: the free bet of 20 at 6.0
// laid at 6.4 with 5%, planned, then moved 40% toward full overlay.
void MatchedForm(benchmark::State& state) {
  stakora::plan::MatchedBet m{"20", "6.0", "6.4", "5"};
  m.kind = MatchedKind::Free;
  m.lean = 40;
  for (auto _ : state) {
    const auto r = MatchedRequest(m);
    const MatchedView v = MatchedViewOf(m, *r, MakePlan(*r));
    benchmark::DoNotOptimize(v);
  }
}

// A race of 1000 runners with odd names written as CSV and read back.
void RaceCsvRoundTrip(benchmark::State& state) {
  Race race;
  for (int j = 0; j < 1000; ++j)
    race.runners.push_back(
        {"Runner \"" + std::to_string(j) + "\", Élan", std::to_string(j % 50 + 2), j % 7 == 0});
  for (auto _ : state) {
    const auto read = ReadRaceCsv(RaceCsv(race));
    if (!read || read->runners.size() != 1000) state.SkipWithError("the race did not read back");
  }
}

// Held each-way bets laid in the win and place markets: the worked example
// of one runner (50 each way at 7.5, 4 places at 1/5; laid at 8.2, place
// market of 3 at 1.7, 5% commission), then more runners at longer prices.
void EachWayLaid(benchmark::State& state) {
  Request r;
  r.side = Side::Lay, r.commission = "5", r.place_market = "3";
  const char* win[] = {"8.2", "13.5", "23", "9.6", "38"};
  const char* place[] = {"1.7", "2.4", "4.1", "2.1", "6.2"};
  const char* book[] = {"7.5", "12", "21", "9", "34"};
  const char* stake[] = {"50", "25", "10", "10", "5"};
  for (int j = 0; j < state.range(0); ++j) {
    const std::string name = "R" + std::to_string(j);
    r.runners.push_back({name, win[j], false, place[j]});
    r.held.push_back({name, "each-way", stake[j], book[j], "4", "1/5"});
  }
  Run(state, r);
}

// n runners with a held bet on every fifth (backs, lays and free bets at
// prices a little longer), new bets capped at `cap` or not.
void Held(benchmark::State& state, Side side, const char* cap) {
  const auto n = static_cast<std::size_t>(state.range(0));
  Request r = Field(n, side, Mode::Stake, cap);
  r.commission = "2";
  const char* kinds[] = {"back", "lay", "free", "back"};
  for (std::size_t j = 0; j < n; j += 5)
    r.held.push_back({std::to_string(j + 1), kinds[(j / 5) % 4], std::to_string(5 + j % 7),
                      std::to_string(n + j) + ".5"});
  Run(state, r);
}

void LaidToALiability(benchmark::State& state) {
  Request r;
  r.side = Side::Lay, r.mode = Mode::Liability, r.amount = "40000";
  r.runners.assign(1000, {"", "1000.1", false});
  Run(state, r);
}

void NearlyFullBook(benchmark::State& state, Side side, Mode mode, const char* amount) {
  const double margin = 1.0 / static_cast<double>(state.range(1));
  Run(state, NearlyFull(static_cast<std::size_t>(state.range(0)), margin, side, mode, amount));
}

// The same with every price its own: some are refused as too close to 100%,
// and the time to say so is what is measured.
void DistinctPrices(benchmark::State& state, Side side, Mode mode, const char* amount) {
  const double margin = 1.0 / static_cast<double>(state.range(1));
  Run(state,
      NearlyFull(static_cast<std::size_t>(state.range(0)), margin, side, mode, amount, 1000000000),
      true);
}

// Around a held bet on a book within a hair of 100%: five runners, four at
// 5 and one at 5.000001, a back of 10 at 500 laid with 2% commission (the plan
// lays 1004.01, worst 973.93); and 20 or 1000 runners at distinct prices, a
// plan or a refusal within the held search's work.
void HeldNearlyFull(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  Request r = n == 5 ? Request{} : NearlyFull(n, 1e-7, Side::Lay, Mode::Stake, "", 1000000000);
  if (n == 5)
    for (const char* odds : {"5", "5", "5", "5", "5.000001"})
      r.runners.push_back({"", odds, false});
  r.side = Side::Lay, r.mode = Mode::Stake, r.amount = "", r.commission = "2";
  r.held.push_back({"1", "back", "10", "500"});
  Run(state, r, n != 5);
}

void Fields(benchmark::internal::Benchmark* b) {
  for (int runners : {5, 20, 200, 1000}) b->Arg(runners);
}

// A thousand distinct prices within 0.1%, 0.001% and 0.0001% of a full book.
void DistinctFields(benchmark::internal::Benchmark* b) {
  for (int closeness : {1000, 100000, 1000000}) b->Args({1000, closeness});
  b->Unit(benchmark::kMillisecond)->Iterations(3);
}

// Runners, and 1 / (1 - book): 10^3 is a book of 99.9%, 10^7 of 99.99999%.
void NearlyFullFields(benchmark::internal::Benchmark* b) {
  for (auto [runners, closeness] :
       {std::pair{1000, 1000}, {1000, 100000}, {1000, 10000000}, {30, 10000000}})
    b->Args({runners, closeness});
  b->Unit(benchmark::kMillisecond)->Iterations(3);
}

BENCHMARK_CAPTURE(Plan, BackStake, Side::Back, Mode::Stake, "1000")->Apply(Fields);
BENCHMARK_CAPTURE(Plan, BackProfit, Side::Back, Mode::Profit, "100")->Apply(Fields);
BENCHMARK_CAPTURE(Plan, LayStake, Side::Lay, Mode::Stake, "1000")->Apply(Fields);
BENCHMARK_CAPTURE(Plan, LayLiability, Side::Lay, Mode::Liability, "100")->Apply(Fields);
BENCHMARK_CAPTURE(EachWay, Stake, Mode::Stake, "1000", 2)->Arg(5)->Arg(20)->Arg(200);
BENCHMARK_CAPTURE(EachWay, Profit, Mode::Profit, "100", 2)->Arg(5)->Arg(20)->Arg(200);
BENCHMARK_CAPTURE(EachWay, CoveredStake, Mode::Stake, "1000", 1)->Arg(5)->Arg(20)->Arg(200);
BENCHMARK_CAPTURE(EachWay, CoveredProfit, Mode::Profit, "100", 1)->Arg(5)->Arg(20);
BENCHMARK(EachWayLaid)->DenseRange(1, 5)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Exchange, BackStake, Side::Back, Mode::Stake, "1000")->Arg(20)->Arg(200);
BENCHMARK_CAPTURE(Exchange, BackProfit, Side::Back, Mode::Profit, "100")->Arg(20)->Arg(200);
BENCHMARK_CAPTURE(Exchange, LayStake, Side::Lay, Mode::Stake, "1000")->Arg(20)->Arg(200);
BENCHMARK_CAPTURE(Exchange, LayLiability, Side::Lay, Mode::Liability, "100")->Arg(20)->Arg(200);
BENCHMARK(MatchedBet);
BENCHMARK(MatchedForm);
BENCHMARK(RaceCsvRoundTrip)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Held, BackCapped, Side::Back, "100")->Arg(20)->Arg(200);
BENCHMARK_CAPTURE(Held, Back, Side::Back, "")->Arg(20)->Arg(200);
BENCHMARK_CAPTURE(Held, LayCapped, Side::Lay, "100")->Arg(20)->Arg(200);
BENCHMARK_CAPTURE(Held, Lay, Side::Lay, "")->Arg(20)->Arg(200);
BENCHMARK(LaidToALiability)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(NearlyFullBook, Profit, Side::Back, Mode::Profit, "10")->Apply(NearlyFullFields);
BENCHMARK_CAPTURE(NearlyFullBook, Liability, Side::Lay, Mode::Liability, "10")
    ->Apply(NearlyFullFields);
BENCHMARK_CAPTURE(DistinctPrices, Profit, Side::Back, Mode::Profit, "10")->Apply(DistinctFields);
BENCHMARK_CAPTURE(DistinctPrices, Liability, Side::Lay, Mode::Liability, "10")
    ->Apply(DistinctFields);
BENCHMARK(HeldNearlyFull)->Arg(5)->Arg(20)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
