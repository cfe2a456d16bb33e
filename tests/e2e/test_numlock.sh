#!/usr/bin/env bash
# NumLock held by the board through the X server: mode 1 keeps it on, mode 2 keeps it off and the keypad then
# switches the goal lights; real X key events throughout.
source "$E2E_LIB"
start_xvfb 1024x768

numlock() { xset q | sed -n 's/.*Num Lock: *\([a-z]*\).*/\1/p'; }

# Goal light centres in the board at its design size (pixels), and the colour of a lit light.
HOME_LIGHT="200 148"
VISITOR_LIGHT="432 148"
LIT="255,128,0"

run_board() {
  local mode=$1
  printf '[KeySettings]\nNumLockForce=%s\n' "$mode" > "$E2E_TMP/settings.ini"
  start_rinkmaster
  local splash
  splash=$(wait_window '^Rinkmaster$')
  click_in "$splash" 200 30
  BOARD=$(wait_window '^Rinkmaster - ')
  focus_window "$BOARD"
}

stop_board() {
  close_window "$BOARD"
  for i in $(seq 1 50); do kill -0 "$E2E_APP_PID" 2>/dev/null || return 0; sleep 0.1; done
  fail "board did not close"
}

# Mode 1: on at start-up; the operator's NumLock press is undone at the release.
[ "$(numlock)" = off ] || xdotool key Num_Lock
[ "$(numlock)" = off ] || fail "could not start with NumLock off"
run_board 1
[ "$(numlock)" = on ] || fail "mode 1 did not turn NumLock on at start-up"
# With NumLock locked, XKB unlocks it when the key is released; the board then locks it again at once.
xdotool key Num_Lock
sleep 0.5
[ "$(numlock)" = on ] || fail "mode 1 did not turn NumLock back on after the release"
xdotool key Num_Lock
sleep 0.5
[ "$(numlock)" = on ] || fail "mode 1 did not hold NumLock on at a second press"
stop_board

# Mode 2: off at start-up; keypad 4, 6 and 2 (raw keycodes 83, 85, 88) arrive as arrows in the goal field.
run_board 2
[ "$(numlock)" = off ] || fail "mode 2 did not turn NumLock off at start-up"
xdotool key Tab Tab Tab
sleep 0.2
xdotool key 83
sleep 0.3
screenshot "$BOARD" "$E2E_TMP/home-goal.png"
[ "$(pixel_at "$E2E_TMP/home-goal.png" $HOME_LIGHT)" = "$LIT" ] || fail "keypad 4 did not light the home goal"
xdotool key 85
sleep 0.3
screenshot "$BOARD" "$E2E_TMP/visitor-goal.png"
[ "$(pixel_at "$E2E_TMP/visitor-goal.png" $VISITOR_LIGHT)" = "$LIT" ] || fail "keypad 6 did not light the visitor goal"
[ "$(pixel_at "$E2E_TMP/visitor-goal.png" $HOME_LIGHT)" = "$LIT" ] && fail "home goal still lit"
xdotool key 88
sleep 0.3
screenshot "$BOARD" "$E2E_TMP/no-goal.png"
[ "$(pixel_at "$E2E_TMP/no-goal.png" $VISITOR_LIGHT)" = "$LIT" ] && fail "keypad 2 did not clear the goal lights"
stop_board

# Mode 0: a NumLock press is never undone (from on, the same key as above turns it off and it stays off).
xdotool key Num_Lock
[ "$(numlock)" = on ] || fail "could not turn NumLock on"
run_board 0
xdotool key Num_Lock
sleep 0.5
[ "$(numlock)" = off ] || fail "mode 0 undid the operator's NumLock press"
stop_board
echo PASS
