#!/usr/bin/env bash
# The real program with --feed on a free port: keys typed on the board (a score, the period, a penalty, the
# start/stop key) show up in GET /state, in what a live WebSocket client receives and in the --feed-dir text
# files, all agreeing with each other and with the board. Without --feed nothing listens.
source "$E2E_LIB"
command -v python3 >/dev/null || fail "python3 missing (tools/dev.sh installs it)"
client="$RINKMASTER_BUILD_DIR/tools/feed_client"
[ -x "$client" ] || fail "feed_client not built: $client"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
feed_dir="$E2E_TMP/feed"
start_xvfb 1280x1024
start_rinkmaster --feed "$port" --feed-dir "$feed_dir"
splash=$(wait_window '^Rinkmaster$')
click_in "$splash" 200 30
board=$(wait_window '^Rinkmaster - ')
focus_window "$board"

for i in $(seq 1 50); do
  fetch >/dev/null 2>&1 && break
  sleep 0.1
done
grep -q "Rinkmaster feed: http://127.0.0.1:$port/" "$E2E_TMP/app.log" || fail "the feed did not say where it listens"
opening=$(fetch)
check_state "$opening" \
  's["clock"]["text"] == "10:00"' 's["clock"]["digits"] == [1, 0, 0, 0]' 's["clock"]["colon"]' \
  'not s["clock"]["running"]' 's["clock"]["remaining"] == 600.0' 'not s["clock"]["timeOfDay"]' \
  's["home"]["name"] == "Home"' 's["visitor"]["name"] == "Visitor"' \
  's["home"]["score"] == {"text": "0", "digits": [0, -1]}' \
  'all(p == {"text": "", "digits": [-1, -1, -1], "running": False, "remaining": 0.0, "light": False, "player": None} for t in ("home", "visitor") for p in s[t]["penalties"])' \
  's["selectedField"] == "TimeBack"' 'not s["soundPlaying"]' || fail "the opening board is not what the feed shows"
# The overlay page and its script are served; nothing else is.
fetch / | grep -q '<script src="/overlay.js">' || fail "no overlay page at /"
fetch /overlay.js | grep -q '/live' || fail "no overlay script"

"$client" "ws://127.0.0.1:$port/live" --out "$E2E_TMP/live.txt" --seconds 60 >"$E2E_TMP/client.log" 2>&1 &
client_pid=$!
E2E_PIDS+=("$client_pid")
for i in $(seq 1 50); do
  [ -s "$E2E_TMP/live.txt" ] && break
  sleep 0.1
done
[ "$(head -n 1 "$E2E_TMP/live.txt")" = "$opening" ] || fail "a new live client did not get the current state first"

# Home score 3 (Tab to the home score, 3, Enter); period 2 (Tab x3, 2); home penalty 1 at 2:00 (Tab, 2, Enter).
keys Tab 3 Return Tab Tab Tab 2 Tab 2 Return
sleep 0.5
check_state "$(fetch)" 's["home"]["score"] == {"text": "3", "digits": [3, -1]}' \
  's["period"] == {"text": "2", "digits": [2]}' \
  's["home"]["penalties"][0] == {"text": "2:00", "digits": [0, 0, 2], "running": False, "remaining": 120.0, "light": True, "player": None}' \
  's["selectedField"] == "PenaltyTH1"' 's["clock"]["text"] == "10:00"' || fail "typed values are not in the feed"

# Start all clocks; the game clock and the penalty run down together.
keys s
sleep 2.5
check_state "$(fetch)" 's["clock"]["running"]' 's["clock"]["remaining"] < 598.5' \
  's["clock"]["text"] in ("9:58", "9:57", "9:56")' \
  's["home"]["penalties"][0]["running"]' 's["home"]["penalties"][0]["text"] in ("1:58", "1:57", "1:56")' \
  's["home"]["penalties"][0]["light"]' || fail "running clocks are not in the feed"

# Stop: the board holds still, so /state, the last live message and the files must all say the same.
keys s
sleep 0.6
stopped=$(fetch)
sleep 0.3
[ "$(fetch)" = "$stopped" ] || fail "the feed changes while the board stands still"
[ "$(tail -n 1 "$E2E_TMP/live.txt")" = "$stopped" ] || fail "the live client's last message differs from /state"
# What the board draws agrees with the engine's reading: whole seconds rounded up, on both clocks.
check_state "$stopped" 'not s["clock"]["running"]' 'not s["home"]["penalties"][0]["running"]' \
  's["clock"]["text"] == "%d:%02d" % divmod(-int(-s["clock"]["remaining"] // 1), 60)' \
  's["home"]["penalties"][0]["text"] == "%d:%02d" % divmod(-int(-s["home"]["penalties"][0]["remaining"] // 1), 60)' ||
  fail "the board's digits and the engine disagree"
# Every live message is a different document: pushes happen only on a change.
[ "$(sort "$E2E_TMP/live.txt" | uniq -d | wc -l)" -eq 0 ] || fail "the live client got the same document twice"
# Each shown second of the running clocks reached it (above a minute the feed pushes at each shown change).
python3 - "$E2E_TMP/live.txt" <<'PY' || fail "the live client missed the running clock's changes"
import json, sys
docs = [json.loads(line) for line in open(sys.argv[1], encoding="utf-8") if line.strip()]
shown = {d["clock"]["text"] for d in docs if d["clock"]["running"]}
sys.exit(0 if len(shown) >= 2 and len(docs) >= 10 else 1)
PY

# The text files hold what a person reads on the board.
python3 - "$stopped" "$feed_dir" <<'PY' || fail "the feed files differ from the state"
import json, os, sys
s = json.loads(sys.argv[1])
folder = sys.argv[2]
want = {"clock.txt": s["clock"]["text"], "period.txt": s["period"]["text"]}
for team in ("home", "visitor"):
    t = s[team]
    want[team + "_name.txt"] = t["name"]
    want[team + "_score.txt"] = t["score"]["text"]
    for i, p in enumerate(t["penalties"], 1):
        want["%s_penalty%d.txt" % (team, i)] = p["text"]
bad = False
for name, text in want.items():
    got = open(os.path.join(folder, name), encoding="utf-8").read()
    if got != text:
        print("  %s holds %r, the state says %r" % (name, got, text))
        bad = True
extra = sorted(set(os.listdir(folder)) - set(want))
if extra:
    print("  unexpected files:", extra)
    bad = True
sys.exit(1 if bad else 0)
PY

# Closing the board ends the program and the feed with it; the live client sees the socket close.
close_window "$board"
for i in $(seq 1 50); do
  kill -0 "$E2E_APP_PID" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$E2E_APP_PID" 2>/dev/null && fail "program still running after the board was closed"
for i in $(seq 1 30); do
  kill -0 "$client_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$client_pid" 2>/dev/null && fail "the live client was not told the feed has gone"

# Without --feed nothing listens. (The game above is kept for the next start; these runs start afresh.)
start_rinkmaster --new-game
splash=$(wait_window '^Rinkmaster$')
click_in "$splash" 200 30
wait_window '^Rinkmaster - ' >/dev/null
sleep 0.5
fetch >/dev/null 2>&1 && fail "something listens on port $port without --feed"
grep -q "feed" "$E2E_TMP/app.log" && fail "the program speaks of a feed it was not asked for"
close_window "$(wait_window '^Rinkmaster - ')"
sleep 0.5

# A port already in use: the board says so on its own screen, and the keys still run the board (seen in the
# text files, which still work).
python3 -c 'import socket, sys, time
s = socket.socket(); s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1); s.bind(("127.0.0.1", int(sys.argv[1]))); s.listen()
time.sleep(60)' "$port" &
E2E_PIDS+=($!)
sleep 0.5
rm -rf "$feed_dir"
start_rinkmaster --new-game --feed "$port" --feed-dir "$feed_dir"
splash=$(wait_window '^Rinkmaster$')
click_in "$splash" 200 30
board=$(wait_window '^Rinkmaster - ')
focus_window "$board"
grep -q "The live feed could not start: port $port is in use." "$E2E_TMP/app.log" || fail "the busy port was not told"
sleep 0.5
screenshot "$board" "$E2E_TMP/notice.png"
size=$(identify -format '%w %h' "$E2E_TMP/notice.png")
[ "$(pixel_at "$E2E_TMP/notice.png" 20 $((${size#* } - 14)))" = "255,255,225" ] || fail "no notice on the board"
keys s
sleep 1.5
[ "$(cat "$feed_dir/clock.txt")" != "10:00" ] || fail "the start key did not reach the board while the notice stood"
keys s
echo PASS
