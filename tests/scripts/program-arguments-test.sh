#!/usr/bin/env bash
# Every program answers --help and --version without a display, and refuses an
# unknown argument with its usage and exit status 2, starting nothing.
# Arguments: one executable after another.
set -uo pipefail
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

for program in "$@"; do
  name=$(basename "$program")
  "$program" --help > "$top/out" 2> "$top/err"
  status=$?
  [ "$status" -eq 0 ] || fail "$name --help: exit $status: $(head -c 300 "$top/err")"
  grep -qi '^usage:' "$top/out" || fail "$name --help: no usage on standard output"

  "$program" --version > "$top/out" 2> "$top/err"
  status=$?
  [ "$status" -eq 0 ] || fail "$name --version: exit $status: $(head -c 300 "$top/err")"
  grep -qE "^$name [0-9]+\.[0-9]+" "$top/out" || fail "$name --version: $(head -c 300 "$top/out")"

  # everest-sim's one argument is its lobby file: the second one is too many.
  first=()
  [ "$name" != everest-sim ] || first=(lobby.json)
  for bad in --no-such-option no-such-argument; do
    "$program" "${first[@]}" "$bad" > "$top/out" 2> "$top/err"
    status=$?
    [ "$status" -eq 2 ] || fail "$name $bad: exit $status, not 2"
    [ ! -s "$top/out" ] || fail "$name $bad: wrote to standard output"
    grep -qF -- "$bad" "$top/err" || fail "$name $bad: the argument is not named"
    grep -qi 'usage:' "$top/err" || fail "$name $bad: no usage"
  done
done
exit "$failed"
