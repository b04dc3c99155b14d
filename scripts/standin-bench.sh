#!/usr/bin/env bash
# What the stand-ins for characters beyond CP932 cost: a no-op replace through
# `morvane-cli --encoding=utf-8` over 10 MB of Japanese manual pages in UTF-8, once as they
# are and once with a beyond-character (é, 〜 U+301C, 😀, −, —, 한) on every line; median CPU
# time of five alternating runs of each, whole process.
#
#   scripts/standin-bench.sh [BUILD_DIR]     (default: build; needs manpages-ja)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
cli="$build/morvane-cli"
[[ -x "$cli" ]] || { echo "build $cli first" >&2; exit 1; }
compgen -G "/usr/share/man/ja/man1/*.gz" >/dev/null || { echo "install manpages-ja" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Japanese text that CP932 holds whole: what iconv can take there and back.
for page in /usr/share/man/ja/man1/*.gz; do
  zcat "$page" | iconv -f UTF-8 -t CP932 2>/dev/null | iconv -f CP932 -t UTF-8 || true
done >"$work/pages.txt"
while (($(stat -c %s "$work/plain.txt" 2>/dev/null || echo 0) < 10000000)); do cat "$work/pages.txt" >>"$work/plain.txt"; done
head -c 10000000 "$work/plain.txt" | sed '$d' >"$work/cut.txt"  # whole lines only
mv "$work/cut.txt" "$work/plain.txt"
# The same text with one of six beyond-characters in place of a blank on every line that
# has one, so both texts are nearly the same size.
awk 'BEGIN { split("é 〜 😀 − — 한", beyond, " ") } { sub(/ /, beyond[NR % 6 + 1]); print }' "$work/plain.txt" >"$work/beyond.txt"

cpu_seconds() {  # the CPU time of one run, user and system
  local t
  t=$( { /usr/bin/time -f '%U %S' "$cli" --encoding=utf-8 gsub zzzq x <"$1" >"$work/out" ; } 2>&1 )
  cmp -s "$1" "$work/out" || { echo "output differs for $1" >&2; exit 1; }
  awk '{ print $1 + $2 }' <<<"$t"
}
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

: >"$work/plain.times"; : >"$work/beyond.times"
for _ in 1 2 3 4 5; do
  cpu_seconds "$work/plain.txt" >>"$work/plain.times"
  cpu_seconds "$work/beyond.txt" >>"$work/beyond.times"
done
plain=$(median <"$work/plain.times"); beyond=$(median <"$work/beyond.times")
printf 'text                         bytes      CPU s (median of 5)\n'
printf 'Japanese, CP932 only     %10d   %s\n' "$(stat -c %s "$work/plain.txt")" "$plain"
printf 'with beyond-characters   %10d   %s\n' "$(stat -c %s "$work/beyond.txt")" "$beyond"
awk -v a="$plain" -v b="$beyond" 'BEGIN { printf "cost of the stand-ins: %+.1f%%\n", (b / a - 1) * 100 }'
