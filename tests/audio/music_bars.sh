#!/usr/bin/env bash
# The later stages' music, as the build rendered it, against the bars every track is held to:
# loudness and peak, length, stereo, how little it repeats itself, a loop that comes back to a
# full section rather than a quiet intro, and a boss track faster than its stage's track.
# usage: music_bars.sh ORVALE_AUDIOGEN AUDIO_DIR TRACK_SOURCE_DIR
set -u
audiogen=$1 audio=$2 sources=$3
faults=0

tempo_of() { awk '$1 == "tempo" { print $2 }' "$sources/$1.track"; }
value_of() { sed -n "s/.*\\b$2=\\([-0-9.]*\\).*/\\1/p" <<<"$1"; }
# check TRACK WHAT AWK_CONDITION: the condition sees the measured values by their names.
check() {
    if ! awk -v lufs="$lufs" -v peak="$peak" -v seconds="$seconds" -v corr="$corr" -v repeats="$repeats" \
        -v opening="$opening" "BEGIN { exit !($3) }"; then
        echo "FAIL $1: $2 ($line)"
        faults=$((faults + 1))
    fi
}

for stage in 2 3 4 5 5_true; do
    for kind in stage boss; do
        track=${kind}_$stage
        line=$("$audiogen" measure "$audio/$track.ogg" --tempo "$(tempo_of "$track")") || {
            echo "FAIL $track: cannot measure $audio/$track.ogg"
            faults=$((faults + 1))
            continue
        }
        echo "$track: $line"
        lufs=$(value_of "$line" lufs) peak=$(value_of "$line" peak_dbfs) seconds=$(value_of "$line" seconds)
        corr=$(value_of "$line" lr_correlation) repeats=$(value_of "$line" repeat_windows)
        opening=$(value_of "$line" opening_lufs)
        check "$track" "loudness -16 LUFS +-1" 'lufs >= -17 && lufs <= -15'
        check "$track" "peak at most -1 dBFS" 'peak <= -1'
        if [ "$kind" = stage ]; then
            check "$track" "a stage track runs 150-240 s" 'seconds >= 150 && seconds <= 240'
        else
            check "$track" "a boss track runs at least 90 s" 'seconds >= 90'
        fi
        check "$track" "left and right well apart" 'corr < 0.97'
        check "$track" "at most one 4-bar window in four repeats" 'repeats <= 0.25'
        check "$track" "the loop comes back to a full section" 'opening >= lufs - 3'
    done
    if [ "$(tempo_of boss_$stage)" -le "$(tempo_of stage_$stage)" ]; then
        echo "FAIL boss_$stage: no faster than stage_$stage"
        faults=$((faults + 1))
    fi
done
echo "$faults faults"
[ "$faults" -eq 0 ]
