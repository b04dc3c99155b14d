#!/usr/bin/env bash
# Replacements with groups, whole process over 10 MB of Japanese manual pages in CP932:
# morvane-cli gsub -E beside RE2 (GlobalReplace), PCRE2 JIT (pcre2_substitute), Oniguruma
# and GNU sed -E, outputs compared with Oniguruma's. Prints a Markdown table. It installs
# nothing: it needs libre2-dev, libpcre2-dev, libonig-dev and manpages-ja.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_BUILD_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target morvane-cli group_peer >/dev/null
python3 scripts/make-bench-corpus.py "$build/bench-corpus" >/dev/null
python3 scripts/group-bench.py "$build/morvane-cli" "$build/bench/group_peer" "$build/bench-corpus/ja-lf-10m.sjis"
