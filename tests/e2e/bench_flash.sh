#!/usr/bin/env bash
# Plays the first stage's boss fight in vortalis2-bench with a bomb and then a trance forced into
# it (run it through own_display.sh), plain and with the background dimmed, and holds the frames
# drawn to the flash rule: no more than three general flashes in any second and the picture's mean
# luminance above 0.6 for no more than 0.2 s in the whole fight. Both the bomb and the trance must
# show.
set -u
BENCH=${1:?usage: bench_flash.sh PATH_TO_vortalis2-bench}
export LIBGL_ALWAYS_SOFTWARE=1
failures=0

check() {  # name, line
    python3 - "$1" "$2" <<'EOF'
import sys
name, line = sys.argv[1], sys.argv[2]
fields = line.split()
if not fields or fields[0] != "bench":
    print("FAIL (%s): not a bench line: %r" % (name, line)); sys.exit(1)
values = dict(f.split("=", 1) for f in fields[1:] if "=" in f)
try:
    n = {key: float(values[key]) for key in
         ("frames", "flashes", "flashes_max_per_s", "bright_ms", "bright_run_max_ms", "luminance_max",
          "trance_seen", "bomb_seen")}
except (KeyError, ValueError) as missing:
    print("FAIL (%s): %s is missing or not a number\n  %s" % (name, missing, line)); sys.exit(1)
rules = [
    (values.get("result") in ("running", "clear", "gameover"), "the boss fight was not reached"),
    (n["frames"] >= 60, "fewer than 60 frames measured"),
    (n["bomb_seen"] == 1, "no bomb went off"),
    (n["trance_seen"] == 1, "no trance started"),
    (0 < n["luminance_max"] <= 1, "no picture read back"),
    (n["flashes_max_per_s"] <= 3, "more than three flashes in a second"),
    (n["bright_ms"] <= 200 and n["bright_run_max_ms"] <= 200, "brighter than 0.6 for more than 0.2 s"),
]
problems = [what for ok, what in rules if not ok]
if problems:
    print("FAIL (%s): %s\n  %s" % (name, "; ".join(problems), line)); sys.exit(1)
print("%s: %s" % (name, line))
EOF
}

run() {  # name, extra options
    local name=$1
    shift
    local line
    line=$("$BENCH" --stage 0 --from-boss --bomb-at 500 --trance-at 2500 --game-ms 14000 --seconds 100 "$@" 2>/dev/null) ||
        { echo "FAIL: the $name run failed"; return 1; }
    check "$name" "$line"
}

run plain || failures=$((failures + 1))
run dimmed --dim 0.5 || failures=$((failures + 1))
if [ "$failures" = 0 ]; then echo "bench: the boss fight keeps the flash rule"; fi
exit $((failures > 0))
