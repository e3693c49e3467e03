#!/usr/bin/env bash
# Plays the whole arcade list headless as one game on easy: each stage the game reached has its
# line, named after its list in the list's order, every line but the last is a clear, the last
# is a clear or a game over (the game ran to its end), and the game's line counts the clears. Boss rush does the same over its own list.
# Started at the fifth stage, hard plays the hidden stage and normal the fifth.
set -u
SIM=${1:?usage: sim_arcade.sh PATH_TO_vortalis2-sim PACKAGE_LIST_DIR}
LISTS=${2:?usage: sim_arcade.sh PATH_TO_vortalis2-sim PACKAGE_LIST_DIR}
fail() { echo "FAIL: $*"; exit 1; }
names_of() { sed -nE 's|.*<string>([^<]+)</string>.*|\1|p' "$1"; }
check_game() {
    local mode=$1 list=$2 out
    out=$("$SIM" --autopilot "--$mode" --difficulty easy --seed 1 2>/dev/null) || fail "$mode: the runner failed"
    echo "$out"
    local stages game cleared clears expected
    stages=$(echo "$out" | grep '^result=' | sed -nE 's/.* stage=([^ ]+).*/\1/p')
    game=$(echo "$out" | grep "^game=${mode/-/_} ") || fail "$mode: no line for the game"
    expected=$(names_of "$list" | head -n "$(echo "$stages" | wc -l)")
    [ "$stages" = "$expected" ] || fail "$mode: stages played: $(echo $stages), the list begins: $(echo $expected)"
    clears=$(echo "$out" | grep -c '^result=clear ')
    cleared=$(echo "$game" | sed -nE 's/.* stages_cleared=([0-9]+).*/\1/p')
    [ "$cleared" = "$clears" ] || fail "$mode: the game says $cleared stages cleared, the lines $clears"
    if echo "$out" | grep '^result=' | head -n -1 | grep -qv '^result=clear '; then
        fail "$mode: a stage before the last did not clear, yet the game went on"
    fi
    echo "$out" | grep '^result=' | tail -n 1 | grep -qE '^result=(clear|gameover) ' ||
        fail "$mode: the game did not come to its end"
    echo "$game" | grep -q ' true_route=0 ' || fail "$mode: easy never takes the hidden route: $game"
}
check_game arcade "$LISTS/arcade_level_list.plist"
check_game boss-rush "$LISTS/boss_rush_level_list.plist"
# From the fifth stage with no continue used: hard takes the hidden route, normal the campaign's.
for route in "hard gd_stage_5_true 1" "normal stage_5 0"; do
    read -r difficulty stage flag <<<"$route"
    out=$("$SIM" --autopilot --arcade --from 4 --difficulty "$difficulty" --seed 1 2>/dev/null) ||
        fail "--from 4 on $difficulty: the runner failed"
    echo "$out" | grep '^result=' | head -n 1 | grep -q " stage=$stage " ||
        fail "--from 4 on $difficulty did not play $stage: $out"
    echo "$out" | grep -q "^game=arcade .* true_route=$flag " || fail "--from 4 on $difficulty: $out"
done
echo "sim: whole games play on from stage to stage"
