# shellcheck shell=bash
# shellcheck disable=SC2154  # work, morvane_pid: the current check's, set by e2e-wine.sh and morvane.sh
# Driving Morvane.exe as a person does (sourced by scripts/e2e-wine.sh). Keys pressed
# through the X server reach RegisterHotKey while a Wine window (notepad) has the focus; the
# tray icon sits in Wine's tray window and takes real clicks; the clipboard is read and set
# through X. Wine hands CR LF to X as LF, so texts are compared without CRs here; the checks
# that need the bytes exactly (CR LF, the CP932 round trips) put and read the clipboard
# through the driver and post the hot key with it (driver edit).

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
