#!/usr/bin/env bash
# Builds the package, unpacks it into a fresh folder and runs it from there.
# Usage: package_test.sh BUILD_DIR BROWSER_TESTS
set -euo pipefail
build=$1
browser_tests=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null
archive="$work/out/stakora-1.0.2-Linux.tar.gz"
[ -f "$archive" ] || { echo "no $archive"; exit 1; }
mkdir "$work/put here"
tar -xzf "$archive" -C "$work/put here"
app="$work/put here/stakora-1.0.2-Linux"
for f in stakora stakora-cli stakora-browser.so help.htm update.txt eachway-odds-checker.htm \
         stakora.png stakora.desktop; do
  [ -e "$app/$f" ] || { echo "missing from the package: $f"; exit 1; }
done

# The command line from the unpacked folder.
out=$("$app/stakora-cli" --json --odds-format decimal --amount=50 -- 3.0 4.0)
grep -q '"stake": "28.57"' <<<"$out" || { echo "stakora-cli: $out"; exit 1; }

# The desktop program's pages and settings, from the unpacked folder.
STAKORA_PACKAGE_DIR="$app" QT_QPA_PLATFORM=offscreen QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu \
  "$browser_tests" --gtest_filter='Package.*' --gtest_brief=1

# The packaged program itself: it reads the settings beside itself, and on
# Close and Yes writes them back there.
if command -v xvfb-run >/dev/null && command -v xdotool >/dev/null; then
  printf 'false\r\ntrue\r\nfalse\r\ntrue\r\nfalse\r\n3\r\n12.50\r\n' >"$app/config.txt"
  # On the virtual display for real, whatever platform the other tests use.
  env -u QT_QPA_PLATFORM timeout 300 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1/stakora" 2>/dev/null & pid=$!
    press() {  # waits for the window, gives it the keyboard, presses the key
      local w; w=$(timeout 60 xdotool search --sync --onlyvisible --name "$1" | head -n 1)
      xdotool windowfocus --sync "$w" 2>/dev/null || true
      sleep 0.5; xdotool key "$2"
    }
    press "^About Stakora\$" Return   # I Agree
    press "^Stakora\$" alt+c          # Close
    sleep 1; xdotool key Return        # Yes
    for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.2; done
    kill $pid 2>/dev/null || true' _ "$app"
  expected=$'false\r\ntrue\r\nfalse\r\ntrue\r\nfalse\r\n3\r\n12.5\r\n'
  [ "$(cat "$app/config.txt"; echo .)" = "$expected." ] ||
    { echo "stakora did not keep its settings beside itself:"; od -c "$app/config.txt"; exit 1; }
else
  echo "package: xvfb-run or xdotool missing, the desktop run was skipped"
  exit 1
fi
echo "package: all checks passed"
