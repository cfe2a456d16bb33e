#!/usr/bin/env bash
# The real program starts at its start-up window; a click (real X event) opens the board at 10:00.
source "$E2E_LIB"
start_xvfb 1280x1024
start_rinkmaster

splash=$(wait_window '^Rinkmaster$')
geometry=$(xdotool getwindowgeometry "$splash")
echo "$geometry"
# Centred horizontally; the top edge at (screen height - 5880 twips) / 2 = (1024 - 392) / 2 pixels.
echo "$geometry" | grep -q "Position: 432,316" || fail "start-up window not where it belongs: $geometry"
screenshot "$splash" "$E2E_TMP/splash.png"

# A click on the name goes on to the board.
click_in "$splash" 200 30
board=$(wait_window '^Rinkmaster - ')
sleep 0.5
screenshot "$board" "$E2E_TMP/board.png"
[ "$(colour_count "$E2E_TMP/board.png")" -gt 5 ] || fail "board screenshot is blank"
xdotool search --onlyvisible --name '^Rinkmaster$' >/dev/null 2>&1 && fail "start-up window still shown"

# F1 opens the help viewer beside the board.
focus_window "$board"
keys F1
helpwin=$(wait_window '^Rinkmaster Help$')
sleep 0.3
screenshot "$helpwin" "$E2E_TMP/help.png"
[ "$(colour_count "$E2E_TMP/help.png")" -gt 5 ] || fail "help window is blank"

# Closing the board ends the program, even with the help window open.
close_window "$board"
for i in $(seq 1 50); do
  kill -0 "$E2E_APP_PID" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$E2E_APP_PID" 2>/dev/null && fail "program still running after the board was closed"
[ -n "${E2E_SHOTS:-}" ] && cp "$E2E_TMP"/*.png "$E2E_SHOTS"/
echo "PASS"
