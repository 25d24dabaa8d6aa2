#!/bin/sh
# Builds every fuzz target with clang, libFuzzer and the address and
# undefined-behaviour sanitizers, then runs each for SECONDS (default 20).
#   fuzz/run.sh [SECONDS]
# KESTROVA_FUZZ_TARGETS="DbConf Recogniser" limits the run to those targets.
# Build output and the growing corpora go to $KESTROVA_FUZZ_DIR (default
# build-fuzz/ beside this folder); a crashing input is left there as crash-*.
set -eu

seconds=${1:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
out=${KESTROVA_FUZZ_DIR:-$root/build-fuzz}
cxx=${CXX_FUZZ:-clang++}
flags="-std=c++20 -g -O1 -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=undefined -I$root/src/core"

targets=${KESTROVA_FUZZ_TARGETS:-"OpenCountConf CloseConf DirConf WindowConf Window2Conf ColumnConf LimitsFile
         StakesFile IniDocument LayoutFile DbConf BuddyFile StatProfile GlyphTable Recogniser"}
# Every platform-neutral and POSIX file helper, and the readers the targets feed.
sources="$(ls "$root"/src/core/common/*.cpp)
         $root/src/core/stats/DatabaseList.cpp $root/src/core/stats/DatabaseEntry.cpp
         $root/src/core/rating/BuddyList.cpp $root/src/core/rating/StatProfile.cpp
         $(ls "$root"/src/core/client/ocr/*.cpp)
         $(ls "$root"/src/core/settings/*.cpp) $(ls "$root"/src/core/hud/*.cpp)"
# Only this platform's implementation files: not Windows', not the stand-ins.
sources=$(printf '%s\n' $sources | grep -vE '_(win32|none)\.cpp$')

mkdir -p "$out/obj"
objects=""
for src in $sources; do
    obj="$out/obj/$(basename "$src" .cpp).o"
    if [ ! -f "$obj" ] || [ "$src" -nt "$obj" ] || [ -n "$(find "$root/src/core" -name '*.h' -newer "$obj")" ]; then
        $cxx $flags -fsanitize=fuzzer-no-link -c "$src" -o "$obj"
    fi
    objects="$objects $obj"
done
for target in $targets; do
    $cxx $flags -fsanitize=fuzzer -I"$root/fuzz" "$root/fuzz/${target}Fuzzer.cpp" $objects \
        -o "$out/${target}Fuzzer"
done

status=0
for target in $targets; do
    corpus="$out/corpus/$target"
    mkdir -p "$corpus"
    if [ -d "$root/fuzz/seeds/$target" ]; then
        cp -n "$root/fuzz/seeds/$target"/* "$corpus"/ 2>/dev/null || true
    fi
    log="$out/$target.log"
    if (cd "$out" && KESTROVA_DATA_DIR="$root/data" "./${target}Fuzzer" -max_total_time="$seconds" -max_len=4096 \
            -print_final_stats=1 "$corpus" >"$log" 2>&1); then
        result=ok
    else
        result=FAILED
        status=1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
    echo "$target: $result, ${runs:-?} executions, $cov, corpus $(ls "$corpus" | wc -l)"
    if [ "$result" = FAILED ]; then
        grep -E "ERROR|check failed|SUMMARY" "$log" | head -5
    fi
done
exit $status
