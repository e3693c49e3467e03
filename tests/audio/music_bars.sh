#!/usr/bin/env bash
# Every music track, as the build rendered it, against the bars it is held to: loudness and true
# peak, length by kind, stereo, loudness range of the looped body, how little it repeats itself,
# an intro that plays once and a body that starts on a full section, a menu track at full level
# once the menus' fade-in is over, a boss track faster than its stage's track, and the first
# stage's opening section heard over the player's steady shot.
# usage: music_bars.sh ORVALE_AUDIOGEN AUDIO_DIR TRACK_SOURCE_DIR
set -u
audiogen=$1 audio=$2 sources=$3
faults=0

tempo_of() { awk '$1 == "tempo" { print $2; exit }' "$sources/$1.track"; }
value_of() { sed -n "s/.*\\b$2=\\([-0-9.]*\\).*/\\1/p" <<<"$1"; }
fail() {
    echo "FAIL $1"
    faults=$((faults + 1))
}
# check TRACK WHAT AWK_CONDITION: the condition sees the measured values by their names.
check() {
    if ! awk -v lufs="$lufs" -v tpeak="$tpeak" -v seconds="$seconds" -v corr="$corr" -v repeats="$repeats" \
        -v opening="$opening" -v intro="$intro" -v lra="$lra" -v after3="$after3" -v tempo="$tempo" \
        "BEGIN { exit !($3) }"; then
        fail "$1: $2"
    fi
}

for track in "mastering - menu" stage_{1,2,3,4,5,5_true} boss_{1,2,3,4,5,5_true}; do
    tempo=$(tempo_of "$track")
    line=$("$audiogen" measure "$audio/$track.ogg" --tempo "${tempo:-120}") || {
        fail "$track: cannot measure $audio/$track.ogg"
        continue
    }
    echo "$track: $line"
    lufs=$(value_of "$line" lufs) tpeak=$(value_of "$line" true_peak_dbfs) seconds=$(value_of "$line" seconds)
    corr=$(value_of "$line" lr_correlation) repeats=$(value_of "$line" repeat_windows)
    opening=$(value_of "$line" opening_lufs) intro=$(value_of "$line" loop_start_seconds)
    lra=$(value_of "$line" lra_body) after3=$(value_of "$line" after_3s_lufs)
    check "$track" "loudness -16 LUFS +-1" 'lufs >= -17 && lufs <= -15'
    check "$track" "true peak at most -1 dBFS" 'tpeak <= -1'
    check "$track" "left and right apart (correlation below 0.9)" 'corr < 0.9'
    check "$track" "the looped body's loudness range at most 8 LU" 'lra <= 8'
    check "$track" "at most one 4-bar window in four repeats an earlier one" 'repeats <= 0.25'
    check "$track" "the body opens on a full section (its first 4 bars within 3 LU)" \
        'opening >= lufs - 3 && opening <= lufs + 3'
    case $track in
    stage_*)
        check "$track" "a stage track runs 150-240 s" 'seconds >= 150 && seconds <= 240'
        # A bar is 4 beats at the source's tempo.
        check "$track" "an intro of 1-4 bars" 'intro * tempo / 240 >= 0.95 && intro * tempo / 240 <= 4.05'
        ;;
    boss_*)
        check "$track" "a boss track runs at least 90 s" 'seconds >= 90'
        check "$track" "an intro of 1-4 bars" 'intro * tempo / 240 >= 0.95 && intro * tempo / 240 <= 4.05'
        ;;
    *)
        check "$track" "a menu track runs at least 60 s" 'seconds >= 60'
        check "$track" "an intro" 'intro > 0'
        # The menus fade the music in over 2 s: from 3 s on it must be at its full level.
        check "$track" "at full level 3 s in" 'after3 >= lufs - 3'
        ;;
    esac
done

for stage in 1 2 3 4 5 5_true; do
    if [ "$(tempo_of "boss_$stage")" -le "$(tempo_of "stage_$stage")" ]; then
        fail "boss_$stage: no faster than stage_$stage"
    fi
done

# The first stage's body opens on its section A, the one the shot is measured over.
awk '$1 == "song" { split($0, parts, "|"); split(parts[2], body, " "); exit !(body[1] == "A") }' \
    "$sources/stage_1.track" || fail "stage_1: its looped body does not open on section A"

# The player's shot every 70 ms over the first stage's A section (the first 16 s of its body),
# at the game's relative gain (effects at 0.5 x 0.5 against the music at 0.5: -6 dB).
masking=$("$audiogen" masking "$audio/stage_1.ogg" "$audio/bullet_shoot_1.caf" --seconds 16) ||
    fail "stage_1: cannot measure the shot over it"
echo "stage_1 with the shot: $masking"
margin=$(value_of "$masking" margin_db)
awk -v margin="${margin:--999}" 'BEGIN { exit !(margin >= 6) }' ||
    fail "stage_1: the music's 1-2 kHz band less than 6 dB above the shot's ($masking)"

echo "$faults faults"
[ "$faults" -eq 0 ]
