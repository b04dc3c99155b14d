# shellcheck shell=bash
# Driving Morvane.exe through the test driver (tests/win32/E2EDriver.cpp): each check's
# folder and settings file, starting and ending the program, hot keys posted over texts the
# driver puts on the clipboard byte for byte, and the settings file read back. Sourced by
# scripts/e2e-wine.sh.

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
