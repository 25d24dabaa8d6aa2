#!/usr/bin/env bash
# The demo: the simulated Everest lobby and Kestrova Everest side by side.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
# Said before the long build, not after it.
if [ -z "${DISPLAY:-}" ]; then
  echo "No X display: Kestrova Everest and the simulated lobby are desktop programs." >&2
  echo "Run this from a desktop session, or start one with: xvfb-run -s '-screen 0 1920x1080x24' $0" >&2
  exit 1
fi
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build"

# The demo keeps its settings and companion files to itself, in its own folder.
run="$here/build/demo-run"
mkdir -p "$run"
cd "$run"
export XDG_CONFIG_HOME="$run/config"
export XDG_DATA_HOME="$run/data"
files="$XDG_DATA_HOME/kestrova"
mkdir -p "$files"
chmod 700 "$files"

# A throwaway PokerTracker 3 database and a PokerTracker 2 one holding the demo
# lobby's players, and colour profiles for their statistics.
"$here/scripts/demo-db.sh" "$run"
"$here/scripts/demo-profiles.sh" "$files"

# A roomier main window than the 500 x 400 of a first start: Window.conf holds
# two sort columns (none) and the size, as little-endian 32-bit integers.
[ -f "$files/Window.conf" ] ||
  printf '\xff\xff\xff\xff\xff\xff\xff\xff\x70\x03\x00\x00\xbc\x02\x00\x00' > "$files/Window.conf"

# The lobby to the right of the main window, which always opens at (0, 0).
"$here/build/tools/everest-sim/everest-sim" --at 900,0 "$here/data/demo-lobby.json" &
sim=$!
trap 'kill $sim 2>/dev/null || true; "$here/scripts/demo-db.sh" --stop "$run"' EXIT
sleep 1
"$here/build/src/app/kestrova"
