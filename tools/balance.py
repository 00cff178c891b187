#!/usr/bin/env python3
"""Measures the game balance of the shipped content with vellmora-sim (standard library only).

Checks, over N seeds per map and difficulty:
  1. passive player: every active computer company builds in its first month, and no game is won
     within 10 years in at least N-1 of N seeds per map;
  2. passive player: after 5 years every computer company still in the game holds 2 to 60 shops;
  3. greedy player on the starter map, 30 years: win rate at difficulty 4 >= 60 %, at
     difficulty 0 below that, at difficulty 2 between them (equal to one allowed); difficulties
     1 and 3 are shown for information;
  4. no firm's cash reaches 1,000,000,000 in absolute value in any run.

Usage: tools/balance.py [--sim PATH] [--data DIR] [--seeds 20] [--first-seed 1] [--jobs 2]
                        [--maps hinode,ekimae,kawabe,oomachi,shinkawa] [--starter hinode]
Prints one table and exits 0 when every check holds, 1 otherwise.
"""
import argparse
import json
import os
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

CASH_LIMIT = 1_000_000_000


def run_sim(sim, data, map_name, player, difficulty, months, seeds, first_seed):
    """Runs `seeds` games in one process; returns a list of games, each a dict with the final
    JSON result and the yearly snapshots {date: [(shops, withdrawn) per firm]}."""
    cmd = [sim, "--map", map_name, "--player", player, "--difficulty", str(difficulty),
           "--months", str(months), "--games", str(seeds), "--seed", str(first_seed)]
    if data:
        cmd += ["--data", data]
    out = subprocess.run(cmd, capture_output=True, text=True, check=True).stdout
    games, years = [], {}
    for line in out.splitlines():
        if line.startswith("date="):
            date = int(line.split()[0][5:])
            firms = []
            for part in line.split("firm")[1:]:
                fields = dict(kv.split("=") for kv in part.split("[", 1)[1].rstrip("] ").split())
                firms.append((int(fields["shops"]), fields["withdrawn"] == "1"))
            years[date] = firms
        elif line.startswith("{") and '"map"' in line:
            result = json.loads(line)
            result["years"] = years
            games.append(result)
            years = {}
    if len(games) != seeds:
        raise RuntimeError(f"{' '.join(cmd)}: expected {seeds} games, got {len(games)}")
    return games


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--sim", default=None)
    parser.add_argument("--data", default=None)
    parser.add_argument("--seeds", type=int, default=20)
    parser.add_argument("--first-seed", type=int, default=1)
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--maps", default="hinode,ekimae,kawabe,oomachi,shinkawa")
    parser.add_argument("--starter", default="hinode")
    parser.add_argument("--passive-difficulties", default="0,2,4")
    args = parser.parse_args()

    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    sim = args.sim or os.path.join(root, "build", "release", "vellmora", "vellmora-sim")
    maps = args.maps.split(",")
    diffs = [int(d) for d in args.passive_difficulties.split(",")]
    n = args.seeds

    jobs = {}
    with ThreadPoolExecutor(max_workers=args.jobs) as pool:
        for m in maps:
            for d in diffs:
                jobs[("first", m, d)] = pool.submit(run_sim, sim, args.data, m, "passive", d, 1,
                                                    n, args.first_seed)
                jobs[("passive", m, d)] = pool.submit(run_sim, sim, args.data, m, "passive", d,
                                                      120, n, args.first_seed)
        for d in range(5):
            jobs[("greedy", args.starter, d)] = pool.submit(run_sim, sim, args.data, args.starter,
                                                            "greedy", d, 360, n, args.first_seed)
        results = {key: job.result() for key, job in jobs.items()}

    ok = True
    max_cash = max(g["max_abs_cash"] for games in results.values() for g in games)
    print(f"seeds per cell: {n} (first seed {args.first_seed})\n")
    print("passive player            first-month  no win in    AI shops after 5 years")
    print("map       diff            all built    10 years     in 2..60   min  median  max  withdrawn")
    for m in maps:
        for d in diffs:
            first = results[("first", m, d)]
            built = sum(all(f["shops"] >= 1 for f in g["firms"][1:1 + g["competitors"]])
                        for g in first)
            games = results[("passive", m, d)]
            no_win = sum(g["outcome"] != "victory" for g in games)
            in_range, counts, gone = 0, [], 0
            for g in games:
                snap = g["years"].get(601)
                if snap is None:
                    continue
                active = [s for s, w in snap[1:1 + g["competitors"]] if not w]
                gone += g["competitors"] - len(active)
                counts += active
                in_range += bool(active) and all(2 <= s <= 60 for s in active)
            counts.sort()
            median = counts[len(counts) // 2] if counts else 0
            lo = counts[0] if counts else 0
            hi = counts[-1] if counts else 0
            ok &= built == n and no_win >= n - 1 and in_range == n
            print(f"{m:9} {d:4}            {built:3}/{n:<6}   {no_win:3}/{n:<6}   {in_range:3}/{n:<5}"
                  f" {lo:4} {median:6} {hi:5} {gone:6}")
    print()
    print(f"greedy player on {args.starter}, 30 years")
    print("diff  wins  win rate  median end date of wins")
    rates = {}
    for d in range(5):
        games = results[("greedy", args.starter, d)]
        wins = [g["end_date"] for g in games if g["outcome"] == "victory"]
        rates[d] = len(wins) / n
        wins.sort()
        median = wins[len(wins) // 2] if wins else "-"
        print(f"{d:4}  {len(wins):4}  {100 * rates[d]:7.0f} %  {median}")
    greedy_ok = rates[4] >= 0.6 and rates[0] < rates[4] and rates[0] <= rates[2] <= rates[4]
    ok &= greedy_ok
    print()
    print(f"largest |cash| in any run: {max_cash:,} (limit {CASH_LIMIT:,})")
    ok &= max_cash < CASH_LIMIT
    print("ALL CHECKS HOLD" if ok else "SOME CHECKS FAIL")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
