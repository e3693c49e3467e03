#!/usr/bin/env python3
"""Damages the property lists of the asset package one kind of damage at a time, repacks the
package and plays the stage that loads the damaged list headless through the sanitizer build of
the runner.

    content_sweep.py RUNNER PACKAGE [--plist-tool ORVALE_PLIST] [--cases N] [--boss-cases N]
                     [--frames N] [--boss-frames N] [--jobs N] [--seed N] [--timeout S] [--keep DIR]

RUNNER is vortalis2-sim-asan (address and undefined-behaviour sanitizers, float casts checked),
PACKAGE the built data.oap. Every property list in the package is damaged in each of these ways:
truncated, bytes flipped, emptied, deleted, wrong types (the top level and the leaves),
dictionary and array swapped, and every number made huge, negative, NaN or infinite. With
--plist-tool (the project's orvale-plist), every list is also written in its binary form by the
project's own writer and played as it is, truncated, with its trailer's counts and offsets made
huge, with its trailer's integer sizes broken, and with bytes flipped. Besides, every numeric key
of the fire patterns takes each extreme value in all patterns at once. (Absurd nesting is the
property-list tests' and the fuzzers'.)

Each case plays the first arcade stage that loads a list it damages (lists no stage names, such
as the level lists, on the first). A stage's bosses are loaded when it starts, but fight only
near its end: a case that damages a boss's lists (the boss file, its sprite list and its modules' sprite lists) plays
--boss-frames frames, enough for the whole stage, and must end (cleared or lost) within them.

--cases N plays an even sample of N of the other cases, --boss-cases N of the bosses' (every
kind of damage is kept); without them, all of them. A case fails when the runner dies by a
signal, runs past its time (a hang), prints a sanitizer report, or, played to the boss, never
ends its stage; a runner that refuses a package with a message and a non-zero status is fine.
Exits 0 only when no case failed; prints the counts by damage and by outcome.
"""

import argparse
import collections
import concurrent.futures
import math
import os
import plistlib
import random
import shutil
import subprocess
import sys
import tempfile
import zipfile

HUGE_INT = 2**31 - 1
EXTREMES = [
    ("zero", 0),
    ("minus_one", -1),
    ("billion", 10**9),
    ("int_max", HUGE_INT),
    ("int_min", -(2**31)),
    ("int64_max", 2**63 - 1),
    ("plus_1e30", 1e30),
    ("minus_1e30", -1e30),
    ("nan", math.nan),
    ("inf", math.inf),
    ("minus_inf", -math.inf),
]
NUMBER_DAMAGE = [
    ("huge_int", lambda v: HUGE_INT),
    ("huge_real", lambda v: 1e30),
    ("negative", lambda v: -v if v else -1),
    ("int_min", lambda v: -(2**31)),
    ("nan", lambda v: math.nan),
    ("inf", lambda v: math.inf),
    ("minus_inf", lambda v: -math.inf),
]
SANITIZER_MARKS = (b"runtime error:", b"AddressSanitizer", b"LeakSanitizer", b"UndefinedBehaviorSanitizer")


def held_lines(log_path, changes):
    """Whether the console names one of the damaged lists in a line that says what it held."""
    names = [name.encode() for name in changes]
    with open(log_path, "rb") as log:
        for line in log.read(64 << 20).splitlines():
            if b"HELD TO" in line and any(name in line for name in names):
                return True
    return False


def is_number(value):
    return isinstance(value, (int, float)) and not isinstance(value, bool)


def map_numbers(value, change):
    if isinstance(value, dict):
        return {k: map_numbers(v, change) for k, v in value.items()}
    if isinstance(value, list):
        return [map_numbers(v, change) for v in value]
    return change(value) if is_number(value) else value


def other_type(value):
    """A value of a different type in the same place."""
    if isinstance(value, bool):
        return 1
    if is_number(value):
        return "12"
    if isinstance(value, str):
        return 7
    if isinstance(value, dict):
        return list(value.values())
    if isinstance(value, list):
        return {str(i): v for i, v in enumerate(value)}
    return "x"


def wrong_leaves(value):
    if isinstance(value, dict):
        return {k: wrong_leaves(v) for k, v in value.items()}
    if isinstance(value, list):
        return [wrong_leaves(v) for v in value]
    return other_type(value)


def xml(value):
    return plistlib.dumps(value, fmt=plistlib.FMT_XML, sort_keys=False)


def binary_damage(binary, rng):
    """(kind, bytes) for a list in its binary form. The trailer is the last 32 bytes: 6 unused,
    the offset and object reference sizes, then the object count, the root object and the
    offset table's place, 8 bytes each."""
    cases = [("binary", binary), ("binary_truncated", binary[: len(binary) // 2])]
    if len(binary) >= 40:
        head, trailer = binary[:-32], bytearray(binary[-32:])
        huge = bytearray(trailer)
        huge[8:32] = b"\x7f" + b"\xff" * 7 + b"\x00" * 7 + b"\x01" + b"\x7f" + b"\xff" * 7
        cases.append(("binary_trailer_huge", head + bytes(huge)))
        sizes = bytearray(trailer)
        sizes[6:8] = bytes([0, 9])
        cases.append(("binary_trailer_sizes", head + bytes(sizes)))
        flipped = bytearray(head)
        for _ in range(4):
            flipped[rng.randrange(8, len(flipped))] ^= 1 << rng.randrange(8)
        cases.append(("binary_flipped", bytes(flipped) + binary[-32:]))
    return cases


def to_binary(tool, name, data, workdir):
    """The list in binary form, written by the project's tool; None when it can't be."""
    source = os.path.join(workdir, "list.plist")
    target = os.path.join(workdir, "list.bplist")
    with open(source, "wb") as out:
        out.write(data)
    done = subprocess.run([tool, "convert", "--binary", source, target],
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if done.returncode != 0:
        print(f"content sweep: {name} has no binary form", flush=True)
        return None
    with open(target, "rb") as result:
        return result.read()


def load_list(members, name):
    try:
        return plistlib.loads(members[name])
    except Exception:
        return None


def strings_in(value):
    if isinstance(value, dict):
        for item in value.values():
            yield from strings_in(item)
    elif isinstance(value, list):
        for item in value:
            yield from strings_in(item)
    elif isinstance(value, str):
        yield value


def arcade_stages(members):
    levels = load_list(members, "assets/plist/arcade_level_list.plist")
    return [name for name in levels if isinstance(name, str)] if isinstance(levels, list) else []


def stage_of_lists(members):
    """The arcade stage (its index) that first loads each list: every list a stage's file names,
    and the lists those name in turn (enemies, fire patterns, bullet types, sprites, effects).
    A damaged list is played on that stage; lists no stage names are played on the first."""
    folders = ["assets/plist/", "assets/plist/enemy/", "assets/plist/bp/", "assets/plist/fp/",
               "assets/plist/particles/"]
    owner = {}
    for index, stage in enumerate(arcade_stages(members)):
        todo = [f"assets/plist/{stage}.plist"]
        seen = set()
        while todo:
            name = todo.pop()
            if name in seen or name not in members:
                continue
            seen.add(name)
            owner.setdefault(name, index)
            for text in strings_in(load_list(members, name)):
                base = text[:-6] if text.endswith(".plist") else text
                todo.extend(folder + base + ".plist" for folder in folders)
    return owner


def boss_lists(members):
    """The lists of every arcade stage's bosses: each boss file and every sprite list it names."""
    def sprites(value):
        if isinstance(value, dict):
            for key, item in value.items():
                if key == "sprite" and isinstance(item, str):
                    yield item
                else:
                    yield from sprites(item)
        elif isinstance(value, list):
            for item in value:
                yield from sprites(item)

    found = set()
    for level in arcade_stages(members):
        stage = load_list(members, f"assets/plist/{level}.plist")
        for key in ("boss", "mid boss"):
            boss = stage.get(key) if isinstance(stage, dict) else None
            if not isinstance(boss, str):
                continue
            found.add(f"assets/plist/{boss}.plist")
            found.update(f"assets/plist/{sprite}.plist"
                         for sprite in sprites(load_list(members, f"assets/plist/{boss}.plist")))
    return {name for name in found if name in members}


def file_damage(name, data, rng):
    """(kind, bytes or None for a deleted file) for one property list."""
    cases = [
        ("truncated_half", data[: len(data) // 2]),
        ("truncated_head", data[:12]),
        ("emptied", b""),
        ("deleted", None),
    ]
    for round_ in range(3):
        flipped = bytearray(data)
        for _ in range(1 + round_ * 4):
            if flipped:
                flipped[rng.randrange(len(flipped))] ^= 1 << rng.randrange(8)
        cases.append((f"flipped_{round_}", bytes(flipped)))
    try:
        value = plistlib.loads(data)
    except Exception:
        return cases
    if isinstance(value, dict):
        cases.append(("wrong_types", xml({k: other_type(v) for k, v in value.items()})))
        cases.append(("swapped", xml(list(value.values()))))
    elif isinstance(value, list):
        cases.append(("wrong_types", xml([other_type(v) for v in value])))
        cases.append(("swapped", xml({str(i): v for i, v in enumerate(value)})))
    cases.append(("wrong_leaves", xml(wrong_leaves(value))))
    for kind, change in NUMBER_DAMAGE:
        cases.append(("numbers_" + kind, xml(map_numbers(value, change))))
    return cases


def build_cases(members, rng, tool, workdir):
    """Every case: (label, kind, {member: bytes or None})."""
    cases = []
    for name, data in members.items():
        if not name.endswith(".plist"):
            continue
        damage = file_damage(name, data, rng)
        binary = to_binary(tool, name, data, workdir) if tool else None
        if binary is not None:
            damage += binary_damage(binary, rng)
        for kind, damaged in damage:
            cases.append((f"{kind}:{name}", kind, {name: damaged}))
    patterns = {}
    for name, data in members.items():
        if "/fp/" in name and name.endswith(".plist"):
            try:
                patterns[name] = plistlib.loads(data)
            except Exception:
                pass
    keys = sorted({k for p in patterns.values() if isinstance(p, dict) for k, v in p.items() if is_number(v)})
    for key in keys:
        for label, extreme in EXTREMES:
            changed = {}
            for name, pattern in patterns.items():
                if isinstance(pattern, dict) and key in pattern:
                    copy = dict(pattern)
                    copy[key] = extreme
                    changed[name] = xml(copy)
            cases.append((f"fire_pattern:{key}={label}", "fire_pattern_" + label, changed))
    return cases


# The files every game opens first (the stage, its waves, the ship and its parts' sprites): a
# sample damages these before the rest.
FIRST_OPENED = ("assets/plist/stage_1.plist", "assets/plist/stage_1_waves.plist",
                "assets/plist/senko_type_a.plist", "assets/plist/spr_senko", "assets/plist/enemy/",
                "assets/plist/fp/", "assets/plist/bp/")


def first_opened(case):
    return any(name.startswith(prefix) for name in case[2] for prefix in FIRST_OPENED)


def sample(cases, count, rng):
    """`count` cases spread evenly over the kinds of damage, the files opened first first."""
    if count >= len(cases):
        return cases
    by_kind = collections.defaultdict(list)
    for case in cases:
        by_kind[case[1]].append(case)
    for group in by_kind.values():
        rng.shuffle(group)
        group.sort(key=first_opened)  # popped from the end
    chosen = []
    while len(chosen) < count:
        for kind in sorted(by_kind):
            if by_kind[kind] and len(chosen) < count:
                chosen.append(by_kind[kind].pop())
    return chosen


def repack(original, changes, target):
    with zipfile.ZipFile(original) as source, zipfile.ZipFile(target, "w", zipfile.ZIP_STORED) as out:
        for info in source.infolist():
            if info.filename in changes:
                if changes[info.filename] is not None:
                    out.writestr(info.filename, changes[info.filename])
            else:
                out.writestr(info, source.read(info.filename))


def sanitizer_report(path):
    with open(path, "rb") as log:
        tail = b""
        while True:
            chunk = log.read(1 << 20)
            if not chunk:
                return None
            window = tail + chunk
            for mark in SANITIZER_MARKS:
                at = window.find(mark)
                if at >= 0:
                    return window[max(0, at - 200): at + 400].decode("latin-1")
            tail = chunk[-64:]


def play(case, workdir, args):
    """Runs one case in its own folder (the runner finds the package beside itself)."""
    label, kind, changes = case
    to_boss = any(name in args.boss_lists for name in changes)
    frames = args.boss_frames if to_boss else args.frames
    stage = min((args.stage_of.get(name, 0) for name in changes), default=0)
    folder = tempfile.mkdtemp(dir=workdir)
    try:
        runner = os.path.join(folder, "vortalis2-sim")
        os.link(args.runner_copy, runner)
        repack(args.package, changes, os.path.join(folder, "data.oap"))
        log_path = os.path.join(folder, "console.log")
        env = dict(os.environ)
        env["ASAN_OPTIONS"] = "detect_leaks=1:abort_on_error=0:halt_on_error=1"
        env["UBSAN_OPTIONS"] = "print_stacktrace=1:halt_on_error=1"
        env["HOME"] = folder
        env["XDG_DATA_HOME"] = folder
        with open(log_path, "wb") as log:
            try:
                done = subprocess.run(
                    [runner, "--autopilot", "--seed", "3", "--stage", str(stage), "--max-frames", str(frames)],
                    stdout=subprocess.PIPE, stderr=log, timeout=args.timeout, cwd=folder)
                status, result = done.returncode, done.stdout.decode("latin-1").strip()
            except subprocess.TimeoutExpired:
                status, result = None, ""
        report = sanitizer_report(log_path)
        size = os.path.getsize(log_path)
        if status is None:
            outcome = "hang"
        elif report:
            outcome = "sanitizer"
        elif status < 0:
            outcome = "signal"
        elif size > 64 << 20:
            outcome = "console_flood"
        elif status != 0:
            outcome = "refused"
        else:
            outcome = result.split(" ")[0] if result.startswith("result=") else "no_result"
            if to_boss and outcome == "result=timeout":
                # The stage ends well within the boss's frames, unless the game held a damaged
                # time or count of a list the case damaged and said so: a boss whose every time
                # is held to the longest a stage takes fights for that long, with its lines.
                outcome = "held_and_reported" if held_lines(log_path, changes) else "never_ended"
        failed = outcome in ("hang", "sanitizer", "signal", "console_flood", "no_result", "never_ended")
        if failed and args.keep:
            keep = os.path.join(args.keep, label.replace("/", "_").replace(":", "_"))
            os.makedirs(keep, exist_ok=True)
            shutil.copy(os.path.join(folder, "data.oap"), keep)
            with open(log_path, "rb") as log, open(os.path.join(keep, "console.log"), "wb") as out:
                out.write(log.read(1 << 20))
        detail = report or f"status {status}"
        return label, kind, outcome, failed, detail
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("runner")
    parser.add_argument("package")
    parser.add_argument("--plist-tool", default="")
    parser.add_argument("--cases", type=int, default=0)
    parser.add_argument("--boss-cases", type=int, default=0)
    parser.add_argument("--frames", type=int, default=240)
    parser.add_argument("--boss-frames", type=int, default=40000)
    parser.add_argument("--timeout", type=float, default=120.0)
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--seed", type=int, default=12)
    parser.add_argument("--keep", default="")
    args = parser.parse_args()

    with zipfile.ZipFile(args.package) as package:
        members = {i.filename: package.read(i.filename) for i in package.infolist()}
    rng = random.Random(args.seed)
    args.boss_lists = boss_lists(members)
    args.stage_of = stage_of_lists(members)
    workdir = tempfile.mkdtemp(prefix="content-sweep-")
    try:
        cases = build_cases(members, rng, args.plist_tool, workdir)
        total = len(cases)
        to_boss = [c for c in cases if any(name in args.boss_lists for name in c[2])]
        others = [c for c in cases if not any(name in args.boss_lists for name in c[2])]
        if args.cases:
            others = sample(others, args.cases, rng)
        if args.boss_cases:
            to_boss = sample(to_boss, args.boss_cases, rng)
        cases = to_boss + others  # the long ones first, so they overlap the short ones
        print(f"content sweep: {len(cases)} of {total} damaged packages, {len(others)} played "
              f"{args.frames} frames, {len(to_boss)} to the boss ({args.boss_frames} frames at most)", flush=True)
        args.runner_copy = os.path.join(workdir, "runner")
        shutil.copy(args.runner, args.runner_copy)
        outcomes = collections.Counter()
        kinds = collections.Counter()
        failures = []
        with concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs) as pool:
            for label, kind, outcome, failed, detail in pool.map(lambda c: play(c, workdir, args), cases):
                outcomes[outcome] += 1
                kinds[kind] += 1
                print(f"{sum(outcomes.values())}/{len(cases)} {label}: {outcome}", flush=True)
                if failed:
                    failures.append((label, outcome, detail))
                    print(f"FAILED {label}: {outcome}\n{detail}", flush=True)
    finally:
        shutil.rmtree(workdir, ignore_errors=True)

    print("by damage: " + ", ".join(f"{k}={n}" for k, n in sorted(kinds.items())))
    print("by outcome: " + ", ".join(f"{k}={n}" for k, n in sorted(outcomes.items())))
    refused = outcomes["refused"]
    held = outcomes["held_and_reported"]
    print(f"content sweep: {len(cases)} packages, {len(cases) - refused - held - len(failures)} played to their end, "
          f"{refused} refused with a message, {held} held a time with a message and played on, "
          f"{len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
