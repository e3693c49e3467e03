#!/usr/bin/env bash
# Runs the bench's latency run with a few presses (run it through own_display.sh) and checks
# that its line is complete and sane: every figure a number, the presses all made and nearly
# all seen on screen, each after its key was sent, percentiles in order. How long the presses
# took is not judged here (the machine's timings are noisy).
set -u
BENCH=${1:?usage: bench_latency.sh PATH_TO_vortalis2-bench}
export LIBGL_ALWAYS_SOFTWARE=1
line=$("$BENCH" --latency --presses 5 2>/dev/null)
python3 - "$line" <<'PY'
import math, sys
fields = sys.argv[1].split()
if not fields or fields[0] != "latency":
    print("FAIL: not a latency line: %r" % sys.argv[1]); sys.exit(1)
values = dict(f.split("=", 1) for f in fields[1:])
keys = ("vsync low_latency presses missed latency_min_ms latency_p50_ms latency_p99_ms latency_max_ms "
        "present_p50_ms jitter_p50_ms jitter_p99_ms jitter_max_ms").split()
try:
    n = {k: float(values[k]) for k in keys}
    assert all(math.isfinite(v) and v >= 0 for v in n.values())
except (KeyError, ValueError, AssertionError):
    print("FAIL: a figure is missing or not a number: %r" % sys.argv[1]); sys.exit(1)
rules = [
    (n["presses"] == 5, "not every press was made"),
    (n["missed"] <= 1, "more than one press never showed the ship moved"),
    (n["latency_min_ms"] > 0, "a press showed on screen before its key was sent"),
    (n["latency_min_ms"] <= n["latency_p50_ms"] <= n["latency_p99_ms"] <= n["latency_max_ms"],
     "latency percentiles out of order"),
    (n["jitter_p50_ms"] <= n["jitter_p99_ms"] <= n["jitter_max_ms"], "jitter percentiles out of order"),
    (n["present_p50_ms"] >= 16.9, "frames presented sooner than the pacing allows"),
]
problems = [text for ok, text in rules if not ok]
for text in problems:
    print("FAIL: %s: %s" % (text, sys.argv[1]))
if problems:
    sys.exit(1)
print("ok: " + sys.argv[1])
PY
