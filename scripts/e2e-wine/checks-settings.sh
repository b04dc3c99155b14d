# shellcheck shell=bash
# shellcheck disable=SC2154  # work, morvane_pid: the current check's, set by e2e-wine.sh and morvane.sh
# Checks of the settings dialog and the settings file it writes. Sourced by scripts/e2e-wine.sh.

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
    { driver dialog dpi 96 && [[ "$(driver rect TMorvaneOption)" == "$before" ]]; } ||
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
