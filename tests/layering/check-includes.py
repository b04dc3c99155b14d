#!/usr/bin/env python3
"""Fails when a source file includes one of a higher floor, or a Windows header outside
the Windows front end. Floors, lowest first: text, regex, core, shell; shell/win32 and
cli stand on top, side by side. Tests, benchmarks and fuzzers may use every floor, but no
product file may use them.

    check-includes.py SOURCE_DIR
"""
import pathlib
import re
import sys

FLOORS = {"text": 1, "regex": 2, "core": 3, "shell": 4, "shell/win32": 5, "cli": 5}
WINDOWS_HEADERS = {
    "windows.h", "commctrl.h", "commdlg.h", "shellapi.h", "shlobj.h", "shlwapi.h",
    "objbase.h", "ole2.h", "winuser.h", "winbase.h", "windef.h", "winnls.h",
    "shellscalingapi.h", "dwmapi.h", "uxtheme.h", "psapi.h", "tlhelp32.h",
}
INCLUDE = re.compile(r'\s*#\s*include\s*([<"])([^>"]+)[>"]')
CONDITION = re.compile(r"\s*#\s*(if|ifdef|ifndef|elif|else|endif)\b(.*)")


def floor_of(path):
    """The floor a path (relative to the source tree, or as included) stands on."""
    parts = pathlib.PurePosixPath(path).parts
    if parts[:2] == ("shell", "win32"):
        return "shell/win32"
    return parts[0] if parts and parts[0] in FLOORS else None


def may_include(source_floor, target_floor):
    if source_floor is None:
        return True  # tests and tools use every floor
    if target_floor is None:
        return False  # product code never reaches into tests or tools
    if {source_floor, target_floor} == {"cli", "shell/win32"}:
        return False
    return FLOORS[target_floor] <= FLOORS[source_floor]


def windows_header_allowed(rel, in_win32_block):
    if rel.startswith(("shell/win32/", "tests/win32/")):
        return True
    return rel.startswith("cli/") and in_win32_block


def problems_in(root, path):
    rel = path.relative_to(root).as_posix()
    source_floor = floor_of(rel)
    conditions = []  # one flag per open #if: does it select Windows only?
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        condition = CONDITION.match(line)
        if condition:
            word, rest = condition.groups()
            if word in ("if", "ifdef", "ifndef"):
                conditions.append(word != "ifndef" and "_WIN32" in rest and "!" not in rest)
            elif word in ("elif", "else") and conditions:
                conditions[-1] = False
            elif word == "endif" and conditions:
                conditions.pop()
            continue
        include = INCLUDE.match(line)
        if not include:
            continue
        kind, name = include.groups()
        if kind == "<" and name.lower() in WINDOWS_HEADERS:
            if not windows_header_allowed(rel, any(conditions)):
                yield f"{rel}:{number}: includes <{name}>"
        elif kind == '"' and not may_include(source_floor, floor_of(name)):
            yield f"{rel}:{number}: {source_floor} includes \"{name}\""


def main():
    root = pathlib.Path(sys.argv[1]).resolve()
    sources = [p for p in root.rglob("*") if p.suffix in (".h", ".cpp")
               and not any(part.startswith("build") or part.startswith(".") for part in p.relative_to(root).parts)]
    problems = [problem for path in sorted(sources) for problem in problems_in(root, path)]
    for problem in problems:
        print(problem)
    print(f"{len(sources)} files checked, {len(problems)} upward or Windows includes")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
