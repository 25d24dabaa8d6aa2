#!/usr/bin/env bash
# Builds the Debian package from this tree and checks it with lintian; the
# package goes to the folder given (default: build-deb). The build runs the test
# suite; DEB_BUILD_OPTIONS=nocheck leaves it out. Installs what building needs.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$here/build-deb}" && cd "${1:-$here/build-deb}" && pwd)
"$here/scripts/install-deps.sh"
need=(devscripts debhelper lintian)
"$here/scripts/install-packages.sh" "${need[@]}"

# dpkg-buildpackage writes next to the source folder: build in a copy.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/kestrova-everest"
tar -C "$here" --exclude='./build*' --exclude='./obj-*' --exclude='./.git' -cf - . |
  tar -C "$work/kestrova-everest" -xf -
(cd "$work/kestrova-everest" && dpkg-buildpackage -us -uc -b)
cp "$work"/*.deb "$work"/*.buildinfo "$work"/*.changes "$out/"
lintian --fail-on error "$out"/kestrova-everest_*.changes
echo "Package: $(ls "$out"/kestrova-everest_*.deb)"
