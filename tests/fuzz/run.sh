#!/usr/bin/env bash
# Builds a fuzzer with clang and runs it for SECONDS: the property-list readers (plist, the
# default), the CAF sound reader (caf) or the MIDI note source (midi).
#
#   tests/fuzz/run.sh SECONDS [BUILD_DIR] [plist|caf|midi]      (BUILD_DIR defaults to build/fuzz)
#
# The committed seed corpus is only read; inputs the fuzzer finds go to BUILD_DIR/corpus and any
# crashing input to BUILD_DIR/artifacts/. Exits 0 only when nothing was found.
set -euo pipefail

if [[ $# -lt 1 || ! $1 =~ ^[0-9]+$ ]]; then
    echo "usage: $0 SECONDS [BUILD_DIR]" >&2
    exit 2
fi
seconds=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${2:-$root/build/fuzz}
target=${3:-plist}
case $target in
    plist) corpus=$here/corpus; extra=(-max_len=8192 -dict="$here/plist.dict") ;;
    caf) corpus=$here/corpus-caf; extra=(-max_len=4096) ;;
    midi) corpus=$here/corpus-midi; extra=(-max_len=4096) ;;
    *) echo "unknown fuzzer $target" >&2; exit 2 ;;
esac

cmake -G Ninja -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target "${target}_fuzzer"

mkdir -p "$build/corpus" "$build/artifacts"
"$build/${target}_fuzzer" \
    -max_total_time="$seconds" \
    -timeout=10 \
    -rss_limit_mb=2048 \
    "${extra[@]}" \
    -artifact_prefix="$build/artifacts/" \
    -print_final_stats=1 \
    "$build/corpus" "$corpus"
echo "$target fuzzing: nothing found in $seconds seconds"
