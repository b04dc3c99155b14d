#!/usr/bin/env python3
"""Our fast engine's speed in runs of the regular-expression benchmark, before and after.

    scripts/regex-before-after.py --before BEFORE.md... --after AFTER.md...

Each file is an output of bench/morvane_regex_bench (the same corpus; the engines built
from two commits). Prints a Markdown table of the "ours fast" column of the count and
replace tables, each side's best run per row (the run a busy machine disturbed least), the
time ratio after/before, the geometric mean of the ratios per table, and the rows whose
match counts differ.
"""
import argparse
import math
import re
import sys

COLUMN = "ours fast"


def tables(path):
    """{table title: {(pattern, text, size): (matches, MB/s)}} of one benchmark output."""
    found, title, header = {}, None, None
    for line in open(path, encoding="utf-8"):
        if line.startswith("### "):
            title, header = line[4:].strip(), None
        elif not line.startswith("|"):
            header = None  # a table ends at the first line that is not a row
        elif title and not line.startswith("|---"):
            cells = [c.strip() for c in line.strip().strip("|").split("|")]
            if header is None:
                header = cells
            elif COLUMN in header and "matches" in header:
                speed = re.match(r"[0-9.]+", cells[header.index(COLUMN)])
                if speed:
                    found.setdefault(title, {})[tuple(cells[:3])] = (cells[header.index("matches")], float(speed.group()))
    return found


def best(paths):
    """Per table and row: the match count and the highest speed of the runs."""
    merged = {}
    for path in paths:
        for title, rows in tables(path).items():
            for key, (matches, speed) in rows.items():
                known = merged.setdefault(title, {}).get(key)
                merged[title][key] = (matches, max(speed, known[1]) if known else speed)
    return merged


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--before", nargs="+", required=True)
    parser.add_argument("--after", nargs="+", required=True)
    args = parser.parse_args()
    before, after = best(args.before), best(args.after)
    print("| table | pattern | text | size | before MB/s | after MB/s | time after/before |")
    print("|---|---|---|---|---:|---:|---:|")
    means, mismatches = [], []
    for title, rows in after.items():
        ratios = []
        for key, (matches, speed) in rows.items():
            if key not in before.get(title, {}):
                continue
            old_matches, old_speed = before[title][key]
            if old_matches != matches:
                mismatches.append(f"{title}, {' '.join(key)}: {old_matches} matches before, {matches} after")
            ratios.append(old_speed / speed)
            print(f"| {title.split(':')[0]} | {key[0]} | {key[1]} | {key[2]} | {old_speed:g} | {speed:g} | {ratios[-1]:.2f} |")
        if ratios:
            means.append(f"{title.split(':')[0]}: {math.exp(sum(map(math.log, ratios)) / len(ratios)):.2f} over {len(ratios)} rows")
    print()
    print("Geometric mean of time after/before: " + "; ".join(means) + ".")
    print("Match counts: " + ("; ".join(mismatches) if mismatches else "the same on every row") + ".")


if __name__ == "__main__":
    main()
