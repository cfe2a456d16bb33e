#!/usr/bin/env bash
# The official's record through the real program: penalty rules on, the board on a second monitor, the console
# at 1366x740. Penalties with numbers are clicked and typed into the record panel (a coincident pair of minors,
# a 5+2, a misconduct), a goal scored on the board gets its scorer, the feed's /state shows the strength and
# the record's penalties, keys still reach the board, the header is filled in, the game report is written (PDF
# and CSV; pdftotext shows the header, the goal and the penalties), the record survives a kill -9 and Resume,
# and End game starts a new record file.
source "$E2E_LIB"
command -v python3 >/dev/null || fail "python3 missing (tools/dev.sh installs it)"
command -v xrandr >/dev/null || fail "xrandr missing (tools/dev.sh installs it)"
command -v pdftotext >/dev/null || fail "pdftotext missing (tools/dev.sh installs poppler-utils)"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
start_xvfb 3840x1080
xrandr --setmonitor LEFT 1920/508x1080/286+0+0 none >/dev/null
xrandr --setmonitor RIGHT 1920/508x1080/286+1920+0 none >/dev/null
E2E_SETTINGS="$E2E_TMP/settings.ini"
printf '[RuleSettings]\nPenaltyRules=Yes\nIntermissionLength=0:05\n' >"$E2E_SETTINGS"
reports="$E2E_TMP/reports"
mkdir -p "$reports"
games="$E2E_TMP/games"

# The report's folder dialog opens in the working folder: the reports' folder.
cd "$reports"
start_rinkmaster --public-screen RIGHT --new-game --feed "$port"
splash=$(wait_window '^Rinkmaster$')
click_in "$splash" 200 30
console=$(wait_window '^Rinkmaster - ')
sleep 0.5
# The panel's places below are those of a console of 1366x740 at the screen's corner.
xdotool windowmove "$console" 0 0
xdotool windowsize --sync "$console" 1366 740 2>/dev/null || xdotool windowsize "$console" 1366 740
sleep 0.8
focus_window "$console"

click() { xdotool mousemove --window "$console" "$1" "$2" click 1; sleep 0.25; }
team() { # home | visitor: the team combo's list, first entry, then down to the team
  click 760 498
  if [ "$1" = visitor ]; then keys Home Down Return; else keys Home Return; fi
  sleep 0.2
}
kind() { # the kind's place in the list: 0 minor ... 4 major and minor, 5 misconduct
  click 878 546
  keys Home
  local i
  for ((i = 0; i < $1; i++)); do keys Down; done
  keys Return
  sleep 0.2
}
penalty() { # team player kind
  team "$1"
  click 728 546
  keys Escape # the board has the keys again ...
  click 728 546 # ... until the field is clicked into once more
  xdotool type --delay 60 "$2"
  kind "$3"
  click 660 546
}
state() { fetch; }

# Period 1 (Tab x4 from the game clock to the period), the clock runs two seconds: the record starts.
keys Tab Tab Tab Tab 1 Return s
sleep 2
keys s
sleep 0.3
check_state "$(state)" 's["strength"] == "5-on-5"' 's["penalties"] == {"home": [], "visitor": []}' \
  || fail "the rules mode's state has no strength"

# A coincident pair of minors: 4-on-4.
penalty home 12 0
penalty visitor 7 0
check_state "$(state)" 's["strength"] == "4-on-4"' '[p["player"] for p in s["penalties"]["home"]] == [12]' \
  '[p["player"] for p in s["penalties"]["visitor"]] == [7]' 's["penalties"]["home"][0]["coincident"]' \
  || fail "two minors at one stoppage did not make 4-on-4"
# The board's penalty clocks run the record's penalties, each with its player.
check_state "$(state)" '[(p["text"], p["player"]) for p in s["home"]["penalties"]] == [("2:00", 12), ("", None)]' \
  '[(p["text"], p["player"]) for p in s["visitor"]["penalties"]] == [("2:00", 7), ("", None)]' \
  || fail "the board's clocks do not show the record's penalties: $(state)"

# Keys still reach the board after the panel was used: the clock runs a second and a half.
focus_window "$console"
keys s
sleep 1.5
keys s
sleep 0.3
check_state "$(state)" 's["clock"]["remaining"] < 597.0' || fail "the board did not take its keys after the panel"

# A 5+2 to home #5 and a misconduct to visitor #9: 3-on-4, the misconduct changes nothing.
penalty home 5 4
check_state "$(state)" 's["strength"] == "3-on-4"' \
  'any(p["player"] == 5 and p["kind"] == "major and minor" and p["remaining"] == 420.0 for p in s["penalties"]["home"])' \
  || fail "the 5+2 did not take a skater off"
penalty visitor 9 5
check_state "$(state)" 's["strength"] == "3-on-4"' \
  'any(p["player"] == 9 and p["kind"] == "misconduct" and p["remaining"] == 600.0 for p in s["penalties"]["visitor"])' \
  || fail "the misconduct changed the strength"
# The 5+2 runs on the home team's second clock as 7:00; the misconduct takes no clock of the board.
check_state "$(state)" '[p["player"] for p in s["home"]["penalties"]] == [12, 5]' \
  's["home"]["penalties"][1]["text"] == "7:00"' '[p["player"] for p in s["visitor"]["penalties"]] == [7, None]' \
  || fail "the board's clocks after the 5+2 and the misconduct: $(state)"

# A visitor goal on the board (visitor score field: +1), then its scorer and assist in the panel.
focus_window "$console"
keys Escape
xdotool mousemove --window "$console" 1165 110 click 1
sleep 0.2
keys KP_Add 1
sleep 0.4
check_state "$(state)" 's["visitor"]["score"]["text"] == "1"' 's["strength"] == "3-on-4"' \
  || fail "the goal on the board: $(state)"
click 730 522
xdotool type --delay 60 19
click 777 522
xdotool type --delay 60 4
click 660 522
click 917 570 # a shot for home
click 997 570 # and one for the visitors
screenshot "$console" "$E2E_TMP/console.png" # kept with E2E_KEEP=1

# The header.
click 1133 724
dialog=$(wait_window '^Game header$')
focus_window "$dialog"
keys Tab
xdotool type --delay 20 "North Arena"
keys Tab
xdotool type --delay 20 "12"
keys Tab
xdotool type --delay 20 "County League"
keys Tab
xdotool type --delay 20 "Ann Referee, Bo Referee"
keys Tab
xdotool type --delay 20 "Cy Linesman"
keys Tab
xdotool type --delay 20 "Di Scorekeeper"
keys Return
sleep 0.5

# The game report: the folder dialog opens in the reports' folder (Return takes it), elapsed times (Return).
click 1227 724
dialog=$(wait_window '^Folder for the game report$')
focus_window "$dialog"
keys Return
dialog=$(wait_window '^Game report$')
focus_window "$dialog"
keys Return
told=$(wait_window '^Rinkmaster$')
focus_window "$told"
keys Return
sleep 0.3
pdf=$(ls "$reports"/*.pdf 2>/dev/null | head -n 1)
[ -n "$pdf" ] || fail "no report in $reports: $(ls "$reports")"
[ -s "${pdf%.pdf}.csv" ] || fail "no CSV beside the PDF"
pdftotext -layout "$pdf" "$E2E_TMP/report.txt"
for word in "North Arena" "County League" "Ann Referee" "Di Scorekeeper" "19" "PP" "Tripping" "major and minor" \
  "misconduct"; do
  grep -qi -- "$word" "$E2E_TMP/report.txt" || fail "the report does not show '$word': $(cat "$E2E_TMP/report.txt")"
done
# Each penalty's start is the one the rules counted (the panel's entries carry none).
python3 - "${pdf%.pdf}.csv" <<'PY' || fail "the report's penalties have no start: $(cat "${pdf%.pdf}.csv")"
import csv, sys
rows = list(csv.reader(open(sys.argv[1], newline="", encoding="utf-8")))
first = rows.index(["Penalties"]) + 2
penalties = rows[first:rows.index([], first)]
assert len(penalties) == 4 and all(r[8].startswith("P1 0:0") for r in penalties), penalties
PY

# The record survives a kill -9 and Resume: strength and penalties come back from the record file.
kill -9 "$E2E_APP_PID"
wait_end "$E2E_APP_PID"
start_rinkmaster --public-screen RIGHT --feed "$port"
splash=$(wait_window '^Rinkmaster$')
click_in "$splash" 200 30
console=$(wait_window '^Rinkmaster - ')
question=$(wait_window '^Rinkmaster$')
focus_window "$question"
keys Return
sleep 0.8
xdotool windowmove "$console" 0 0
xdotool windowsize --sync "$console" 1366 740 2>/dev/null || xdotool windowsize "$console" 1366 740
sleep 0.8
focus_window "$console"
check_state "$(state)" 's["strength"] == "3-on-4"' 's["visitor"]["score"]["text"] == "1"' \
  'sorted(p["player"] for p in s["penalties"]["home"]) == [5, 12]' \
  'sorted(p["player"] for p in s["penalties"]["visitor"]) == [7, 9]' || fail "the resumed game lost its record"
[ "$(ls "$games"/*.rinkrecord | wc -l)" -eq 1 ] || fail "the resumed game started another record file"

# The intermission (F4) once the period's time is up: a penalty on the board stays frozen while the game clock
# counts the 0:05 intermission down; then the horn, period 2 and the game clock stopped at the period's length.
select_field() { # the board's field by name, by Tab from the one selected
  local i
  for ((i = 0; i < 9; i++)); do
    check_state "$(state)" "s['selectedField'] == '$1'" >/dev/null && return 0
    keys Tab
    sleep 0.1
  done
  fail "the field $1 was not reached by Tab"
}
focus_window "$console"
select_field PenaltyTH1
keys 2 Return
select_field TimeBack
keys s
sleep 1
keys 0 Return
sleep 0.3
keys F4
sleep 0.3
before=$(state)
check_state "$before" 's["clockMode"] == "intermission"' 's["clock"]["running"]' \
  's["home"]["penalties"][0]["remaining"] > 110.0' || fail "F4 started no intermission"
sleep 1.5
check_state "$(state)" 's["clockMode"] == "intermission"' 's["clock"]["remaining"] < 4.0' \
  "s['home']['penalties'] == $(python3 -c 'import json,sys; print(json.loads(sys.argv[1])["home"]["penalties"])' "$before")" \
  || fail "the penalty clocks moved in the intermission"
sleep 4
check_state "$(state)" 's["clockMode"] == "play"' 's["period"]["text"] == "2"' 'not s["clock"]["running"]' \
  's["clock"]["remaining"] == 1200.0' || fail "the intermission's end did not start period 2"

# End game: asked, the record closed with its end, a new game on the board and a new record file.
first=$(ls "$games"/*.rinkrecord | head -n 1)
grep -q '"type":"penalty"' "$first" || fail "no penalties in the record file $first"
click 1321 724
asked=$(wait_window '^Rinkmaster$')
focus_window "$asked"
keys y # Yes
sleep 0.5
grep -q '"type":"end"' "$first" || fail "End game did not close the record"
check_state "$(state)" 's["strength"] == "5-on-5"' 's["visitor"]["score"]["text"] == "0"' \
  's["penalties"] == {"home": [], "visitor": []}' || fail "End game did not start a new game"
focus_window "$console"
click 917 570 # a shot in the new game
sleep 0.3
[ "$(ls "$games"/*.rinkrecord | wc -l)" -eq 2 ] || fail "the new game has no record file of its own: $(ls "$games")"
echo "official's record: panel entries, strength in the feed, report and End game seen"
