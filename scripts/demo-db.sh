#!/usr/bin/env bash
# demo-db.sh DIR: a throwaway PostgreSQL server under DIR holding a generated
# PokerTracker 3 database whose players are the players of data/demo-lobby.json,
# and "db.conf" plus "port0.conf" in DIR pointing at it, so that a look-up in
# DIR works with no set-up. Running it again reuses the server and the data.
# "demo-db.sh --stop DIR" stops that server again.
# KESTROVA_CLI may name the kestrova-cli binary (default: build/tools/...).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
stop=0
if [ "${1:-}" = "--stop" ]; then stop=1; shift; fi
[ $# -eq 1 ] || { echo "usage: $0 [--stop] DIR" >&2; exit 1; }
mkdir -p "$1"
dir=$(cd "$1" && pwd)
pg="$dir/postgres"
data="$pg/data"
db=kestrova_demo_pt3
user=kestrova
password=demo
lobby="$here/data/demo-lobby.json"
cli=${KESTROVA_CLI:-$here/build/tools/kestrova-cli/kestrova-cli}

bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
if [ -z "$bindir" ]; then
  echo "PostgreSQL is not installed (apt-get install postgresql)." >&2
  exit 1
fi
# initdb refuses to run as root: the server then runs as "postgres".
as_server() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
port_free() { ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

if [ "$stop" -eq 1 ]; then
  if [ -f "$data/PG_VERSION" ]; then
    as_server "$bindir/pg_ctl" -D "$data" -m fast stop > /dev/null 2>&1 || true
  fi
  exit 0
fi

if [ ! -f "$data/PG_VERSION" ]; then
  rm -rf "$pg"
  mkdir -p "$pg"
  [ "$(id -u)" -eq 0 ] && chown postgres:postgres "$pg"
  port=54329
  while ! port_free "$port"; do port=$((port + 1)); done
  pwfile="$pg/pw"
  echo "$password" > "$pwfile"
  [ "$(id -u)" -eq 0 ] && chown postgres:postgres "$pwfile"
  as_server "$bindir/initdb" -D "$data" -U "$user" --pwfile="$pwfile" -A scram-sha-256 \
    -E UTF8 --locale=C --no-sync > "$pg/initdb.log"
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
  as_server "$bindir/pg_ctl" -D "$data" -l "$pg/server.log" -w start > /dev/null
fi

export PGPASSWORD=$password
psql_demo() { psql -X -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$port" -U "$user" "$@"; }

if [ "$(psql_demo -d postgres -tAc "SELECT 1 FROM pg_database WHERE datname = '$db'")" != 1 ]; then
  psql_demo -d postgres -c "CREATE DATABASE $db"
  {
    cat "$here/scripts/demo-db-schema.sql"
    echo "INSERT INTO player (player_name) VALUES"
    # Every seated and waiting name of the demo lobby, quoted for SQL.
    jq -r '[.tables[] | (.players[].name), (.waitlist[]?)] | unique | map("('"'"'" + gsub("'"'"'"; "'"'"''"'"'") + "'"'"')") | join(",\n")' "$lobby"
    echo ";"
    cat "$here/scripts/demo-db-hands.sql"
  } | psql_demo -d "$db"
fi

# The database list of the demo: through kestrova-cli when it has "db", else
# written directly in the same format (count, host, db, user, kind, password,
# active marker; then the port as a 32-bit little-endian integer).
if [ ! -f "$dir/db.conf" ]; then
  if [ -x "$cli" ] && "$cli" db list > /dev/null 2>&1 </dev/null; then
    (cd "$dir" && "$cli" db add --kind 5 --host 127.0.0.1 --port "$port" --db "$db" \
       --user "$user" --password "$password" > /dev/null)
  else
    le32() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $((($1 >> 8) & 255)))\\x$(printf %02x $((($1 >> 16) & 255)))\\x$(printf %02x $((($1 >> 24) & 255)))"; }
    text() { le32 ${#1}; printf '%s' "$1"; }
    umask 077
    { le32 1; text 127.0.0.1; text "$db"; text "$user"; le32 5; text "$password"; printf 0; } > "$dir/db.conf"
    le32 "$port" > "$dir/port0.conf"
  fi
fi
echo "PokerTracker 3 demo database $db on 127.0.0.1:$port (server in $pg)"
