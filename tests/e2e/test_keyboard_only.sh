#!/usr/bin/env bash
# Keyboard only, with real X events: Return on the start-up window opens the board, F1 opens the help, and with
# the help in front the start/stop key still runs and stops the game clock (read through the feed) while a digit
# stays with the help.
source "$E2E_LIB"
command -v python3 >/dev/null || fail "python3 missing (tools/dev.sh installs it)"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
start_xvfb 1280x1024
start_rinkmaster --feed "$port"
splash=$(wait_window '^Rinkmaster$')
focus_window "$splash"
keys Return
board=$(wait_window '^Rinkmaster - ')
xdotool search --onlyvisible --name '^Rinkmaster$' >/dev/null 2>&1 && fail "Return left the start-up window open"
for i in $(seq 1 50); do
  fetch >/dev/null 2>&1 && break
  sleep 0.1
done

focus_window "$board"
keys F1
helpwin=$(wait_window '^Rinkmaster Help$')
focus_window "$helpwin"
keys s
sleep 1.2
check_state "$(fetch)" 's["clock"]["running"]' 's["clock"]["remaining"] < 599.5' \
  || fail "S in the help window did not start the clock"
keys s 5
sleep 0.5
state=$(fetch)
check_state "$state" 'not s["clock"]["running"]' 's["clock"]["remaining"] > 597.0' \
  || fail "S in the help window did not stop the clock"
# The digit stayed with the help: on the board 1 and Enter set 1:00, not 51:00.
focus_window "$board"
keys 1 Return
sleep 0.3
check_state "$(fetch)" 's["clock"]["remaining"] == 60.0' || fail "a digit typed in the help reached the board"
echo "PASS"
