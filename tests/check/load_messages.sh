#!/usr/bin/env bash
# Every fault in the content that the game answers with a message while it loads is a fault of
# orvale-check too. Each row damages one list of the built package; orvale-check, whose loaders
# load and play the damaged package, must show the game's message among the loaders' lines and
# report its own fault. A row whose edit is "delete" takes the list out of a copy of the built
# package, since a folder laid over it can add or change a list but not remove one. Rows that
# damage different files share a package; a row that fails there (its damage may hide another's)
# is tried again alone.
set -u
CHECK=${1:?usage: load_messages.sh ORVALE_CHECK PACKAGE SOURCE_ASSETS}
PACKAGE=${2:?}
ASSETS=${3:?}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0

# FILE (under assets/plist) | perl substitution | the game's message | the checker's fault
rows=(
"bp/bp_round_red.plist|s{(<key>start speed</key>\s*)<[a-z]+>[^<]*</[a-z]+>}{\$1<real>1e39</real>}|PROPERTY \"start speed\" IS NOT A USABLE NUMBER|bp_round_red.plist: \"start speed\": holds a real where the game reads a number"
"spr_boss_core.plist|s{(<key>numRows</key>\s*)<integer>\d+</integer>}{\$1<integer>-2</integer>}|PROPERTY \"numRows\" OUT OF RANGE (-2)|spr_boss_core.plist: \"numRows\": is -2, outside what the game takes"
"spr_menu_rule.plist|s{</plist>}{}|BAD PROPERTY LIST assets/plist/spr_menu_rule.plist|spr_menu_rule.plist: is not a property list the game can read"
"enemy/tank.plist|s{<string>fp_[a-z_0-9]*</string>}{<string>fp_no_such_pattern</string>}|MISSING FIRE PATTERN assets/plist/fp/fp_no_such_pattern.plist|names \"fp_no_such_pattern\", which the package lacks"
"fp/fp_aimed_single.plist|s{<string>bp_round_red</string>}{<string>bp_no_such_type</string>}|MISSING BULLET TYPE assets/plist/bp/bp_no_such_type.plist|names \"bp_no_such_type\", which the package lacks"
"stage_1_waves.plist|s{<string>popcorn_dart</string>}{<string>no_such_enemy</string>}|MISSING ENEMY DEFINITION assets/plist/enemy/no_such_enemy.plist|names \"no_such_enemy\", which the package lacks"
"enemy/wall_turret.plist|s{<key>launcher 1</key>}{<key>launcher 9</key>}|\"launcher 2\" FOLLOWS A MISSING INDEX|\"launcher 2\": follows a gap"
"bp/bm_lance_red.plist|s{(<key>hit effect</key>\s*<string>)[^<]*}{\$1ps_no_such_effect}|PARTICLE EFFECT ps_no_such_effect NOT FOUND|names \"ps_no_such_effect\", which the package lacks"
"fnt_novo_white.plist|s{font_novo_white.png}{no_such_font.png}|MISSING FONT TEXTURE assets/texture/no_such_font.png|names \"no_such_font.png\", which the package lacks"
"gd_credits.plist|s{<string>spr_menu_bg_nebula</string>}{<string>spr_no_such_layer</string>}|SPRITE assets/plist/spr_no_such_layer.plist NOT FOUND|names \"spr_no_such_layer\", which the package lacks"
"arcade_level_list.plist|s{<string>stage_1</string>}{<string>stage_no_such</string>}|STAGE FILE NOT FOUND: assets/plist/stage_no_such.plist|names stage \"stage_no_such\", which the package lacks"
"spr_boss_core.plist|s{<key>numColumns</key>\s*<integer>\d+</integer>}{}|SPRITE assets/plist/spr_boss_core.plist HAS NO GRID|spr_boss_core.plist: \"numColumns\": is missing: the game shows the list as one cell"
"atlas_bullets.plist|s{<key>numRows</key>\s*<integer>\d+</integer>}{}|ATLAS assets/plist/atlas_bullets.plist HAS NO GRID|atlas_bullets.plist: \"numRows\": is missing: the game shows the list as one cell"
"boss_warden.plist|s{(<key>phase 0</key>\s*<dict>.*?<key>hp</key>\s*)<real>[^<]*</real>}{\$1<real>0.0</real>}s|PHASE 0 HAS NO HIT POINTS|boss_warden.plist: \"phase 0\" > \"hp\": is 0: the phase has no hit points and ends at once"
"boss_warden.plist|s{<key>phase 0</key>}{<key>phase zero</key>}|HAS NO PHASES|boss_warden.plist: has no \"phase 0\": the boss cannot fight"
"senko_type_a.plist|s{(<key>hp</key>\s*)<real>[^<]*</real>}{\$1<real>0.0</real>}|SHIP HAS NO HIT POINTS|senko_type_a.plist: \"hp\": is 0: it has no hit points"
"boss_vigil.plist|s{(<key>phase 0</key>.*?<key>)movement node 0(</key>)}{\$1movement node zero\$2}s|PHASE 0 HAS NO MOVEMENT NODES|boss_vigil.plist: \"phase 0\": has no \"movement node 0\": the phase ends at once"
"stage_1.plist|s{(<key>bg 1</key>\s*)<dict>.*?</dict>}{\$1<string>oops</string>}s|BACKGROUND bg 1 IS NOT A DICTIONARY|\"bg 1\": holds a text where the game reads a dictionary"
"stage_1.plist|s{(<key>level data</key>\s*<string>)[^<]*}{\$1stage_no_waves}|MISSING WAVE DATA assets/plist/stage_no_waves.plist|names \"stage_no_waves\", which the package lacks"
"stage_1_boss_rush.plist|s{(<key>stage anim data</key>\s*<array>\s*)<dict>}{\$1<string>oops</string><dict>}|BACKGROUND stage anim data 0 IS NOT A DICTIONARY, SKIPPED|\"stage anim data\" > item 0: holds a text where the game reads a dictionary"
"stage_1_waves.plist|s{<dict>}{<dict><key>w0000 stray</key><string>oops</string>}|WAVE \"w0000 stray\" IS NOT A DICTIONARY|\"w0000 stray\": holds a text where the game reads a dictionary"
"arcade_level_list.plist|s{</plist>}{}|BAD LEVEL LIST assets/plist/arcade_level_list.plist|arcade_level_list.plist: is not a property list the game can read"
"particles/ps_bullet_scratch.plist|s{(<key>maxTtl</key>\s*)<real>[^<]*</real>}{\$1<real>0</real>}|PARTICLE EFFECT ps_bullet_scratch IS UNUSABLE (maxTtl)|ps_bullet_scratch.plist: \"maxTtl\": is 0: the game needs more than 0 here"
"particles/ps_explosion_sparks.plist|s{(<key>startSizeX</key>\s*)<real>[^<]*</real>}{\$1<real>-1.5</real>}|PARTICLE EFFECT ps_explosion_sparks IS UNUSABLE (startSizeX)|ps_explosion_sparks.plist: \"startSizeX\": is -1.5: a count or size can't be negative"
"gd_credits.plist|s{(<key>bg 0</key>\s*<dict>)}{\$1<key>swing y time</key><real>0</real>}|SWING Y TIME 0 IS NOT POSITIVE|gd_credits.plist: \"bg 0\" > \"swing y time\": is 0: the game needs more than 0 here"
"gd_final_credits.plist|s{<key>filename</key>\s*<string>[^<]*</string>}{}|HAS NO FILENAME|gd_final_credits.plist: \"bg 0\": has no \"filename\": the layer shows nothing"
"boss_rush_level_list.plist|s{<array>.*</array>}{<array/>}s|NO STAGES TO PLAY IN assets/plist/boss_rush_level_list.plist|boss_rush_level_list.plist: names no stage"
"enemy/popcorn_claw.plist|s{(<key>movement node 0</key>\s*<dict>\s*<key>duration</key>\s*)<real>[^<]*</real>}{\$1<real>0.0</real>}|ENEMY popcorn_claw: MOVEMENT NODE 0 HAS NO POSITIVE DURATION|popcorn_claw.plist: \"movement node 0\" > \"duration\": is 0: the node ends at once"
"fnt_novo_white.plist|s{<key>fontHeight</key>\s*<integer>\d+</integer>}{}|FONT assets/plist/fnt_novo_white.plist NEEDS fontWidth, fontHeight AND filename|fnt_novo_white.plist: \"fontHeight\": is missing: the font shows no text"
"stage_1_boss_rush.plist|s{(<key>stage anim data</key>\s*)<array>.*</array>}{\$1<string>oops</string>}s|BACKGROUND stage anim data IS NOT AN ARRAY, NO SCRIPT|stage_1_boss_rush.plist: \"stage anim data\": holds a text where the game reads an array"
"stage_1.plist|s{(<key>start bg</key>\s*<string>)[^<]*}{\${1}0 7}|BACKGROUND start bg NAMES bg 7, WHICH DOES NOT EXIST|stage_1.plist: \"start bg\": names \"bg 7\", which the list lacks"
"stage_1_waves.plist|s{<dict>.*</dict>}{<dict/>}s|HAS NO ENEMIES|stage_1_waves.plist: holds no entries"
"stage_1_boss_rush.plist|s{<key>boss</key>\s*<string>[^<]*</string>}{}|ITS STAGE FILE NAMES NO WAVES AND NO BOSS|stage_1_boss_rush.plist: names neither \"level data\" nor \"boss\""
"btn_menu.plist|s{(<key>font</key>\s*<string>)[^<]*}{\$1fnt_no_such_font}|MISSING FONT assets/plist/fnt_no_such_font.plist|btn_menu.plist: \"font\": names \"fnt_no_such_font\", which the package lacks"
"senko_type_a.plist|s{(<key>base modules</key>\s*<string>)}{\${1}x }; s{<key>option 1</key>\s*<string>[^<]*</string>}{}|SHIP: \"x\" IN \"base modules\" IS NOT AN INDEX|senko_type_a.plist: \"base modules\": holds \"x\", which is not an index"
"stage_1.plist|s{(<key>start bg</key>\s*<string>)}{\${1}x }|BACKGROUND start bg: \"x\" IS NOT A LAYER INDEX|stage_1.plist: \"start bg\": holds \"x\", which is not an index"
"enemy/gunship.plist|s{(<key>easy launchers</key>\s*<string>)}{\${1}x }|\"x\" IN \"easy launchers\" IS NOT A LAUNCHER INDEX|gunship.plist: \"movement node 1\" > \"easy launchers\": holds \"x\", which is not an index"
"boss_vigil.plist|s{(<key>normal modules</key>\s*<string>)}{\${1}90 }|BOSS assets/plist/boss_vigil: NO module 90, IGNORED|boss_vigil.plist: \"normal modules\": names \"module 90\", which the list lacks"
"enemy/carrier.plist|s{(<key>launcher 0</key>(\s*<dict>.*?</dict>))}{\$1<key>launcher 6</key>\$2}s; s{(<key>module 0</key>(\s*<dict>.*?</dict>))}{\$1<key>module 5</key>\$2}s|\"launcher 6\" IS IGNORED (LAUNCHER SLOTS ARE 0 TO 5)|carrier.plist: \"launcher 6\": is past the 6 launcher slots an enemy has"
"enemy/carrier.plist|s{(<key>launcher 0</key>(\s*<dict>.*?</dict>))}{\$1<key>launcher 6</key>\$2}s; s{(<key>module 0</key>(\s*<dict>.*?</dict>))}{\$1<key>module 5</key>\$2}s|\"module 5\" IS DROPPED (AN ENEMY CARRIES 5 MODULES)|carrier.plist: \"module 5\": is past the 5 module slots an enemy has"
"senko_type_a.plist|s{(<key>base modules</key>\s*<string>)}{\${1}x }; s{<key>option 1</key>\s*<string>[^<]*</string>}{}|SHIP HAS NO \"option 1\"|senko_type_a.plist: \"option 1\": is missing"
"stage_1_boss_rush.plist|s{<string>fade glare</string>}{<string>no such command</string>}|UNKNOWN TYPE \"no such command\"|\"stage anim data\" > item 0 > \"type\": is \"no such command\", which the script does not know"
"stage_1_boss_rush.plist|s{(<key>in</key>\s*<string>)[^<]*}{\${1}90}|stage anim data 0 (fade glare) NAMES NO LAYER|\"stage anim data\" > item 0: names no layer"
"stage_1_waves.plist|s{(<key>w0010 darts left</key>\s*<dict>\s*<key>repeat</key>\s*<integer>)1<}{\${1}9999<}|WAVE DATA ASKS FOR MORE THAN 10000 SPAWNS|stage_1_waves.plist: asks for 30257 spawns, more than the 10000 the game takes"
"gd_boss_event.plist|delete|BACKGROUND FILE assets/plist/gd_boss_event.plist NOT FOUND|assets/plist/gd_boss_event.plist: is missing"
"spr_player_life_counter.plist|delete|MISSING HUD SPRITE assets/plist/spr_player_life_counter, LEFT OUT|assets/plist/spr_player_life_counter.plist: is missing"
"fnt_novo_white.plist|delete|MISSING HUD FONT assets/plist/fnt_novo_white|btn_HUD_default.plist: \"font\": names \"fnt_novo_white\", which the package lacks"
"arcade_level_list.plist|delete|LEVEL LIST NOT FOUND: assets/plist/arcade_level_list.plist|assets/plist/arcade_level_list.plist: is missing"
# The enemy and boss loaders' held movement times and bosses that cannot be shown.
"boss_gantry.plist|s{(<key>phase 1</key>\s*<dict>.*?<key>hp</key>\s*)<real>[^<]*</real>}{\$1<real>5e7</real>}s|LIST assets/plist/boss_gantry.plist: \"hp\" OF phase 1 IS 5e+07, HELD TO 20000|boss_gantry.plist: \"phase 1\" > \"hp\": is 5e+07: the game holds it to 20000"
"enemy/escort_delta.plist|s{(<key>movement node 1</key>\s*<dict>\s*<key>duration</key>\s*)<real>[^<]*</real>}{\$1<real>1e30</real>}|LIST assets/plist/enemy/escort_delta.plist: \"duration\" OF movement node 1 IS 1e+30 MS, HELD TO 600000|escort_delta.plist: \"movement node 1\" > \"duration\": is 1e+30 ms: the game holds it to 600000"
"boss_warden.plist|s{<string>spr_boss_warden</string>}{<string>spr_no_such_boss</string>}|CANNOT BE SHOWN (NO READABLE SPRITE LIST|boss_warden.plist: \"sprite\": names \"spr_no_such_boss\", which the package lacks"
"spr_boss_warden.plist|s{</plist>}{}|CANNOT BE SHOWN (NO READABLE SPRITE LIST|spr_boss_warden.plist: is not a property list the game can read"
# Enemies that split when shot down.
"enemy/tank.plist|s{<dict>}{<dict><key>split into</key><string>no_such_shard</string>}|MISSING ENEMY DEFINITION assets/plist/enemy/no_such_shard.plist|tank.plist: \"split into\": names \"no_such_shard\", which the package lacks"
"enemy/tank.plist|s{<dict>}{<dict><key>split into</key><string>tank</string><key>split count</key><integer>40</integer>}|PROPERTY \"split count\" OUT OF RANGE (40)|tank.plist: \"split count\": is 40, outside what the game takes (1 to 8)"
# Carriers, shields and blinks.
"enemy/tank.plist|s{<dict>}{<dict><key>launch enemy</key><string>no_such_fighter</string>}|MISSING ENEMY DEFINITION assets/plist/enemy/no_such_fighter.plist|tank.plist: \"launch enemy\": names \"no_such_fighter\", which the package lacks"
"enemy/sky_skiff.plist|s{<dict>}{<dict><key>launch enemy</key><string>tank</string><key>launch count</key><integer>40</integer>}|PROPERTY \"launch count\" OUT OF RANGE (40)|sky_skiff.plist: \"launch count\": is 40, outside what the game takes (1 to 16)"
"enemy/hauler.plist|s{<dict>}{<dict><key>shielded by</key><string>no_such_pylon</string>}|MISSING ENEMY DEFINITION assets/plist/enemy/no_such_pylon.plist|hauler.plist: \"shielded by\": names \"no_such_pylon\", which the package lacks"
"enemy/storm_kite.plist|s{<dict>}{<dict><key>blink every</key><real>-500</real>}|PROPERTY \"blink every\" OUT OF RANGE (-500)|storm_kite.plist: \"blink every\": is -500, outside what the game takes (0 to 600000)"
"enemy/tank.plist|s{<dict>}{<dict><key>break node</key><integer>9</integer>}|ENEMY tank: \"break node\" 9 NAMES NO MOVEMENT NODE|tank.plist: \"break node\": names \"movement node 9\", which the list lacks"
# Boss hulls that break by phase, and the attack names the HUD shows.
"boss_warden.plist|s{(<key>damage phases</key>\s*<string>)[^<]*}{\${1}1 9}|BOSS assets/plist/boss_warden: NO phase 9, IGNORED|boss_warden.plist: \"damage phases\": names \"phase 9\", which the list lacks"
"boss_vigil.plist|s{<string>CLOSING DOORS</string>}{<string>TWO BEAMS THAT CLOSE LIKE DOORS</string>}|ATTACK NAME \"TWO BEAMS THAT CLOSE LIKE DOORS\" IS LONGER THAN 24 CHARACTERS, CUT|boss_vigil.plist: \"phase 2\" > \"attack name\": is 31 characters long; the HUD shows the first 24"
)

# Puts the damaged FILE of row INDEX into the package DIR, or takes it out of DIR.oap, a copy of
# the built package checked in its place.
damage() {
    local index=$1 dir=$2 file edit _
    IFS='|' read -r file edit _ <<<"${rows[$index]}"
    mkdir -p "$dir/assets/plist/$(dirname "$file")"
    if [[ $edit == delete ]]; then
        [ -f "$dir.oap" ] || cp "$PACKAGE" "$dir.oap"
        python3 - "$dir.oap" "assets/plist/$file" <<'END'
import os, sys, zipfile
package, gone = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(package) as old, zipfile.ZipFile(package + ".new", "w", zipfile.ZIP_DEFLATED) as new:
    for entry in old.infolist():
        if entry.filename != gone:
            new.writestr(entry, old.read(entry))
    found = gone in old.namelist()
os.replace(package + ".new", package)
sys.exit(0 if found else 1)
END
        return
    fi
    perl -0pe "$edit" "$ASSETS/plist/$file" >"$dir/assets/plist/$file"
    ! cmp -s "$ASSETS/plist/$file" "$dir/assets/plist/$file"
}

# Checks the package DIR and says whether row INDEX has its message and its fault there.
check_row() {
    local index=$1 dir=$2 file message fault _
    IFS='|' read -r file _ message fault <<<"${rows[$index]}"
    if ! grep -qF -- "$message" "$dir/loading"; then
        echo "the game did not say: $message"
        return 1
    fi
    if ! grep -qF -- "$fault" "$dir/out"; then
        echo "the game says \"$message\", the checker did not report: $fault"
        return 1
    fi
}

run_check() {
    local package=$PACKAGE
    [ -f "$1.oap" ] && package=$1.oap
    "$CHECK" --loading-lines "$1/loading" "$1" "$package" >"$1/out" 2>&1
}

# Each row goes into the first shared package that does not yet damage its file; rows of the same
# damage share it.
declare -a batchOf batchFiles
for index in "${!rows[@]}"; do
    file=${rows[$index]%%|*}
    same=
    for earlier in "${!batchOf[@]}"; do
        [[ ${rows[$earlier]%|*|*} == "${rows[$index]%|*|*}" ]] && same=$earlier
    done
    if [ -n "$same" ]; then
        batchOf[$index]=${batchOf[$same]}
        continue
    fi
    batch=0
    # A damaged level list stops the play of every other row: it gets a package of its own.
    [[ $file == *_level_list.plist ]] && batch=$((100 + index))
    while [[ " ${batchFiles[$batch]:-} " == *" $file "* ]]; do
        batch=$((batch + 1))
    done
    batchFiles[$batch]="${batchFiles[$batch]:-} $file"
    batchOf[$index]=$batch
    damage "$index" "$WORK/batch$batch" || {
        echo "FAIL: the edit of $file changed nothing, or the package lacks it"
        failures=$((failures + 1))
    }
done
for batch in "${!batchFiles[@]}"; do
    run_check "$WORK/batch$batch"
done
for index in "${!rows[@]}"; do
    IFS='|' read -r file _ message fault <<<"${rows[$index]}"
    if check_row "$index" "$WORK/batch${batchOf[$index]}" >/dev/null; then
        echo "ok: $message -> $fault"
        continue
    fi
    alone=$WORK/alone$index
    damage "$index" "$alone"
    run_check "$alone"
    if why=$(check_row "$index" "$alone"); then
        echo "ok alone: $message -> $fault"
    else
        echo "FAIL: $file: $why"
        grep -v '^orvale-check:' "$alone/out"
        failures=$((failures + 1))
    fi
done
echo "load_messages: ${#rows[@]} messages, $failures without their checker fault"
[ "$failures" -eq 0 ]
