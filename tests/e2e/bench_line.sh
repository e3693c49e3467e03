#!/usr/bin/env bash
# Runs vortalis2-bench for a few seconds, plain, with every pool full, and as an
# arcade game from the fifth stage on hard (run it through own_display.sh), and checks that each result line is complete and its
# figures sane: every key there with a number, percentiles in order, no frame
# sooner than the 17 ms the pacing allows, draw calls counted, the stress run's
# pools full, the arcade run on the hidden last stage's route. How fast the frames are is not judged here (the machine's
# timings are noisy); the line's targets= key reports that for a person.
set -u
BENCH=${1:?usage: bench_line.sh PATH_TO_vortalis2-bench}
export LIBGL_ALWAYS_SOFTWARE=1
failures=0

check() {  # mode, line
    python3 - "$1" "$2" <<'EOF'
import math, re, sys
mode, line = sys.argv[1], sys.argv[2]
problems = []
fields = line.split()
if not fields or fields[0] != "bench":
    print("FAIL: not a bench line: %r" % line); sys.exit(1)
values = dict(f.split("=", 1) for f in fields[1:] if "=" in f)
n = {}
for key in ("stage seed buffer_scale stress frames stage_ms fps interval_p50_ms interval_p95_ms "
            "interval_p99_ms interval_max_ms interval_max_after_1s_ms update_p50_ms update_p95_ms "
            "render_p50_ms render_p95_ms swap_p50_ms swap_p95_ms draw_calls_mean draw_calls_min "
            "draw_calls_max peak_bullets peak_player_bullets peak_prizes peak_beams peak_particles "
            "peak_trails load_ms load_first_frame_ms").split():
    try:
        n[key] = float(values[key])
        assert math.isfinite(n[key]) and n[key] >= 0
    except (KeyError, ValueError, AssertionError):
        problems.append("%s is %s" % (key, values.get(key, "missing")))
problems += ["%s is missing" % key for key in ("size", "result", "targets") if key not in values]
if not problems:
    rules = [
        (values["size"] == "800x600", "size is not the default 800x600"),
        (values["result"] == "running", "the stage ended within a few seconds"),
        # A loaded machine may manage only a few frames with every pool full: two are enough.
        (n["frames"] >= 2, "fewer than 2 frames measured"),
        (n["stage_ms"] > 0 and 0 < n["load_first_frame_ms"] < n["load_ms"], "no stage time or load time"),
        (n["interval_p50_ms"] >= 16.9, "frames started sooner than 17 ms apart"),
        (n["interval_p50_ms"] <= n["interval_p95_ms"] <= n["interval_p99_ms"] <= n["interval_max_ms"]
         and n["interval_max_after_1s_ms"] <= n["interval_max_ms"], "interval percentiles out of order"),
        (0 < n["fps"] <= 1000 / 16.9, "frames a second beyond the pacing"),
        (all(n[p + "_p50_ms"] <= n[p + "_p95_ms"] for p in ("update", "render", "swap")),
         "update, render or swap percentiles out of order"),
        (1 <= n["draw_calls_min"] <= n["draw_calls_mean"] <= n["draw_calls_max"], "draw calls not counted"),
        (re.fullmatch(r"met|[a-z0-9_.]+(,[a-z0-9_.]+)*", values["targets"]) is not None, "targets unreadable"),
        (n["stress"] == (mode == "stress"), "stress= does not match the run"),
        (values.get("true_route") == ("1" if mode == "arcade" else "0"), "true_route= does not match the run"),
    ]
    if mode == "stress":
        rules.append(((n["peak_bullets"], n["peak_player_bullets"], n["peak_prizes"], n["peak_beams"]) ==
                      (2000, 1000, 1500, 60), "the pools were not all full"))
    else:
        rules.append((n["peak_bullets"] <= 2000, "more bullets than the pool holds"))
    problems = [what for ok, what in rules if not ok]
if problems:
    print("FAIL (%s): %s\n  %s" % (mode, "; ".join(problems), line)); sys.exit(1)
print("%s: %s" % (mode, line))
EOF
}

plain=$("$BENCH" --seconds 3 2>/dev/null) || { echo "FAIL: the plain run failed"; failures=$((failures + 1)); }
check plain "${plain:-}" || failures=$((failures + 1))
stress=$("$BENCH" --seconds 3 --stress 2>/dev/null) || { echo "FAIL: the stress run failed"; failures=$((failures + 1)); }
check stress "${stress:-}" || failures=$((failures + 1))
# The runner's way into the hidden last stage: the arcade from the fifth stage, no continue used.
arcade=$("$BENCH" --seconds 2 --arcade --from 4 --difficulty hard 2>/dev/null) ||
    { echo "FAIL: the arcade run failed"; failures=$((failures + 1)); }
check arcade "${arcade:-}" || failures=$((failures + 1))
if [ "$failures" = 0 ]; then echo "bench: every line complete and sane"; fi
exit $((failures > 0))
