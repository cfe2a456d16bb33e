#!/usr/bin/env bash
# Wake-ups and CPU of the real program, all its threads together, over a window of time:
#   idle                the board shown, no clock running (the journal kept as always)
#   idle, feed          the same with the feed listening (--feed PORT, no client)
#   clock, journal      the game clock running above a minute, the journal kept
#   clock, no journal   the same with the store kept in memory (--settings= with no file): no journal
# then kills the program with kill -9 while the clock runs, several times at random moments, and reports how
# much of the running clock the journal had not yet saved.
#
# Wake-ups are the context switches of every thread (voluntary + involuntary, /proc/PID/task/*/status): each
# time a thread runs again after sleeping or after the system took the processor from it. CPU time is the
# time every thread spent on a processor (/proc/PID/task/*/schedstat, nanoseconds); "ticks ms" is the process's
# user + system time in the system's clock ticks (/proc/PID/stat, ended threads included, 10 ms steps).
#
# Usage: tools/bench_wakeups.sh [--window SECONDS] [--feed PORT] [--kills N] [--bin PATH]
# Needs Xvfb, xdotool and python3 (tools/dev.sh installs them). Not run by the tests.
set -euo pipefail

window=120
feed_port=""
kills=5
here=$(cd "$(dirname "$0")" && pwd)
bin="${RINKMASTER_BIN:-$here/../build/rinkmaster}"
while [ $# -gt 0 ]; do
  case "$1" in
    --window) window=$2; shift 2 ;;
    --feed) feed_port=$2; shift 2 ;;
    --kills) kills=$2; shift 2 ;;
    --bin) bin=$2; shift 2 ;;
    -h|--help) sed -n '2,16p' "$0"; exit 0 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done
[ -x "$bin" ] || { echo "no program at $bin (--bin PATH)" >&2; exit 2; }
if [ -z "$feed_port" ]; then
  feed_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
fi

tmp=$(mktemp -d /tmp/rinkmaster-wakeups.XXXXXX)
export XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do
    kill -9 "$pid" 2>/dev/null || true
  done
  rm -rf "$tmp"
}
trap cleanup EXIT

for n in $(seq 151 199); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
    Xvfb ":$n" -screen 0 1280x1024x24 -noreset -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
    pids+=($!)
    export DISPLAY=":$n"
    break
  fi
done
for _ in $(seq 1 50); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done

wait_window() {
  local id=""
  for _ in $(seq 1 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "no window named '$1'" >&2
  return 1
}

# Starts the program with the given arguments, leaves the start-up window and prints the board's window id.
app=""
open_board() {
  "$bin" "$@" >>"$tmp/app.log" 2>&1 &
  app=$!
  pids+=("$app")
  local splash
  splash=$(wait_window '^Rinkmaster$')
  xdotool mousemove --window "$splash" 200 30 click 1
  board=$(wait_window '^Rinkmaster - ')
  xdotool windowfocus --sync "$board" 2>/dev/null || xdotool windowfocus "$board"
  sleep 1
}

end_app() {
  kill "$app" 2>/dev/null || true
  for _ in $(seq 1 50); do
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
  done
  kill -9 "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
}

# One line per thread: its id, name, context switches (voluntary + involuntary) and time on the processor (ns).
threads_now() {
  local t
  for t in /proc/"$1"/task/*; do
    awk -v id="${t##*/}" -v name="$(tr ' ' '_' <"$t/comm")" -v ns="$(cut -d' ' -f1 "$t/schedstat" 2>/dev/null || echo 0)" \
      '/^(non)?voluntary_ctxt_switches/ { n += $2 } END { print id, name, n + 0, ns }' "$t/status" 2>/dev/null || true
  done
}
cpu_ticks() {
  # Fields 14 and 15 (user, system) after the command's name, which may hold spaces.
  sed 's/^.*) //' /proc/"$1"/stat | awk '{ print $12 + $13 }'
}
hz=$(getconf CLK_TCK)

# Measures the running program over the window and prints one row of the table, then each thread's share.
measure() {
  local name=$1
  local c0 c1 t0 t1
  threads_now "$app" >"$tmp/before"; c0=$(cpu_ticks "$app"); t0=$(date +%s.%N)
  sleep "$window"
  threads_now "$app" >"$tmp/after"; c1=$(cpu_ticks "$app"); t1=$(date +%s.%N)
  python3 - "$name" "$tmp/before" "$tmp/after" "$c0" "$c1" "$t0" "$t1" "$hz" "$tmp/rows" <<'PY'
import sys
name, before, after, c0, c1, t0, t1, hz, rows = sys.argv[1:]
secs = float(t1) - float(t0)
def load(path):
    out = {}
    for line in open(path):
        tid, comm, n, ns = line.split()
        out[tid] = (comm, int(n), int(ns))
    return out
a, b = load(before), load(after)
wakes = 0
cpu_ns = 0
per = []
for tid, (comm, n, ns) in b.items():
    n0, ns0 = (a[tid][1], a[tid][2]) if tid in a else (0, 0)
    wakes += n - n0
    cpu_ns += ns - ns0
    per.append("%s %.2f/s %.1f ms" % (comm, (n - n0) / secs, (ns - ns0) / 1e6))
# Threads that ended meanwhile are counted in the process's CPU time (clock ticks), not in the wake-ups.
ticks_ms = (int(c1) - int(c0)) * 1000 / int(hz)
row = "%-20s %7.1f s %8d %12.2f %10.1f %8.3f%% %10.0f" % (name, secs, len(b), wakes / secs, cpu_ns / 1e6,
                                                       cpu_ns / 1e7 / secs, ticks_ms)
print(row)
print("    threads: " + ", ".join(per))
with open(rows, "a") as f:
    f.write(row + "\n")
PY
}

start_clock() {
  xdotool key --clearmodifiers s
  sleep 2
}

echo "window ${window} s, program $bin"
printf '%-20s %9s %8s %12s %10s %9s %10s\n' "run" "window" "threads" "wakes/s" "CPU ms" "CPU" "ticks ms"

open_board --settings "$tmp/a.ini"
measure "idle"
end_app

open_board --settings "$tmp/b.ini" --feed "$feed_port"
measure "idle, feed"
end_app

open_board --settings "$tmp/c.ini" --new-game
start_clock
measure "clock, journal"
end_app

open_board --settings=
start_clock
measure "clock, no journal"
end_app

python3 - "$tmp/rows" <<'PY'
import sys
rows = {}
for line in open(sys.argv[1]):
    name = line[:20].strip()
    f = line[20:].split()
    rows[name] = (float(f[3]), float(f[4]))
if "clock, journal" in rows and "clock, no journal" in rows and rows["clock, no journal"][1] > 0:
    print("CPU with the journal / without: %.2fx" % (rows["clock, journal"][1] / rows["clock, no journal"][1]))
PY

# kill -9 while the clock runs: what the journal lost. Each document carries the moment it was made ("savedAt",
# wall-clock milliseconds) with the clocks read at that same moment, so the clock lost is the time from the last
# document to the kill.
echo "kill -9 with the clock running (${kills} times):"
losses=()
for k in $(seq 1 "$kills"); do
  rm -f "$tmp/k.ini.game.json"
  open_board --settings "$tmp/k.ini" --new-game
  xdotool key --clearmodifiers s
  # Somewhere between 3 and 6 s in, at no moment in step with the journal's second.
  sleep "$(python3 -c 'import random; print(3 + random.random() * 3)')"
  t1=$(date +%s%3N)
  kill -9 "$app"
  wait "$app" 2>/dev/null || true
  loss=$(python3 - "$tmp/k.ini.game.json" "$t1" <<'PY'
import json, sys
j = json.load(open(sys.argv[1]))
assert j["clocks"][0]["running"], "the clock did not run"
print("%.3f" % ((int(sys.argv[2]) - j["savedAt"]) / 1000))
PY
)
  echo "  kill $k: lost ${loss} s of clock"
  losses+=("$loss")
done
python3 -c 'import sys; v = [float(x) for x in sys.argv[1:]]; print("lost at most %.3f s, on average %.3f s" % (max(v), sum(v) / len(v)))' "${losses[@]}"
