#!/usr/bin/env bash
# The real program with "Apply penalty rules" on (RuleSettings/PenaltyRules=Yes in its private settings),
# driven by real keys and read through the feed's /state: three home penalties make a 5-on-3 and a waiting
# third (Insert), a visitor goal releases the home minor with least time left and the waiting major takes its
# clock, a penalty clock's zero starts the next waiting one running; the rules' state survives a kill -9 and
# a resume. With the option off Insert adds nothing.
source "$E2E_LIB"
command -v python3 >/dev/null || fail "python3 missing (tools/dev.sh installs it)"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
E2E_SETTINGS="$E2E_TMP/settings.ini"
journal="$E2E_SETTINGS.game.json"
start_xvfb 1280x1024

home_pen='s["home"]["penalties"]'

# ---- The option off: Insert adds nothing ------------------------------------------------------------------
printf '[RuleSettings]\nPenaltyRules=No\n' >"$E2E_SETTINGS"
open_board --new-game
focus_window "$board"
# Tab x5 to the first home penalty field: 2, Insert.
keys Tab Tab Tab Tab Tab 2 Insert
sleep 0.4
check_state "$(fetch)" "$home_pen[0][\"text\"] == \"\"" '"queued" not in s["home"]' \
  || fail "with the option off Insert added a penalty"
kill "$E2E_APP_PID"
wait_end "$E2E_APP_PID"

# ---- The option on: 5-on-3 and a waiting third ------------------------------------------------------------
printf '[RuleSettings]\nPenaltyRules=Yes\n' >"$E2E_SETTINGS"
open_board --new-game
focus_window "$board"
# Home: a minor (2 Insert) on clock 1, a minor on clock 2, a major (5 Insert) that must wait.
keys Tab Tab Tab Tab Tab 2 Insert 2 Insert 5 Insert
sleep 0.4
check_state "$(fetch)" "$home_pen[0][\"text\"] == \"2:00\"" "$home_pen[1][\"text\"] == \"2:00\"" \
  "$home_pen[0][\"light\"] and $home_pen[1][\"light\"]" 's["home"]["queued"] == [300.0]' \
  's["visitor"]["queued"] == []' || fail "three home penalties did not make two on the clocks and one waiting"

# Enter still corrects: the second home clock (Tab Tab from the first) to 1:30.
keys Tab Tab 1 period 3 0 Return
sleep 0.3
check_state "$(fetch)" "$home_pen[1][\"text\"] == \"1:30\"" 's["home"]["queued"] == [300.0]' \
  || fail "Enter on a penalty field did not replace its time"

# ---- A visitor goal releases the minor with least time; the major takes its clock --------------------------
# From the second home penalty field, Tab x4 (round past the game clock) to the visitor's score: + 1 (keypad plus).
keys Tab Tab Tab Tab KP_Add 1
sleep 0.4
check_state "$(fetch)" 's["visitor"]["score"]["text"] == "1"' "$home_pen[0][\"text\"] == \"2:00\"" \
  "$home_pen[1][\"text\"] == \"5:00\"" 's["home"]["queued"] == []' \
  || fail "the power-play goal did not release the shorter minor for the waiting major"

# ---- A clock's zero starts the next waiting penalty --------------------------------------------------------
# Another home minor waits; the first home clock is corrected to 0:02; the game starts.
keys Tab Tab Tab 2 Insert
sleep 0.3
check_state "$(fetch)" 's["home"]["queued"] == [120.0]' || fail "a fourth penalty did not wait"
keys 0 period 0 2 Return s
sleep 3.5
state=$(fetch)
check_state "$state" 's["clock"]["running"]' 's["home"]["queued"] == []' \
  "$home_pen[0][\"running\"] and $home_pen[0][\"light\"]" "115.0 < $home_pen[0][\"remaining\"] < 120.0" \
  "$home_pen[1][\"running\"] and $home_pen[1][\"remaining\"] < 300.0" \
  || fail "the clock's zero did not start the waiting minor running"
keys s
sleep 0.3

# ---- The rules' state survives a kill and a resume ---------------------------------------------------------
keys 2 Insert
sleep 1.2
[ -s "$journal" ] || fail "no journal beside the settings"
grep -q '"penaltyRules"' "$journal" || fail "the journal has no penalty rules"
before=$(fetch)
check_state "$before" 's["home"]["queued"] == [120.0]' || fail "a fifth penalty did not wait"
kill -9 "$E2E_APP_PID"
wait_end "$E2E_APP_PID"
open_board
q=$(wait_window '^Rinkmaster$')
focus_window "$q"
keys Return
sleep 0.5
after=$(fetch)
check_state "$after" 's["home"]["queued"] == [120.0]' "$home_pen[1][\"text\"] == $(python3 -c 'import json,sys; print(repr(json.loads(sys.argv[1])["home"]["penalties"][1]["text"]))' "$before")" \
  || fail "the resumed game lost the waiting penalty"
echo "penalty rules: 5-on-3, queue, goal, release, expiry and resume seen through the feed"
