#!/usr/bin/env bash
# Player numbers beside the penalty times. Two penalties typed (home 2:00, visitor 5:00, clocks stopped), then the
# journal gets the players' numbers (17 and 4, as the record panel notes them) and the game is resumed: with
# "Show player numbers" off the board is pixel for pixel the board before the numbers and the feed names the
# players; with it on, the two numbers are lit (team colour) beside their penalty boxes and nothing else of the board
# changes, and the browser board's layout binds them to the state.
source "$E2E_LIB"
command -v python3 >/dev/null || fail "python3 missing (tools/dev.sh installs it)"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
E2E_SETTINGS="$E2E_TMP/settings.ini"
journal="$E2E_SETTINGS.game.json"
start_xvfb 1280x1024

# The player boxes beside the upper penalty boxes (home, visitor) at the design size, window pixels.
home_box='231,216 284,260'
visitor_box='352,216 405,260'

# Sets ShowPlayerNumbers in the store's [PicSettings] to Yes or No (a first run has written no such section).
show_numbers() {
  python3 - "$E2E_SETTINGS" "$1" <<'PY'
import re, sys
path, value = sys.argv[1], sys.argv[2]
text = open(path).read()
if "ShowPlayerNumbers=" in text:
    text = re.sub(r"ShowPlayerNumbers=\w*", "ShowPlayerNumbers=" + value, text)
elif "[PicSettings]\n" in text:
    text = text.replace("[PicSettings]\n", "[PicSettings]\nShowPlayerNumbers=" + value + "\n", 1)
else:
    text = text.rstrip("\n") + "\n\n[PicSettings]\nShowPlayerNumbers=" + value + "\n"
open(path, "w").write(text)
PY
}

# Resumes the saved game (the question's default button).
resume() {
  open_board
  local q
  q=$(wait_window '^Rinkmaster$')
  focus_window "$q"
  keys Return
  sleep 1
}

# The share of a box's pixels in the lit colour (white, the team colour of a first run), in percent.
lit_percent() {
  local box=${2//,/ }
  set -- "$1" $box
  convert "$1" -crop "$(($4 - $2 + 1))x$(($5 - $3 + 1))+$2+$3" +repage -fill black +opaque 'rgb(255,255,255)' \
    -colorspace gray -format '%[fx:int(100*mean)]' info:
}

# ---- The game without numbers ------------------------------------------------------------------------------
open_board
focus_window "$board"
keys Tab Tab Tab Tab Tab 2 Return Tab 5 Return
sleep 1
screenshot "$board" "$E2E_TMP/plain.png"
check_state "$(fetch)" 's["home"]["penalties"][0]["text"] == "2:00"' 's["visitor"]["penalties"][0]["text"] == "5:00"' \
  's["home"]["penalties"][0]["player"] is None' || fail "the penalties were not typed"
kill -9 "$E2E_APP_PID"
wait_end "$E2E_APP_PID"
show_numbers No

# The record panel's numbers, as the journal keeps them.
python3 - "$journal" <<'PY'
import json, sys
path = sys.argv[1]
game = json.load(open(path))
game["penaltyPlayers"] = [17, None, 4, None]
json.dump(game, open(path, "w"))
PY

# ---- Option off: the board as before, the feed names the players -------------------------------------------
resume
check_state "$(fetch)" 's["home"]["penalties"][0]["player"] == 17' 's["visitor"]["penalties"][0]["player"] == 4' \
  's["home"]["penalties"][1]["player"] is None' || fail "the feed does not name the players"
screenshot "$board" "$E2E_TMP/off.png"
diff=$(compare -metric AE "$E2E_TMP/plain.png" "$E2E_TMP/off.png" null: 2>&1 || true)
[ "$diff" = "0" ] || fail "with the option off the board differs in $diff pixels"
grep -q '"penaltyPlayers"' "$journal" || fail "the resumed game lost its player numbers"
fetch /board/layout.json | python3 -c 'import json, sys; d = json.load(sys.stdin); assert not any("Player" in c["name"] for c in d["controls"])' ||
  fail "the browser board has player numbers without the option"
kill -9 "$E2E_APP_PID"
wait_end "$E2E_APP_PID"

# ---- Option on: the numbers lit beside the penalty boxes, nothing else changed -------------------------------
show_numbers Yes
resume
screenshot "$board" "$E2E_TMP/on.png"
for box in "$home_box" "$visitor_box"; do
  lit=$(lit_percent "$E2E_TMP/on.png" "$box")
  [ "$lit" -ge 3 ] || fail "the number at $box is not lit ($lit %)"
  [ "$(lit_percent "$E2E_TMP/off.png" "$box")" -eq 0 ] || fail "something lit at $box without the option"
done
mask() {
  convert "$1" -fill black -draw "rectangle $home_box" -draw "rectangle $visitor_box" "$2"
}
mask "$E2E_TMP/off.png" "$E2E_TMP/off-masked.png"
mask "$E2E_TMP/on.png" "$E2E_TMP/on-masked.png"
diff=$(compare -metric AE "$E2E_TMP/off-masked.png" "$E2E_TMP/on-masked.png" null: 2>&1 || true)
[ "$diff" = "0" ] || fail "the numbers changed $diff pixels elsewhere on the board"
# The browser board draws them too, from the state.
fetch /board/layout.json | python3 -c '
import json, sys
d = json.load(sys.stdin)
c = {(x["name"], x.get("bind", {}).get("test")): x.get("bind", {}).get("path") for x in d["controls"]}
assert c[("PlayerTH1", "player")] == "home.penalties.0", c
assert c[("lumPlayerTV1", "units")] == "visitor.penalties.0.player", c
assert c[("lumPlayerTV2", "tens")] == "visitor.penalties.1.player", c' || fail "the browser board has no player numbers"
# The lower boxes have no number noted: they stay dark.
[ "$(lit_percent "$E2E_TMP/on.png" '231,320 284,364')" -eq 0 ] || fail "a number without a player"
echo "PASS"
