#!/usr/bin/env bash
# What publishing through an MQTT broker costs and how fast it is, with the real program under Xvfb, a real
# Mosquitto broker on a free local port and real mosquitto_sub subscribers:
#  1. from a key typed on the board (xdotool) to the state message at 1, 10 and 100 subscribers: p50 and p99;
#  2. the program's CPU while a clock runs, with the broker connected and without --mqtt;
#  3. the program's wake-ups (context switches of all its threads) while nothing runs, with and without.
# Prints figures; not run by the tests.
#   tools/bench_mqtt.sh [BUILD_DIR (build)] [--keys N (40)] [--seconds S (20)]
set -euo pipefail
build=build
keys_per_run=40
seconds=20
while [ $# -gt 0 ]; do
  case $1 in
    --keys) keys_per_run=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    *) build=$1; shift ;;
  esac
done
bin="$build/rinkmaster"
[ -x "$bin" ] || { echo "no program at $bin" >&2; exit 1; }
PATH="$PATH:/usr/sbin"
tmp=$(mktemp -d /tmp/bench-mqtt.XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  sleep 0.3
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap cleanup EXIT
free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }

for n in $(seq 91 140); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
    Xvfb ":$n" -screen 0 1280x1024x24 -noreset -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    export DISPLAY=":$n"
    break
  fi
done
for i in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
export XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

mqtt_port=$(free_port)
printf 'listener %s 127.0.0.1\nallow_anonymous true\npersistence false\nmax_queued_messages 100000\n' "$mqtt_port" \
  >"$tmp/mosquitto.conf"
mosquitto -c "$tmp/mosquitto.conf" >"$tmp/mosquitto.log" 2>&1 &
pids+=($!)
sleep 0.5

app_pid=""
start_app() {
  "$bin" --settings "$tmp/settings.ini" --new-game "$@" >"$tmp/app.log" 2>&1 &
  app_pid=$!
  pids+=("$app_pid")
  local splash board
  for i in $(seq 1 100); do
    splash=$(xdotool search --onlyvisible --name '^Rinkmaster$' 2>/dev/null | head -n 1 || true)
    [ -n "$splash" ] && break
    sleep 0.1
  done
  xdotool mousemove --window "$splash" 200 30 click 1
  for i in $(seq 1 100); do
    board=$(xdotool search --onlyvisible --name '^Rinkmaster - ' 2>/dev/null | head -n 1 || true)
    [ -n "$board" ] && break
    sleep 0.1
  done
  xdotool windowfocus --sync "$board" 2>/dev/null || true
  sleep 1
}
stop_app() {
  kill "$app_pid" 2>/dev/null || true
  wait "$app_pid" 2>/dev/null || true
}
# CPU ticks (user + system) of the program, and voluntary plus involuntary switches of all its threads.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$app_pid/stat"; }
switches() { cat /proc/"$app_pid"/task/*/status | awk '/ctxt_switches/ {n += $2} END {print n}'; }

# 1. Key to message. A digit and Enter typed into the home score field, timed from Enter (the key that puts the
# score on the board; the clocks stand still, so the next state is the key's); its time is noted before xdotool
# sends it, each subscriber notes when every state arrives.
start_app --mqtt "mqtt://127.0.0.1:$mqtt_port/bench/rink"
xdotool key Tab
for subs in 1 10 100; do
  rm -f "$tmp"/sub.*.txt "$tmp/keys.txt"
  sub_pids=()
  for s in $(seq 1 "$subs"); do
    mosquitto_sub -h 127.0.0.1 -p "$mqtt_port" -t bench/rink/state -F '%U %p' >"$tmp/sub.$s.txt" 2>/dev/null &
    sub_pids+=($!)
    pids+=($!)
  done
  sleep 2
  for k in $(seq 1 "$keys_per_run"); do
    digit=$((k % 10))
    xdotool key "$digit"
    sleep 0.05
    echo "$(date +%s.%N) $digit" >>"$tmp/keys.txt"
    xdotool key Return
    sleep 0.2
  done
  sleep 1
  for p in "${sub_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  python3 - "$tmp" "$subs" <<'PY'
import glob, json, sys
tmp, subs = sys.argv[1], int(sys.argv[2])
keys = [(float(t), d) for t, d in (l.split() for l in open(tmp + "/keys.txt"))]
lat = []
for f in glob.glob(tmp + "/sub.*.txt"):
    msgs = []
    for line in open(f, encoding="utf-8"):
        t, _, p = line.partition(" ")
        try:
            msgs.append(float(t))
            json.loads(p)
        except Exception:
            pass
    for i, (kt, d) in enumerate(keys):
        nxt = keys[i + 1][0] if i + 1 < len(keys) else kt + 5
        hit = [mt for mt in msgs if kt <= mt < nxt]
        if hit:
            lat.append((hit[0] - kt) * 1000)
lat.sort()
def pct(p):
    return lat[min(len(lat) - 1, int(p / 100 * len(lat)))] if lat else float("nan")
print(f"key -> state message, {subs:3d} subscriber(s): {len(lat)} messages of {len(keys) * subs} expected, "
      f"p50 {pct(50):.1f} ms, p99 {pct(99):.1f} ms, max {lat[-1] if lat else float('nan'):.1f} ms "
      f"(includes xdotool's own key delivery)")
PY
done
stop_app

# 2 and 3. The same program with and without the broker: idle, then with the game clock running.
for mode in without with; do
  if [ "$mode" = with ]; then
    start_app --mqtt "mqtt://127.0.0.1:$mqtt_port/bench/rink"
  else
    start_app
  fi
  sleep 2
  w0=$(switches)
  sleep "$seconds"
  w1=$(switches)
  xdotool key s
  sleep 1
  c0=$(cpu_ticks)
  sleep "$seconds"
  c1=$(cpu_ticks)
  xdotool key s
  hz=$(getconf CLK_TCK)
  python3 - "$c0" "$c1" "$w0" "$w1" "$hz" "$seconds" "$mode" <<'PY'
import sys
c0, c1, w0, w1, hz, s = map(float, sys.argv[1:7])
print(f"{sys.argv[7]:>7} the broker: idle {(w1 - w0) / s:.2f} wake-ups/s; "
      f"clock running {100 * (c1 - c0) / hz / s:.2f}% of one core")
PY
  stop_app
done
