#!/usr/bin/env bash
# The desktop program for Windows: a static Qt 6 built once from Debian's own
# qt6-base source with mingw-w64 (kept in a cache outside the checkout and
# reused while its version and options match), stakora.exe cross-built
# against it, its window tests run under Wine, one real start under Xvfb, and
# stakora-VERSION-win64.zip packed. Needs root for the packages and the
# source list; the Qt build takes 20 to 60 minutes on two cores.
# --if-cached: do all of it only when that Qt is already built (CI).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
cache=${STAKORA_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/stakora/qt6-mingw}
options=packaging/windows/qt6-static.cmake
out=build/windows-desktop

fail() { echo "windows-desktop: $1" >&2; [ -z "${2:-}" ] || tail -n 40 "$2" >&2; exit 1; }
# Runs a long step with its output in a log, shown only when it fails.
step() {
  local what=$1 log=$2
  shift 2
  echo "windows-desktop: $what"
  "$@" >"$log" 2>&1 || fail "$what failed; the log is $log" "$log"
}

bash scripts/deps.sh
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
key=$(cat "$options" cmake/mingw-w64.cmake <(echo "$qt_version") | sha256sum | cut -c1-16)
qt=$cache/qt-$key
if [ "${1:-}" = --if-cached ] && [ ! -f "$qt/stakora-qt.stamp" ]; then
  echo "windows-desktop: skipped, no Qt for Windows in $cache (scripts/windows-desktop.sh builds it)"
  exit 0
fi
# The Qt build's tools, the source fetch, and the screenshot of the program.
bash scripts/deps.sh ninja-build dpkg-dev x11-apps netpbm
mkdir -p "$cache/logs"

if [ ! -f "$qt/stakora-qt.stamp" ]; then
  # apt-get source needs Debian's source list, which a fresh machine lacks.
  if ! grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    echo "windows-desktop: adding Debian's source list"
    # The same mirrors as the binary packages, in whichever format they are.
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
        >/etc/apt/sources.list.d/debian-src.sources
    else
      sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >/etc/apt/sources.list.d/debian-src.list
    fi || fail "cannot add Debian's source list"
    step "reading the package lists" "$cache/logs/apt.log" apt-get update
  fi
  src=$cache/source-$qt_version
  if [ ! -d "$src/qtbase" ]; then
    rm -rf "$src.tmp" && mkdir -p "$src.tmp"
    step "fetching the qt6-base $qt_version source" "$cache/logs/source.log" \
      bash -c "cd '$src.tmp' && apt-get source -q 'qt6-base=$qt_version'"
    dir=$(find "$src.tmp" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
    [ -n "$dir" ] || fail "the qt6-base source did not unpack; see $cache/logs/source.log"
    mkdir -p "$src" && mv "$dir" "$src/qtbase" && rm -rf "$src.tmp"
  fi
  rm -rf "$cache/build-$key" "$qt"
  step "configuring Qt $qt_version for x86_64-w64-mingw32" "$cache/logs/configure.log" \
    cmake -S "$src/qtbase" -B "$cache/build-$key" -G Ninja -C "$root/$options" \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$qt"
  step "building Qt (20 to 60 minutes on two cores)" "$cache/logs/build.log" \
    cmake --build "$cache/build-$key" -j2
  step "installing Qt into $qt" "$cache/logs/install.log" cmake --install "$cache/build-$key"
  echo "$qt_version $key" >"$qt/stakora-qt.stamp"
  rm -rf "$cache/build-$key"
fi
echo "windows-desktop: Qt $qt_version in $qt"

# stakora.exe, both command lines and the window tests, against that Qt.
mkdir -p "$out/boost-include"
ln -sfn /usr/include/boost "$out/boost-include/boost"
cmake -S . -B "$out" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$qt" -DQT_HOST_PATH=/usr \
  -DQt6HostInfo_DIR=/usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo \
  -DSTAKORA_BUILD_BENCH=OFF -DSTAKORA_BUILD_TESTS=ON -DSTAKORA_WERROR=ON \
  -DSTAKORA_GTEST_SOURCE=/usr/src/googletest \
  -DSTAKORA_BOOST_INCLUDE="$root/$out/boost-include" >/dev/null ||
  fail "configuring stakora for Windows failed"
cmake --build "$out" -j2 --target stakora qt_tests stakora-cli stakora-plan stakora-settle ||
  fail "building stakora.exe failed"

export WINEPREFIX="$root/build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$WINEPREFIX" ] || wineboot --init >/dev/null 2>&1 || true
echo "windows-desktop: the window tests under Wine"
# A test that hangs names itself and ends the run (exit 3); Wine that hangs
# before any test is ended by the timeout (124). Either is tried once more,
# after Wine's server is stopped, and said above; a failed test is not.
window_tests() { QT_QPA_PLATFORM=offscreen timeout 900 wine "$out/tests/qt_tests.exe" --gtest_brief=1; }
rc=0 && window_tests || rc=$?
if [ $rc -eq 3 ] || [ $rc -eq 124 ]; then
  echo "windows-desktop: the window tests hung under Wine (exit $rc); once more"
  wineserver -k 2>/dev/null || true
  rc=0 && window_tests || rc=$?
fi
[ $rc -eq 0 ] || fail "the window tests failed under Wine (exit $rc)"

# The folder the zip carries, and one real start of the program from it.
version=$(sed -n 's/^project(Stakora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
app=$stage/stakora-$version-win64
mkdir "$app"
cp "$out/src/qt/stakora.exe" "$out/src/cli/stakora-cli.exe" "$out/src/cli/stakora-plan.exe" \
  "$out/src/cli/stakora-settle.exe" \
  src/pages/content/help.htm src/pages/content/update.txt \
  src/pages/content/eachway-odds-checker.htm "$app/"
x86_64-w64-mingw32-strip "$app"/*.exe
cat packaging/windows/README-desktop.txt packaging/windows/README.txt | sed 's/$/\r/' \
  >"$app/README.txt"

# On the desktop's own platform under a virtual display: the About box, then
# after I Agree the main window (its picture kept) with the settings read from
# beside the program, then Close and Yes, which writes them back there.
echo "windows-desktop: starting stakora.exe under Wine"
# The web browser, as Wine finds it (xdg-open): what it is asked to open is kept.
mkdir -p "$stage/bin"
printf '#!/bin/sh\necho "$1" >>"%s"\n' "$stage/opened" >"$stage/bin/xdg-open"
chmod +x "$stage/bin/xdg-open"
printf 'false\r\ntrue\r\nfalse\r\ntrue\r\nfalse\r\n3\r\n12.50\r\n' >"$app/config.txt"
# Wine's desktop process outlives the tests and knows no display: wait for it
# to end, or the program's windows go where the tests' went.
wineserver -w
shots=$root/$out/pictures
rm -rf "$shots" && mkdir -p "$shots"
PATH="$stage/bin:$PATH" env -u QT_QPA_PLATFORM timeout 300 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  find_window() { timeout 120 xdotool search --sync --name "$1" | head -n 1; }
  started=$(date +%s%N)
  wine "$1/stakora.exe" 2>/dev/null & pid=$!
  for _ in $(seq 6000); do  # looked for often: the time measured is the program start
    about=$(xdotool search --name "^About Stakora\$" 2>/dev/null | head -n 1)
    [ -n "$about" ] && break
    sleep 0.02
  done
  echo "windows-desktop: the About box showed after $((($(date +%s%N) - started) / 1000000)) ms"
  picture() { sleep 2; xwd -id "$1" -silent | xwdtopnm 2>/dev/null | pnmtopng >"$2"; }
  picture "$about" "$2/about-box-windows.png"
  xdotool windowfocus --sync "$about" 2>/dev/null || true
  sleep 0.5; xdotool key Return                        # I Agree
  main=$(find_window "^Stakora\$")
  picture "$main" "$2/main-window-windows.png"
  xdotool windowfocus --sync "$main" 2>/dev/null || true
  sleep 0.5; xdotool key F1                            # Help, in the web browser
  sleep 3; xdotool windowfocus --sync "$main" 2>/dev/null || true
  sleep 0.5; xdotool key ctrl+p                        # the stake planner
  planner=$(find_window "^Stake planner\$")
  xdotool windowfocus --sync "$planner" 2>/dev/null || true
  sleep 1; xdotool key Escape                          # closed, its choices saved
  sleep 1; xdotool windowfocus --sync "$main" 2>/dev/null || true
  sleep 0.5; xdotool key alt+c                         # Close
  sleep 1; xdotool key Return                          # Yes
  for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.2; done
  kill $pid 2>/dev/null || true' _ "$app" "$shots" || true
[ -s "$shots/main-window-windows.png" ] || fail "stakora.exe did not show its main window under Wine"
[ "$(cat "$app/config.txt"; echo .)" = $'false\r\ntrue\r\nfalse\r\ntrue\r\nfalse\r\n3\r\n12.5\r\n.' ] ||
  fail "stakora.exe did not keep its settings beside itself"
grep -qx "file://.*/stakora-$version-win64/help.htm" "$stage/opened" 2>/dev/null ||
  fail "Help did not open the help page beside the program in the web browser"
[ -s "$app/planner.txt" ] || fail "the stake planner did not keep its choices beside the program"
rm "$app/config.txt" "$app/planner.txt"

zip_file=$out/stakora-$version-win64.zip
rm -f "$zip_file"
(cd "$stage" && zip -qr "$root/$zip_file" "stakora-$version-win64")
echo "windows-desktop: stakora.exe $(stat -c %s "$app/stakora.exe") bytes;" \
  "the window tests passed under Wine; $zip_file"
