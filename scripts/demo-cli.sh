#!/usr/bin/env bash
# demo-cli.sh ARGS...: kestrova-cli with the demo's settings, files and
# databases (build/demo-run), so that "scan --sim data/demo-lobby.json" shows the
# figures the demo's window shows. The demo's database server is started when
# the demo does not run, and keeps running: "demo-db.sh --stop build/demo-run"
# stops it. KESTROVA_CLI may name the kestrova-cli binary.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
run="$here/build/demo-run"
export KESTROVA_CLI=${KESTROVA_CLI:-$here/build/tools/kestrova-cli/kestrova-cli}
export XDG_CONFIG_HOME="$run/config" XDG_DATA_HOME="$run/data"
[ -x "$KESTROVA_CLI" ] || { echo "$KESTROVA_CLI is missing; build it first with scripts/build.sh" >&2; exit 1; }
mkdir -p "$XDG_DATA_HOME/kestrova"
chmod 700 "$XDG_DATA_HOME/kestrova"
# Standard output is the command's JSON alone.
"$here/scripts/demo-db.sh" "$run" >&2
exec "$KESTROVA_CLI" "$@"
