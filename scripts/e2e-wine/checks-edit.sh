# shellcheck shell=bash
# shellcheck disable=SC2154  # work, morvane_pid: the current check's, set by e2e-wine.sh and morvane.sh
# Checks of our INI reader and Win32 services against Wine's, and of the hot keys and what
# they edit. Sourced by scripts/e2e-wine.sh.

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
    local box
    coproc HOLDER { driver hold-clipboard 8; }
    # The holder's first line says that it has the clipboard open.
    read -r -t 20 -u "${HOLDER[0]}" _ || { log "the clipboard could not be held"; return 1; }
    press ctrl+alt+1
    box="$(driver wait-box)"
    wait "$HOLDER_PID" 2>/dev/null
    [[ "$box" == "クリップボードを開くことができません（e2e-driver.exeが使用中です）" ]] ||
        { log "the error box says '$box'"; return 1; }
}
