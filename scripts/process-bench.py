#!/usr/bin/env python3
"""Times each text process of morvane-cli beside the single-purpose tool a user could run
instead, as whole processes (standard input to standard output), and writes the table.

    scripts/process-bench.py CLI PEER CORPUS OUT.md

CLI is a Release morvane-cli, PEER bench/process_peer (RE2, PCRE2 and a copy-only
program), CORPUS a folder with ja-lf-1m.sjis, ja-lf-10m.sjis and ja-lf-100m.sjis.
Each pair runs in turn, several times; the table gives the median CPU time (user + system,
from the kernel's account of the child) and the peak memory of each side. scripts/
process-bench.sh builds everything and calls this.
"""
import os
import statistics
import subprocess
import sys
import tempfile

SIZES = [("1 MB", "ja-lf-1m.sjis", 7), ("10 MB", "ja-lf-10m.sjis", 5), ("100 MB", "ja-lf-100m.sjis", 3)]
JAPANESE_LOCALE = "ja_JP.UTF-8"


def ini_file(folder, name, set_lines, line_no=""):
    """A settings file whose group 1 set 1 runs the given keys."""
    path = os.path.join(folder, name + ".ini")
    text = "[Group1Set1]\r\n" + "".join(line + "\r\n" for line in set_lines)
    if line_no:
        text += "[Group1Set1LineNo]\r\n" + line_no + "\r\n"
    with open(path, "w", newline="") as f:
        f.write(text)
    return path


def run_once(command, input_path, output_path, env=None):
    """CPU seconds (user + system) of one whole run, as the kernel accounts the child."""
    with open(input_path, "rb") as stdin, open(output_path, "wb") as stdout:
        child = subprocess.Popen(command, stdin=stdin, stdout=stdout, stderr=subprocess.DEVNULL, env=env)
        _, status, usage = os.wait4(child.pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        raise RuntimeError("failed: " + " ".join(map(str, command)))
    return usage.ru_utime + usage.ru_stime


def peak_memory(command, input_path, folder, env=None):
    """Peak resident memory in KB of one run, from GNU time: the child of a process this
    large would count the pages it shared with it before exec."""
    report = os.path.join(folder, "memory")
    with open(input_path, "rb") as stdin:
        subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report] + command, stdin=stdin,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env, check=True)
    with open(report) as f:
        return int(f.read().split()[-1])


def normalized(path, how):
    with open(path, "rb") as f:
        data = f.read()
    if how == "lines":  # our line processes join lines with CR LF and drop a final break
        data = data.replace(b"\r\n", b"\n").rstrip(b"\n")
    return data


class Row:
    def __init__(self, step, ours, peer_name, peer, compare, note="", peer_env=None, peer_input=""):
        self.step, self.ours, self.peer_name, self.peer = step, ours, peer_name, peer
        self.peer_input = peer_input  # "utf8": the peer reads the text's UTF-8 twin
        # The tools read bytes, as we do: no multibyte locale between them and the CP932.
        self.compare, self.note, self.peer_env = compare, note, peer_env or dict(os.environ, LC_ALL="C")


def rows(cli, peer, folder):
    run = lambda name, keys, line_no="": [cli, "--encoding=cp932", "run", "--ini",
                                          ini_file(folder, name, keys, line_no), "--set", "1"]
    gsub = lambda pattern: [cli, "--encoding=cp932", "gsub", "--lf", pattern, "[&]"]
    fuzzy = lambda word: subprocess.run([cli, "--encoding=cp932", "expand", "--fuzzy", word.encode("cp932")],
                                        capture_output=True, check=True).stdout.rstrip(b"\n")
    table = [
        Row("katakana → hiragana", run("kana", ["IfExec3=1", "KanaMethod=1"]), "nkf -S -s --hiragana",
            ["nkf", "-S", "-s", "--hiragana"], None, "nkf also widens half-width kana"),
        Row("full → half width", run("half", ["IfExec3=1", "ZnHnMethod=0"]), "nkf -S -s -Z1",
            ["nkf", "-S", "-s", "-Z1"], None, "nkf maps some symbols otherwise"),
        Row("upper case", run("upper", ["IfExec2=1", "CaseMethod=1"]), "tr a-z A-Z", ["tr", "a-z", "A-Z"], None,
            "tr also changes trail bytes a-z of double-byte characters"),
        Row("line numbers", run("lineno", ["IfExec1=1"], "Deg=4"), "nl -ba -w4 -nrz -s ''",
            ["nl", "-ba", "-w4", "-nrz", "-s", ""], "lines"),
        Row("line sort", run("sort", ["IfExec4=1"]), "LC_ALL=C sort", ["sort"], None,
            "we collate; C sort compares bytes"),
        Row("line sort", run("sort", ["IfExec4=1"]), "sort in " + JAPANESE_LOCALE + " (UTF-8 text)", ["sort"], None,
            "both collate, each its own way", dict(os.environ, LC_ALL=JAPANESE_LOCALE), "utf8"),
        Row("swap sides at =", run("swap", ["IfExec5=1", "RLCenter=="]), "sed -E 's/^([^=]*)=(.*)$/\\2=\\1/'",
            ["sed", "-E", r"s/^([^=]*)=(.*)$/\2=\1/"], "lines"),
        Row("URL encode", run("url", ["IfExec6=1", "EnDeCd=0"]), "perl -pe (one line)",
            ["perl", "-pe", r's/([^A-Za-z0-9 \n])/sprintf("%%%02X", ord $1)/ge; s/ /+/g; s/\n/%0A/ if eof'], None,
            "ours drops the final line break"),
        Row("literal gsub the → [&]", gsub("the"), "copy-only program", [peer, "copy"], None, "the floor"),
    ]
    patterns = [("the", b"the"), ("ファイル", "ファイル".encode("cp932")), ("名前.*", "名前.*".encode("cp932")),
                ("fuzzy file", fuzzy("file")), ("fuzzy ふぁいる", fuzzy("ふぁいる")), ("[0-9]+", b"[0-9]+")]
    for name, pattern in patterns:
        ours = [cli, "--encoding=cp932", "gsub", "--lf"] + (["--fuzzy"] if name.startswith("fuzzy") else []) + \
               [pattern if not name.startswith("fuzzy") else name.split(" ", 1)[1].encode("cp932"), "[&]"]
        for peer_name in ("re2", "pcre2"):
            table.append(Row("gsub " + name + " → [&]", ours, ("RE2" if peer_name == "re2" else "PCRE2 JIT"),
                             [peer, peer_name, pattern, "[&]"], "bytes"))
    return table


def utf8_twin(input_path, folder):
    twin = os.path.join(folder, os.path.basename(input_path) + ".utf8")
    if not os.path.exists(twin):
        with open(input_path, "rb") as f, open(twin, "wb") as out:
            out.write(f.read().decode("cp932").encode("utf-8"))
    return twin


def locale_available(name):
    listed = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.lower().split()
    return name.lower().replace("utf-8", "utf8") in listed


def whole_set(cli, peer, folder, input_path, runs):
    """A set of all seven processes beside the peers' pipeline for the same steps: the
    peers' times are summed, each on the text as it reaches that step."""
    keys = ["IfExec%d=1" % k for k in range(7)] + [
        "KanaMethod=1", "ZnHnMethod=0", "CaseMethod=1", "RLCenter==", "EnDeCd=0"]
    settings = ini_file(folder, "all", keys, "Deg=4")
    with open(settings, "a", newline="") as f:
        f.write('[Group1Set1Cond1]\r\nFromStr="the"\r\nToStr="[&]"\r\n')
    ours = [cli, "--encoding=cp932", "run", "--ini", settings, "--set", "1"]
    steps = [[peer, "re2", b"the", b"[&]"], ["nl", "-ba", "-w4", "-nrz", "-s", ""], ["tr", "a-z", "A-Z"],
             ["nkf", "-S", "-s", "--hiragana"], ["nkf", "-S", "-s", "-Z1"], ["sort"],
             ["sed", "-E", r"s/^([^=]*)=(.*)$/\2=\1/"],
             ["perl", "-pe", r's/([^A-Za-z0-9 \n])/sprintf("%%%02X", ord $1)/ge; s/ /+/g']]
    env = dict(os.environ, LC_ALL="C")
    ours_times, peer_times = [], []
    for _ in range(runs):
        ours_times.append(run_once(ours, input_path, os.path.join(folder, "ours.out")))
        total, text = 0.0, input_path
        for i, step in enumerate(steps):
            out = os.path.join(folder, "step%d.out" % (i % 2))
            total += run_once(step, text, out, env)
            text = out
        peer_times.append(total)
    return statistics.median(ours_times), statistics.median(peer_times)


def measure(row, input_path, runs, folder):
    ours_out, peer_out = os.path.join(folder, "ours.out"), os.path.join(folder, "peer.out")
    peer_path = utf8_twin(input_path, folder) if row.peer_input == "utf8" else input_path
    ours_times, peer_times = [], []
    for _ in range(runs):  # in turn, so a busy moment hits both
        ours_times.append(run_once(row.ours, input_path, ours_out))
        peer_times.append(run_once(row.peer, peer_path, peer_out, row.peer_env))
    ours_memory = peak_memory(row.ours, input_path, folder)
    peer_memory = peak_memory(row.peer, peer_path, folder, row.peer_env)
    same = ""
    if row.compare:
        same = "yes" if normalized(ours_out, row.compare) == normalized(peer_out, row.compare) else "NO"
    in_out = os.path.getsize(input_path) + os.path.getsize(ours_out)
    return statistics.median(ours_times), statistics.median(peer_times), ours_memory, peer_memory, in_out, same


def main():
    cli, peer, corpus, out = sys.argv[1:5]
    lines = ["| step | size | peer | ours CPU s | peer CPU s | ours/peer | our peak MB | peak / (in + out) | peer peak MB | same output |",
             "|---|---|---|---:|---:|---:|---:|---:|---:|---|"]
    with tempfile.TemporaryDirectory() as folder:
        for row in rows(cli, peer, folder):
            if row.peer_input == "utf8" and not locale_available(JAPANESE_LOCALE):
                lines.append(f"| {row.step} | | {row.peer_name} | | | | | | | (locale not installed) |")
                continue
            for size, name, runs in SIZES:
                ours, theirs, mine, their_memory, in_out, same = measure(row, os.path.join(corpus, name), runs, folder)
                ratio = ours / theirs if theirs > 0 else float("inf")
                lines.append(f"| {row.step} | {size} | {row.peer_name} | {ours:.3f} | {theirs:.3f} | {ratio:.2f} | "
                             f"{mine / 1024:.0f} | {mine * 1024 / in_out:.2f} | {their_memory / 1024:.0f} | "
                             f"{same or '(' + row.note + ')'} |")
                print(lines[-1], flush=True)
        ours, theirs = whole_set(cli, peer, folder, os.path.join(corpus, "ja-lf-10m.sjis"), 3)
        lines += ["", f"All seven processes in one set over 10 MB: {ours:.3f} s CPU, beside {theirs:.3f} s for the "
                  f"eight peer runs of the same steps one after another (ratio {ours / theirs:.2f})."]
        print(lines[-1], flush=True)
    with open(out, "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
