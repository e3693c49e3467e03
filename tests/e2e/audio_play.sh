#!/usr/bin/env bash
# Records what the real game plays (run it through own_display.sh): OpenAL Soft's wave-file output,
# chosen through a config file written here, takes everything the game mixes. The title's
# menu music must be heard, and in the first stage the shots and explosions must rise above
# the stage track. Windows of the recording are measured with sox; the recording, the times
# of each step and a spectrogram are left in $OUT for a person to listen to and look at.
set -u
GAME_DIR=${1:?usage: audio_play.sh BUILD_DIR}
OUT=${2:-$GAME_DIR/e2e-audio}
rm -rf "$OUT"
mkdir -p "$OUT"
. "$(dirname "$0")/x11_helpers.sh"

printf '[general]\ndrivers = wave\n[wave]\nfile = %s\n' "$OUT/game.wav" > "$OUT/alsoft.conf"
export ALSOFT_CONF=$OUT/alsoft.conf
export XDG_DATA_HOME=$OUT/data

cd "$GAME_DIR"
# Times are places in the recording: the seconds the wave-file output has written so far (it
# writes in real time from the moment the game opens its audio output), read off the file's size
# and the byte rate in its header.
now() {
    python3 -c "
import os, struct, sys
with open(sys.argv[1], 'rb') as f:
    header = f.read(44)
rate = struct.unpack('<I', header[28:32])[0] if len(header) == 44 else 0
print(f'{(os.path.getsize(sys.argv[1]) - 44) / rate:.2f}' if rate else '0.00')" "$OUT/game.wav"
}
if launch "$OUT/console.txt"; then
    # The title's start opens the main menu and starts the menu music, fading in.
    screen=$(menu_press "$game" "$OUT/console.txt" z) && [ "$screen" = 1 ] || fail "no main menu"
    title=$(now)
    sleep 4
    # Back to the title (the music pauses), then through the menus into the first stage.
    menu_press "$game" "$OUT/console.txt" c > /dev/null || fail "back did not return to the title"
    menu_to_stage "$game" "$OUT/console.txt" 1 || fail "the keys did not lead to a stage"
    # The track plays alone while the carrier brings the ship in; the ship is the player's some
    # eight seconds of play after the stage starts (longer on a busy machine).
    wait_line "$OUT/console.txt" "STARTING GAME" 120 || fail "the stage did not start"
    stage=$(now)
    sleep 2
    quiet=$(now)
    sleep 5
    # Fire held while the ship sweeps the field until the HUD's score shows a kill, then three
    # sweeps more: the recording from the kill on holds shots and explosions.
    score_reference "$game" "$OUT/score-start.png" || fail "the HUD's score never showed"
    xdotool keydown --window "$game" z 2>/dev/null
    for _ in $(seq 1 60); do
        hold "$game" Left 0.6; hold "$game" Right 0.6
        import -window "$game" "$OUT/score-now.png"
        score_moved "$OUT/score-start.png" "$OUT/score-now.png" && break
    done
    score_moved "$OUT/score-start.png" "$OUT/score-now.png" ||
        fail "the HUD's score never moved while fire was held (see $OUT/score-now.png)"
    firing=$(now)
    for _ in 1 2 3; do hold "$game" Left 0.6; hold "$game" Right 0.6; done
    xdotool keyup --window "$game" z 2>/dev/null
    fired=$(now)
fi
# The audio output must be closed before the process ends, or the library's clean-up aborts it
# and the exit code is not 0.
escape_ends
printf 'title %s\nstage %s\nquiet %s\nfiring %s\nfired %s\n' "${title:-}" "${stage:-}" "${quiet:-}" "${firing:-}" "${fired:-}" > "$OUT/times.txt"

[ -s "$OUT/game.wav" ] || { fail "nothing was recorded (see $OUT/console.txt)"; exit 1; }
rms() {  # start, length -> RMS level of the window in dBFS
    sox "$OUT/game.wav" -n trim "$1" "$2" stats 2>&1 | awk '/^RMS lev dB/ {print $4}'
}
# The 1 to 6 kHz band, where the shots' zaps and the blasts' noise sit, in 25 ms frames:
# "loudest-frame median-frame" levels in dBFS.
band() {  # start, length
    sox "$OUT/game.wav" -t f32 -c 1 - trim "$1" "$2" sinc 1000-6000 2>/dev/null | python3 -c "
import sys, struct, math
data = sys.stdin.buffer.read()
s = struct.unpack('<%df' % (len(data) // 4), data)
n = 1102
levels = sorted(math.sqrt(sum(v * v for v in s[i:i + n]) / n) + 1e-9 for i in range(0, len(s) - n, n))
print(f'{20 * math.log10(levels[-1]):.1f} {20 * math.log10(levels[len(levels) // 2]):.1f}')"
}
if [ -n "${title:-}" ]; then
    menu=$(rms "$(python3 -c "print($title + 1.0)")" 2.5)
    quietLevel=$(rms "$quiet" 2.5)
    firingLevel=$(rms "$firing" 2.5)
    read -r quietPeak quietMedian <<< "$(band "$quiet" 4.8)"
    read -r firingPeak firingMedian <<< "$(band "$firing" 6)"
    echo "menu music ${menu} dBFS; stage track alone ${quietLevel} dBFS (1-6 kHz: loudest ${quietPeak}," \
         "median ${quietMedian}); with shooting ${firingLevel} dBFS (1-6 kHz: loudest ${firingPeak}," \
         "median ${firingMedian})" | tee "$OUT/levels.txt"
    # Silence records as -inf; a fading-in track is still tens of dB above it.
    python3 -c "import sys; sys.exit(0 if float(sys.argv[1]) > -60 else 1)" "$menu" ||
        fail "the menu music is not heard after the title (${menu} dBFS)"
    python3 -c "import sys; sys.exit(0 if float(sys.argv[1]) > -45 else 1)" "$quietLevel" ||
        fail "the stage track is not heard (${quietLevel} dBFS)"
    # The steady shooting lifts the band's typical level, and its loudest moments (hits and
    # explosions; how many enemies fall in six seconds varies) rise over the track's own.
    python3 -c "import sys; a = [float(v) for v in sys.argv[1:]]; sys.exit(0 if a[2] - a[0] >= 2 and a[3] - a[1] >= 1.5 else 1)" \
        "$quietPeak" "$quietMedian" "$firingPeak" "$firingMedian" ||
        fail "shots and explosions do not stand out of the stage track"
    sox "$OUT/game.wav" -n remix - spectrogram -x 1600 -y 400 -z 90 -o "$OUT/spectrogram.png" 2>/dev/null
fi
if [ "$failures" = 0 ]; then echo "audio play: all checks passed"; fi
exit $((failures > 0))
