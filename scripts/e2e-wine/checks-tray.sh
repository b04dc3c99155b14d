# shellcheck shell=bash
# shellcheck disable=SC2154  # work, morvane_pid: the current check's, set by e2e-wine.sh and morvane.sh
# Checks of the tray icon, its menu and the program's end. Sourced by scripts/e2e-wine.sh.

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

# The exit writes the active group, and nothing else, to the settings file.
check_exit_writes_group() {
    new_work_dir exit-writes-group
    use_example_ini
    start_morvane || return 1
    tray_click 1 && tray_click 1 && stop_morvane || return 1
    { cat "$ROOT/examples/Morvane.INI"; printf '[Main]\r\nGroup=3\r\n'; } >"$work/expected.INI"
    expect_ini_file "$work/expected.INI" "after the exit"
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
