#!/usr/bin/env bash
# One real browser board (headless Chromium on /board) and N live WebSocket clients held through a running
# clock of S seconds on the real program (under a private Xvfb), every client and the browser ending on the
# board's final state. Prints the clients' figures and the program's CPU time over the run.
#   tools/bench_browser_board.sh [BUILD_DIR (build)] [--seconds S (30)] [--clients N (100)]
# The run the feed is meant for: --seconds 600.
set -euo pipefail
build=build
seconds=30
clients=100
while [ $# -gt 0 ]; do
  case $1 in
  --seconds) seconds=$2; shift 2 ;;
  --clients) clients=$2; shift 2 ;;
  *) build=$1; shift ;;
  esac
done
build=$(cd "$build" && pwd)
bin="$build/src/rinkmaster"
[ -x "$bin" ] || bin="$build/rinkmaster"
[ -x "$bin" ] || { echo "no program in $build" >&2; exit 1; }
tool="$build/tools/bench_browser_board"
tmp=$(mktemp -d /tmp/rinkmaster-bench.XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  sleep 0.3
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap cleanup EXIT
free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
for n in $(seq 141 190); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
    Xvfb ":$n" -screen 0 1920x1080x24 -noreset -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
    pids+=($!)
    export DISPLAY=":$n"
    break
  fi
done
for i in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
export XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"

port=$(free_port)
"$bin" --settings "$tmp/settings.ini" --feed "$port" --new-game >"$tmp/app.log" 2>&1 &
app=$!
pids+=("$app")
splash=""
for i in $(seq 1 100); do
  splash=$(xdotool search --onlyvisible --name '^Rinkmaster$' 2>/dev/null | head -n 1 || true)
  [ -n "$splash" ] && break
  sleep 0.1
done
xdotool mousemove --window "$splash" 200 30 click 1
board=""
for i in $(seq 1 100); do
  board=$(xdotool search --onlyvisible --name '^Rinkmaster - ' 2>/dev/null | head -n 1 || true)
  [ -n "$board" ] && break
  sleep 0.1
done
[ -n "$board" ] || { echo "the board did not open" >&2; exit 1; }
xdotool windowfocus --sync "$board" 2>/dev/null || true
sleep 0.3
# The game clock at S seconds: minutes, the separator, two digits of seconds, Enter.
key() { for k in "$@"; do xdotool key --clearmodifiers "$k"; sleep 0.05; done; }
minutes=$((seconds / 60))
rest=$((seconds % 60))
key $(echo "$minutes" | sed 's/./& /g') period $((rest / 10)) $((rest % 10)) Return

devtools=$(free_port)
chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --no-first-run --mute-audio \
  --user-data-dir="$tmp/chromium" --window-size=1920,1080 --remote-debugging-port="$devtools" \
  --remote-allow-origins='*' "http://127.0.0.1:$port/board" >"$tmp/chromium.log" 2>&1 &
pids+=($!)
for i in $(seq 1 150); do
  [ "$("$tool" --devtools "$devtools" --evaluate 'document.body.dataset.connection' 2>/dev/null || true)" = live ] && break
  sleep 0.2
done

"$tool" --feed "http://127.0.0.1:$port" --clients "$clients" --seconds "$((seconds + 3))" --devtools "$devtools" &
bench=$!
sleep 2
cpu0=$(awk '{ print $14 + $15 }' "/proc/$app/stat")
key s
wait "$bench" && result=0 || result=$?
cpu1=$(awk '{ print $14 + $15 }' "/proc/$app/stat")
ticks=$(getconf CLK_TCK)
awk -v a="$cpu0" -v b="$cpu1" -v t="$ticks" -v s="$seconds" \
  'BEGIN { printf "program CPU over the run: %.2f s (%.1f%% of one core)\n", (b - a) / t, 100 * (b - a) / t / s }'
exit "$result"
