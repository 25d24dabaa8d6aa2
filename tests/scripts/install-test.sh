#!/usr/bin/env bash
# An installed tree: the programs find their shipped data under <prefix>/share
# wherever they are started, the window makes the per-user folder, moves the
# companion files of its start folder there once and saves its files when the
# desktop ends it, and the desktop entry and the AppStream metadata pass their
# validators. Arguments: BUILD_DIR.
set -euo pipefail
build=$1
top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
prefix="$top/prefix"
cmake --install "$build" --prefix "$prefix" > /dev/null
unset KESTROVA_DATA_DIR
export XDG_CONFIG_HOME="$top/config" XDG_DATA_HOME="$top/data"

for file in bin/kestrova bin/kestrova-cli bin/everest-sim share/kestrova/ocr.txt \
    share/kestrova/icons/15.png share/kestrova/pp.def share/kestrova/pp_9_max.jpg \
    share/kestrova/guide/README.md share/kestrova/guide/docs/demo.png \
    share/applications/org.kestrova.Everest.desktop share/metainfo/org.kestrova.Everest.metainfo.xml \
    share/icons/hicolor/scalable/apps/org.kestrova.Everest.svg bin/glyph-table \
    share/man/man1/kestrova.1 share/man/man1/kestrova-cli.1 share/man/man1/everest-sim.1 \
    share/man/man1/glyph-table.1; do
  [ -e "$prefix/$file" ] || fail "$file is not installed"
done
desktop-file-validate "$prefix/share/applications/org.kestrova.Everest.desktop" ||
  fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/org.kestrova.Everest.metainfo.xml" > "$top/as" ||
  fail "AppStream: $(cat "$top/as")"

# The command line reads the lobby with the installed glyph table, from a folder
# without data, and a user of its own (it makes its per-user folder as the window does).
mkdir "$top/elsewhere"
cd "$top/elsewhere"
XDG_CONFIG_HOME="$top/cli-config" XDG_DATA_HOME="$top/cli-data" \
  "$prefix/bin/kestrova-cli" tables --sim "$prefix/share/kestrova/demo-lobby.json" > "$top/tables" ||
  fail "kestrova-cli tables"
[ "$(jq length "$top/tables")" -gt 10 ] || fail "table list: $(head -c 300 "$top/tables")"

# The window, started in a folder holding an older release's files, and ended
# by the desktop (SIGTERM at log-out): it keeps what a close keeps.
printf 'not a companion file' > notes.txt
printf '\0\0\0\0' > mofofish
mkdir -p "$XDG_CONFIG_HOME/kestrova"
printf '[Tallyhand]\r\ncheckupdate=0\r\nscanint=7\r\n' > "$XDG_CONFIG_HOME/kestrova/Velloran.ini"
"$prefix/bin/kestrova" > "$top/window.out" 2>&1 &
window=$!
files="$XDG_DATA_HOME/kestrova"
for _ in $(seq 300); do
  grep -q '<32>' "$files/log.txt" 2> /dev/null && break
  kill -0 "$window" 2> /dev/null || break
  sleep 0.1
done
grep -q '<32>' "$files/log.txt" || fail "the window did not start: $(cat "$top/window.out")"
kill -TERM "$window"
wait "$window" || fail "the window did not end cleanly on SIGTERM: $(cat "$top/window.out")"
[ "$(tail -c 13 "$files/log.txt")" = "---->cleanup" ] || fail "no cleanup at the end of the trace"
[ "$(stat -c %s "$files/Window.conf")" = 16 ] && [ "$(stat -c %s "$files/Column.conf")" = 112 ] ||
  fail "the window files were not saved"
grep -q '^scanint=7' "$XDG_CONFIG_HOME/kestrova/Velloran.ini" || fail "the settings were not kept"
[ -f "$files/mofofish" ] && [ ! -e mofofish ] || fail "mofofish was not moved"
[ -f notes.txt ] || fail "a file that is not the program's was moved"
grep -q "^Moved from $top/elsewhere to $files: mofofish$" "$files/log.txt" ||
  fail "the move is not in the trace: $(cat "$files/log.txt")"
[ "$(stat -c %a "$files")" = 700 ] || fail "the per-user folder is readable by others"

# Ended while a start-up box waits for its "OK" (a damaged buddy file): the
# box goes unanswered and the window still saves its files.
printf '\5\0\0\0' > "$files/mofofish"
rm "$files/Window.conf"
"$prefix/bin/kestrova" > "$top/window.out" 2>&1 &
window=$!
for _ in $(seq 300); do
  [ "$(grep -c '<16>' "$files/log.txt")" -ge 2 ] && break
  sleep 0.1
done
sleep 1
kill -TERM "$window"
for _ in $(seq 100); do
  kill -0 "$window" 2> /dev/null || break
  sleep 0.1
done
if kill -0 "$window" 2> /dev/null; then
  kill -KILL "$window"
  fail "the window ignored SIGTERM with a box open"
fi
wait "$window" || fail "the window did not end cleanly on SIGTERM with a box open: $(cat "$top/window.out")"
[ -f "$files/Window.conf" ] || fail "the window files were not saved with a box open"
echo ok
