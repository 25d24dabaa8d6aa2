#!/usr/bin/env bash
# demo-profiles.sh DIR: the colour profiles of the demo in DIR (VPIP, PFR, AF,
# WTSD), so that its statistic cells are coloured; profiles already there are
# kept. Each file: int32 row count, then per row the minimum and the maximum as
# counted texts and the colour as three int32, all little-endian.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 DIR" >&2; exit 1; }
mkdir -p "$1"
le32() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $((($1 >> 8) & 255)))\\x$(printf %02x $((($1 >> 16) & 255)))\\x$(printf %02x $((($1 >> 24) & 255)))"; }
text() { le32 ${#1}; printf '%s' "$1"; }
# profile FILE "MIN MAX R G B"...: tight and passive in blue and green, loose
# and wild in orange and red.
profile() {
  local file="$1/$2"; shift 2
  [ -e "$file" ] && return 0
  {
    le32 $#
    for row in "$@"; do
      read -r min max r g b <<< "$row"
      text "$min"; text "$max"; le32 "$r"; le32 "$g"; le32 "$b"
    done
  } > "$file.tmp"
  mv "$file.tmp" "$file"
}
profile "$1" VPIP "0 18 150 190 255" "18 28 160 230 160" "28 40 255 220 120" "40 100 255 140 130"
profile "$1" PFR "0 6 150 190 255" "6 14 160 230 160" "14 22 255 220 120" "22 100 255 140 130"
profile "$1" AF "0 0.8 150 190 255" "0.8 1.6 160 230 160" "1.6 2.5 255 220 120" "2.5 100 255 140 130"
profile "$1" WTSD "0 35 150 190 255" "35 42 160 230 160" "42 48 255 220 120" "48 100 255 140 130"
