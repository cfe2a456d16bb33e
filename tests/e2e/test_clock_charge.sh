#!/usr/bin/env bash
# Every stoppage keeps exactly the time that ran: ten runs of about 1.3 s between real presses of the start/stop
# key take the played time off the game clock and a running penalty, read through the feed, within 0.1 s in all.
source "$E2E_LIB"
command -v python3 >/dev/null || fail "python3 missing (tools/dev.sh installs it)"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
start_xvfb 1280x1024
open_board
focus_window "$board"

# A home penalty of 2:00 (Tab to the first home penalty, 2, Enter), so that a penalty clock runs as well.
keys Tab Tab Tab Tab Tab 2 Return
sleep 0.5
check_state "$(fetch)" 's["clock"]["remaining"] == 600.0' 's["home"]["penalties"][0]["remaining"] == 120.0' \
  's["selectedField"] == "PenaltyTH1"' || fail "the board does not start at 10:00 with a 2:00 penalty"

# The program measures on the system's monotonic clock, as Python's time.monotonic does. Each press is aimed
# 30 ms into a tenth of that clock, so that the delay before the board takes the key never moves a run into
# another tenth; the runs are measured from the moments of the presses.
played=$(python3 - <<'PY'
import subprocess, time

def press_at(moment):
    while time.monotonic() < moment:
        time.sleep(min(0.005, max(0.0, moment - time.monotonic())))
    at = time.monotonic()
    subprocess.run(["xdotool", "key", "--clearmodifiers", "s"], check=True)
    return at

def next_aim(after):
    tenth = int(after * 10) + 1
    return tenth / 10 + 0.03

total = 0.0
moment = next_aim(time.monotonic() + 0.2)
for run in range(10):
    started = press_at(moment)
    stopped = press_at(moment + 1.3)
    total += stopped - started
    moment = next_aim(stopped + 0.6)
print(f"{total:.3f}")
PY
) || fail "the key presses could not be sent"
sleep 0.6

state=$(fetch)
echo "played ${played} s; feed: $state" | head -c 600
echo
check_state "$state" 'not s["clock"]["running"]' 'not s["home"]["penalties"][0]["running"]' \
  "abs((600.0 - s['clock']['remaining']) - $played) <= 0.1" \
  "abs((120.0 - s['home']['penalties'][0]['remaining']) - $played) <= 0.1" \
  || fail "the stoppages did not keep the time that was played ($played s)"
# The board shows what was kept: above a minute the game clock shows whole seconds, rounded up.
check_state "$state" \
  "s['clock']['text'] == '%d:%02d' % divmod(-int(-s['clock']['remaining'] // 1), 60)" \
  || fail "the board does not show the time the clock kept"
echo "PASS"
