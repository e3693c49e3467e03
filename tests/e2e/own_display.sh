#!/usr/bin/env bash
# Runs a command under a virtual X display of its own, so that end-to-end tests
# can run side by side. The server picks its display number itself
# (-displayfd): a number chosen beforehand, as xvfb-run -a does, can be taken
# by another server starting at the same moment. It does not start afresh when
# its last client leaves (-noreset): a program connecting then would find no
# display. The command's exit status is the script's.
set -u
[ $# -gt 0 ] || { echo "usage: own_display.sh COMMAND [ARGS...]" >&2; exit 2; }
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; rm -f "$display_file"' EXIT
for _ in $(seq 1 300); do [ -s "$display_file" ] && break; sleep 0.1; done
number=$(head -n 1 "$display_file")
[ -n "$number" ] || { echo "no X server started" >&2; exit 1; }
export DISPLAY=":$number"
"$@"
