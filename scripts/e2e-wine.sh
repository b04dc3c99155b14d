#!/usr/bin/env bash
# Windows end-to-end checks under Wine: cross-builds the Windows programs, checks the Win32
# platform services, and starts Morvane.exe in a private Wine prefix on a virtual X display
# to drive it from outside with the test driver (tests/win32/E2EDriver.cpp) as the system
# and the user would: hot keys, tray clicks, the tray menu, the settings dialog, the
# clipboard and the settings file. Ends with "N passed, M failed"; exit status 0 only when
# every check passed.
#
# Usage: scripts/e2e-wine.sh [CHECK...]      (default: every check in CHECKS)
#        scripts/e2e-wine.sh screenshots     (not a check: redraws docs/screenshots/*.png;
#                                             needs fonts-noto-cjk, imagemagick, xdotool)
# Environment:
#   BUILD_DIR   the cross build tree (default build-win)
#   WINEPREFIX  the Wine prefix (default $BUILD_DIR/wineprefix; created on first use)
#   WINE        the Wine launcher (default wine)
#   DISPLAY     an X display to use; when unset, Xvfb is started on :99
#
# A check is a function check_NAME (dashes of NAME as underscores) in
# scripts/e2e-wine/checks-*.sh that returns 0 on success; list it in CHECKS. Each check of
# Morvane.exe runs a copy of it in a folder of its own under $BUILD_DIR/e2e-wine/, kept for
# a look after a failure. The helpers they share: wine.sh (the display and the prefix),
# morvane.sh (the program through the test driver), person.sh (keys, mouse and clipboard
# through X).
# shellcheck source-path=SCRIPTDIR
set -uo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="$(realpath -m "${BUILD_DIR:-$ROOT/build-win}")"
WINE="${WINE:-wine}"
CHECKS=(profile-compare win32-services edit-sets association-launch group-step tray-menu history-restore
        pattern-error unicode-clipboard settings-foreign-text second-start settings-ok settings-new-file settings-cancel
        settings-while-open settings-unwritable exit-writes-group held-key selection-edit hot-key-taken busy-clipboard
        session-end dialog-dpi-change settings-through-link dialog-trace)
CHECK_TARGETS=(profile-compare win32-services Morvane e2e-driver)
CHECK_TIMEOUT=300   # seconds for one program under Wine
DRIVER_TIMEOUT=60   # seconds for one driver command; the driver's own waits are shorter
RUN_DIR="$BUILD_DIR/e2e-wine"

passed=0
failed=0
xvfb_pid=""
work=""         # the current check's folder
morvane_pid=""  # the Morvane.exe that the current check started
notepad_pid=""  # the notepad that has the focus while keys are pressed

# shellcheck source=e2e-wine/wine.sh
source "$ROOT/scripts/e2e-wine/wine.sh"
# shellcheck source=e2e-wine/morvane.sh
source "$ROOT/scripts/e2e-wine/morvane.sh"
# shellcheck source=e2e-wine/person.sh
source "$ROOT/scripts/e2e-wine/person.sh"
# shellcheck source=e2e-wine/checks-edit.sh
source "$ROOT/scripts/e2e-wine/checks-edit.sh"
# shellcheck source=e2e-wine/checks-tray.sh
source "$ROOT/scripts/e2e-wine/checks-tray.sh"
# shellcheck source=e2e-wine/checks-settings.sh
source "$ROOT/scripts/e2e-wine/checks-settings.sh"
# shellcheck source=e2e-wine/screenshots.sh
source "$ROOT/scripts/e2e-wine/screenshots.sh"

run_check() {
    local name="$1" began
    log "--- $name"
    began=$(date +%s%N)
    if "check_${name//-/_}"; then
        passed=$((passed + 1))
        log "ok: $name ($((($(date +%s%N) - began) / 1000000)) ms)"
    else
        failed=$((failed + 1))
        log "FAILED: $name"
    fi
    end_morvane
    end_notepad
}

main() {
    local checks=("$@")
    [[ ${#checks[@]} -gt 0 ]] || checks=("${CHECKS[@]}")
    build_windows_targets "${CHECK_TARGETS[@]}" || { log "cross build failed"; echo "0 passed, ${#checks[@]} failed"; return 1; }
    trap cleanup EXIT
    setup_wine || { echo "0 passed, ${#checks[@]} failed"; return 1; }
    mkdir -p "$RUN_DIR"
    if [[ "${checks[*]}" == screenshots ]]; then
        screenshots
        return
    fi
    for name in "${checks[@]}"; do
        run_check "$name"
    done
    echo "$passed passed, $failed failed"
    [[ $failed -eq 0 ]]
}

main "$@"
