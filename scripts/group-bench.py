#!/usr/bin/env python3
"""Replacements with groups as whole processes: morvane-cli gsub -E beside RE2, PCRE2 JIT,
Oniguruma (bench/group_peer) and sed -E over one CP932 text; every output is compared with
Oniguruma's. Prints a Markdown table (best of three runs).

Usage: group-bench.py MORVANE_CLI GROUP_PEER TEXT
"""
import os
import subprocess
import sys
import tempfile
import time

ROWS = [
    ("key=value swap", "([A-Za-z]+)=([A-Za-z0-9]+)", r"\2=\1"),
    ("kana alternation, two groups", "(ファイル|ディレクトリ)(を|の|は)", r"\2\1"),
    ("whole-line swap", r"^([^=\n]*)=(.*)$", r"\2=\1"),
    ("dotted version swap", r"([0-9]+)\.([0-9]+)", r"\2.\1"),
]


def run(command, text_path, out_path, env=None):
    best = None
    for _ in range(3):
        with open(text_path, "rb") as src, open(out_path, "wb") as dst:
            start = time.perf_counter()
            subprocess.run(command, stdin=src, stdout=dst, check=True, env=env)
            elapsed = time.perf_counter() - start
        best = elapsed if best is None else min(best, elapsed)
    with open(out_path, "rb") as f:
        return best, f.read()


def main():
    cli, peer, text = sys.argv[1:4]
    size = os.path.getsize(text) / 1e6
    c_locale = dict(os.environ, LC_ALL="C")
    print("| replacement | ours | RE2 | PCRE2 JIT | Oniguruma | sed -E | ours/RE2 | same output as Oniguruma |")
    print("|---|---:|---:|---:|---:|---:|---:|---|")
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "out")
        for name, pattern, template in ROWS:
            p = pattern.encode("cp932")
            t = template.encode("cp932")
            commands = {
                "ours": [cli, "--encoding=cp932", "gsub", "-E", "--lf", "--", p, t],
                "re2": [peer, "re2", b"(?m)" + p, t],
                "pcre2": [peer, "pcre2", p, t],
                "onig": [peer, "onig", p, t],
                "sed": ["sed", "-E", b"s/" + p.replace(b"/", b"\\/") + b"/" + t + b"/g"],
            }
            results = {k: run(c, text, out, c_locale if k == "sed" else None) for k, c in commands.items()}
            reference = results["onig"][1]
            same = ", ".join(k for k in ("ours", "re2", "pcre2", "sed") if results[k][1] == reference) or "none"
            cells = " | ".join("%.3f s" % results[k][0] for k in ("ours", "re2", "pcre2", "onig", "sed"))
            print("| %s | %s | %.2f | %s |" % (name, cells, results["ours"][0] / results["re2"][0], same))
    print()
    print("Text: %s, %.1f MB of CP932 with LF line ends." % (os.path.basename(text), size))


if __name__ == "__main__":
    main()
