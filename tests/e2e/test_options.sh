#!/usr/bin/env bash
# The options dialog in the real program with real X events: Escape discards, the key window refuses Escape
# and Tab and takes a letter, OK writes every setting, and F2 on the board opens the dialog again.
source "$E2E_LIB"
start_xvfb 1280x1024
start_rinkmaster

settings="$E2E_TMP/settings.ini"
splash=$(wait_window '^Rinkmaster$')

# The Options button of the start-up window (frame at 120 twips, button at 4560, 2520, 1215 x 375).
click_in "$splash" 350 180
options=$(wait_window '^Options$')
screenshot "$options" "$E2E_TMP/options.png"
focus_window "$options"
keys Escape
sleep 0.3
xdotool search --onlyvisible --name '^Options$' >/dev/null 2>&1 && fail "Escape did not close the options dialog"
grep -q '^HomeText' "$settings" && fail "Escape stored the settings"

# Again; the Horn button sits at 240, 2040 twips in the tab control, which sits at 120, 120.
click_in "$splash" 350 180
options=$(wait_window '^Options$')
focus_window "$options"
click_in "$options" 80 156
chooser=$(wait_window '^Choose Key$')
focus_window "$chooser"
keys Escape Tab Left
sleep 0.3
xdotool search --onlyvisible --name '^Choose Key$' >/dev/null 2>&1 || fail "a refused key closed the key window"
screenshot "$chooser" "$E2E_TMP/choosekey.png"
keys x
sleep 0.3
xdotool search --onlyvisible --name '^Choose Key$' >/dev/null 2>&1 && fail "X did not close the key window"
focus_window "$options"
keys Return
sleep 0.5
xdotool search --onlyvisible --name '^Options$' >/dev/null 2>&1 && fail "Enter did not press OK"
grep -q '^HornKey=88' "$settings" || fail "the horn key X was not stored: $(cat "$settings")"
for key in TimeColor LEDBack LEDSelected ScoreColor PeriodColor FormBack BorderColor HomeColor VisitorColor \
  LEDSelectedWidth StartStopClockKey ResetClockKey ClearKey ClockSwitchKey SepTimeKey BuzzerKey HornKey \
  BuzzerFile HornFile NumLockForce HomeText VisitorText TeamSize LEDType PenaltyRules; do
  grep -q "^$key=" "$settings" || fail "$key missing after OK"
done

# F2 on the board opens it in front of the board; Cancel leaves the stored horn key.
click_in "$splash" 200 30
board=$(wait_window '^Rinkmaster - ')
focus_window "$board"
keys F2
options=$(wait_window '^Options$')
focus_window "$options"
keys Escape
sleep 0.3
xdotool search --onlyvisible --name '^Options$' >/dev/null 2>&1 && fail "Escape did not close the dialog opened by F2"
xdotool search --onlyvisible --name '^Rinkmaster - ' >/dev/null 2>&1 || fail "the board went away"
grep -q '^HornKey=88' "$settings" || fail "Cancel changed the stored horn key"

close_window "$board"
[ -n "${E2E_SHOTS:-}" ] && cp "$E2E_TMP"/*.png "$E2E_SHOTS"/
echo "PASS"
