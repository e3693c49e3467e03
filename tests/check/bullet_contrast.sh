#!/usr/bin/env bash
# orvale-contrast on the built package (every stage must pass), then on the same package with the
# first stage's nebula repainted in one of that stage's bullets' own body colour: the check must
# fail, naming the stage, the nebula's layer and that bullet.
set -u
CONTRAST=${1:?usage: bullet_contrast.sh ORVALE_CONTRAST PACKAGE}
PACKAGE=${2:?}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

clean=$("$CONTRAST" "$PACKAGE" 2>&1) || fail "the built package has bullets too close to a background:
$clean"
echo "$clean" | tail -1

# A bullet of the first stage and its body: "NAME[, NAME...] (frame F, body #rrggbb ...)".
bodies=$("$CONTRAST" --bodies stage_1 "$PACKAGE") || fail "no bullet cells for stage_1:
$bodies"
line=$(echo "$bodies" | grep -m1 'body #' ) || fail "no body in: $bodies"
bullet=${line%%[, ]*}
colour=$(echo "$line" | grep -o 'body #[0-9a-f]\{6\}' | cut -c7-)
[ -n "$bullet" ] && [ -n "$colour" ] || fail "can't read a bullet and its colour from: $line"

# The nebula, 64 x 64 pixels of that colour, in a folder mounted over the package.
mkdir -p "$WORK/assets/texture"
python3 - "$colour" "$WORK/assets/texture/stage1_nebula.png" <<'PY'
import struct, sys, zlib
rgb = bytes.fromhex(sys.argv[1])
side = 64
rows = b"".join(b"\0" + (rgb + b"\xff") * side for _ in range(side))
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff)
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", side, side, 8, 6, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b"")
open(sys.argv[2], "wb").write(png)
PY

matched=$("$CONTRAST" "$WORK" "$PACKAGE" 2>&1) && fail "a nebula of $bullet's colour #$colour passed:
$matched"
echo "$matched" | grep -q "^stage_1: layer 0 (spr_stage1_nebula, stage1_nebula.png): .*$bullet.*too close over" ||
    fail "no failure names stage_1's layer 0 and $bullet:
$matched"
# Only the repainted layer's stage is at fault.
others=$(echo "$matched" | grep 'too close' | grep -v '^stage_1: ')
[ -z "$others" ] || fail "other stages failed too:
$others"
echo "a nebula of $bullet's colour #$colour fails as it should"
