#!/usr/bin/env bash
# Plays stages of the arcade list with the autopilot over seeds and difficulties and prints one
# row per stage and difficulty: clears out of the seeds, total deaths, the mean and the longest
# boss time of the clearing runs and the highest peak of enemy bullets.
#   tools/sim_table.sh [SIM] [STAGES] [DIFFICULTIES] [SEEDS] [JOBS]
#   e.g. tools/sim_table.sh build/vortalis2-sim "0 1" "easy normal hard extreme" "$(seq 1 10)" 2
set -euo pipefail
sim=${1:-build/vortalis2-sim}
stages=${2:-0}
difficulties=${3:-easy normal hard extreme}
seeds=${4:-$(seq 1 10)}
jobs=${5:-2}
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for stage in $stages; do
    for difficulty in $difficulties; do
        for seed in $seeds; do
            echo "$stage $difficulty $seed"
        done
    done
done | xargs -P "$jobs" -L 1 sh -c \
    'line=$("$0" --autopilot --stage "$1" --difficulty "$2" --seed "$3" 2>/dev/null | grep "^result=")
     echo "$1 $2 $3 $line"' "$sim" >>"$out"
printf '%-6s %-8s %-7s %-7s %-12s %-12s %s\n' stage level clears deaths boss_ms_mean boss_ms_max peak_bullets
for stage in $stages; do
    for difficulty in $difficulties; do
        awk -v s="$stage" -v d="$difficulty" '
            $1 == s && $2 == d {
                runs++
                for (i = 4; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] }
                deaths += v["deaths"]
                if (v["peak_bullets"] > peak) peak = v["peak_bullets"]
                if (v["result"] == "clear") {
                    clears++; boss += v["boss_ms"]
                    if (v["boss_ms"] + 0 > most) most = v["boss_ms"] + 0
                }
            }
            END { printf "%-6s %-8s %2d/%-4d %-7d %-12.0f %-12.0f %d\n", s, d, clears, runs, deaths,
                         clears ? boss / clears : 0, most, peak }' "$out"
    done
done
