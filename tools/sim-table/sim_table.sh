#!/usr/bin/env bash
# Prints the autopilot's difficulty table of one or more stages of the arcade list:
# per stage and difficulty, the clears over the seeds, the deaths, the mean and the longest
# boss_ms of the clearing runs, and the highest peak_bullets.
#   tools/sim-table/sim_table.sh [-b BUILD] [-s "SEEDS"] STAGE_INDEX...
# The simulator runs from BUILD (default build), where data.oap lies beside it.
set -euo pipefail
build=build
seeds="1 2 3 4 5 6 7 8 9 10"
while getopts "b:s:" opt; do
    case $opt in
        b) build=$OPTARG ;;
        s) seeds=$OPTARG ;;
        *) echo "usage: $0 [-b BUILD] [-s \"SEEDS\"] STAGE_INDEX..." >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
if [ $# -eq 0 ]; then
    echo "usage: $0 [-b BUILD] [-s \"SEEDS\"] STAGE_INDEX..." >&2
    exit 2
fi
cd "$build"
printf '%-6s %-8s %-7s %-7s %-14s %-12s %s\n' stage level clears deaths "boss_ms mean" "boss_ms max" peak_bullets
for stage in "$@"; do
    for level in easy normal hard extreme; do
        lines=""
        for seed in $seeds; do
            lines+=$(./vortalis2-sim --autopilot --stage "$stage" --difficulty "$level" --seed "$seed" 2>/dev/null |
                grep '^result=' || echo "result=failed")$'\n'
        done
        printf '%s' "$lines" | awk -v stage="$stage" -v level="$level" '
            function field(name,   i, kv) {
                for (i = 1; i <= NF; ++i) { split($i, kv, "="); if (kv[1] == name) return kv[2] }
                return 0
            }
            NF > 0 {
                ++runs; deaths += field("deaths")
                peak = field("peak_bullets") > peak ? field("peak_bullets") : peak
                if (field("result") == "clear") {
                    ++clears; ms = field("boss_ms"); sum += ms; if (ms > most) most = ms
                }
            }
            END {
                printf "%-6s %-8s %-7s %-7d %-14d %-12d %d\n", stage, level, clears + 0 "/" runs, deaths,
                    clears ? sum / clears : 0, most, peak
            }'
    done
done
