#!/usr/bin/env bash
# Packs the Windows release: Morvane-<version>-win64.zip holding Morvane.exe and the example
# settings file as Morvane.INI beside it (the program reads the INI named after itself).
#
# Usage: scripts/make-release.sh [EXE [VERSION [OUTPUT_DIR]]]
#   EXE         defaults to build-win/Morvane.exe
#   VERSION     defaults to the version in CMakeLists.txt's project()
#   OUTPUT_DIR  defaults to the folder of EXE
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
exe="$(realpath "${1:-$root/build-win/Morvane.exe}")"
version="${2:-$(sed -n 's/^project(Morvane VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")}"
out_dir="$(realpath "${3:-$(dirname "$exe")}")"

[[ -f "$exe" ]] || { echo "make-release: $exe not found (build it first: scripts/cross-build.sh)" >&2; exit 1; }
[[ -n "$version" ]] || { echo "make-release: no version" >&2; exit 1; }

zip_path="$out_dir/Morvane-$version-win64.zip"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/Morvane.exe"
cp "$root/examples/Morvane.INI" "$stage/Morvane.INI"
rm -f "$zip_path"
if command -v zip >/dev/null; then
    (cd "$stage" && zip -q -X "$zip_path" Morvane.exe Morvane.INI)
else
    (cd "$stage" && python3 -m zipfile -c "$zip_path" Morvane.exe Morvane.INI)
fi
echo "$zip_path"
