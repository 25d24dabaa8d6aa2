#!/usr/bin/env bash
# demo-db.sh DIR: a throwaway PostgreSQL server holding a generated PokerTracker 3
# database and a smaller PokerTracker 2 one, whose players are the players of
# data/demo-lobby.json, both added to the database list (kestrova-cli db add,
# so the list of $XDG_DATA_HOME/kestrova). The server's files live in
# DIR/postgres, or, when the server's user cannot reach DIR (a clone in a
# private folder, run as root), in a folder of their own that DIR/postgres-dir
# names. Running it again reuses the server and the data.
# "demo-db.sh --stop DIR" stops that server again.
# KESTROVA_CLI may name the kestrova-cli binary (default: build/tools/...).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
stop=0
if [ "${1:-}" = "--stop" ]; then stop=1; shift; fi
[ $# -eq 1 ] || { echo "usage: $0 [--stop] DIR" >&2; exit 1; }
mkdir -p "$1"
dir=$(cd "$1" && pwd)
user=kestrova
password=demo
lobby="$here/data/demo-lobby.json"
cli=${KESTROVA_CLI:-$here/build/tools/kestrova-cli/kestrova-cli}

# One sentence: what went wrong and what to do.
fail() { echo "Demo database: $*" >&2; exit 1; }

bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
[ -n "$bindir" ] || fail "PostgreSQL is not installed; install it with: apt-get install postgresql"
# initdb refuses to run as root: the server then runs as "postgres".
root=0
[ "$(id -u)" -eq 0 ] && root=1
as_server() {
  if [ "$root" -eq 1 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
port_free() { ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

# Where the server's files are: a folder the server's user can enter and write.
server_folder() {
  if [ -f "$dir/postgres-dir" ]; then
    cat "$dir/postgres-dir"
  elif [ "$root" -eq 0 ] || as_server test -x "$dir" -a -w "$dir" 2>/dev/null; then
    echo "$dir/postgres"
  else
    local own
    own=$(mktemp -d /var/tmp/kestrova-demo-db.XXXXXX) ||
      fail "cannot create a folder for the server in /var/tmp; make room there and run the demo again"
    chown postgres:postgres "$own"
    echo "$own" > "$dir/postgres-dir"
    echo "$own"
  fi
}
pg=$(server_folder)
data="$pg/data"

if [ "$stop" -eq 1 ]; then
  if [ -f "$data/PG_VERSION" ]; then
    as_server "$bindir/pg_ctl" -D "$data" -m fast stop > /dev/null 2>&1 || true
  fi
  exit 0
fi

if [ ! -f "$data/PG_VERSION" ]; then
  rm -rf "$data"
  mkdir -p "$pg"
  [ "$root" -eq 1 ] && chown postgres:postgres "$pg"
  port=54329
  while ! port_free "$port"; do port=$((port + 1)); done
  pwfile="$pg/pw"
  (umask 077; echo "$password" > "$pwfile")
  [ "$root" -eq 1 ] && chown postgres:postgres "$pwfile"
  if ! as_server "$bindir/initdb" -D "$data" -U "$user" --pwfile="$pwfile" -A scram-sha-256 \
      -E UTF8 --locale=C --no-sync > "$pg/initdb.log" 2>&1; then
    rm -f "$pwfile"
    fail "the server could not be created in $pg (see $pg/initdb.log); remove that folder and run the demo again"
  fi
  rm -f "$pwfile"
  cat >> "$data/postgresql.conf" <<CONF
port = $port
listen_addresses = '127.0.0.1'
unix_socket_directories = '$pg'
fsync = off
CONF
  echo "$port" > "$pg/port"
fi
port=$(cat "$pg/port")

if ! as_server "$bindir/pg_ctl" -D "$data" status > /dev/null 2>&1; then
  as_server "$bindir/pg_ctl" -D "$data" -l "$pg/server.log" -w start > /dev/null 2>&1 ||
    fail "the server in $pg did not start (see $pg/server.log); free port $port or remove $pg and run the demo again"
fi

export PGPASSWORD=$password
psql_demo() { psql -X -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$port" -U "$user" "$@"; }
# Every seated and waiting name of the demo lobby, quoted for SQL.
lobby_players() {
  echo "INSERT INTO $1 VALUES"
  jq -r '[.tables[] | (.players[].name), (.waitlist[]?)] | unique | map("('"'"'" + gsub("'"'"'"; "'"'"''"'"'") + "'"'"')") | join(",\n")' "$lobby"
  echo ";"
}
# create_db NAME SQL...: the database made and filled once; SQL parts are files,
# or "players TABLE(COLUMN)" for the lobby's names.
create_db() {
  local db=$1; shift
  [ "$(psql_demo -d postgres -tAc "SELECT 1 FROM pg_database WHERE datname = '$db'")" = 1 ] && return 0
  psql_demo -d postgres -c "CREATE DATABASE $db" > /dev/null 2>> "$pg/load.log" ||
    fail "the database $db could not be created (see $pg/load.log); remove $pg and run the demo again"
  for part in "$@"; do
    case $part in
      players\ *) lobby_players "${part#players }" ;;
      *) cat "$here/scripts/$part" ;;
    esac
  done | psql_demo -d "$db" > /dev/null 2>> "$pg/load.log" || {
    psql_demo -d postgres -c "DROP DATABASE $db" > /dev/null 2>&1 || true
    fail "the demo players could not be loaded into $db (see $pg/load.log); check that jq is installed and run the demo again"
  }
}
create_db kestrova_demo_pt3 demo-db-schema.sql "players player (player_name)" demo-db-hands.sql
create_db kestrova_demo_pt2 demo-db-pt2.sql "players players (screen_name)" demo-db-pt2-games.sql

# Both databases in the database list, once.
[ -x "$cli" ] || fail "$cli is missing; build it first with scripts/build.sh"
listed=$("$cli" db list < /dev/null) ||
  fail "the database list could not be read; move db.conf out of ${XDG_DATA_HOME:-$HOME/.local/share}/kestrova and run the demo again"
for entry in "5 kestrova_demo_pt3" "0 kestrova_demo_pt2"; do
  kind=${entry% *} db=${entry#* }
  if ! jq -e --arg db "$db" --argjson port "$port" \
      'any(.[]; .db == $db and .port == $port)' <<< "$listed" > /dev/null; then
    "$cli" db add --kind "$kind" --host 127.0.0.1 --port "$port" --db "$db" --user "$user" \
      --password "$password" > /dev/null ||
      fail "the database $db could not be added to the database list; run the demo again"
  fi
done
echo "Demo databases kestrova_demo_pt3 (PokerTracker 3) and kestrova_demo_pt2 (PokerTracker 2) on 127.0.0.1:$port (server in $pg)"
