#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the test suite, the
# same core tests under AddressSanitizer and UndefinedBehaviorSanitizer, the
# planner's worker under ThreadSanitizer, and a short run of each fuzz target
# on its corpus. Warnings are errors throughout.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh -DSTAKORA_WERROR=ON

echo "== core under AddressSanitizer and UndefinedBehaviorSanitizer"
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DSTAKORA_BUILD_GUI=OFF \
  -DSTAKORA_BUILD_BENCH=OFF -DSTAKORA_WERROR=ON "-DCMAKE_CXX_FLAGS=$sanitize" >/dev/null
cmake --build build/asan -j2
ctest --test-dir build/asan --output-on-failure -j2 --timeout 1800

echo "== the planner's worker under ThreadSanitizer"
cmake -S . -B build/tsan -DCMAKE_BUILD_TYPE=Debug -DSTAKORA_BUILD_GUI=OFF \
  -DSTAKORA_BUILD_BENCH=OFF -DSTAKORA_WERROR=ON "-DCMAKE_CXX_FLAGS=-fsanitize=thread" >/dev/null
cmake --build build/tsan -j2 --target plan_worker_tests
timeout 900 build/tsan/tests/plan_worker_tests --gtest_brief=1

echo "== fuzz targets, a short run each"
CC=clang CXX=clang++ cmake -S . -B build/fuzz -DSTAKORA_BUILD_FUZZ=ON -DSTAKORA_BUILD_GUI=OFF \
  -DSTAKORA_BUILD_TESTS=OFF -DSTAKORA_BUILD_BENCH=OFF -DSTAKORA_WERROR=ON >/dev/null
cmake --build build/fuzz -j2
root=$PWD
for target in number_text settings calculate plan settle; do
  scratch=$(mktemp -d)
  rc=0
  (cd "$scratch" && "$root/build/fuzz/fuzz/${target}_fuzz" -max_total_time="${FUZZ_SECONDS:-20}" \
     -print_final_stats=1 "$scratch" "$root/fuzz/corpus/$target" >"$scratch/log" 2>&1) || rc=$?
  echo "$target: $(grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$scratch/log" |
                   tr -s ' ' | tr '\n' ' ')"
  if [ $rc -ne 0 ]; then
    tail -n 40 "$scratch/log"
    cp "$scratch"/crash-* "$scratch"/leak-* "$scratch"/timeout-* . 2>/dev/null || true
    echo "fuzz: $target failed; the input is in $root"
    exit 1
  fi
  rm -rf "$scratch"
done

echo "== Windows: cross-built, run under Wine"
bash scripts/windows.sh
bash scripts/windows-desktop.sh --if-cached

echo "== test suite"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2 --timeout 1800
