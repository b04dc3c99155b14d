#!/usr/bin/env python3
"""Puts a section into bench/RESULTS.md: in place of the section with the same marker
line, or at the end. A section runs from its marker ("<!-- NAME -->") to the next marker
or to the end, so the benchmarks' scripts each rewrite their own section and keep the others.

    scripts/put-results-section.py SECTION_FILE [RESULTS]

SECTION_FILE begins with its marker line.
"""
import re
import sys

MARKER = re.compile(r"^<!-- [a-z-]+ -->$", re.M)


def main():
    section_path = sys.argv[1]
    results = sys.argv[2] if len(sys.argv) > 2 else "bench/RESULTS.md"
    section = open(section_path).read().rstrip("\n") + "\n"
    marker = section.split("\n", 1)[0]
    if not MARKER.fullmatch(marker):
        sys.exit(f"{section_path} does not begin with a marker line")
    text = open(results).read()
    start = text.find(marker + "\n")
    if start < 0:
        text = text.rstrip("\n") + "\n\n" + section
    else:
        following = MARKER.search(text, start + len(marker) + 1)
        end = following.start() if following else len(text)
        text = text[:start] + section + ("\n" + text[end:] if following else "")
    with open(results, "w") as f:
        f.write(text)


if __name__ == "__main__":
    main()
