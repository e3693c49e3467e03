# Helpers shared by the end-to-end scripts that drive the real game in a
# virtual X display: finding windows, pressing keys as a player does, and
# reading screenshots. Sourced; expects $OUT to be set. The game draws with Mesa's software
# renderer, and each failed check is counted in $failures.

export LIBGL_ALWAYS_SOFTWARE=1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

wait_window() {  # name pattern -> window id
    for _ in $(seq 1 100); do
        id=$(xdotool search --name "$1" 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.1
    done
    return 1
}

send() {  # window, keys...
    local window=$1; shift
    for key in "$@"; do xdotool key --window "$window" "$key" 2>/dev/null; sleep 0.15; done
}

hold() {  # window, key[, seconds]: held for a few frames, as a player presses it (a bare
          # press and release between two frames is, by design, no key event)
    xdotool keydown --window "$1" "$2" 2>/dev/null; sleep "${3:-0.15}"
    xdotool keyup --window "$1" "$2" 2>/dev/null; sleep 0.15
}

pixel() {  # window image, x, y -> "r,g,b"
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

brightest() {  # image, WxH+X+Y -> brightest grey level of the region, 0 to 255
    convert "$1" -crop "$2" +repage -colorspace gray -format "%[fx:int(255*maxima)]" info:
}

changed_pixels() {  # image, image, WxH+X+Y -> how many pixels of the region differ
    convert "$1" -crop "$3" +repage "$OUT/region-a.png"
    convert "$2" -crop "$3" +repage "$OUT/region-b.png"
    compare -metric AE -fuzz 2% "$OUT/region-a.png" "$OUT/region-b.png" null: 2>&1 | cut -d' ' -f1
}

near() {  # "r,g,b" "r,g,b" -> true when every channel is within 12
    python3 -c "import sys; a=[int(v) for v in sys.argv[1].split(',')]; b=[int(v) for v in sys.argv[2].split(',')]; sys.exit(0 if all(abs(x-y)<=12 for x,y in zip(a,b)) else 1)" "$1" "$2"
}
