#!/usr/bin/env bash
# The demo: the simulated Everest lobby and Kestrova Everest side by side.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build"

if [ -z "${DISPLAY:-}" ]; then
  echo "No X display: Kestrova Everest and the simulated lobby are desktop programs." >&2
  echo "Run this from a desktop session, or start one with: xvfb-run -s '-screen 0 1920x1080x24' $0" >&2
  exit 1
fi

# Settings and companion files of the demo live in their own folder.
run="$here/build/demo-run"
mkdir -p "$run"
cd "$run"
export KESTROVA_DATA_DIR="$here/data"

"$here/build/tools/everest-sim/everest-sim" "$here/data/demo-lobby.json" &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
sleep 1
"$here/build/src/app/kestrova"
