# shellcheck shell=bash
# The screenshots for the README (scripts/e2e-wine.sh screenshots): not checks.

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
    # shellcheck disable=SC2034  # WINDOW and SCREEN: set by the eval below, kept local
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
