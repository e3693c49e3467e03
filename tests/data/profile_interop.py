#!/usr/bin/env python3
"""The game's profile against Python's plistlib, another reader and writer of the format.

    profile_interop.py check PATH          PATH, written by the game, has every key with its type
    profile_interop.py write PATH FORMAT   rewrites PATH with plistlib (binary or xml), changed
"""
import math
import plistlib
import sys

INT64_KEYS = {"high score"} | {
    f"{mode} score {d}" for mode in ("boss", "arcade", "classic") for d in ("easy", "med", "hard", "extreme")
} | {f"score {t} {i} {j}" for t in "ABC" for i in range(10) for j in range(4)}
FLOAT_KEYS = {"music volume", "sfx volume", "touch sensitivity", "screen scale", "buffer scale", "prize alpha",
              "background dimming", "pad dead zone"}
BOOL_KEYS = {"pc version", "auto trance", "left control", "show tutorial", "use shoot upgrades",
             "control screen mode", "trance warning", "bullet contrast", "hitbox marker", "hidden stage reached",
             "pad stick moves", "rumble", "rumble in replays", "low latency"} | {
    f"true route cleared {d}" for d in ("easy", "med", "hard", "extreme")}
NUM_BEAT = [f"num beat {d} {s}" for s in ("casual", "normal") for d in ("easy", "med", "hard", "extreme")]
INT_KEYS = {"tokens", "weapon", "missiles", "options", "bombs", "lives", "continues", "times played casual",
            "times played", "graphic setting", "level", "exp to level", "upgrade points", "aspect ratio",
            "background mode", "screen orientation"} | set(NUM_BEAT) | {
    f"{name} s {stage}" for name in NUM_BEAT for stage in range(10)} | {f"ctrl {i}" for i in range(8)} | {
    f"{mode} reach {d}" for mode in ("boss", "arcade", "classic") for d in ("easy", "med", "hard", "extreme")}
STRING_KEYS = {"game version"}


def check(path):
    with open(path, "rb") as file:
        assert file.read(8) == b"bplist00", "not a binary property list"
    with open(path, "rb") as file:
        profile = plistlib.load(file)
    expected = INT64_KEYS | FLOAT_KEYS | BOOL_KEYS | INT_KEYS | STRING_KEYS | {"attacks"}
    assert set(profile) == expected, f"keys differ: {sorted(set(profile) ^ expected)}"
    for key in INT64_KEYS | INT_KEYS:
        assert type(profile[key]) is int, f"{key}: {profile[key]!r}"
    for key in FLOAT_KEYS:
        assert type(profile[key]) is float, f"{key}: {profile[key]!r}"
    for key in BOOL_KEYS:
        assert type(profile[key]) is bool, f"{key}: {profile[key]!r}"
    for key in STRING_KEYS:
        assert type(profile[key]) is str, f"{key}: {profile[key]!r}"
    # The values the test set.
    assert profile["pc version"] is True
    assert profile["high score"] == 9876543210
    assert profile["score B 3 2"] == 10000000000 + 303
    assert profile["arcade score extreme"] == 5000000003
    assert profile["num beat hard normal"] == 52
    assert profile["num beat med casual s 4"] == 1
    assert profile["show tutorial"] is False and profile["control screen mode"] is True
    assert math.isclose(profile["sfx volume"], 0.75) and math.isclose(profile["prize alpha"], 0.4, rel_tol=1e-6)
    assert profile["ctrl 7"] == 27 and profile["level"] == 6
    assert profile["attacks"][1] == {"boss": "boss_vortalis", "phase": 7, "name": "INTO THE VORTEX", "stage": 5,
                                     "tries": [0, 0, 3, 9], "captures": [0, 0, 0, 2],
                                     "best ms": [0, 0, 0, 61234]}, profile["attacks"]


def write(path, form):
    with open(path, "rb") as file:
        profile = plistlib.load(file)
    profile.update({"lives": 3, "high score": 12345678901234, "music volume": 0.125, "show tutorial": False,
                    "score B 4 2": 4200000000, "num beat extreme normal s 9": 1, "ctrl 3": 27})
    profile["attacks"][1]["best ms"][3] = 59000
    with open(path, "wb") as file:
        plistlib.dump(profile, file, fmt=plistlib.FMT_BINARY if form == "binary" else plistlib.FMT_XML)


if __name__ == "__main__":
    try:
        if sys.argv[1] == "check":
            check(sys.argv[2])
        else:
            write(sys.argv[2], sys.argv[3])
    except AssertionError as failure:
        print("profile_interop:", failure)
        sys.exit(1)
