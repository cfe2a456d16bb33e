#!/usr/bin/env bash
# The feed listens as soon as the program starts: while the start-up window still waits for its click, /state
# answers the board as it will open and an overlay's live socket connects; once the board opens, that same live
# client follows it.
source "$E2E_LIB"
command -v python3 >/dev/null || fail "python3 missing (tools/dev.sh installs it)"
client="$RINKMASTER_BUILD_DIR/tools/feed_client"
[ -x "$client" ] || fail "feed_client not built: $client"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
start_xvfb 1280x1024
start_rinkmaster --feed "$port"
splash=$(wait_window '^Rinkmaster$')
for i in $(seq 1 50); do
  fetch >/dev/null 2>&1 && break
  sleep 0.1
done
early=$(fetch) || fail "the feed does not answer before the start-up window is clicked"
check_state "$early" 's["clock"]["text"] == "10:00"' 'not s["clock"]["running"]' 's["clock"]["remaining"] == 600.0' \
  's["home"]["name"] == "Home"' 's["visitor"]["name"] == "Visitor"' 's["home"]["score"]["text"] == "0"' \
  's["period"]["text"] == "0"' || fail "before the board opens the feed does not show the fresh board"
fetch / | grep -q '<script src="/overlay.js">' || fail "no overlay page before the board opens"

"$client" "ws://127.0.0.1:$port/live" --out "$E2E_TMP/live.txt" --seconds 30 >"$E2E_TMP/client.log" 2>&1 &
E2E_PIDS+=($!)
for i in $(seq 1 50); do
  [ -s "$E2E_TMP/live.txt" ] && break
  sleep 0.1
done
[ -s "$E2E_TMP/live.txt" ] || fail "an overlay cannot connect before the start-up window is clicked"
[ -z "$(xdotool search --onlyvisible --name '^Rinkmaster - ' 2>/dev/null || true)" ] || fail "the board opened unasked"

click_in "$splash" 200 30
board=$(wait_window '^Rinkmaster - ')
focus_window "$board"
keys Tab 3 Return
sleep 0.5
check_state "$(fetch)" 's["home"]["score"]["text"] == "3"' || fail "the feed does not follow the board once it opens"
for i in $(seq 1 30); do
  grep -q '"score":{"text":"3"' "$E2E_TMP/live.txt" && break
  sleep 0.1
done
grep -q '"score":{"text":"3"' "$E2E_TMP/live.txt" || fail "the early live client does not follow the board"
[ "$(grep -c "Rinkmaster feed: http://127.0.0.1:$port/" "$E2E_TMP/app.log")" -eq 1 ] ||
  fail "the feed should start once"
close_window "$board"
wait_end "$E2E_APP_PID"
echo PASS
