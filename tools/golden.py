#!/usr/bin/env python3
"""Writes the golden simulator outputs that tests/golden_test.cpp compares against.

Each case plays one game with vellmora-sim and stores its whole output (the yearly lines and the
final JSON) with the timing figures left out, as tests/fixtures/golden/<map>/<case>.txt. Run it
only when a change is meant to alter the results, and say so in the commit.

Usage: tools/golden.py [--sim PATH] [--data DIR] [--maps hinode,...]
"""
import argparse
import os
import re
import subprocess
import sys

# (player, difficulty, seed, months) per town; tests/golden_test.cpp holds the same table. The big
# town plays one short game: each of its months costs as much as a small town's game.
CASES = [("greedy", 2, 1, 120), ("passive", 4, 2, 120)]
TOWNS = {"hinode": CASES, "ekimae": CASES, "kawabe": CASES, "oomachi": CASES,
         "shinkawa": [("greedy", 2, 1, 24)]}


def case_name(player, difficulty, seed, months):
    return f"{player}-d{difficulty}-s{seed}-m{months}"


def without_timings(text):
    return re.sub(r'("(?:elapsed_ms|turns_per_second)": )[0-9.]+', r"\1", text)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser.add_argument("--sim", default=os.path.join(root, "build", "release", "vellmora",
                                                      "vellmora-sim"))
    parser.add_argument("--data", default=None)
    parser.add_argument("--maps", default=",".join(TOWNS))
    args = parser.parse_args()
    for map_name in args.maps.split(","):
        folder = os.path.join(root, "tests", "fixtures", "golden", map_name)
        os.makedirs(folder, exist_ok=True)
        for player, difficulty, seed, months in TOWNS[map_name]:
            cmd = [args.sim, "--map", map_name, "--player", player, "--difficulty",
                   str(difficulty), "--seed", str(seed), "--months", str(months)]
            if args.data:
                cmd += ["--data", args.data]
            out = subprocess.run(cmd, capture_output=True, text=True, check=True).stdout
            path = os.path.join(folder, case_name(player, difficulty, seed, months) + ".txt")
            with open(path, "w", encoding="utf-8") as f:
                f.write(without_timings(out))
            print(path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
