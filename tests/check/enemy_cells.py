#!/usr/bin/env python3
"""Every cell an enemy list names lies inside the enemy atlas of each stage that can show it, and
is drawn there (not a clear cell).

A stage shows the enemies its list, its waves and its bosses name, and those that these enemies
name in turn (the pylon a guardian is shielded by, the shards a rock splits into). An enemy's
"atlas frame" and "flicker frame" (and a module's "frame") cover a block of "unit width" x
"unit height" cells from that frame; "shield frame" and "blink marker frame" one cell.

usage: enemy_cells.py ASSETS TEXTURES   (the source assets folder, the built textures' folder)
"""
import os
import plistlib
import subprocess
import sys

BLOCK_KEYS = ("atlas frame", "flicker frame", "frame")
CELL_KEYS = ("shield frame", "blink marker frame")


def load_list(assets, name):
    with open(os.path.join(assets, "plist", name + ".plist"), "rb") as handle:
        return plistlib.load(handle)


def strings_in(value):
    if isinstance(value, str):
        yield value
    elif isinstance(value, dict):
        for key, item in value.items():
            yield key
            yield from strings_in(item)
    elif isinstance(value, list):
        for item in value:
            yield from strings_in(item)


def enemies_of_stage(assets, stage):
    """The enemy lists a stage can show: reached from its list through its waves, bosses and enemies."""
    enemies, seen, todo = set(), set(), [stage]
    while todo:
        name = todo.pop()
        if name in seen:
            continue
        seen.add(name)
        for text in strings_in(load_list(assets, name)):
            for word in text.split():
                if os.path.exists(os.path.join(assets, "plist", "enemy", word + ".plist")):
                    enemies.add(word)
                    todo.append("enemy/" + word)
                elif word.startswith(("stage_", "boss_")) and os.path.exists(
                    os.path.join(assets, "plist", word + ".plist")
                ):
                    todo.append(word)
    return enemies


class Atlas:
    def __init__(self, assets, textures, name):
        grid = load_list(assets, name)
        self.name = name
        self.columns, self.rows = grid["numColumns"], grid["numRows"]
        path = os.path.join(textures, grid["textureFileName"])
        size = subprocess.check_output(["identify", "-format", "%w %h", path]).split()
        self.width, self.height = int(size[0]), int(size[1])
        self.alpha = subprocess.check_output(["convert", path, "-depth", "8", "rgba:-"])[3::4]
        self.cell_width, self.cell_height = self.width // self.columns, self.height // self.rows
        self.drawn = {}

    def cell_drawn(self, column, row):
        key = (column, row)
        if key not in self.drawn:
            left, top = column * self.cell_width, row * self.cell_height
            self.drawn[key] = any(
                max(self.alpha[(top + y) * self.width + left : (top + y) * self.width + left + self.cell_width])
                for y in range(self.cell_height)
            )
        return self.drawn[key]

    def fault(self, frame, width, height):
        """What is wrong with the block of cells from `frame`, or None."""
        column, row = frame % self.columns, frame // self.columns
        if frame < 0 or column + width > self.columns or row + height > self.rows:
            return "runs outside the %d x %d grid" % (self.columns, self.rows)
        clear = [
            column + x + (row + y) * self.columns
            for y in range(height)
            for x in range(width)
            if not self.cell_drawn(column + x, row + y)
        ]
        return "cell %s is clear" % clear if clear else None


def frames_in(entry, where=""):
    """(place, key, frame, width, height) for every cell a list names, nested dictionaries included."""
    width, height = int(entry.get("unit width", 1)), int(entry.get("unit height", 1))
    for key in BLOCK_KEYS + CELL_KEYS:
        if isinstance(entry.get(key), int):
            block = key in BLOCK_KEYS
            yield where, key, entry[key], width if block else 1, height if block else 1
    for key, item in entry.items():
        if isinstance(item, dict):
            yield from frames_in(item, where + '"%s" > ' % key)


def main():
    assets, textures = sys.argv[1], sys.argv[2]
    stages = sorted(
        name[:-6]
        for name in os.listdir(os.path.join(assets, "plist"))
        if name.endswith(".plist") and "enemy atlas" in load_list(assets, name[:-6])
    )
    atlases, faults, checked = {}, [], 0
    for stage in stages:
        atlas_name = load_list(assets, stage)["enemy atlas"]
        if atlas_name not in atlases:
            atlases[atlas_name] = Atlas(assets, textures, atlas_name)
        atlas = atlases[atlas_name]
        for enemy in sorted(enemies_of_stage(assets, stage)):
            for where, key, frame, width, height in frames_in(load_list(assets, "enemy/" + enemy)):
                checked += 1
                fault = atlas.fault(frame, width, height)
                if fault:
                    faults.append('%s in %s: enemy/%s: %s"%s" %d %s' % (atlas_name, stage, enemy, where, key, frame, fault))
    for fault in faults:
        print("FAULT: " + fault)
    print("enemy_cells: %d stages, %d cells named, %d faults" % (len(stages), checked, len(faults)))
    if not stages or not checked:
        print("FAULT: no stage or no enemy cell found")
        return 1
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
