#!/usr/bin/env bash
# The Windows build of the core and both command-line programs, from this
# machine: cross-compiled with mingw-w64, every test run under Wine, the
# answers compared with the Linux build's, and stakora-cli-VERSION-win64.zip
# packed. Needs the Linux build (scripts/build.sh) for the comparison.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build/windows
# Boost's headers alone, without the rest of the host's /usr/include.
mkdir -p "$out/boost-include"
ln -sfn /usr/include/boost "$out/boost-include/boost"
cmake -S . -B "$out" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DSTAKORA_BUILD_GUI=OFF -DSTAKORA_BUILD_BENCH=OFF -DSTAKORA_BUILD_TESTS=ON \
  -DSTAKORA_GTEST_SOURCE=/usr/src/googletest -DSTAKORA_BOOST_INCLUDE="$PWD/$out/boost-include" \
  >/dev/null
cmake --build "$out" -j2

# A prefix of our own, made on the first start (about ten seconds).
export WINEPREFIX="$PWD/build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$WINEPREFIX" ] || wineboot --init >/dev/null 2>&1 || true
ctest --test-dir "$out" --output-on-failure -j2 --timeout 1800

# The same answers as the Linux build, byte for byte once Windows' CR LF line
# ends are taken back to LF.
same() {
  local linux windows
  linux=$("$1" "${@:3}" | tr -d '\r')
  windows=$(wine "$2" "${@:3}" | tr -d '\r')
  if [ "$linux" != "$windows" ]; then
    echo "windows: $(basename "$2") answers differently:"; diff <(echo "$linux") <(echo "$windows")
    exit 1
  fi
}
same build/src/cli/stakora-cli "$out/src/cli/stakora-cli.exe" \
  --json --mode stake --odds-format decimal --amount=50 -- 3.0 4.0
same build/src/cli/stakora-plan "$out/src/cli/stakora-plan.exe" --json --stake 25 --step 1 -- 2.2 5.5 8 13
same build/src/cli/stakora-plan "$out/src/cli/stakora-plan.exe" --lay --liability 30 --commission 2 -- 3 5 7
same build/src/cli/stakora-plan "$out/src/cli/stakora-plan.exe" --json --lay --exchange-rules betfair --stake 10 -- 3.0 5.0 25.0 3.35
same build/src/cli/stakora-plan "$out/src/cli/stakora-plan.exe" --json --commission 5 --place-market 3 \
  --held A:each-way:50@7.5:4:1/5 --held B:each-way:25@12:4:1/5 --place-odds A=1.7 --place-odds B=2.4 -- A=8.2 B=13.5
same build/src/cli/stakora-plan "$out/src/cli/stakora-plan.exe" --csv --lay --commission 5 --overlay 0.4 \
  --held "Fav, Jnr:free:20@6.0" -- "Fav, Jnr=6.4"
same build/src/cli/stakora-settle "$out/src/cli/stakora-settle.exe" --json \
  --bet A:each-way:10@7/4:3:1/5 --finish W=1 --finish A=2 --non-runner N@13/8

version=$(sed -n 's/^project(Stakora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/stakora-cli-$version-win64"
cp "$out/src/cli/stakora-cli.exe" "$out/src/cli/stakora-plan.exe" "$out/src/cli/stakora-settle.exe" "$stage/stakora-cli-$version-win64/"
sed 's/$/\r/' packaging/windows/README.txt >"$stage/stakora-cli-$version-win64/README.txt"
rm -f "$out/stakora-cli-$version-win64.zip"
(cd "$stage" && zip -qr "$OLDPWD/$out/stakora-cli-$version-win64.zip" "stakora-cli-$version-win64")
echo "windows: all tests passed under Wine; $out/stakora-cli-$version-win64.zip"
