# shellcheck shell=bash
# Wine on a virtual X display for the Windows checks: the build of the Windows programs,
# the display, the private prefix, and the end of it all. Sourced by scripts/e2e-wine.sh.

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
    # Room for the settings dialog at 192 DPI (screenshots).
    Xvfb :99 -screen 0 2560x1600x24 -nolisten tcp >/dev/null 2>&1 &
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
    # Windows that no window manager handles: Wine would otherwise wait up to 2 s for one
    # whenever a window is hidden (Xvfb has none).
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # One server for the whole run: otherwise each start after a pause pays for a new one.
    # It fails harmlessly when the prefix's server is already running.
    wineserver -p 2>/dev/null
    return 0
}

cleanup() {
    end_morvane
    end_notepad
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

# The Windows name of a file: Wine's drive Z: is the Unix root.
winpath() {
    local path
    path="$(realpath -m "$1")"
    printf 'Z:%s' "${path//\//\\}"
}
