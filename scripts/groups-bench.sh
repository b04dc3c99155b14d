#!/usr/bin/env bash
# Runs the benchmark of replacements with groups: builds morvane-cli and bench/process_peer
# (Release), makes 1, 10 and 100 MB of Japanese manual pages in CP932 with LF, times
# `morvane-cli gsub -E` beside RE2, PCRE2 JIT, Oniguruma and sed -E as whole processes
# (scripts/groups-bench.py), and writes the tables into bench/RESULTS.md (their own section).
#
#   scripts/groups-bench.sh [--before COMMIT]
#
# --before COMMIT also runs the regular-expression benchmark (--quick: patterns without
# groups) with the engine of COMMIT (exported with git archive into build-bench/before-src,
# built in build-bench/before) and with this one, four runs in the order before, after,
# after, before, and adds our engine's speed before and after, the best of each side's two
# runs per row (scripts/regex-before-after.py). It installs nothing: it names the missing
# Debian packages. About 10 minutes on 2 cores, 30 with --before.
set -euo pipefail
cd "$(dirname "$0")/.."

before=""
case "${1:-}" in
  "") ;;
  --before) before="${2:?usage: scripts/groups-bench.sh [--before COMMIT]}" ;;
  *) echo "usage: scripts/groups-bench.sh [--before COMMIT]" >&2; exit 1 ;;
esac

missing=()
pkg-config --exists re2 2>/dev/null || missing+=(libre2-dev)
pkg-config --exists libpcre2-8 2>/dev/null || missing+=(libpcre2-dev)
pkg-config --exists oniguruma 2>/dev/null || missing+=(libonig-dev)
compgen -G "/usr/share/man/ja/man1/*.gz" >/dev/null || missing+=(manpages-ja)
compgen -G "/usr/share/man/man1/*.gz" >/dev/null || missing+=(manpages)
command -v python3 >/dev/null || missing+=(python3)
sed --version 2>/dev/null | grep -q GNU || missing+=(sed)
if ((${#missing[@]})); then
  echo "missing: ${missing[*]}" >&2
  echo "install with: apt-get install -y ${missing[*]}" >&2
  exit 1
fi

build=build-bench
release=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_BUILD_BENCH=ON -DBUILD_TESTING=OFF)
cmake -S . -B "$build" "${release[@]}" >/dev/null
cmake --build "$build" --target morvane-cli process_peer ${before:+morvane_regex_bench}
corpus="$build/bench-corpus"
python3 scripts/make-bench-corpus.py "$corpus" --whole-process

table="$build/groups-bench.md"
python3 scripts/groups-bench.py "$build/morvane-cli" "$build/bench/process_peer" "$corpus" "$table"
rm -f "$corpus/ja-lf-100m.sjis"

if [[ -n "$before" ]]; then
  rm -rf "$build/before-src" && mkdir -p "$build/before-src"
  git archive "$before" | tar -x -C "$build/before-src"
  cmake -S "$build/before-src" -B "$build/before" "${release[@]}" >/dev/null
  cmake --build "$build/before" --target morvane_regex_bench
  python3 scripts/make-bench-corpus.py "$corpus"
  for run in before-1 after-1 after-2 before-2; do  # so that a busy stretch hits both sides
    program="$build/bench/morvane_regex_bench"
    [[ "$run" == before-* ]] && program="$build/before/bench/morvane_regex_bench"
    "$program" "$corpus" --quick >"$build/regex-$run.md"
  done
  {
    echo
    echo "Patterns without groups: our fast engine in the regular-expression benchmark (\`--quick\`: the 1 KB"
    echo "and 100 KB texts and the capitals), built from $(git rev-parse --short "$before") (before) and from"
    echo "$(git rev-parse --short HEAD) (after); four runs in the order before, after, after, before, and the"
    echo "best of each side's two per row; MB/s of CP932 text."
    echo
    python3 scripts/regex-before-after.py --before "$build"/regex-before-{1,2}.md --after "$build"/regex-after-{1,2}.md
  } >>"$table"
fi

section="$build/groups-section.md"
{
  echo "<!-- groups-bench -->"
  echo "## Replacements with groups, whole process"
  echo
  echo "Made by \`scripts/groups-bench.sh${before:+ --before $(git rev-parse --short "$before")}\` on $(date -u '+%Y-%m-%d %H:%M UTC')."
  echo "Machine: $(lscpu | sed -n 's/^Model name: *//p' | head -1), $(nproc) cores."
  echo "Peers: RE2 $(dpkg-query -W -f='${Version}' libre2-dev 2>/dev/null || echo '?'), PCRE2 $(pkg-config --modversion libpcre2-8)," \
       "Oniguruma $(pkg-config --modversion oniguruma), $(sed --version | head -1)."
  echo
  echo "Text: Debian's Japanese manual pages in CP932 with LF (1 MB, 10 MB, and 100 MB: the 10 MB ten times)."
  echo "Ours: \`morvane-cli --encoding=cp932 gsub -E --lf PATTERN TEMPLATE\`. Peers (\`bench/process_peer gsub\`,"
  echo "\`bench/GroupReplacePeers.cpp\`): RE2::GlobalReplace over Latin-1 bytes, pcre2_substitute with"
  echo "PCRE2_SUBSTITUTE_GLOBAL and the JIT, Oniguruma's onig_search over CP932 with the output built"
  echo "beside it, and \`LC_ALL=C sed -E 's/PATTERN/TEMPLATE/g'\`. Each engine runs in turn, whole"
  echo "process; CPU time is user + system, the median of 7, 5 and 3 runs at 1, 10 and 100 MB."
  echo "Outputs are compared byte for byte with Oniguruma's, the one peer that reads CP932 characters."
  echo
  cat "$table"
} >"$section"
python3 scripts/put-results-section.py "$section"
echo "written: bench/RESULTS.md"
