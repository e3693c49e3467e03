#!/usr/bin/env bash
# Records what the real game plays (run it through own_display.sh): OpenAL Soft's wave-file output,
# chosen through a config file written here, takes everything the game mixes. After PRESS START
# the menu music must be at its full level within 3 s, the menus' moves and accepts must be
# heard over it, and in the first stage the shots and explosions must rise above the stage track
# and the shots must vary in pitch. The profile keeps the music far down (0.03), so the effects
# stand clear of it. Windows of the recording are measured with sox; the recording, the times of each
# step and a spectrogram are left in $OUT for a person to listen to and look at.
set -u
GAME_DIR=${1:?usage: audio_play.sh BUILD_DIR}
OUT=${2:-$GAME_DIR/e2e-audio}
rm -rf "$OUT"
mkdir -p "$OUT"
. "$(dirname "$0")/x11_helpers.sh"

printf '[general]\ndrivers = wave\n[wave]\nfile = %s\n' "$OUT/game.wav" > "$OUT/alsoft.conf"
export ALSOFT_CONF=$OUT/alsoft.conf
export XDG_DATA_HOME=$OUT/data
python3 - "$XDG_DATA_HOME/vortalis2/profile/save.osf" <<'PY'
import os, plistlib, sys
# A new player's profile with the music far down (0.03), so effects stand clear of it.
profile = {"pc version": True, "music volume": 0.03, "sfx volume": 0.5, "buffer scale": 0.5,
           "graphic setting": 2, "background mode": 1, "ctrl 0": 2, "ctrl 1": 3, "ctrl 2": 1,
           "ctrl 3": 26, "touch sensitivity": 0.65, "screen scale": 1.0, "prize alpha": 1.0,
           "left control": True, "trance warning": True, "auto trance": True, "show tutorial": True,
           "use shoot upgrades": True, "level": 1, "exp to level": 250, "lives": 2, "bombs": 2,
           "continues": 1}
os.makedirs(os.path.dirname(sys.argv[1]), exist_ok=True)
with open(sys.argv[1], "wb") as f:
    plistlib.dump(profile, f, fmt=plistlib.FMT_BINARY)
PY

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
    title=$(now)
    screen=$(menu_press "$game" "$OUT/console.txt" z) && [ "$screen" = 1 ] || fail "no main menu"
    # The music plays on alone until some nine seconds after the press; then the highlight moves
    # down twice and up twice (back on the first button), a second apart.
    sleep "$(python3 -c "print(max(0.0, $title + 9.0 - $(now)))")"
    moves=""
    for key in Down Down Up Up; do
        moves="$moves $(now)"
        hold "$game" "$key"
        sleep 0.85
    done
    # Its accept opens the mode select; back twice returns to the title (the music pauses), then
    # the menus lead into the first stage.
    accept=$(now)
    screen=$(menu_press "$game" "$OUT/console.txt" z) && [ "$screen" = 3 ] || fail "no mode select"
    menu_press "$game" "$OUT/console.txt" c > /dev/null || fail "back did not return to the main menu"
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
    shooting=$(now)
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
printf 'title %s\nmoves%s\naccept %s\nstage %s\nquiet %s\nshooting %s\nfiring %s\nfired %s\n' "${title:-}" \
    "${moves:-}" "${accept:-}" "${stage:-}" "${quiet:-}" "${shooting:-}" "${firing:-}" "${fired:-}" > "$OUT/times.txt"

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
# The menus against the menu track itself: the recording's level in 10 ms frames less the
# track's, once the two are aligned (the offset where the difference is steadiest), is the gain
# the game plays the track at. Prints the track's start in the recording, the gain 3 to 4 s into
# it and from 5 s to the first move, how far the quiet windows stray from that gain, and for
# each key press the most the recording rises over the music within 1.2 s of it (dB).
menus() {  # title time, accept time, move times...
    python3 - "$OUT/game.wav" "$GAME_DIR/generated-assets/assets/audio/mastering - menu.ogg" "$@" <<'PY'
import math, struct, subprocess, sys
wav, track, title, accept = sys.argv[1], sys.argv[2], float(sys.argv[3]), float(sys.argv[4])
moves = [float(v) for v in sys.argv[5:]]
frame = 441
def levels(path, start, length):
    raw = subprocess.run(["sox", path, "-t", "f32", "-r", "44100", "-c", "1", "-", "trim", str(start),
                          str(length)], capture_output=True).stdout
    s = struct.unpack("<%df" % (len(raw) // 4), raw)
    return [10 * math.log10(sum(v * v for v in s[i:i + frame]) / frame + 1e-20)
            for i in range(0, len(s) - frame + 1, frame)]
base = max(0.0, title - 1.0)  # sox reads a negative start from the end
rec = levels(wav, base, accept - base + 2.0)   # frame k is at base + k / 100
music = levels(track, 0, accept - title + 3.0)
first = min(moves) if moves else accept
def median(v):
    v = sorted(v)
    return v[len(v) // 2] if v else 0.0
best = None
press = int(round((title - base) * 100))
for off in range(max(0, press - 50), press + 400):  # the track's start: 0.5 s before to 4 s after the press
    d = [rec[off + t] - music[t] for t in range(350, 850)
         if off + t < len(rec) and (off + t) / 100 + base < first - 0.1 and music[t] > -80]
    if len(d) < 200:
        continue
    m = median(d)
    spread = sum(abs(v - m) for v in d) / len(d)
    if best is None or spread < best[0]:
        best = (spread, off)
if best is None:
    print("nan nan nan nan nan")  # no stretch of the recording follows the track
    sys.exit(0)
off = best[1]
def gain(a, b):  # the track's seconds a to b: recording power over the track's, in dB
    ks = [t for t in range(int(a * 100), int(b * 100)) if (off + t) / 100 + base < first - 0.1]
    r = sum(10 ** (rec[off + t] / 10) for t in ks)
    m = sum(10 ** (music[t] / 10) for t in ks)
    return 10 * math.log10(r / m)
early, late = gain(3, 4), gain(5, 9)
def over(at, length):  # the most the recording rises over the music at the late gain
    start = int(round((at - base) * 100))
    return max(rec[k] - music[k - off] - late for k in range(start, min(start + int(length * 100), len(rec)))
               if 0 <= k - off < len(music))
quiet = over(base + (off + 500) / 100, 3.0)
print(f"{base + off / 100:.2f} {early:.2f} {late:.2f} {quiet:.2f} {over(accept - 0.1, 1.3):.2f} "
      + " ".join(f"{over(t - 0.1, 0.9):.2f}" for t in moves))
PY
}
# The player's shots, from the onsets of the recording's 1 to 8 kHz band (a 5 ms frame 6 dB over
# the quietest of the 20 ms before it, 50 ms apart at least): how alike each one's first 30 ms is
# to the one before (the best normalised correlation within 5 ms). Shots at one pitch repeat the
# same waveform (0.98 and more); a shot pitched apart from the one before does not. Prints the
# number of pairs, how many are alike, then the likenesses.
shot_likeness() {  # start, length
    sox "$OUT/game.wav" -t f32 -c 1 - trim "$1" "$2" sinc 1000-8000 2>/dev/null | python3 -c "
import cmath, math, struct, sys
raw = sys.stdin.buffer.read()
s = struct.unpack('<%df' % (len(raw) // 4), raw)
hop, win, size, reach = 220, 1323, 4096, 220
db = [10 * math.log10(sum(v * v for v in s[i:i + hop]) / hop + 1e-20) for i in range(0, len(s) - hop, hop)]
onsets = []
for i in range(4, len(db) - 10):
    if db[i] - min(db[i - 4:i]) >= 6 and db[i] > -70 and (not onsets or i - onsets[-1] >= 10):
        onsets.append(i)
def fft(a, sign=-1):
    if len(a) == 1:
        return a
    even, odd = fft(a[0::2], sign), fft(a[1::2], sign)
    w = [cmath.exp(sign * 2j * math.pi * k / len(a)) * odd[k] for k in range(len(a) // 2)]
    return [even[k] + w[k] for k in range(len(a) // 2)] + [even[k] - w[k] for k in range(len(a) // 2)]
def likeness(at, then):
    a = list(s[at:at + win])
    b = list(s[then - reach:then + win + reach])
    fa = fft(a + [0.0] * (size - win))
    fb = fft(b + [0.0] * (size - len(b)))
    c = fft([x.conjugate() * y for x, y in zip(fa, fb)], 1)
    ea = sum(v * v for v in a)
    eb = sum(v * v for v in b[:win])
    best = 0.0
    for lag in range(2 * reach + 1):
        if lag:
            eb += b[lag + win - 1] ** 2 - b[lag - 1] ** 2
        best = max(best, c[lag].real / size / math.sqrt(max(ea * eb, 1e-20)))
    return best
marks = [o * hop for o in onsets if reach <= o * hop and o * hop + win + reach <= len(s)]
found = [likeness(marks[k], marks[k + 1]) for k in range(len(marks) - 1)]
print(len(found), sum(1 for v in found if v >= 0.98), ' '.join(f'{v:.2f}' for v in found))"
}
if [ -n "${title:-}" ]; then
    quietLevel=$(rms "$quiet" 2.5)
    firingLevel=$(rms "$firing" 2.5)
    read -r quietPeak quietMedian <<< "$(band "$quiet" 4.8)"
    read -r firingPeak firingMedian <<< "$(band "$firing" 6)"
    echo "stage track alone ${quietLevel} dBFS (1-6 kHz: loudest ${quietPeak}," \
         "median ${quietMedian}); with shooting ${firingLevel} dBFS (1-6 kHz: loudest ${firingPeak}," \
         "median ${firingMedian})" | tee "$OUT/levels.txt"
    # Silence records as -inf; the track, even this far down, is tens of dB above it.
    python3 -c "import sys; sys.exit(0 if float(sys.argv[1]) > -75 else 1)" "$quietLevel" ||
        fail "the stage track is not heard (${quietLevel} dBFS)"
    # The steady shooting lifts the band's typical level, and its loudest moments (hits and
    # explosions; how many enemies fall in six seconds varies) rise over the track's own.
    python3 -c "import sys; a = [float(v) for v in sys.argv[1:]]; sys.exit(0 if a[2] - a[0] >= 2 and a[3] - a[1] >= 1.5 else 1)" \
        "$quietPeak" "$quietMedian" "$firingPeak" "$firingMedian" ||
        fail "shots and explosions do not stand out of the stage track"
    # After PRESS START the menu track is at its full level within 3 s: the gain it plays at 3 to
    # 4 s in is within 1.5 dB of the gain that follows.
    read -r start early late quiet acceptRise moveRises <<< "$(menus "$title" "$accept" $moves)"
    echo "menu track from ${start} s: gain ${early} dB 3-4 s in, ${late} dB from 5 s (quiet windows" \
         "stray ${quiet} dB); over it the accept ${acceptRise} dB, the moves ${moveRises} dB" | tee -a "$OUT/levels.txt"
    python3 -c "import sys; sys.exit(0 if float(sys.argv[1]) > -40 else 1)" "$late" ||
        fail "the menu music is not heard after PRESS START (played at ${late} dB)"
    python3 -c "import sys; sys.exit(0 if abs(float(sys.argv[1]) - float(sys.argv[2])) <= 1.5 else 1)" "$early" "$late" ||
        fail "the menu music is not at its full level 3 s after PRESS START (${early} dB against ${late} dB)"
    # Every move and the accept rise 10 dB over the music (which alone strays less than 5 dB),
    # when the package holds their effects.
    if python3 -c "import sys, zipfile; names = zipfile.ZipFile(sys.argv[1]).namelist()
sys.exit(0 if all('assets/audio/ui_%s.caf' % n in names for n in ('move', 'accept')) else 1)" "$GAME_DIR/data.oap"; then
        python3 -c "import sys; sys.exit(0 if min(float(v) for v in sys.argv[1:]) >= 10 else 1)" $acceptRise $moveRises ||
            fail "a menu move or accept is not heard over the music (accept ${acceptRise} dB, moves ${moveRises} dB)"
    else
        echo "the package holds no ui_move.caf and ui_accept.caf: the menu sounds are not checked"
    fi
    # The shots vary: under a quarter of them repeat the waveform of the one before.
    read -r pairs alike likenesses <<< "$(shot_likeness "$(python3 -c "print($shooting + 0.5)")" 4)"
    echo "shots: ${alike} of ${pairs} alike the one before (${likenesses})" | tee -a "$OUT/levels.txt"
    python3 -c "import sys; n, alike = int(sys.argv[1]), int(sys.argv[2]); sys.exit(0 if n >= 10 and alike * 4 < n else 1)" \
        "$pairs" "$alike" || fail "the shots do not vary in pitch (${alike} of ${pairs} alike the one before)"
    sox "$OUT/game.wav" -n remix - spectrogram -x 1600 -y 400 -z 90 -o "$OUT/spectrogram.png" 2>/dev/null
fi
if [ "$failures" = 0 ]; then echo "audio play: all checks passed"; fi
exit $((failures > 0))
