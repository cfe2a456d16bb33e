#!/usr/bin/env bash
# A game kept through a crash and a stray close. A game played by keys (a typed time, scores, a goal light, the
# period, two penalties, every clock running), then kill -9: the next start offers the game and Resume brings
# back every field (checked through the feed's /state and a screenshot against one taken before the kill, the
# running clocks' digits masked), every clock stopped and less than a second behind. The same after the board's
# close box. New game gives the fresh board and keeps the old journal beside it; --new-game asks nothing. A
# second program on the same settings says so and ends.
source "$E2E_LIB"
command -v python3 >/dev/null || fail "python3 missing (tools/dev.sh installs it)"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
E2E_SETTINGS="$E2E_TMP/settings.ini"
journal="$E2E_SETTINGS.game.json"
start_xvfb 1280x1024

# Compares two state documents: every field equal, except that the running clocks of the second may show up to
# a second more (the time lost) and that in the second nothing runs. Prints what differs.
same_game() {
  python3 - "$1" "$2" <<'PY'
import json, sys
a, b = json.loads(sys.argv[1]), json.loads(sys.argv[2])
bad = []
def clock(path, x, y):
    if y["running"]:
        bad.append(path + " runs after the resume")
    # What the clock must run again; the journal may be newer than the state read just before the end.
    lost = y["remaining"] - x["remaining"]
    if x["running"]:
        print("   %s: %.1f s to run again" % (path, lost))
    if not (-0.5 < lost < 1.0):
        bad.append("%s lost %.1f s (%.1f -> %.1f)" % (path, lost, x["remaining"], y["remaining"]))
    for k in x:
        if k not in ("running", "remaining", "digits", "text") and x[k] != y[k]:
            bad.append("%s.%s: %r -> %r" % (path, k, x[k], y[k]))
clock("clock", a["clock"], b["clock"])
for t in ("home", "visitor"):
    for i in range(2):
        clock("%s.penalties[%d]" % (t, i), a[t]["penalties"][i], b[t]["penalties"][i])
    for k in ("name", "score", "goalLight"):
        if a[t][k] != b[t][k]:
            bad.append("%s.%s: %r -> %r" % (t, k, a[t][k], b[t][k]))
for k in ("period", "selectedField"):
    if a[k] != b[k]:
        bad.append("%s: %r -> %r" % (k, a[k], b[k]))
for line in bad:
    print("  ", line)
sys.exit(1 if bad else 0)
PY
}

# Waits for the question over the board and answers it with keys.
answer_question() {
  local q
  q=$(wait_window '^Rinkmaster$')
  focus_window "$q"
  keys "$@"
  sleep 0.5
}

# The board with the running clocks' digits blacked out (game clock, both upper penalty clocks).
masked() {
  convert "$1" -fill black -draw 'rectangle 189,16 443,113' -draw 'rectangle 48,216 229,305' \
    -draw 'rectangle 408,216 589,305' "$2"
}

# ---- A game, then kill -9 ----------------------------------------------------------------------------------
open_board
focus_window "$board"
opening=$(fetch)
# Game time 15:00 typed; home 3, visitor 1; the home goal light; period 2; penalties 2:00 (home) and 5:00
# (visitor); then every clock starts.
keys 1 5 Return Tab 3 Return Tab 1 Return Tab Left Tab 2 Tab 2 Return Tab 5 Return s
sleep 2.6
[ -s "$journal" ] || fail "no journal beside the settings"
screenshot "$board" "$E2E_TMP/before.png"
before=$(fetch)
kill -9 "$E2E_APP_PID"
check_state "$before" 's["clock"]["running"]' 's["home"]["penalties"][0]["running"]' \
  's["visitor"]["penalties"][0]["running"]' 's["home"]["score"]["text"] == "3"' 's["home"]["goalLight"]' \
  's["selectedField"] == "PenaltyTV1"' || fail "the game was not played as typed"
wait_end "$E2E_APP_PID"

open_board
answer_question Return
grep -q "Resume the game in progress? Home 3 - Visitor 1, period 2, 1[45]:[0-9][0-9] left, saved [0-9][0-9]:[0-9][0-9]:[0-9][0-9]" \
  "$E2E_TMP/app.log" || { cat "$E2E_TMP/app.log"; fail "no question about the saved game"; }
after=$(fetch)
same_game "$before" "$after" || fail "Resume did not bring back the game killed"
sleep 0.5
screenshot "$board" "$E2E_TMP/after.png"
masked "$E2E_TMP/before.png" "$E2E_TMP/before_m.png"
masked "$E2E_TMP/after.png" "$E2E_TMP/after_m.png"
diff_px=$(compare -metric AE "$E2E_TMP/before_m.png" "$E2E_TMP/after_m.png" "$E2E_TMP/diff.png" 2>&1 || true)
[ "$diff_px" = "0" ] || fail "the resumed board looks different from the board killed ($diff_px pixels, $E2E_TMP/diff.png)"
# Stopped: nothing moves until the start key.
sleep 1.2
check_state "$(fetch)" "s[\"clock\"][\"remaining\"] == $(python3 -c 'import json,sys; print(json.loads(sys.argv[1])["clock"]["remaining"])' "$after")" \
  || fail "a resumed clock runs"

# ---- Running again, then the close box ----------------------------------------------------------------------
focus_window "$board"
keys s
sleep 1.5
before=$(fetch)
close_window "$board"
wait_end "$E2E_APP_PID"
open_board
answer_question Return
same_game "$before" "$(fetch)" || fail "Resume did not bring back the game closed with the close box"

# ---- New game -----------------------------------------------------------------------------------------------
close_window "$board"
wait_end "$E2E_APP_PID"
open_board
answer_question Tab space
ls "$journal".previous-* >/dev/null 2>&1 || fail "New game did not keep the old journal beside it"
check_state "$(fetch)" "s == $(python3 -c 'import json,sys; print(repr(json.loads(sys.argv[1])))' "$opening")" \
  || fail "New game did not give the fresh board"

# A fresh board asks nothing at the next start; --new-game asks nothing either.
focus_window "$board"
keys Tab 4 Return
sleep 0.5
kill -9 "$E2E_APP_PID"
wait_end "$E2E_APP_PID"
open_board --new-game
sleep 1
[ "$(xdotool search --onlyvisible --name '^Rinkmaster$' 2>/dev/null | wc -l)" = "0" ] || fail "--new-game asked"
check_state "$(fetch)" 's["home"]["score"]["text"] == "0"' || fail "--new-game did not start fresh"

# ---- A second program on the same settings ------------------------------------------------------------------
first=$E2E_APP_PID
"$RINKMASTER_BIN" --settings "$E2E_SETTINGS" >"$E2E_TMP/second.log" 2>&1 &
second=$!
E2E_PIDS+=("$second")
msg=$(wait_window '^Rinkmaster$')
grep -q "Rinkmaster is already running with these settings" "$E2E_TMP/second.log" || fail "the second program did not say why"
focus_window "$msg"
keys Return
wait_end "$second"
wait "$second" && fail "the second program ended as if all were well"
kill -0 "$first" 2>/dev/null || fail "the first program ended"
[ -n "${E2E_SHOTS:-}" ] && cp "$E2E_TMP"/*.png "$E2E_SHOTS"/
echo "PASS"
