#!/usr/bin/env bash
# Runs every benchmark and prints one table. Needs a built tree (scripts/build.sh)
# and runs the desktop measurements on a virtual display of its own.
#   bash bench/run-all.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-15}
B=build/bench
command -v xvfb-run >/dev/null || { echo "bench: xvfb-run is needed (apt-get install xvfb xauth)"; exit 1; }

median() { sort -n | awk '{a[NR]=$1} END {m=(NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2; printf "%.1f", m}'; }

# Calculate per press.
calc=$($B/calculate_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true \
        --benchmark_format=csv 2>/dev/null | grep '_median' | tr -d '"')
press() { echo "$calc" | grep "Press/$1_median" | cut -d, -f3 | awk '{printf "%.2f", $1/1000}'; }

# Stake plans per plan.
plans=$($B/plan_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true \
         --benchmark_filter='^(Plan|EachWay|Exchange|LaidTo|Matched|RaceCsv|Held)' --benchmark_format=csv 2>/dev/null | grep '_median' | tr -d '"')
plan() { echo "$plans" | grep "Plan/$1/$2_median" | cut -d, -f3 | awk '{printf "%.1f", $1/1000}'; }
each_way() { echo "$plans" | grep "EachWay/$1/$2_median" | cut -d, -f3 | awk '{printf "%.1f", $1/1000}'; }
exchange() { echo "$plans" | grep "Exchange/$1/$2_median" | cut -d, -f3 | awk '{printf "%.1f", $1/1000}'; }
held() { echo "$plans" | grep "Held/$1/$2_median" | cut -d, -f3 | awk '{printf "%.1f", $1/1000}'; }
each_way_laid() { echo "$plans" | grep "EachWayLaid/$1_median" | cut -d, -f3 | awk '{printf "%.1f", $1}'; }
matched=$(echo "$plans" | grep "MatchedBet_median" | cut -d, -f3 | awk '{printf "%.1f", $1/1000}')
matched_form=$(echo "$plans" | grep "MatchedForm_median" | cut -d, -f3 | awk '{printf "%.1f", $1/1000}')
race_csv=$(echo "$plans" | grep "RaceCsvRoundTrip_median" | cut -d, -f3 | awk '{printf "%.0f", $1}')
laid=$(echo "$plans" | grep "LaidToALiability_median" | cut -d, -f3 | awk '{printf "%.1f", $1}')
# The slowest plans, once each (three plans a measure).
full=$($B/plan_bench --benchmark_filter='NearlyFull|DistinctPrices' --benchmark_format=csv 2>/dev/null | tr -d '"')
nearly() { echo "$full" | grep "NearlyFullBook/$1/$2/$3/" | cut -d, -f3 | awk '{printf "%.1f", $1}'; }
distinct() { echo "$full" | grep "DistinctPrices/$1/$2/$3/" | cut -d, -f3 | awk '{printf "%.1f", $1}'; }
held_full() { echo "$full" | grep "HeldNearlyFull/$1/" | cut -d, -f3 | awk '{printf "%.1f", $1}'; }

# Settling per result.
settles=$($B/settle_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true \
           --benchmark_format=csv 2>/dev/null | grep '_median' | tr -d '"')
settle() { echo "$settles" | grep "Settle/$1_median" | cut -d, -f3 | awk '{printf "%.1f", $1}'; }

# stakora-cli per run.
cli=build/src/cli/stakora-cli
runs=200
start=$(date +%s%N)
for _ in $(seq $runs); do $cli --json --mode stake --odds-format decimal --amount=50 -- 3.0 4.0 >/dev/null; done
cli_ms=$(awk -v s="$start" -v e="$(date +%s%N)" -v n=$runs 'BEGIN {printf "%.2f", (e-s)/n/1e6}')

# Desktop start-up beside a bare Qt window, alternating, in a folder of its own.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp build/src/qt/stakora build/src/qt/stakora-browser.so build/src/qt/*.htm build/src/qt/update.txt "$stage/"
export QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "
  for i in \$(seq $rounds); do
    echo bare \$($B/first_window 300 $B/bare_window)
    echo label \$($B/first_window 300 $B/bare_window --label)
    echo stakora \$($B/first_window 300 $stage/stakora)
  done
  for i in 1 2 3; do echo help \$($B/help_page_bench 2>/dev/null); done
  for i in 1 2 3; do echo typing \$($B/planner_typing_bench 2>/dev/null); done
" > "$stage/desktop.txt" 2>/dev/null

col() { grep "^$1 " "$stage/desktop.txt" | awk -v c="$2" '{print $c}' | median; }
bare_ms=$(col bare 2); bare_kb=$(col bare 3)
stk_ms=$(col stakora 2); stk_kb=$(col stakora 3)
lbl_ms=$(col label 2); lbl_kb=$(col label 3)
help1=$(col help 2); help2=$(col help 3)
paste_ms=$(col typing 2); hold_ms=$(col typing 3); shown_ms=$(col typing 4)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.3f", a/b}'; }

cat <<TABLE
| Measure | Median |
|---|---|
| Calculate, five horses, Stake to bet, Fraction | $(press StakeFraction) µs |
| Calculate, five horses, Stake to bet, Decimal | $(press StakeDecimal) µs |
| Calculate, five horses, Profit to win, Fraction | $(press ProfitFraction) µs |
| Calculate, five horses, Profit to win, Decimal | $(press ProfitDecimal) µs |
| stakora-cli, one run (two horses, JSON) | $cli_ms ms |
| Stake plan, back stake, 5 / 20 / 200 / 1000 runners | $(plan BackStake 5) / $(plan BackStake 20) / $(plan BackStake 200) / $(plan BackStake 1000) µs |
| Stake plan, back profit, 5 / 20 / 200 / 1000 runners | $(plan BackProfit 5) / $(plan BackProfit 20) / $(plan BackProfit 200) / $(plan BackProfit 1000) µs |
| Stake plan, lay stake, 5 / 20 / 200 / 1000 runners | $(plan LayStake 5) / $(plan LayStake 20) / $(plan LayStake 200) / $(plan LayStake 1000) µs |
| Stake plan, lay liability, 5 / 20 / 200 / 1000 runners | $(plan LayLiability 5) / $(plan LayLiability 20) / $(plan LayLiability 200) / $(plan LayLiability 1000) µs |
| At an exchange with the Betfair rules, 20 / 200 runners: back stake; back profit | $(exchange BackStake 20) / $(exchange BackStake 200); $(exchange BackProfit 20) / $(exchange BackProfit 200) µs |
| At an exchange with the Betfair rules, 20 / 200 runners: lay stake; lay liability | $(exchange LayStake 20) / $(exchange LayStake 200); $(exchange LayLiability 20) / $(exchange LayLiability 200) µs |
| Held each-way bets laid in the win and place markets, 1 / 2 / 3 / 4 / 5 runners | $(each_way_laid 1) / $(each_way_laid 2) / $(each_way_laid 3) / $(each_way_laid 4) / $(each_way_laid 5) µs |
| Each-way plan, stake, 5 / 20 / 200 runners | $(each_way Stake 5) / $(each_way Stake 20) / $(each_way Stake 200) µs |
| Each-way plan, profit, 5 / 20 / 200 runners | $(each_way Profit 5) / $(each_way Profit 20) / $(each_way Profit 200) µs |
| Each-way plan on a field the runners cover, stake, 5 / 20 / 200 runners | $(each_way CoveredStake 5) / $(each_way CoveredStake 20) / $(each_way CoveredStake 200) µs |
| Each-way plan on a field the runners cover, profit, 5 / 20 runners | $(each_way CoveredProfit 5) / $(each_way CoveredProfit 20) µs |
| Around held bets: a matched bet (one runner, laid) | $matched µs |
| Matched bet window, per key: a free bet planned and moved 40% toward overlay | $matched_form µs |
| A race of 1000 runners saved as CSV and read back | $race_csv µs |
| Around held bets, back, 20 / 200 runners: capped; uncapped | $(held BackCapped 20) / $(held BackCapped 200); $(held Back 20) / $(held Back 200) µs |
| Around held bets, lay, 20 / 200 runners: capped; uncapped | $(held LayCapped 20) / $(held LayCapped 200); $(held Lay 20) / $(held Lay 200) µs |
| Stake plan, 1000 runners at 1000.1 laid to a liability of 40000 | $laid ms |
| Stake plan, 1000 runners, book 99.9% / 99.999% / 99.99999%: profit | $(nearly Profit 1000 1000) / $(nearly Profit 1000 100000) / $(nearly Profit 1000 10000000) ms |
| Stake plan, 1000 runners, book 99.9% / 99.999% / 99.99999%: liability | $(nearly Liability 1000 1000) / $(nearly Liability 1000 100000) / $(nearly Liability 1000 10000000) ms |
| Stake plan, 30 runners, book 99.99999%: profit / liability | $(nearly Profit 30 10000000) / $(nearly Liability 30 10000000) ms |
| Stake plan, 1000 distinct prices, book 99.9% / 99.999% / 99.9999%: profit | $(distinct Profit 1000 1000) / $(distinct Profit 1000 100000) / $(distinct Profit 1000 1000000) ms |
| Stake plan, 1000 distinct prices, book 99.9% / 99.999% / 99.9999%: liability | $(distinct Liability 1000 1000) / $(distinct Liability 1000 100000) / $(distinct Liability 1000 1000000) ms |
| Around a held bet, book 99.99999%: 5 runners (planned) / 20 / 1000 distinct prices (refused) | $(held_full 5) / $(held_full 20) / $(held_full 1000) ms |
| Settling a result, 10 / 1000 bets (every kind, dead heat, non-runners) | $(settle 10) / $(settle 1000) µs |
| Planner window: paste 1000 runners | $paste_ms ms |
| Planner window: longest the event loop is held while a liability is typed (1000 runners) | $hold_ms ms |
| Planner window: last key to plan shown (1000 runners) | $shown_ms ms |
| Bare Qt 6 window: time to first window | $bare_ms ms |
| Bare Qt 6 window with one label: time to first window | $lbl_ms ms (ratio $(ratio "$lbl_ms" "$bare_ms")) |
| stakora: time to first window | $stk_ms ms (ratio $(ratio "$stk_ms" "$bare_ms")) |
| Bare Qt 6 window: peak memory | $bare_kb kB |
| Bare Qt 6 window with one label: peak memory | $lbl_kb kB (ratio $(ratio "$lbl_kb" "$bare_kb")) |
| stakora: peak memory | $stk_kb kB (ratio $(ratio "$stk_kb" "$bare_kb")) |
| Help to help page loaded, first time | $help1 ms |
| Help to help page loaded, again | $help2 ms |
TABLE
