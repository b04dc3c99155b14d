#!/usr/bin/env bash
# Windows end-to-end checks under Wine: cross-builds the Windows programs, runs each check
# in a private Wine prefix on a virtual X display, and ends with "N passed, M failed".
# Exit status 0 only when every check passed.
#
# Usage: scripts/e2e-wine.sh [CHECK...]      (default: every check in CHECKS)
# Environment:
#   BUILD_DIR   the cross build tree (default build-win)
#   WINEPREFIX  the Wine prefix (default $BUILD_DIR/wineprefix; created on first use)
#   WINE        the Wine launcher (default wine)
#   DISPLAY     an X display to use; when unset, Xvfb is started on :99
#
# A check is a function check_NAME (dashes of NAME as underscores) that returns 0 on
# success; list it in CHECKS and name
# the targets it needs in CHECK_TARGETS.
set -uo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="$(realpath -m "${BUILD_DIR:-$ROOT/build-win}")"
WINE="${WINE:-wine}"
CHECKS=(profile-compare win32-services)
CHECK_TARGETS=(profile-compare win32-services)
CHECK_TIMEOUT=300  # seconds for one program under Wine

passed=0
failed=0
xvfb_pid=""

log() { echo "e2e-wine: $*" >&2; }

build_windows_targets() {
    if [[ ! -f "$BUILD_DIR/CMakeCache.txt" ]]; then
        cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
            -DCMAKE_BUILD_TYPE=Release >/dev/null || return 1
    fi
    cmake --build "$BUILD_DIR" --target "$@"
}

start_display() {
    if [[ -n "${DISPLAY:-}" ]]; then
        return 0
    fi
    export DISPLAY=:99
    Xvfb :99 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
        [[ -S /tmp/.X11-unix/X99 ]] && break
        sleep 0.1
    done
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then
        # Display :99 already has a server (another run's): use it.
        xvfb_pid=""
        [[ -S /tmp/.X11-unix/X99 ]] || { log "Xvfb :99 did not start"; return 1; }
    fi
}

# A private prefix, made on first use: a fresh prefix takes about 20 s.
setup_wine() {
    export WINEPREFIX="${WINEPREFIX:-$BUILD_DIR/wineprefix}"
    export WINEDEBUG="${WINEDEBUG:--all}"
    # No Mono or Gecko install prompts while the prefix is made.
    export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
    # Unix file names in UTF-8, so Japanese file names work with no Japanese locale
    # installed. Wine's ANSI code page stays 1252 then: the programs must not depend on it.
    export LANG=C.UTF-8 LC_ALL=C.UTF-8
    command -v "$WINE" >/dev/null || { log "$WINE not found"; return 1; }
    start_display || return 1
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        log "creating the Wine prefix $WINEPREFIX"
        "$WINE" wineboot --init >/dev/null 2>&1
        wineserver -w
    fi
}

cleanup() {
    if [[ -n "${WINEPREFIX:-}" ]]; then
        wineserver -k 2>/dev/null
    fi
    if [[ -n "$xvfb_pid" ]]; then
        kill "$xvfb_pid" 2>/dev/null
    fi
}

# Runs a Windows program of the build tree under Wine; its output goes to the log.
run_windows_program() {
    local program="$1"
    shift
    timeout "$CHECK_TIMEOUT" "$WINE" "$BUILD_DIR/$program" "$@"
}

check_profile_compare() { run_windows_program profile-compare.exe; }

check_win32_services() { run_windows_program win32-services.exe; }

run_check() {
    local name="$1"
    log "--- $name"
    if "check_${name//-/_}"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        log "FAILED: $name"
    fi
}

main() {
    local checks=("$@")
    [[ ${#checks[@]} -gt 0 ]] || checks=("${CHECKS[@]}")
    build_windows_targets "${CHECK_TARGETS[@]}" || { log "cross build failed"; echo "0 passed, ${#checks[@]} failed"; return 1; }
    trap cleanup EXIT
    setup_wine || { echo "0 passed, ${#checks[@]} failed"; return 1; }
    for name in "${checks[@]}"; do
        run_check "$name"
    done
    echo "$passed passed, $failed failed"
    [[ $failed -eq 0 ]]
}

main "$@"
