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
# A check is a function check_NAME (dashes of NAME as underscores) that returns 0 on
# success; list it in CHECKS. Each check of Morvane.exe runs a copy of it in a folder of
# its own under $BUILD_DIR/e2e-wine/, kept for a look after a failure.
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

# --- Driving Morvane.exe ------------------------------------------------------------------

# The Windows name of a file: Wine's drive Z: is the Unix root.
winpath() {
    local path
    path="$(realpath -m "$1")"
    printf 'Z:%s' "${path//\//\\}"
}

# Runs one command of the test driver (see tests/win32/E2EDriver.cpp for the commands).
driver() { timeout "$DRIVER_TIMEOUT" "$WINE" "$BUILD_DIR/e2e-driver.exe" "$@"; }

# A fresh folder for the check with a copy of Morvane.exe, which reads Morvane.INI beside it.
new_work_dir() {
    work="$RUN_DIR/$1"
    rm -rf "$work"
    mkdir -p "$work"
    cp "$BUILD_DIR/Morvane.exe" "$work/"
}

# The check's settings file from UTF-8 lines on standard input, as the program keeps it:
# CP932 with CR LF line ends.
write_ini() { sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$work/Morvane.INI"; }

use_example_ini() { cp "$ROOT/examples/Morvane.INI" "$work/Morvane.INI"; }

# Groups 1-4 named "第g群", each set s prefixing every line with "gGsS:", so a result shows
# which group's set ran.
use_group_ini() {
    local g s
    for g in 1 2 3 4; do
        printf '[Group%d]\nName=第%d群\n' "$g" "$g"
        for s in 1 2 3 4; do
            printf '[Group%dSet%d]\nHotKey=Ctrl+Alt+%d\nIfExec0=1\n' "$g" "$s" "$s"
            printf '[Group%dSet%dCond1]\nFromStr="^"\nToStr="g%ds%d:"\n' "$g" "$s" "$g" "$s"
        done
    done | write_ini
}

start_morvane() {
    (cd "$work" && exec "$WINE" Morvane.exe) >/dev/null 2>&1 &
    morvane_pid=$!
    driver wait-main
}

# Waits up to SECONDS for a process to end; polls, so a quick end costs nothing.
wait_process() {
    local pid="$1" tenths=$(($2 * 10)) i
    for ((i = 0; i < tenths; i++)); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# Ends the program as its exit command does and waits for the process to end. The window
# is closed by a message: check tray-menu clicks 終了 itself.
stop_morvane() {
    if ! { driver close && driver wait-gone && wait_process "$morvane_pid" 10; }; then
        log "Morvane does not end"
        return 1
    fi
    wait "$morvane_pid" 2>/dev/null
    morvane_pid=""
}

# After each check, whatever happened: no program of it may stay for the next, which would
# find the old window and meet the running instance's mutex.
end_morvane() {
    [[ -n "$morvane_pid" ]] || return 0
    if kill -0 "$morvane_pid" 2>/dev/null; then
        driver close >/dev/null 2>&1
        wait_process "$morvane_pid" 5 || kill "$morvane_pid" 2>/dev/null
    fi
    wait "$morvane_pid" 2>/dev/null
    morvane_pid=""
}

# Waits up to 10 s for a file to appear.
wait_file() {
    local i
    for ((i = 0; i < 100; i++)); do
        [[ -f "$1" ]] && return 0
        sleep 0.1
    done
    log "$1 did not appear"
    return 1
}

# Compares a file's bytes with the expected text; shows both when they differ.
same_text() {
    local file="$1" expected="$2" what="$3"
    cmp -s "$file" <(printf '%s' "$expected") && return 0
    log "$what: got"
    od -c "$file" | head -n 20 >&2
    log "$what: expected"
    printf '%s' "$expected" | od -c | head -n 20 >&2
    return 1
}

put_clipboard() {
    printf '%s' "$1" >"$work/put.txt"
    driver set-clipboard "$(winpath "$work/put.txt")"
}

expect_clipboard() {
    driver get-clipboard "$(winpath "$work/clipboard.txt")" && same_text "$work/clipboard.txt" "$1" "clipboard"
}

# Hot key ID over the text of FILE on the clipboard must leave EXPECTED there. The driver
# puts and reads the clipboard and posts the hot key: these texts must arrive byte for
# byte (CR LF, CP932 round trips), which X does not carry (see expect_key_edit).
expect_file_edit() {
    local id="$1" file="$2" expected="$3"
    driver edit "$id" "$(winpath "$file")" "$(winpath "$work/out.txt")" || { log "hot key $id failed"; return 1; }
    same_text "$work/out.txt" "$expected" "hot key $id over $(head -c 20 "$file")"
}

# Hot key ID over TEXT on the clipboard must leave EXPECTED there.
expect_edit() {
    printf '%s' "$2" >"$work/in.txt"
    expect_file_edit "$1" "$work/in.txt" "$3"
}

# The settings file as UTF-8 text.
ini_text() { iconv -f CP932 -t UTF-8 "$1"; }

# Value of KEY in SECTION of the check's settings file.
ini_value() {
    ini_text "$work/Morvane.INI" | tr -d '\r' | S="[$1]" K="$2" awk '
        /^\[/ { inside = ($0 == ENVIRON["S"]); next }
        inside && index($0, ENVIRON["K"] "=") == 1 { print substr($0, length(ENVIRON["K"]) + 2); exit }'
}

expect_ini_value() {
    local value
    value="$(ini_value "$1" "$2")"
    [[ "$value" == "$3" ]] || { log "[$1] $2 is '$value', expected '$3'"; return 1; }
}

# Standard input with the value of KEY in SECTION replaced (UTF-8 lines with CR LF).
ini_set() {
    S="[$1]" K="$2" V="$3" awk '
        { line = $0; sub(/\r$/, "", line) }
        line ~ /^\[/ { inside = (line == ENVIRON["S"]) }
        inside && index(line, ENVIRON["K"] "=") == 1 { $0 = ENVIRON["K"] "=" ENVIRON["V"] "\r" }
        { print }'
}

# The check's settings file must be byte for byte the expected file; shows the difference.
expect_ini_file() {
    cmp -s "$1" "$work/Morvane.INI" && return 0
    log "the settings file differs from the expected one ($2):"
    diff <(ini_text "$1") <(ini_text "$work/Morvane.INI") >&2
    return 1
}

# The layout of a settings file: its lines with the values taken off, line ends kept.
ini_layout() {
    LC_ALL=C awk '{ cr = sub(/\r$/, ""); at = index($0, "="); if (at) $0 = substr($0, 1, at); print $0 (cr ? "\r" : "") }' "$1"
}

# --- Driving it as a person does -------------------------------------------------------------
# Keys pressed through the X server reach RegisterHotKey while a Wine window (notepad) has
# the focus; the tray icon sits in Wine's tray window and takes real clicks; the clipboard
# is read and set through X. Wine hands CR LF to X as LF, so texts are compared without
# CRs here; the checks that need the bytes exactly (CR LF, the CP932 round trips) put and
# read the clipboard through the driver and post the hot key with it (driver edit).

start_notepad() {
    (cd "$work" && exec "$WINE" notepad) >/dev/null 2>&1 &
    notepad_pid=$!
    local i id=""
    for ((i = 0; i < 100; i++)); do
        id="$(xdotool search --name 'Notepad$' 2>/dev/null | head -n 1)"
        [[ -n "$id" ]] && break
        sleep 0.1
    done
    [[ -n "$id" ]] || { log "notepad did not start"; return 1; }
    # Away from the tray window at the top left; a click into its text gives it the focus.
    xdotool windowmove "$id" 300 200 && sleep 0.3 && xdotool mousemove 600 500 click 1 && sleep 0.3
}

end_notepad() {
    [[ -n "$notepad_pid" ]] || return 0
    kill "$notepad_pid" 2>/dev/null
    wait "$notepad_pid" 2>/dev/null
    notepad_pid=""
}

press() { xdotool key --delay 40 "$@"; }

x_clipboard() { xclip -selection clipboard -o 2>/dev/null; }

x_put_clipboard() { printf '%s' "$1" | xclip -selection clipboard -i && sleep 0.3; }

# Prints the X clipboard once it differs from OLD (or after 5 s as it is).
x_clipboard_after() {
    local i now
    for ((i = 0; i < 50; i++)); do
        now="$(x_clipboard)"
        [[ "$now" != "$1" ]] && break
        sleep 0.1
    done
    printf '%s' "$now"
}

# The X clipboard must become EXPECTED (CRs aside) within 5 s.
expect_x_clipboard() {
    local expected="${1//$'\r'/}" i now
    for ((i = 0; i < 50; i++)); do
        now="$(x_clipboard)"
        [[ "$now" == "$expected" ]] && return 0
        sleep 0.1
    done
    log "the clipboard holds '$now', expected '$expected'"
    return 1
}

# Pressing KEYS over TEXT on the clipboard must leave EXPECTED there.
expect_key_edit() {
    local keys="$1" text="$2" expected="${3//$'\r'/}" got
    x_put_clipboard "$text" && press "$keys" || return 1
    got="$(x_clipboard_after "$text")"
    [[ "$got" == "$expected" ]] || { log "$keys over '$text': got '$got', expected '$expected'"; return 1; }
}

# The tray icon's picture as a person sees it, as a checksum of its pixels.
tray_icon_picture() {
    local x y
    read -r x y <<<"$1"
    import -window root -crop 16x16+$((x - 8))+$((y - 8)) +repage rgb:- 2>/dev/null | md5sum
}

# Clicks the tray icon with mouse button 1 (left) or 3 (right): the driver finds where the
# icon is. Under Wine a click on the tray is now and then lost (about one check in ten,
# most often the first click after a program has started). A left click changes the group
# and so the icon's digit: when the icon stays as it was, the click is made again, and
# after three lost clicks the tray message is posted instead, so that a lost click does not
# fail a check about something else; the log says when either happened. The pause after a
# click keeps two clicks from making a double click.
tray_click() {
    local point i attempt before
    for ((i = 0; i < 50; i++)); do
        point="$(driver tray-point 2>/dev/null)" && break
        sleep 0.1
    done
    [[ -n "$point" ]] || { log "no tray icon"; return 1; }
    # The pointer stays off the icon while it is looked at: its tip would cover it.
    xdotool mousemove 150 150
    before="$(stable_tray_icon_picture "$point")"
    for attempt in 1 2 3; do
        # The pointer first, so that Wine knows the window under it when the button goes down.
        # shellcheck disable=SC2086  # "X Y"
        xdotool mousemove $point && sleep 0.2 && xdotool click "$1" && sleep 0.7
        [[ "$1" == 1 ]] || return 0
        xdotool mousemove 150 150
        for ((i = 0; i < 10; i++)); do
            [[ "$(tray_icon_picture "$point")" != "$before" ]] && return 0
            sleep 0.1
        done
        log "the tray icon did not change after a click (click $attempt)"
    done
    log "posting the tray message instead"
    driver tray 0x201 && sleep 0.5
}

# The tray icon's picture as a person sees it, as a checksum of its pixels.
tray_icon_picture() {
    local x y
    read -r x y <<<"$1"
    import -window root -crop 16x16+$((x - 8))+$((y - 8)) +repage rgb:- 2>/dev/null | md5sum
}

# The picture once it has stopped changing (the icon is drawn a moment after it is set).
stable_tray_icon_picture() {
    local last now i
    last="$(tray_icon_picture "$1")"
    for ((i = 0; i < 20; i++)); do
        sleep 0.3
        now="$(tray_icon_picture "$1")"
        [[ "$now" == "$last" ]] && break
        last="$now"
    done
    printf '%s' "$now"
}

# Clicks item ITEM of the tray menu (LEVEL 0) or of its open sub-menu (LEVEL 1), which has
# COUNT entries, the separator at SEPARATOR if there is one.
menu_click() {
    local point
    sleep 0.3
    point="$(driver menu-point "$@")" || return 1
    # shellcheck disable=SC2086  # "X Y"
    xdotool mousemove $point && sleep 0.2 && xdotool click 1 && sleep 0.3
}

# Clicks item ITEM of the tray menu: 設定, 元に戻す, グループ, a separator, 終了. A right
# click that Wine loses (see tray_click) is made again; after three, the tray message is
# posted instead. The log says when either happened.
tray_menu_click() {
    local attempt i
    for attempt in 1 2 3 4; do
        if ((attempt < 4)); then
            tray_click 3 || return 1
        else
            log "posting the tray message instead"
            driver tray 0x205 || return 1
        fi
        for ((i = 0; i < 10; i++)); do
            if driver rect '#32768' >/dev/null 2>&1; then
                menu_click 0 "$1" 5 3
                return
            fi
            sleep 0.2
        done
        log "the tray menu did not open (click $attempt)"
    done
    return 1
}

# --- The checks -----------------------------------------------------------------------------

check_profile_compare() { run_windows_program profile-compare.exe; }

check_win32_services() { run_windows_program win32-services.exe; }

# The example settings file's group 1 over examples/sample.txt: what its README promises.
EXAMPLE_SET1=$'  1:  Morvane is a clipboard tool.\r\n  2: key = value\r\n  3: もーばん と モーバン と ﾓｰﾊﾞﾝ\r\n  4: zebra\r\n  5: apple\r\n  6: Mango'
EXAMPLE_SET2=$'  MORVANE  IS   A CLIPBOARD   TOOL.   \r\nKEY = VALUE\r\n[もーばん] と [モーバン] と [ﾓｰﾊﾞﾝ]\r\nZEBRA\r\nAPPLE\r\nMANGO\r\n'
EXAMPLE_SET3=$'  Morvane  is   a clipboard   tool.   \r\napple\r\nkey = value\r\nMango\r\nzebra\r\nﾓーﾊﾞﾝ ﾄ ﾓーﾊﾞﾝ ﾄ ﾓｰﾊﾞﾝ'
EXAMPLE_SET4=$'++Morvane++is+++a+clipboard+++tool%2E+++\r\nvalue+%3D+key\r\n%82%E0%81%5B%82%CE%82%F1+%82%C6+%83%82%81%5B%83o%83%93+%82%C6+%D3%B0%CA%DE%DD\r\nzebra\r\napple\r\nMango'

check_edit_sets() {
    new_work_dir edit-sets
    use_example_ini
    start_morvane || return 1
    local sample="$ROOT/examples/sample.txt"
    expect_file_edit 1 "$sample" "$EXAMPLE_SET1" &&
        expect_file_edit 2 "$sample" "$EXAMPLE_SET2" &&
        expect_file_edit 3 "$sample" "$EXAMPLE_SET3" &&
        expect_file_edit 4 "$sample" "$EXAMPLE_SET4"
}

# Hot key 14 opens every line of the clipboard with its association. The driver stands in
# for the opened program and notes its parameters and working directory. Its folder's
# name has a blank, so the launch first tries ".../launch" alone, which opens nothing.
check_association_launch() {
    new_work_dir association-launch
    use_example_ini
    mkdir "$work/launch dir"
    cp "$BUILD_DIR/e2e-driver.exe" "$work/launch dir/"
    start_morvane && start_notepad || return 1
    local program dir text
    program="$(winpath "$work/launch dir/e2e-driver.exe")"
    dir="$(winpath "$work/launch dir")"
    text="$program mark one alpha  beta"$'\r\n'"$program mark two"
    # Through X the line break arrives as LF and Wine makes it CR LF again.
    x_put_clipboard "${text//$'\r'/}" && press ctrl+alt+o || return 1
    wait_file "$work/launch dir/launched-one.txt" && wait_file "$work/launch dir/launched-two.txt" || return 1
    same_text "$work/launch dir/launched-one.txt" $'args=alpha  beta\ncwd='"$dir"$'\n' "first line's launch" &&
        same_text "$work/launch dir/launched-two.txt" $'args=\ncwd='"$dir"$'\n' "second line's launch" &&
        expect_x_clipboard "$text" || return 1
    # 実行 on the dialog's 関連付け起動 tab launches the lines of the trial text.
    driver open-settings && driver dialog tab TabControlSet 4 &&
        driver dialog text MemoClipboard "$program mark three 3" && driver dialog click ButtonExe &&
        wait_file "$work/launch dir/launched-three.txt" || return 1
    same_text "$work/launch dir/launched-three.txt" $'args=3\ncwd='"$dir"$'\n' "launch from the dialog" &&
        driver dialog cancel
}

# A left click on the tray icon steps to the next group, from the last back to the first;
# the hot keys, pressed while notepad has the focus, then run that group's sets.
check_group_step() {
    new_work_dir group-step
    use_group_ini
    start_morvane && start_notepad || return 1
    expect_key_edit ctrl+alt+1 abc g1s1:abc || return 1
    tray_click 1 && expect_key_edit ctrl+alt+1 abc g2s1:abc && expect_key_edit ctrl+alt+4 abc g2s4:abc || return 1
    tray_click 1 && tray_click 1 && expect_key_edit ctrl+alt+3 abc g4s3:abc || return 1
    tray_click 1 && expect_key_edit ctrl+alt+2 abc g1s2:abc
}

# The tray menu, opened by a right click, and its items clicked: "グループ(&G)" with the items "<name>(&g)", "元に戻す(&U)" with
# the history, newest first, "設定(&S)" and "終了(&X)", which ends the program and writes
# the active group. (The tray tip lives in the notification area's own process, out of
# the driver's reach.)
check_tray_menu() {
    new_work_dir tray-menu
    use_group_ini
    start_morvane && start_notepad || return 1
    tray_menu_click 2 && menu_click 1 2 4 || return 1
    expect_key_edit ctrl+alt+1 abc g3s1:abc && expect_key_edit ctrl+alt+2 def g3s2:def || return 1
    tray_menu_click 1 && menu_click 1 1 2 && expect_x_clipboard abc || return 1
    tray_menu_click 0 && driver wait-settings || return 1
    local shown
    shown="$(driver dialog get ComboBoxGroup)"
    [[ "$shown" == "(3)第3群" ]] || { log "the dialog shows group '$shown'"; return 1; }
    driver dialog cancel || return 1
    tray_menu_click 4 && driver wait-gone && wait_process "$morvane_pid" 10 || return 1
    expect_ini_value Main Group 3
}

# History entries go back on the clipboard whole (the menu shows only 30 bytes of them),
# from the undo menu and from the settings dialog's undo pane. The texts are compared byte
# for byte, CR LF included, which X does not carry: the driver chooses the menu items.
check_history_restore() {
    new_work_dir history-restore
    use_group_ini
    start_morvane || return 1
    local first=$'最初の履歴は三十バイトより長い一行目\r\n二行目'
    expect_edit 1 "$first" $'g1s1:最初の履歴は三十バイトより長い一行目\r\ng1s1:二行目' &&
        expect_edit 1 second g1s1:second || return 1
    put_clipboard third && driver restore 1 && expect_clipboard "$first" || return 1
    driver restore 0 && expect_clipboard second || return 1
    driver open-settings && driver dialog tab TabControlEdit 1 && driver dialog undo 1 && expect_clipboard "$first" || return 1
    driver dialog cancel
}

# A pattern error stops the edit: an error box titled "Morvane" shows the message, the
# clipboard keeps its text, the history keeps the entry and the program stays resident.
check_pattern_error() {
    new_work_dir pattern-error
    write_ini <<'EOF'
[Group1Set1]
IfExec0=1
[Group1Set1Cond1]
FromStr="(abc"
ToStr="x"
[Group1Set2]
IfExec0=1
[Group1Set2Cond1]
FromStr="^"
ToStr="ok:"
EOF
    start_morvane || return 1
    local box status
    put_clipboard "keep me" || return 1
    box="$(driver edit 1)"
    status=$?
    [[ $status -eq 2 ]] || { log "no error box (driver status $status)"; return 1; }
    [[ "$box" == "右(閉じ)括弧が必要です" ]] || { log "the error box says '$box'"; return 1; }
    expect_clipboard "keep me" || return 1
    [[ "$(driver count TMorvaneMain)" == 1 ]] || { log "the main window has gone"; return 1; }
    expect_edit 2 abc ok:abc && driver restore 1 && expect_clipboard "keep me"
}

# Characters beyond Shift-JIS (〜 U+301C, é, an emoji, − U+2212) are edited around and come
# back exactly; the undo history gives back exactly the text that was taken. Text that
# Shift-JIS holds goes through the program's own conversion both ways.
check_unicode_clipboard() {
    new_work_dir unicode-clipboard
    use_example_ini
    start_morvane || return 1
    expect_edit 2 '10時〜12時 café 😀 − ab もーばん' '10時〜12時 CAFé 😀 − AB [もーばん]' || return 1
    driver restore 0 && expect_clipboard '10時〜12時 café 😀 − ab もーばん' || return 1
    expect_edit 2 '①Ⅸ～ｶﾞ ﾓｰﾊﾞﾝ' '①Ⅸ～ｶﾞ [ﾓｰﾊﾞﾝ]'
}

# The dialog opens whatever the clipboard and the settings file hold: a group name saved as
# UTF-8 (no valid CP932) is shown as well as it can be and written back unchanged; 実行 edits
# a text with characters beyond Shift-JIS, with one of them in the pattern; OK names a field
# that holds such a character and keeps the dialog open.
check_settings_foreign_text() {
    new_work_dir settings-foreign-text
    { printf '[Group1]\r\nName=caf\xC3\xA9 \xE3\x81\x82\r\n'; printf '[Group1Set1]\nIfExec0=1\n' | sed 's/$/\r/'; } \
        >"$work/Morvane.INI"
    cp "$work/Morvane.INI" "$work/before.INI"
    start_morvane || return 1
    put_clipboard '10時〜12時 café 😀' || return 1
    driver open-settings || return 1
    [[ "$(driver dialog get MemoClipboard)" == $'10時〜12時 café 😀\r' ]] || { log "the trial text is not the clipboard's"; return 1; }
    driver dialog text EditFrom é && driver dialog text EditTo e && driver dialog text MemoClipboard 'café 😀' &&
        driver dialog click ButtonExe && expect_clipboard 'cafe 😀' || return 1
    local box
    box="$(driver dialog click ButtonOk)"
    [[ $? -eq 2 && "$box" == "グループ(1) 編集設定（１） 置換条件（１）の「検索文字列」に、設定ファイルに保存できない文字 U+00E9（é）があります。" ]] ||
        { log "OK with é in a field: '$box'"; return 1; }
    [[ "$(driver count TMorvaneOption)" == 1 ]] || { log "the dialog closed"; return 1; }
    driver dialog text EditFrom e && driver dialog ok || return 1
    cmp -s <(grep -a -m1 '^Name=' "$work/before.INI") <(grep -a -m1 '^Name=' "$work/Morvane.INI") ||
        { log "the group name was rewritten"; return 1; }
}

# A second start ends at once, leaving the first instance alone.
check_second_start() {
    new_work_dir second-start
    use_example_ini
    start_morvane || return 1
    local began ended
    began=$(date +%s%N)
    (cd "$work" && timeout 10 "$WINE" Morvane.exe) >/dev/null 2>&1 || { log "the second start did not end"; return 1; }
    ended=$(date +%s%N)
    log "the second start ended after $(((ended - began) / 1000000)) ms"
    (((ended - began) < 5000000000)) || { log "the second start took too long"; return 1; }
    [[ "$(driver count TMorvaneMain)" == 1 ]] || { log "not exactly one main window"; return 1; }
    expect_edit 2 abc ABC
}

# Changes made through the dialog reach the settings file on OK, written in place: the
# file differs from the example in exactly these values, and the program runs the new set.
check_settings_ok() {
    new_work_dir settings-ok
    use_example_ini
    cp "$work/Morvane.INI" "$work/before.INI"
    start_morvane || return 1
    driver open-settings &&
        driver dialog text EditGroupName 整形テスト &&
        driver dialog hotkey 0x0651 &&
        driver dialog tab TabControlReplace 1 &&
        driver dialog text EditFrom 'x"y' &&
        driver dialog click CheckBoxCase || return 1
    # Checking the sort (position 4) moves it up behind the two checked items.
    local order
    order="$(driver dialog order-click 4 && driver dialog order)" || return 1
    [[ "$order" == "0* 1* 4* 2 3 5 6" ]] || { log "pipeline list: $order"; return 1; }
    driver dialog tab PageControlExec 1 && driver dialog text SpinEditDeg 6 && driver dialog ok || return 1
    ini_text "$work/before.INI" |
        ini_set Group1 Name 整形テスト |
        ini_set Group1Set1 HotKey Ctrl+Alt+Q |
        ini_set Group1Set1 Order2 4 | ini_set Group1Set1 Order3 2 | ini_set Group1Set1 Order4 3 |
        ini_set Group1Set1 IfExec4 1 |
        ini_set Group1Set1Cond2 FromStr '"x""y"' | ini_set Group1Set1Cond2 NoCase 1 |
        ini_set Group1Set1LineNo Deg 6 |
        iconv -f UTF-8 -t CP932 >"$work/expected.INI"
    expect_ini_file "$work/expected.INI" "after OK" || return 1
    expect_edit 1 $'b\r\na' $'     1: b\r\n     2: a'
}

# OK on a program without a settings file writes the whole file in the layout of the
# example file (Group1, Group1Set1, its Cond1-4 and LineNo, Group1Set2, ...); the exit
# adds [Main] at its end.
check_settings_new_file() {
    new_work_dir settings-new-file
    start_morvane || return 1
    driver open-settings && driver dialog ok || return 1
    ini_layout "$ROOT/examples/Morvane.INI" >"$work/expected-layout"
    ini_layout "$work/Morvane.INI" >"$work/layout"
    if ! cmp -s "$work/expected-layout" "$work/layout"; then
        log "the written file's layout differs from the example's:"
        diff "$work/expected-layout" "$work/layout" | head -n 20 >&2
        return 1
    fi
    expect_ini_value Group1Set1 Order3 3 && expect_ini_value Group4Set4LineNo Deg 4 || return 1
    stop_morvane || return 1
    printf '[Main]\r\nGroup=\r\n' >>"$work/expected-layout"
    ini_layout "$work/Morvane.INI" >"$work/layout"
    cmp -s "$work/expected-layout" "$work/layout" || { log "[Main] is not at the end"; return 1; }
    expect_ini_value Main Group 1
}

# Cancel leaves the settings file byte for byte as it was and the program's sets as they
# were, while 実行 has tried the edited set on the trial text.
check_settings_cancel() {
    new_work_dir settings-cancel
    use_example_ini
    cp "$work/Morvane.INI" "$work/before.INI"
    start_morvane || return 1
    driver open-settings &&
        driver dialog text EditGroupName 変えた名前 &&
        driver dialog tab TabControlReplace 2 &&
        driver dialog text EditFrom b &&
        driver dialog text EditTo B &&
        driver dialog order-click 3 &&
        driver dialog text MemoClipboard abc &&
        driver dialog click ButtonExe &&
        expect_clipboard '  1: aBc' || return 1
    # A pattern error in 実行 is shown like any other, and the dialog stays open.
    local box
    box="$(driver dialog text EditFrom '[b' && driver dialog click ButtonExe)"
    [[ $? -eq 2 && "$box" == '右ブラケット"]"が必要です' ]] || { log "実行 with a bad pattern: '$box'"; return 1; }
    expect_clipboard '  1: aBc' || return 1
    driver dialog group 1 && driver dialog text EditGroupName 別の名前 && driver dialog cancel || return 1
    expect_ini_file "$work/before.INI" "after Cancel" || return 1
    expect_edit 1 abc '  1: abc'
}

# While the dialog is open the tray still works: a left click steps the group and that
# group's hot keys run; 設定 again opens no second dialog. The exit then closes the dialog
# as Cancel would and writes the active group alone.
check_settings_while_open() {
    new_work_dir settings-while-open
    use_group_ini
    cp "$work/Morvane.INI" "$work/before.INI"
    start_morvane || return 1
    driver open-settings && driver dialog text EditGroupName 変えた名前 || return 1
    tray_click 1 && expect_key_edit ctrl+alt+1 abc g2s1:abc || return 1
    tray_menu_click 0 && expect_key_edit ctrl+alt+2 abc g2s2:abc || return 1
    [[ "$(driver count TMorvaneOption)" == 1 ]] || { log "not exactly one settings dialog"; return 1; }
    stop_morvane || return 1
    { cat "$work/before.INI"; printf '[Main]\r\nGroup=2\r\n'; } >"$work/expected.INI"
    expect_ini_file "$work/expected.INI" "after the exit"
}

# A settings file that cannot be written (a folder stands in its place): OK says so in an
# error box and still closes the dialog, and the program runs the sets as the dialog left
# them; the exit says so again, and the program ends all the same.
check_settings_unwritable() {
    new_work_dir settings-unwritable
    mkdir "$work/Morvane.INI"
    start_morvane || return 1
    local message box
    message="$(winpath "$work/Morvane.INI") に書き込めません"
    driver open-settings && driver dialog text EditFrom a && driver dialog text EditTo b &&
        driver dialog order-click 0 || return 1
    box="$(driver dialog ok)"
    [[ $? -eq 2 && "$box" == "$message" ]] || { log "OK on an unwritable file: '$box'"; return 1; }
    expect_edit 1 abc bbc || return 1
    box="$(driver close && driver wait-gone)"
    [[ $? -eq 2 && "$box" == "$message" ]] || { log "exit with an unwritable file: '$box'"; return 1; }
    wait_process "$morvane_pid" 10 || { log "Morvane does not end"; return 1; }
}

# The exit writes the active group, and nothing else, to the settings file.
check_exit_writes_group() {
    new_work_dir exit-writes-group
    use_example_ini
    start_morvane || return 1
    tray_click 1 && tray_click 1 && stop_morvane || return 1
    { cat "$ROOT/examples/Morvane.INI"; printf '[Main]\r\nGroup=3\r\n'; } >"$work/expected.INI"
    expect_ini_file "$work/expected.INI" "after the exit"
}

# A settings file that is a symbolic link: OK writes the file it leads to, and the link
# stays a link.
check_settings_through_link() {
    new_work_dir settings-through-link
    mkdir "$work/real"
    use_example_ini
    mv "$work/Morvane.INI" "$work/real/settings.ini"
    ln -s real/settings.ini "$work/Morvane.INI"
    start_morvane || return 1
    driver open-settings && driver dialog text EditGroupName リンク先 && driver dialog ok || return 1
    [[ -L "$work/Morvane.INI" ]] || { log "the link was replaced by a file"; return 1; }
    expect_ini_value Group1 Name リンク先
}

# A hot key held down edits once, however long the key repeats.
check_held_key() {
    new_work_dir held-key
    use_group_ini
    start_morvane && start_notepad && x_put_clipboard x || return 1
    xdotool keydown ctrl+alt+2 && sleep 1.5 && xdotool keyup ctrl+alt+2 || return 1
    expect_x_clipboard g1s2:x && sleep 0.5 && expect_x_clipboard g1s2:x || return 1
    expect_key_edit ctrl+alt+2 y g1s2:y  # and a new press is a new edit
}

# A set that edits the selection: text typed into notepad and selected becomes upper case
# in place; with nothing selected nothing is edited or pasted, and a balloon says so.
check_selection_edit() {
    new_work_dir selection-edit
    printf '[Group1Set1]\nHotKey=Ctrl+Alt+1\nIfExec2=1\nCaseMethod=1\nEditSelection=1\n' | write_ini
    start_morvane && start_notepad || return 1
    xdotool type --delay 30 'hello world' && press ctrl+a && press ctrl+alt+1 && sleep 1.5 || return 1
    press ctrl+a ctrl+c && expect_x_clipboard 'HELLO WORLD' || return 1
    x_put_clipboard kept && press End && press ctrl+alt+1 && driver wait-balloon || return 1
    sleep 1 && expect_x_clipboard kept && press ctrl+a ctrl+c && expect_x_clipboard 'HELLO WORLD'
}

# A key that another program holds is named in a balloon and beside the dialog's hot-key
# field; the group's other keys work. While Morvane runs its keys are its own; while the
# dialog is open they are free.
check_hot_key_taken() {
    new_work_dir hot-key-taken
    use_group_ini
    local ctrl_alt=3 holder label
    # Started without the driver's timeout wrapper, so that $! is the program to end.
    "$WINE" "$BUILD_DIR/e2e-driver.exe" hold-hotkey $ctrl_alt 0x31 60 &
    holder=$!
    sleep 1
    if start_morvane && driver wait-balloon && start_notepad && expect_key_edit ctrl+alt+2 abc g1s2:abc &&
        driver open-settings; then
        label="$(driver dialog get LabelHotKeyTaken)"
    fi
    kill $holder 2>/dev/null
    wait $holder 2>/dev/null
    [[ "${label:-}" == 他のプログラムが使用中です ]] || { log "beside the hot key: '${label:-}'"; return 1; }
    driver try-hotkey $ctrl_alt 0x32 || { log "the key is not free while the dialog is open"; return 1; }
    driver dialog cancel || return 1
    driver try-hotkey $ctrl_alt 0x32
    [[ $? -eq 3 ]] || { log "another program could take a key of Morvane"; return 1; }
}

# A clipboard that another program keeps open: the message names that program.
check_busy_clipboard() {
    new_work_dir busy-clipboard
    use_group_ini
    start_morvane && start_notepad || return 1
    local box opened
    coproc HOLDER { driver hold-clipboard 8; }
    read -r -t 20 -u "${HOLDER[0]}" opened || { log "the clipboard could not be held"; return 1; }
    press ctrl+alt+1
    box="$(driver wait-box)"
    wait "$HOLDER_PID" 2>/dev/null
    [[ "$box" == "クリップボードを開くことができません（e2e-driver.exeが使用中です）" ]] ||
        { log "the error box says '$box'"; return 1; }
}

# Ending the Wine session ends Morvane as its exit command does: the active group is
# written, also with the dialog open.
check_session_end() {
    new_work_dir session-end
    use_group_ini
    start_morvane && tray_click 1 && driver open-settings || return 1
    "$WINE" wineboot --end-session >/dev/null 2>&1
    wait_process "$morvane_pid" 10 || { log "Morvane does not end with the session"; return 1; }
    expect_ini_value Main Group 2
}

# A move to a monitor at 150 % (the driver stands in for it: under X a Wine window has one
# DPI) lays the dialog out again about 1.5 times as large at the same top left, every
# control inside it and what they show unchanged; back at 100 % it is as large as it was.
check_dialog_dpi_change() {
    new_work_dir dialog-dpi-change
    use_example_ini
    start_morvane || return 1
    local before after shown x y w h x2 y2 w2 h2
    driver open-settings && driver dialog tab PageControlExec 1 &&
        driver dialog text EditGroupName 拡大しても残る名前 || return 1
    before="$(driver rect TMorvaneOption)" && shown="$(driver dialog fits)" || return 1
    driver dialog dpi 144 && after="$(driver rect TMorvaneOption)" || return 1
    read -r x y w h <<<"$before"
    read -r x2 y2 w2 h2 <<<"$after"
    log "at 96 DPI $w x $h, at 144 DPI $w2 x $h2"
    ((x2 == x && y2 == y)) || { log "the dialog moved from $x,$y to $x2,$y2"; return 1; }
    ((w2 * 100 >= w * 135 && w2 * 100 <= w * 165 && h2 * 100 >= h * 135 && h2 * 100 <= h * 165)) ||
        { log "the dialog did not grow 1.5 times"; return 1; }
    [[ "$(driver dialog fits)" == "$shown" ]] || { log "other controls are shown at 144 DPI"; return 1; }
    [[ "$(driver dialog get EditGroupName)" == 拡大しても残る名前 ]] || { log "the group name was lost"; return 1; }
    driver dialog dpi 96 && [[ "$(driver rect TMorvaneOption)" == "$before" ]] ||
        { log "back at 96 DPI the dialog is $(driver rect TMorvaneOption), not $before"; return 1; }
    driver dialog cancel
}

# 実行 then 経過: the window lists each step that ran with its bytes and the replacements
# of each condition, as morvane-cli run --trace does for the same set and text. Clicked
# through the driver: the dialog's buttons are reached by id like the others.
check_dialog_trace() {
    new_work_dir dialog-trace
    use_example_ini
    start_morvane || return 1
    local items
    items="$(driver open-settings && driver dialog text MemoClipboard 'a  b' && driver dialog click ButtonExe &&
        driver dialog click ButtonTrace && driver dialog trace-items)" || return 1
    [[ "$items" == $'1 文字列置換 4 -> 3 条件1:0 条件2:1\n2 行番号 3 -> 8' ]] || { log "経過 lists: $items"; return 1; }
    expect_clipboard '  1: a b' || return 1
    driver dialog cancel
}

# --- Screenshots for the README -------------------------------------------------------------

SCREENSHOT_DIR="$ROOT/docs/screenshots"

# Japanese in Wine's own menus and boxes: its UI font links to Noto Sans CJK JP for the
# characters it lacks. Wine draws the window frames itself (no window manager), with the
# symbols of Marlett, which it finds only as a file of the prefix.
setup_screenshot_fonts() {
    "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma \
        /t REG_MULTI_SZ /d 'NotoSansCJK-Regular.ttc,Noto Sans CJK JP' /f >/dev/null &&
        cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
}

# Saves the visible windows of a class, cropped to them, as docs/screenshots/NAME.png.
# The short pause lets the windows paint; screenshots are not checks.
shoot() {
    local class="$1" name="$2" rect x y w h
    sleep 0.5
    rect="$(driver rect "$class")" || return 1
    read -r x y w h <<<"$rect"
    import -window root -crop "${w}x${h}+${x}+${y}" +repage -strip "$SCREENSHOT_DIR/$name.png" && log "wrote $name.png"
}

screenshots() {
    # At 96 DPI also after a run that was broken off at 192.
    setup_screenshot_fonts && set_wine_dpi 96 || return 1
    mkdir -p "$SCREENSHOT_DIR"
    new_work_dir screenshots
    use_example_ini
    start_morvane || return 1
    local sample="$ROOT/examples/sample.txt"
    # A history to show: three texts edited by sets 1, 4 and 2; the sample text on the
    # clipboard for the dialog's trial box.
    expect_file_edit 1 "$sample" "$EXAMPLE_SET1" &&
        expect_edit 4 $'key = value\r\nname = Morvane' $'value+%3D+key\r\nMorvane+%3D+name' &&
        expect_edit 2 'もーばん と ﾓｰﾊﾞﾝ' '[もーばん] と [ﾓｰﾊﾞﾝ]' &&
        driver set-clipboard "$(winpath "$sample")" || return 1
    xdotool mousemove 200 150
    driver tray 0x205 && driver menu --stay g && shoot '#32768' tray-menu-groups && driver menu esc esc || return 1
    driver tray 0x205 && driver menu --stay u && shoot '#32768' tray-menu-undo && driver menu esc esc || return 1
    # Each page with the example set that uses it (tab index = set - 1).
    driver open-settings || return 1
    local shot set page name
    for shot in 2:0:replace 1:1:line-numbers 2:2:case 3:3:convert 4:4:other; do
        IFS=: read -r set page name <<<"$shot"
        driver dialog tab TabControlSet $((set - 1)) && driver dialog tab PageControlExec "$page" &&
            shoot TMorvaneOption "settings-$name" || return 1
    done
    driver dialog tab TabControlSet 4 && shoot TMorvaneOption settings-association || return 1
    driver dialog tab TabControlSet 0 && driver dialog tab PageControlExec 0 && driver dialog tab TabControlEdit 1 &&
        shoot TMorvaneOption settings-undo || return 1
    driver dialog cancel && stop_morvane && screenshots_taken_key && screenshots_high_dpi
}

# A hot key that another program holds: the balloon that names it, and the dialog's mark.
screenshots_taken_key() {
    new_work_dir screenshots-taken-key
    use_example_ini
    local holder status=0
    "$WINE" "$BUILD_DIR/e2e-driver.exe" hold-hotkey 3 0x31 60 &  # Ctrl+Alt+1, set 1's key
    holder=$!
    sleep 1
    if start_morvane && driver wait-balloon; then
        sleep 1 && shoot tooltips_class32 tray-balloon-taken-key || status=1
        driver open-settings && shoot TMorvaneOption settings-hotkey-taken && driver dialog cancel || status=1
    else
        status=1
    fi
    kill $holder 2>/dev/null
    wait $holder 2>/dev/null
    end_morvane
    return $status
}

# Wine has one DPI for the whole session, read from the registry when its server starts.
set_wine_dpi() {
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null || return 1
    wineserver -k
    wineserver -w
    wineserver -p 2>/dev/null
    return 0
}

# Wine's own tray window, which holds the icon (Xvfb has no task bar), as NAME.png.
shoot_wine_tray() {
    local window X Y WIDTH HEIGHT WINDOW SCREEN
    sleep 0.5
    window="$(xdotool search --name 'Wine System Tray' | head -n 1)"
    [[ -n "$window" ]] || { log "Wine's tray window is not there"; return 1; }
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -strip "$SCREENSHOT_DIR/$1.png" && log "wrote $1.png"
}

# The replace page and the tray icon at 200 %; the prefix is set back to 96 DPI whatever
# happened.
screenshots_high_dpi() {
    set_wine_dpi 192 || return 1
    local status=0
    new_work_dir screenshots-192dpi
    use_example_ini
    if start_morvane && driver set-clipboard "$(winpath "$ROOT/examples/sample.txt")"; then
        shoot_wine_tray tray-icon-192dpi || status=1
        driver open-settings && driver dialog tab TabControlSet 1 && driver dialog tab PageControlExec 0 &&
            shoot TMorvaneOption settings-replace-192dpi && driver dialog cancel && stop_morvane || status=1
    else
        status=1
    fi
    end_morvane
    set_wine_dpi 96 || status=1
    return $status
}

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
