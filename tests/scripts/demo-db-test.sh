#!/usr/bin/env bash
# The demo's database step from a clone inside a private (0700) folder: both
# trackers are set up and listed, a player known to both gets the sum of their
# hands and PokerTracker 2's icon, the command line on the demo's files scans
# the demo lobby with those figures, and a server that cannot start is told in
# one sentence. Arguments: SOURCE_DIR KESTROVA_CLI.
set -euo pipefail
src=$1
export KESTROVA_CLI=$2
ls -d /usr/lib/postgresql/*/bin > /dev/null 2>&1 || { echo "no PostgreSQL"; exit 77; }

top=$(mktemp -d)  # mode 0700, as a clone in root's home or a mktemp folder
clone="$top/clone"
mkdir -p "$clone/scripts" "$clone/data"
cp "$src"/scripts/demo-db*.sh "$src"/scripts/demo-cli.sh "$src"/scripts/demo-db*.sql "$clone/scripts/"
cp "$src/data/demo-lobby.json" "$clone/data/"
export XDG_DATA_HOME="$top/data" XDG_CONFIG_HOME="$top/config"
run="$clone/build/demo-run"
cleanup() {
  "$clone/scripts/demo-db.sh" --stop "$run" || true
  [ -f "$run/postgres-dir" ] && rm -rf "$(cat "$run/postgres-dir")"
  rm -rf "$top"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$clone/scripts/demo-db.sh" "$run" > "$top/out" 2> "$top/err" ||
  fail "demo-db.sh failed: $(cat "$top/err")"
# Twice: the second run reuses server, data and list.
"$clone/scripts/demo-db.sh" "$run" > /dev/null || fail "second run failed"

list=$("$KESTROVA_CLI" db list)
listed=$(jq -r '[.[] | "\(.kind) \(.db)"] | join(",")' <<< "$list")
[ "$listed" = "5 kestrova_demo_pt3,0 kestrova_demo_pt2" ] || fail "database list: $list"
port=$(jq '.[0].port' <<< "$list")

# A player of both databases with an icon: the look-up sums both trackers.
export PGPASSWORD=demo
q() { psql -X -tAq -h 127.0.0.1 -p "$port" -U kestrova -d "$1" -c "$2"; }
name=$(q kestrova_demo_pt2 "SELECT screen_name FROM players WHERE treeview_icon > 0 AND screen_name ~ '^[A-Za-z0-9]+$' ORDER BY player_id LIMIT 1")
[ -n "$name" ] || fail "no PokerTracker 2 player carries an icon"
[ "$(q kestrova_demo_pt2 "SELECT count(*) FROM players")" -gt 0 ] || fail "no PokerTracker 2 players"
pt3=$(q kestrova_demo_pt3 "SELECT count(*) FROM holdem_hand_player_statistics h JOIN player p USING (id_player) WHERE p.player_name = '$name'")
pt2=$(q kestrova_demo_pt2 "SELECT count(*) FROM game_players g JOIN players p USING (player_id) WHERE p.screen_name = '$name'")
icon=$(q kestrova_demo_pt2 "SELECT treeview_icon FROM players WHERE screen_name = '$name'")
[ "$pt3" -gt 0 ] || fail "$name is not in the PokerTracker 3 database"
record=$("$KESTROVA_CLI" lookup "$name")
[ "$(jq -r .hands <<< "$record")" = "$((pt3 + pt2))" ] || fail "$name: $record, expected $pt3 + $pt2 hands"
[ "$(jq -r .icon <<< "$record")" = "$icon" ] || fail "$name: $record, expected icon $icon"

# The README's scan of the simulated lobby: the demo's players with their figures.
scan=$(cd "$clone" && scripts/demo-cli.sh scan --sim data/demo-lobby.json 2> "$top/err") ||
  fail "demo-cli.sh scan failed: $(cat "$top/err")"
jq -e 'any(.players[]; .hands > 0 and .pfr != null) and any(.tables[]; .avgVpip != null)' \
  <<< "$scan" > /dev/null || fail "the demo scan knows nobody: $(head -c 300 <<< "$scan")"

# A server that cannot start: one sentence naming what to do.
"$clone/scripts/demo-db.sh" --stop "$run"
pg=$(cat "$run/postgres-dir" 2>/dev/null || echo "$run/postgres")
echo "port = not-a-number" >> "$pg/data/postgresql.conf"
if "$clone/scripts/demo-db.sh" "$run" > /dev/null 2> "$top/err"; then
  fail "a broken server was reported as working"
fi
[ "$(wc -l < "$top/err")" -eq 1 ] || fail "more than one line: $(cat "$top/err")"
grep -q "^Demo database: the server in .* did not start (see .*server.log); " "$top/err" ||
  fail "unexpected message: $(cat "$top/err")"
echo "ok"
