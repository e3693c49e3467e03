#!/usr/bin/env python3
"""Writes the built package's content hash into the committed replays whose play is unchanged.

A replay names the content hash of the package it was played on, and the game refuses one of
other content. Any change to a property list changes the hash, so after a content change every
committed replay names the old hash and is refused. For each replay this script writes a copy
stamped with the new hash, plays the copy with the runner and compares its result line with
NAME.result (timings aside): the same line means the change did not touch the replay's play, and
the stamped copy replaces it; another line means it plays otherwise now, and it is left as it was
to be re-recorded (see check.sh).

    tests/replay/stamp.py BUILD_DIR [NAME.ovr ...]

Without names it takes every tests/replay/*.ovr. Only the "content" key changes. Exit status 1
when a replay could not be stamped.
"""
import pathlib
import plistlib
import re
import subprocess
import sys

TIMINGS = re.compile(r" (boss_worst_update_us|mean_update_us|worst_update_us)=[^ ]+")


def expected_line(replay):
    result = replay.with_suffix(".result")
    lines = [line for line in result.read_text().splitlines() if not line.startswith("#")]
    return lines[0] if lines else ""


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    sim = pathlib.Path(sys.argv[1]) / "vortalis2-sim"
    here = pathlib.Path(__file__).resolve().parent
    replays = [pathlib.Path(name) for name in sys.argv[2:]] or sorted(here.glob("*.ovr"))
    content = subprocess.run([str(sim), "--content-hash"], check=True, capture_output=True,
                             text=True).stdout.strip()
    if not re.fullmatch(r"[0-9a-f]{16}", content):
        sys.exit(f"stamp.py: {sim} --content-hash gave {content!r}, not a content hash")
    unstamped = []
    for path in replays:
        with open(path, "rb") as file:
            replay = plistlib.load(file)
        was = replay.get("content", "(none)")
        if was == content:
            print(f"{path.name}: already names {content}")
            continue
        replay["content"] = content
        stamped = path.with_name(path.name + ".stamped")
        with open(stamped, "wb") as file:
            plistlib.dump(replay, file, fmt=plistlib.FMT_BINARY, sort_keys=True)
        played = subprocess.run([str(sim), "--replay", str(stamped)], capture_output=True, text=True)
        line = TIMINGS.sub("", played.stdout.strip())
        if played.returncode == 0 and line == expected_line(path):
            stamped.replace(path)
            print(f"{path.name}: stamped {was} -> {content}")
        else:
            stamped.unlink()
            problem = line or played.stderr.strip().splitlines()[-1:]
            print(f"{path.name}: NOT STAMPED, it plays otherwise now: {problem}")
            unstamped.append(path.name)
    if unstamped:
        print("re-record these (see tests/replay/check.sh): " + " ".join(unstamped))
        sys.exit(1)


if __name__ == "__main__":
    main()
