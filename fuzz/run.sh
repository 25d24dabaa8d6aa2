#!/bin/sh
# Builds every fuzz program (fuzz/CMakeLists.txt) with clang, libFuzzer and the
# address and undefined-behaviour sanitizers, then runs each for SECONDS
# (default 20).
#   fuzz/run.sh [SECONDS]
# KESTROVA_FUZZ_TARGETS="DbConf Recogniser" limits the run to those programs;
# KESTROVA_FUZZ_RUNS=N stops each after N executions instead (SECONDS is then
# only the upper bound). The build and the growing corpora go to
# $KESTROVA_FUZZ_DIR (default build-fuzz/ beside this folder); a crashing input
# is left there as crash-*. The corpus starts from fuzz/seeds/<program> and the
# shipped data files of its format (see seed_dirs below).
set -eu

seconds=${1:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
out=${KESTROVA_FUZZ_DIR:-$root/build-fuzz}
cxx=${CXX_FUZZ:-clang++}
jobs=${KESTROVA_FUZZ_JOBS:-$(nproc)}

launcher=""
if command -v ccache >/dev/null 2>&1; then
    launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
fi
# -O2 with the sanitizers and with assertions on: fast, and every check active.
# No reader needs the database client libraries (nor do MySQL++'s headers build
# with clang 14).
mkdir -p "$out"
cmake -S "$root" -B "$out" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" $launcher \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g" \
    -DKESTROVA_FUZZ=ON -DKESTROVA_SANITIZE=ON -DKESTROVA_TESTS=OFF -DKESTROVA_BENCH=OFF \
    -DKESTROVA_WITH_FIREBIRD=OFF -DKESTROVA_WITH_MYSQL=OFF -DKESTROVA_WITH_ODBC=OFF \
    >"$out/configure.log" 2>&1 || { cat "$out/configure.log"; exit 1; }
targets=${KESTROVA_FUZZ_TARGETS:-$(cat "$out/fuzz/targets.txt")}
build_targets=""
for target in $targets; do
    build_targets="$build_targets ${target}Fuzzer"
done
cmake --build "$out" -j "$jobs" --target $build_targets

# Fixtures that hold real files of a program's format, besides its own seeds.
seed_dirs() {
    echo "$root/fuzz/seeds/$1"
    case $1 in
        GlyphTable) echo "$root/data/ocr.txt $root/data/ocr2.txt $root/data/ocr-win32-sim.txt" ;;
        LayoutFile) echo "$root/data/pp.def $root/data/ftp.def" ;;
    esac
}

# Scratch files (DbConf writes its input to files) on tmpfs where there is one:
# creating and deleting files on a disk costs most of such a run.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
export LSAN_OPTIONS="suppressions=$root/fuzz/lsan-suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
limit=""
if [ -n "${KESTROVA_FUZZ_RUNS:-}" ]; then
    limit="-runs=$KESTROVA_FUZZ_RUNS"
fi
status=0
for target in $targets; do
    corpus="$out/corpus/$target"
    mkdir -p "$corpus"
    for seed in $(seed_dirs "$target"); do
        if [ -d "$seed" ]; then
            cp -n "$seed"/* "$corpus"/ 2>/dev/null || true
        elif [ -f "$seed" ]; then
            cp -n "$seed" "$corpus"/ 2>/dev/null || true
        fi
    done
    log="$out/$target.log"
    # Room for a lobby file of a few tables; longer inputs only slow a run down.
    max_len=4096
    case $target in LobbyFile) max_len=8192 ;; esac
    if (cd "$out" && KESTROVA_DATA_DIR="$root/data" "./fuzz/${target}Fuzzer" -max_total_time="$seconds" \
            -max_len=$max_len $limit -print_final_stats=1 "$corpus" >"$log" 2>&1); then
        result=ok
    else
        result=FAILED
        status=1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    cov=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1)
    echo "$target: $result, ${runs:-?} executions, $cov, corpus $(ls "$corpus" | wc -l)"
    if [ "$result" = FAILED ]; then
        grep -E "ERROR|check failed|SUMMARY" "$log" | head -5
    fi
done
exit $status
