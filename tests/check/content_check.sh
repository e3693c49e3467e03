#!/usr/bin/env bash
# orvale-check on the built package (must be clean) and on the same package with a folder of
# broken lists over it, one fault of each kind (a key or a type another kind of list takes, but not
# this one, among them): every fault is reported on its own line with its
# file and key, nothing else is, and the exit code says so.
set -u
CHECK=${1:?usage: content_check.sh ORVALE_CHECK PACKAGE SOURCE_ASSETS}
PACKAGE=${2:?}
ASSETS=${3:?}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

clean=$("$CHECK" "$PACKAGE" 2>&1) || fail "the built package is not clean:
$clean"
echo "$clean" | tail -1

# FILE (under assets/plist) | perl substitution | the line expected, in full
cases=(
"bp/bp_arrow_green.plist|s{<key>start speed</key>}{<key>start sped</key>}|assets/plist/bp/bp_arrow_green.plist: \"start sped\": no loader reads this key (did you mean \"start speed\"?)"
"enemy/gunship.plist|s{(<key>cancel bullets on death</key>\s*)<true/>}{\$1<integer>1</integer>}|assets/plist/enemy/gunship.plist: \"cancel bullets on death\": holds a whole number where the game reads true or false"
"enemy/tank.plist|s{<string>fp_[a-z_0-9]*</string>}{<string>fp_no_such_pattern</string>}|assets/plist/enemy/tank.plist: \"launcher 0\" > \"fire pattern\": names \"fp_no_such_pattern\", which the package lacks (assets/plist/fp/fp_no_such_pattern.plist)"
"enemy/wall_turret.plist|s{<key>launcher 1</key>}{<key>launcher 9</key>}|assets/plist/enemy/wall_turret.plist: \"launcher 2\": follows a gap: there is no \"launcher 1\", and the game stops reading at the gap"
"enemy/popcorn_dart.plist|s{<key>duration</key>\s*<real>120.0</real>}{}|assets/plist/enemy/popcorn_dart.plist: \"prize on death\": is never dropped: items fall only when the enemy has a \"death movement node\" with a \"duration\""
"spr_explosion.plist|s{<integer>16</integer>}{<integer>70</integer>}|assets/plist/spr_explosion.plist: \"numFrames\": frames 0 to 69 run past the grid's 64 cells (8 x 8)"
"spr_boss_core.plist|s{(<key>numRows</key>\s*)<integer>\d+</integer>}{\$1<integer>-2</integer>}|assets/plist/spr_boss_core.plist: \"numRows\": is -2, outside what the game takes (0 to 4096)"
"particles/ps_bullet_scratch.plist|s{(<key>textureFileName</key>\s*<string>)[^<]*}{\$1missing.png}|assets/plist/particles/ps_bullet_scratch.plist: \"textureFileName\": names \"missing.png\", which the package lacks (assets/texture/missing.png)"
"spr_menu_rule.plist|s{</plist>}{}|assets/plist/spr_menu_rule.plist: is not a property list the game can read"
"enemy/escort_delta.plist|s{(<key>atlas frame</key>\s*)<integer>12</integer>}{\$1<real>12.5</real>}|assets/plist/enemy/escort_delta.plist: \"atlas frame\": holds a real where the game reads a whole number"
"enemy/carrier.plist|s{<key>points</key>}{<key>start speed</key><real>2.0</real><key>points</key>}|assets/plist/enemy/carrier.plist: \"start speed\": is not read in this kind of list; the game reads it in other kinds"
)
for entry in "${cases[@]}"; do
    IFS='|' read -r file edit _ <<<"$entry"
    mkdir -p "$WORK/broken/assets/plist/$(dirname "$file")"
    perl -0pe "$edit" "$ASSETS/plist/$file" >"$WORK/broken/assets/plist/$file"
    cmp -s "$ASSETS/plist/$file" "$WORK/broken/assets/plist/$file" && fail "the edit of $file changed nothing"
done

"$CHECK" "$WORK/broken" "$PACKAGE" >"$WORK/out" 2>"$WORK/err"
status=$?
cat "$WORK/out"
[ "$status" -eq 1 ] || fail "orvale-check exited with $status on a broken package, not 1"
for entry in "${cases[@]}"; do
    expected=${entry#*|*|}
    grep -qF -- "$expected" "$WORK/out" || fail "missing: $expected"
done
findings=$(grep -vc '^orvale-check:' "$WORK/out")
[ "$findings" -eq "${#cases[@]}" ] || fail "$findings findings for ${#cases[@]} faults"
echo "content_check: every fault found, nothing else"
