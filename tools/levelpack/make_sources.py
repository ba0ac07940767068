#!/usr/bin/env python3
"""Writes the first sources of the built-in levels into data/levels/.

Run once to start the level set; the files are then edited by hand and
committed, and the build packs them with levelpack. Every level is a walk
from the entrance tube to the exit tube over a few obstacles: steps down,
ladders up onto a ledge, crates to push into a gap, bridges over a pit,
power-ups to pick up and, in tutorial levels, tutorial markers with hints.
The choices come from a fixed seed per level, so a rerun writes the same
files.

    python3 tools/levelpack/make_sources.py [output folder]
"""
import os
import random
import sys

WIDTH, HEIGHT = 32, 24

SETS = [("reg", 111), ("adv", 50), ("kid", 81)]
TUTORIAL_LEVELS = {1, 3, 5, 7, 9, 11, 14, 16, 18, 20, 22, 24, 28, 30, 32, 35, 38, 42, 45, 48, 51, 55, 67,
                   75, 81, 90}

ADJECTIVES = ["Copper", "Mossy", "Windy", "Quiet", "Crooked", "Sunny", "Misty", "Rusty", "Golden",
              "Hidden", "Muddy", "Frosty", "Humming", "Lonely", "Tangled", "Sleepy", "Rattling",
              "Velvet", "Bramble", "Amber", "Silver", "Drowsy", "Clattering", "Grassy"]
NOUNS = ["Meadow", "Workshop", "Orchard", "Lantern", "Hollow", "Bridge", "Garden", "Cellar", "Ridge",
         "Greenhouse", "Chimney", "Ladder", "Crossing", "Pantry", "Attic", "Terrace", "Burrow",
         "Boathouse", "Mill", "Gallery", "Stairway", "Courtyard"]

HINTS = {
    "walk": ["Walk with the left and right arrow keys.",
             "The exit tube waits at the far end.%nWalk there to finish the level."],
    "crate": ["Push the crate into the gap,%nthen walk across it.",
              "A crate that drops into a hole%nmakes a fine stepping stone."],
    "ladder": ["Stand at a ladder and press up to climb.",
               "Ledges too high to walk onto%ncan be reached by ladder."],
    "bridge": ["Bridges carry the Professor%nsafely over a pit."],
    "drop": ["Walk off a ledge to drop down.%nMind you cannot walk back up!"],
    "powerup": ["Walk over a power-up to collect it.%nIts icon appears at the top."],
    "undo": ["Made a mistake? The undo key takes%nback your last steps."],
}


class Level:
    def __init__(self):
        self.grid = [["."] * WIDTH for _ in range(HEIGHT)]
        self.ladders = []      # (x, top, height)
        self.frozen = []       # (x, y)
        self.teleports = []    # (colour, x, y)
        self.tutorials = []    # (x, y, text)
        self.floors = []       # every floor row the path uses

    def put(self, x, y, ch):
        assert 0 <= x < WIDTH and 0 <= y < HEIGHT, (x, y)
        self.grid[y][x] = ch

    def floor(self, x0, x1, y, ch):
        for x in range(x0, x1 + 1):
            self.put(x, y, ch)


def ground(rng):
    return ":" if rng.random() < 0.2 else "#"


def hint(rng, topic):
    return rng.choice(HINTS[topic])


def build(rng, kind, tutorial):
    lv = Level()
    f = rng.randint(15, 20)
    lv.floors.append(f)
    lv.floor(0, 3, f, "#")
    lv.put(1, f - 1, "@")
    if tutorial:
        lv.put(3, f - 1, "?")
        lv.tutorials.append((3, f - 1, hint(rng, "walk")))
    x = 4

    if kind == "kid":
        choices = ["flat", "flat", "bridge", "drop", "powerup"]
    elif kind == "adv":
        choices = ["flat", "crate", "crate", "climb", "climb", "bridge", "drop", "powerup"]
    else:
        choices = ["flat", "crate", "climb", "bridge", "drop", "powerup"]

    used_tutorial_topics = set()
    while x <= 24:
        before = f
        seg = rng.choice(choices)
        g = ground(rng)
        if seg == "drop" and f + 2 <= 21:
            d = rng.randint(1, 2)
            f += d
            lv.floor(x, x + 2, f, g)
            topic = "drop"
            width = 3
        elif seg == "climb" and f - 3 >= 7:
            h = rng.randint(2, 3)
            nf = f - h
            lv.put(x, f, g)
            lv.ladders.append((x, nf - 1, h + 1))
            for y in range(nf, f + 1):
                lv.floor(x + 1, x + 3, y, g)
            f = nf
            topic = "ladder"
            width = 4
        elif seg == "crate" and f + 1 <= 22:
            lv.floor(x, x + 1, f, g)
            lv.put(x + 2, f + 1, "#")
            lv.floor(x + 3, x + 4, f, g)
            lv.put(x + 1, f - 1, rng.choice("cC"))
            topic = "crate"
            width = 5
        elif seg == "bridge":
            n = rng.randint(2, 4)
            lv.floor(x, x + n - 1, f, "=")
            lv.floor(x + n, x + n, f, g)
            topic = "bridge"
            width = n + 1
        elif seg == "powerup":
            lv.floor(x, x + 2, f, g)
            lv.put(x + 1, f - 1, rng.choice("12345678"))
            topic = "powerup"
            width = 3
        else:
            n = rng.randint(2, 4)
            lv.floor(x, x + n - 1, f, g)
            topic = "undo"
            width = n
        lv.floors.append(f)

        # Tutorial markers go on the walk just before the obstacle they explain.
        if tutorial and topic not in used_tutorial_topics and len(lv.tutorials) < 3:
            tx = x - 1
            if lv.grid[before - 1][tx] == "." and lv.grid[before][tx] != "." and tx > 1:
                lv.put(tx, before - 1, "?")
                lv.tutorials.append((tx, before - 1, hint(rng, topic)))
                used_tutorial_topics.add(topic)
        x += width

    g = ground(rng)
    lv.floor(x, WIDTH - 1, f, g)
    lv.put(min(x + 2, WIDTH - 2), f - 1, "$")

    decorate(rng, lv, kind)
    return lv


def decorate(rng, lv, kind):
    """Scenery above the path: a frozen crate on a floating ledge, and in the
    advanced set sometimes a teleport pair on two small ledges."""
    top = min(lv.floors)
    row = top - 4
    if row < 2:
        return
    taken = set()
    if rng.random() < 0.35:
        cx = rng.randint(6, 24)
        lv.floor(cx, cx + 2, row, "#")
        lv.put(cx + 1, row - 1, rng.choice("cC"))
        lv.frozen.append((cx + 1, row - 1))
        taken.update(range(cx - 1, cx + 4))
    if kind == "adv" and rng.random() < 0.3:
        a, b = rng.randint(2, 8), rng.randint(20, 27)
        if taken.intersection(range(a - 1, a + 3)) or taken.intersection(range(b - 1, b + 3)):
            return
        for tx in (a, b):
            lv.floor(tx, tx + 1, row, "#")
            lv.teleports.append(("blue", tx, row - 1))


def headings():
    names = [a + " " + n for a in ADJECTIVES for n in NOUNS]
    names = ["The " + n if len(n) < 28 else n for n in names]
    random.Random(8).shuffle(names)
    return names


def write(folder, name, heading, background, lv):
    lines = ["# Built-in level " + name, "heading " + heading, "background %d" % background, "map"]
    lines += ["".join(row) for row in lv.grid]
    for x, top, height in lv.ladders:
        lines.append("ladder %d %d %d" % (x, top, height))
    for colour, x, y in lv.teleports:
        lines.append("teleport %s %d %d" % (colour, x, y))
    for x, y in lv.frozen:
        lines.append("frozen %d %d" % (x, y))
    for x, y, text in lv.tutorials:
        lines.append("tutorial %d %d %s" % (x, y, text))
    with open(os.path.join(folder, name + ".txt"), "w") as out:
        out.write("\n".join(lines) + "\n")


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), "..", "..", "data", "levels")
    os.makedirs(folder, exist_ok=True)
    titles = headings()
    t = 0
    for set_index, (prefix, count) in enumerate(SETS):
        for i in range(count):
            name = "%s%03d" % (prefix, i + 1)
            rng = random.Random(name)
            tutorial = prefix == "reg" and i in TUTORIAL_LEVELS
            lv = build(rng, prefix, tutorial)
            write(folder, name, titles[t], (i * 3 + set_index) % 8, lv)
            t += 1


if __name__ == "__main__":
    main()
