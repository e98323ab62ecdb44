#!/usr/bin/env bash
# Builds the packages, unpacks them into fresh folders and runs them from there:
# the portable tarball, then the Debian package.
# Usage: package_test.sh BUILD_DIR BROWSER_TESTS VERSION
# Exits 77, which CTest counts as skipped, when xvfb-run or xdotool is missing
# and every other check passed.
set -euo pipefail
build=$1
browser_tests=$2
version=$3
skipped=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null
archive="$work/out/stakora-$version-Linux.tar.gz"
[ -f "$archive" ] || { echo "no $archive"; exit 1; }
mkdir "$work/put here"
tar -xzf "$archive" -C "$work/put here"
app="$work/put here/stakora-$version-Linux"
for f in stakora stakora-cli stakora-plan stakora-settle stakora-browser.so help.htm update.txt \
         eachway-odds-checker.htm stakora.png stakora.desktop; do
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
  skipped=1
fi
# The Debian package: its checks, its files, and the programs run from an
# unpacked root as they would from /usr/bin.
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >/dev/null
deb="$work/out/stakora_${version}_amd64.deb"
[ -f "$deb" ] || { echo "no $deb"; exit 1; }
if lintian --suppress-tags running-with-root-privileges "$deb" 2>&1 | grep -E '^E: '; then
  echo "lintian reports errors"; exit 1
fi
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' || { echo "no Qt runtime in Depends"; exit 1; }
! dpkg-deb --field "$deb" Depends | grep -q -- '-dev' || { echo "a -dev package in Depends"; exit 1; }
root="$work/root"
dpkg-deb -x "$deb" "$root"
for f in usr/bin/stakora usr/bin/stakora-cli usr/bin/stakora-plan usr/bin/stakora-settle \
         usr/lib/stakora/plugins/stakora-browser.so usr/share/stakora/help.htm \
         usr/share/stakora/update.txt usr/share/stakora/eachway-odds-checker.htm \
         usr/share/applications/example.stakora.Stakora.desktop \
         usr/share/metainfo/example.stakora.Stakora.metainfo.xml \
         usr/share/icons/hicolor/{32x32,48x48,64x64,128x128,256x256}/apps/stakora.png \
         usr/share/icons/hicolor/scalable/apps/stakora.svg \
         usr/share/man/man1/{stakora,stakora-cli,stakora-plan,stakora-settle}.1.gz \
         usr/share/doc/stakora/copyright usr/share/doc/stakora/changelog.gz; do
  [ -e "$root/$f" ] || { echo "missing from the .deb: /$f"; exit 1; }
done
desktop-file-validate "$root/usr/share/applications/example.stakora.Stakora.desktop"
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/example.stakora.Stakora.metainfo.xml" >/dev/null
"$root/usr/bin/stakora-cli" --json --odds-format decimal --amount=50 -- 3.0 4.0 | grep -q '"stake": "28.57"'
"$root/usr/bin/stakora-plan" --json --stake 25 --step 1 -- 2.2 5.5 8 13 | grep -q '"worst_profit": "2.50"'
"$root/usr/bin/stakora-plan" --json --stake 20 -- A=3 B=4 |
  "$root/usr/bin/stakora-settle" --json --plan - --finish B=1 | grep -q '"profit": "14.28"'
# From /usr/bin's point of view: the pages in ../share/stakora, the module in
# ../lib/stakora/plugins, the settings in the user's configuration folder.
XDG_CONFIG_HOME="$work/config" STAKORA_PACKAGE_DIR="$root/usr/bin" QT_QPA_PLATFORM=offscreen \
  QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu "$browser_tests" --gtest_filter='Package.*' --gtest_brief=1
[ -f "$work/config/stakora/config.txt" ] || { echo "the installed program kept no config.txt"; exit 1; }
[ ! -e "$root/usr/bin/config.txt" ] || { echo "the installed program wrote into its own folder"; exit 1; }
if [ "$skipped" = 1 ]; then
  echo "package: every other check passed"
  exit 77
fi
echo "package: all checks passed"
