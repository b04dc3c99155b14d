#!/usr/bin/env python3
"""Writes the texts the regular-expression benchmark searches, into one directory.

    scripts/make-bench-corpus.py OUTDIR [--whole-process]

Real text comes from the installed manual pages: Japanese (package manpages-ja) and English
(/usr/share/man/man1). The roff markup is stripped roughly: comments and layout requests go,
the words of font requests stay, font escapes go, other escapes (\\-, \\e, \\(aq ...) stay so
that the text holds real backslashes beside the 0x5C trail bytes of ソ, 表 and 能. The text
is converted to CP932 (characters it cannot hold are dropped), repeated to the largest
size and cut at line ends to each size. Every file NAME.sjis has a twin NAME.utf8 decoded
from exactly those bytes, for the engines that read UTF-8.

Files: ja-crlf-SIZE, ja-lf-SIZE, en-lf-SIZE for SIZE 1k, 100k, 10m; caps-1k, caps-16k,
caps-128k and caps-1m (one line of capitals); ab-1k, ab-100k, ab-10m (random a and b in lines of 100).
--whole-process writes instead the texts of the whole-process benchmarks, CP932 with LF
only: ja-lf-1m.sjis (cut at a line end), ja-lf-10m.sjis and ja-lf-100m.sjis (the 10 MB ten
times), without UTF-8 twins.
Deterministic: the same installed pages give the same bytes.
"""
import glob
import gzip
import os
import random
import re
import sys

SIZES = {"1k": 1 << 10, "100k": 100 << 10, "10m": 10 << 20}
FONT_REQUESTS = {"B", "I", "BI", "BR", "IB", "IR", "RB", "RI", "SM", "SB", "SH", "SS", "TP", "IP"}
FONT_ESCAPE = re.compile(r"\\f(\[[^\]]*\]|\(..|.)|\\&")
JAPANESE_PAGES = "/usr/share/man/ja/man*/*.gz"
ENGLISH_PAGES = "/usr/share/man/man1/*.gz"


def strip_roff(source):
    lines = []
    for line in source.splitlines():
        if line.startswith((".\\\"", "'\\\"")):
            continue
        if line.startswith((".", "'")):
            request, _, rest = line[1:].partition(" ")
            if request.strip() not in FONT_REQUESTS or not rest.strip():
                continue
            line = rest.replace('"', "")
        line = FONT_ESCAPE.sub("", line)
        if line.strip():
            lines.append(line)
    return "\n".join(lines) + "\n"


def read_pages(pattern, limit):
    """CP932 bytes of the stripped pages in name order, at most about limit bytes."""
    parts = []
    total = 0
    for path in sorted(glob.glob(pattern)):
        try:
            with gzip.open(path, "rb") as f:
                text = f.read().decode("utf-8", errors="ignore")
        except (OSError, EOFError):
            continue
        data = strip_roff(text).replace("\r", "").encode("cp932", errors="ignore")
        parts.append(data)
        total += len(data)
        if total >= limit:
            break
    if total == 0:
        sys.exit(f"no manual pages found at {pattern}")
    return b"".join(parts)


def cut(base, size):
    """A prefix of base repeated, at most size bytes, ending at a line end."""
    text = base * (size // len(base) + 1)
    end = text.rfind(b"\n", 0, size)
    return text[: end + 1]


def write(outdir, name, data):
    with open(os.path.join(outdir, name + ".sjis"), "wb") as f:
        f.write(data)
    with open(os.path.join(outdir, name + ".utf8"), "wb") as f:
        f.write(data.decode("cp932").encode("utf-8"))


def write_whole_process(outdir, japanese):
    ten = cut(japanese, SIZES["10m"])
    for name, data in (("1m", cut(japanese, 1 << 20)), ("10m", ten), ("100m", ten * 10)):
        with open(os.path.join(outdir, f"ja-lf-{name}.sjis"), "wb") as f:
            f.write(data)


def main():
    if len(sys.argv) not in (2, 3) or sys.argv[2:] not in ([], ["--whole-process"]):
        sys.exit("usage: make-bench-corpus.py OUTDIR [--whole-process]")
    outdir = sys.argv[1]
    os.makedirs(outdir, exist_ok=True)
    largest = max(SIZES.values())
    japanese = read_pages(JAPANESE_PAGES, largest)
    if sys.argv[2:]:
        write_whole_process(outdir, japanese)
        return
    english = read_pages(ENGLISH_PAGES, largest)
    crlf = japanese.replace(b"\n", b"\r\n")
    for label, size in SIZES.items():
        write(outdir, f"ja-crlf-{label}", cut(crlf, size))
        write(outdir, f"ja-lf-{label}", cut(japanese, size))
        write(outdir, f"en-lf-{label}", cut(english, size))
    rng = random.Random(1)
    capitals = bytes(range(ord("A"), ord("Z") + 1))
    for label, size in (("1k", 1 << 10), ("16k", 16 << 10), ("128k", 128 << 10), ("1m", 1 << 20)):
        line = bytes(capitals[b % 26] for b in rng.randbytes(size - 1))
        write(outdir, f"caps-{label}", line + b"\n")
    to_ab = bytes(b"ab"[b & 1] for b in range(256))
    for label, size in SIZES.items():
        lines = rng.randbytes(size // 101 * 100).translate(to_ab)
        text = b"\n".join(lines[i : i + 100] for i in range(0, len(lines), 100)) + b"\n"
        write(outdir, f"ab-{label}", text)


if __name__ == "__main__":
    main()
