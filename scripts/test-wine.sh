#!/usr/bin/env bash
# The Win32 backend end to end, under Wine on a private Xvfb: cross-builds
# kestrova-cli.exe and everest-sim-win32.exe with mingw-w64, shows the lobby
# file data/lobby-60.json in the Win32 lobby and checks that
#   - its glyph table is still the one its font draws (data/ocr-win32-sim.txt),
#   - "kestrova-cli.exe tables --win32" reads every row of the lobby file,
#   - the lobby's own log saw the click and keys in order, lParam packed,
#   - the capture fell back from an empty PrintWindow, and said so in the trace,
#   - "kestrova-cli.exe open NAME --win32" opens that table.
# Prints one "skipped: ..." line and exits 0 only where Wine cannot start.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-win32"
started=$SECONDS

packages=(cmake ninja-build g++-mingw-w64-x86-64-posix wine wine64 fonts-wine xvfb xauth jq
          nlohmann-json3-dev libstb-dev libcli11-dev libboost-math-dev)
"$here/scripts/install-packages.sh" "${packages[@]}" >/dev/null

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTROVA_WERROR=ON \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" --no-warn-unused-cli "${launcher[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)" --target kestrova-cli everest-sim-win32 >/dev/null
sim="$build/tools/everest-sim-win32/everest-sim-win32.exe"
cli="$build/tools/kestrova-cli/kestrova-cli.exe"
echo "wine: cross-built in $((SECONDS - started)) s"

work=$(mktemp -d)
xvfb_pid=""
wineserver_pid=""
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
stop() {
  # This prefix's Wine processes, then its server and the X server, by pid.
  if [ -n "$wineserver_pid" ]; then
    "$wineserver" -k 2>/dev/null || true
    kill "$wineserver_pid" 2>/dev/null || true
    wait "$wineserver_pid" 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap stop EXIT
skip() {
  echo "skipped: the Wine end-to-end test, as $1"
  exit 0
}
fail() {
  echo "wine: FAILED: $1" >&2
  exit 1
}

# A display of its own: Xvfb picks a free number and writes it to fd 3.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1600x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || skip "Xvfb did not start: $(tail -1 "$work/xvfb.log")"
  sleep 0.1
done
[ -s "$work/display" ] || skip "Xvfb gave no display"
export DISPLAY=":$(cat "$work/display")"

export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
"$wineserver" -f -p >"$work/wineserver.log" 2>&1 &
wineserver_pid=$!
prefix_started=$SECONDS
wine wineboot --init >"$work/wineboot.log" 2>&1 || skip "Wine cannot start: $(tail -1 "$work/wineboot.log")"
[ -d "$WINEPREFIX/drive_c/windows/Fonts" ] || skip "Wine made no prefix: $(tail -1 "$work/wineboot.log")"
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
echo "wine: prefix made in $((SECONDS - prefix_started)) s"

winpath() { echo "Z:${1//\//\\}"; }
passed=0
check() {
  passed=$((passed + 1))
  echo "wine: ok: $1"
}

# 1. The shipped glyph table is what the lobby's font draws.
wine "$sim" --glyph-table "$(winpath "$work/glyphs.txt")" 2>&1 || fail "the lobby's font has glyph problems"
cmp -s "$work/glyphs.txt" "$here/data/ocr-win32-sim.txt" ||
  fail "data/ocr-win32-sim.txt is not the glyph table of the lobby's font (everest-sim-win32 --glyph-table)"
check "glyph table"

# 2. The lobby, and the table list read from it.
lobby="$here/data/lobby-60.json"
glyphs=$(winpath "$here/data/ocr-win32-sim.txt")
wine "$sim" "$(winpath "$lobby")" --log "$(winpath "$work/sim.log")" >"$work/sim.out" 2>&1 &
for _ in $(seq 300); do
  grep -q '^shown' "$work/sim.log" 2>/dev/null && break
  sleep 0.1
done
grep -q '^shown' "$work/sim.log" 2>/dev/null || fail "the Win32 lobby did not show: $(cat "$work/sim.out")"
mkdir -p "$work/run"
(cd "$work/run" && APPDATA="$work/run" wine "$cli" tables --win32 --glyphs "$glyphs" \
  --trace "$(winpath "$work/trace.txt")" >"$work/tables.json" 2>"$work/tables.err") ||
  fail "kestrova-cli tables: $(cat "$work/tables.err") $(cat "$work/sim.out")"
expected=$(jq -c '[.tables[] | (.seated // (.players | length)) as $n | select($n >= 1 and $n <= 10)
  | [.name, (.stakes // ""), ((.waiting // (.waitlist // [] | length)) | tostring), ($n | tostring),
     (.avgpot // "$0"), "", "", "", "", "", "", "", "", ""]]' "$lobby")
got=$(jq -c '[.[].columns]' "$work/tables.json")
if [ "$got" != "$expected" ]; then
  diff <(echo "$expected" | jq -c '.[]') <(echo "$got" | jq -c '.[]') >&2 || true
  fail "the table list differs from $lobby"
fi
check "table list, $(echo "$got" | jq length) rows as in the lobby file"

# 3. What the lobby saw: click into the list (200, 300), Home, then Downs, each key down before up.
log=$(tr -d '\r' <"$work/sim.log" | grep '^WM_')
[ "$(echo "$log" | head -4)" = "WM_LBUTTONDOWN 0x00 0x012c00c8
WM_LBUTTONUP 0x00 0x012c00c8
WM_KEYDOWN 0x24 0x00000000
WM_KEYUP 0x24 0x00000000" ] || fail "the walk did not start with click (200, 300) and Home: $(echo "$log" | head -4)"
echo "$log" | tail -n +5 | paste - - | grep -qv '^WM_KEYDOWN 0x28 0x00000000	WM_KEYUP 0x28 0x00000000$' &&
  fail "keys other than Down, or out of order, during the walk"
check "message order and lParam packing"

# 4. PrintWindow gives another process's window black under Wine; the capture said so.
grep -q "PrintWindow gave an empty image; copied from the window's DC" "$work/trace.txt" ||
  fail "no PrintWindow fallback in the trace: $(cat "$work/trace.txt" 2>/dev/null)"
check "PrintWindow fallback"

# 5. Opening a table by name.
table="Baruntse"
(cd "$work/run" && APPDATA="$work/run" wine "$cli" open "$table" --win32 --glyphs "$glyphs" \
  >"$work/open.json" 2>"$work/open.err") || fail "kestrova-cli open: $(cat "$work/open.err")"
grep -qx "opened $table" <(tr -d '\r' <"$work/sim.log") || fail "the lobby opened no table $table"
[ "$(grep -c '^opened ' <(tr -d '\r' <"$work/sim.log"))" = 1 ] || fail "more than one table opened"
check "open a table by name"

echo "wine: $passed passed, 0 failed in $((SECONDS - started)) s"
