#!/usr/bin/env bash
# Runs the regular-expression benchmark: builds morvane_regex_bench (Release), makes the
# texts from the installed manual pages, measures our engines beside Oniguruma, RE2,
# PCRE2's DFA matcher and GNU sed, and writes the tables to bench/RESULTS.md with the
# machine and the date. It installs nothing: it checks for the peers and names the Debian
# packages that are missing. About 10 minutes on 2 cores.
#
#   scripts/regex-bench.sh            full run, writes bench/RESULTS.md
#   scripts/regex-bench.sh --quick    no 10 MB texts; the tables go to build-bench/ only
set -euo pipefail
cd "$(dirname "$0")/.."

quick=""
case "${1:-}" in
  "") ;;
  --quick) quick="--quick" ;;
  *) echo "usage: scripts/regex-bench.sh [--quick]" >&2; exit 1 ;;
esac

missing=()
pkg-config --exists oniguruma 2>/dev/null || missing+=(libonig-dev)
pkg-config --exists re2 2>/dev/null || missing+=(libre2-dev)
pkg-config --exists libpcre2-8 2>/dev/null || missing+=(libpcre2-dev)
compgen -G "/usr/share/man/ja/man1/*.gz" >/dev/null || missing+=(manpages-ja)
compgen -G "/usr/share/man/man1/*.gz" >/dev/null || missing+=(manpages)
command -v python3 >/dev/null || missing+=(python3)
command -v pkg-config >/dev/null || missing+=(pkg-config)
if ((${#missing[@]})); then
  echo "missing: ${missing[*]}" >&2
  echo "install with: apt-get install -y ${missing[*]}" >&2
  exit 1
fi
sed --version 2>/dev/null | grep -q GNU || echo "note: no GNU sed; its column stays empty" >&2

build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_BUILD_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target morvane_regex_bench
python3 scripts/make-bench-corpus.py "$build/bench-corpus"

tables="$build/regex-bench.md"
"./$build/bench/morvane_regex_bench" "$build/bench-corpus" $quick >"$tables"

{
  echo "# Regular-expression benchmark"
  echo
  echo "Made by \`scripts/regex-bench.sh\`${quick:+ $quick} on $(date -u '+%Y-%m-%d %H:%M UTC')."
  echo "Machine: $(lscpu | sed -n 's/^Model name: *//p' | head -1), $(nproc) cores."
  # RE2's pkg-config file says 0.0.0; the package knows its release.
  re2_version=$(dpkg-query -W -f='${Version}' libre2-dev 2>/dev/null || pkg-config --modversion re2)
  echo "Peers: Oniguruma $(pkg-config --modversion oniguruma), RE2 $re2_version," \
       "PCRE2 $(pkg-config --modversion libpcre2-8), $(sed --version | head -1)."
  echo
  echo "Texts: Debian's Japanese manual pages (manpages-ja) in CP932 with CR LF (ja-crlf) and LF"
  echo "(ja-lf) line ends, English manual pages (en-lf), one line of random capitals (caps) and"
  echo "random a/b in lines of 100 (ab); Oniguruma reads the CP932 bytes, RE2, PCRE2 and sed the"
  echo "same text in UTF-8. How each engine is checked, walked and timed: \`bench/regex_bench.cpp\`."
  cat "$tables"
} >"$build/RESULTS.md"

if [[ -z "$quick" ]]; then
  # The whole-process sections (scripts/process-bench.sh, scripts/groups-bench.sh) stay.
  sed -n '/^<!-- [a-z-]* -->$/,$p' bench/RESULTS.md >>"$build/RESULTS.md"
  cp "$build/RESULTS.md" bench/RESULTS.md
  echo "written: bench/RESULTS.md"
else
  echo "written: $build/RESULTS.md"
fi
