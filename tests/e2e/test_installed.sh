#!/usr/bin/env bash
# The installed program: installed into a staging folder (DESTDIR), started from there under Xvfb, it finds its
# sounds and its help in the installed data folder (../share/rinkmaster), not beside itself.
source "$E2E_LIB"

stage="$E2E_TMP/stage"
DESTDIR="$stage" cmake --install "$RINKMASTER_BUILD_DIR" --prefix /usr >"$E2E_TMP/install.log" 2>&1 ||
  fail "install failed: $(cat "$E2E_TMP/install.log")"
data="$stage/usr/share/rinkmaster"
RINKMASTER_BIN="$stage/usr/bin/rinkmaster"
[ -x "$RINKMASTER_BIN" ] || fail "no installed program"
for f in horn.wav buzzer.wav rinkmasterhelpfile.rtf results.html; do
  [ -f "$data/$f" ] || fail "$f not installed in the data folder"
  [ -e "$stage/usr/bin/$f" ] && fail "$f installed beside the program"
done

# Share of the help window's pixels in the headings' blue: the help text has blue headings, the message for a
# missing help file is plain black text.
blue_share() {
  convert "$1" -fx '(b-r>0.2 && b-g>0.1) ? 1 : 0' -format '%[fx:mean]' info:
}

start_xvfb 1280x1024
start_rinkmaster
splash=$(wait_window '^Rinkmaster$')

# OK in the options dialog stores the default sound files: the ones in the data folder.
click_in "$splash" 350 180
options=$(wait_window '^Options$')
focus_window "$options"
keys Return
sleep 0.5
grep -qxF "BuzzerFile=$data/buzzer.wav" "$E2E_SETTINGS" || fail "buzzer not taken from the data folder: $(cat "$E2E_SETTINGS")"
grep -qxF "HornFile=$data/horn.wav" "$E2E_SETTINGS" || fail "horn not taken from the data folder: $(cat "$E2E_SETTINGS")"

click_in "$splash" 200 30
board=$(wait_window '^Rinkmaster - ')
sleep 0.5
screenshot "$board" "$E2E_TMP/installed_board.png"
[ "$(colour_count "$E2E_TMP/installed_board.png")" -gt 5 ] || fail "board screenshot is blank"
focus_window "$board"
keys F1
helpwin=$(wait_window '^Rinkmaster Help$')
sleep 0.5
screenshot "$helpwin" "$E2E_TMP/installed_help.png"
share=$(blue_share "$E2E_TMP/installed_help.png")
echo "help window, share of heading blue: $share"
awk -v s="$share" 'BEGIN { exit !(s > 0.001) }' || fail "the help window does not show the help text"
close_window "$board"
wait "$E2E_APP_PID" 2>/dev/null || true

# Without the help file in the data folder, F1 tells that it is missing (and the check above can tell them apart).
rm "$data/rinkmasterhelpfile.rtf"
start_rinkmaster
splash=$(wait_window '^Rinkmaster$')
click_in "$splash" 200 30
board=$(wait_window '^Rinkmaster - ')
focus_window "$board"
keys F1
helpwin=$(wait_window '^Rinkmaster Help$')
sleep 0.5
screenshot "$helpwin" "$E2E_TMP/missing_help.png"
share=$(blue_share "$E2E_TMP/missing_help.png")
echo "help window without its file, share of heading blue: $share"
awk -v s="$share" 'BEGIN { exit !(s == 0) }' || fail "a missing help file still shows help text"
[ "$(colour_count "$E2E_TMP/missing_help.png")" -gt 2 ] || fail "the missing-file message is not shown"
close_window "$board"
[ -n "${E2E_SHOTS:-}" ] && cp "$E2E_TMP"/*.png "$E2E_SHOTS"/
echo "PASS"
