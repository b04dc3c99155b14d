#!/usr/bin/env bash
# Runs the text-process benchmark: builds morvane-cli and bench/process_peer (Release),
# makes 1, 10 and 100 MB of Japanese manual pages in CP932 with LF, times each process of
# ours beside the single-purpose tool a user could pick instead (nkf, tr, nl, sort, sed,
# perl, RE2, PCRE2, a copy-only program), whole process from standard input to standard
# output, and writes the table into bench/RESULTS.md (its own section, after the regular
# expressions'). It installs nothing: it names the Debian packages that are missing. The
# Japanese-locale sort row needs the ja_JP.UTF-8 locale (package locales, then
# `localedef -i ja_JP -f UTF-8 ja_JP.UTF-8`). About 5 minutes on 2 cores.
set -euo pipefail
cd "$(dirname "$0")/.."

missing=()
pkg-config --exists re2 2>/dev/null || missing+=(libre2-dev)
pkg-config --exists libpcre2-8 2>/dev/null || missing+=(libpcre2-dev)
pkg-config --exists oniguruma 2>/dev/null || missing+=(libonig-dev)  # the bench folder builds both benchmarks
compgen -G "/usr/share/man/ja/man1/*.gz" >/dev/null || missing+=(manpages-ja)
compgen -G "/usr/share/man/man1/*.gz" >/dev/null || missing+=(manpages)
command -v nkf >/dev/null || missing+=(nkf)
command -v perl >/dev/null || missing+=(perl)
command -v python3 >/dev/null || missing+=(python3)
[[ -x /usr/bin/time ]] || missing+=(time)
if ((${#missing[@]})); then
  echo "missing: ${missing[*]}" >&2
  echo "install with: apt-get install -y ${missing[*]}" >&2
  exit 1
fi

build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_BUILD_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target morvane-cli process_peer
corpus="$build/bench-corpus"
python3 scripts/make-bench-corpus.py "$corpus" --whole-process

table="$build/process-bench.md"
python3 scripts/process-bench.py "$build/morvane-cli" "$build/bench/process_peer" "$corpus" "$table"
rm -f "$corpus/ja-lf-100m.sjis"

section="$build/process-section.md"
{
  echo "<!-- process-bench -->"
  echo "## Text processes, whole process"
  echo
  echo "Made by \`scripts/process-bench.sh\` on $(date -u '+%Y-%m-%d %H:%M UTC')."
  echo "Machine: $(lscpu | sed -n 's/^Model name: *//p' | head -1), $(nproc) cores."
  echo "Peers: $(nkf --version | head -1 | tr -s ' '), $(sort --version | head -1), $(sed --version | head -1),"
  echo "perl $(perl -e 'print $^V'), RE2 $(dpkg-query -W -f='${Version}' libre2-dev 2>/dev/null || echo '?'), PCRE2 $(pkg-config --modversion libpcre2-8)."
  echo
  echo "Text: Debian's Japanese manual pages in CP932 with LF (1 MB, 10 MB, and 100 MB: the 10 MB ten times)."
  echo "Each pair runs in turn; CPU time is user + system of the whole process, the median of 7, 5 and 3"
  echo "runs; peak memory is GNU time's. \"same output\" compares the outputs where the semantics agree"
  echo "(line ends aside for our line processes, which join lines with CR LF); otherwise the note says"
  echo "why they differ. All peers run with LC_ALL=C, on bytes as we do, but for the one Japanese sort."
  echo
  cat "$table"
} >"$section"
python3 scripts/put-results-section.py "$section"
echo "written: bench/RESULTS.md"
