# Shared helpers for the end-to-end tests: a private X display, the real program, real X input.
# Source it from a test script; it cleans up after itself when the script exits.
set -euo pipefail

E2E_TMP=$(mktemp -d /tmp/rinkmaster-e2e.XXXXXX)
export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
E2E_PIDS=()

e2e_cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  sleep 0.2
  for pid in "${E2E_PIDS[@]}"; do
    kill -9 "$pid" 2>/dev/null || true
  done
  if [ -n "${E2E_KEEP:-}" ]; then
    echo "kept $E2E_TMP"
  else
    rm -rf "$E2E_TMP"
  fi
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts Xvfb on a free display with the given screen size (default 1280x1024). -noreset keeps the server
# (and its NumLock state) when the last client leaves.
start_xvfb() {
  local size=${1:-1280x1024}
  local n
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 "${size}x24" -noreset -nolisten tcp >"$E2E_TMP/xvfb.log" 2>&1 &
      E2E_PIDS+=($!)
      export DISPLAY=":$n"
      local i
      for i in $(seq 1 50); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
      done
      fail "Xvfb did not start on :$n"
    fi
  done
  fail "no free X display"
}

# Starts the real program with a private settings file and extra arguments; its output goes to $E2E_TMP/app.log.
start_rinkmaster() {
  E2E_SETTINGS=${E2E_SETTINGS:-$E2E_TMP/settings.ini}
  "$RINKMASTER_BIN" --settings "$E2E_SETTINGS" "$@" >"$E2E_TMP/app.log" 2>&1 &
  E2E_APP_PID=$!
  E2E_PIDS+=("$E2E_APP_PID")
}

# Waits for a visible window whose name matches and prints its id.
wait_window() {
  local name=$1
  local id=""
  local i
  for i in $(seq 1 100); do
    id=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window named '$name'"
}

# Clicks at a point inside a window (window-relative pixels).
click_in() {
  local win=$1 x=$2 y=$3
  xdotool mousemove --window "$win" "$x" "$y" click 1
}

# Gives a window the keyboard focus; there is no window manager to do it.
focus_window() {
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  sleep 0.2
}

# Sends keys (xdotool key names) with a short pause between them.
keys() {
  local k
  for k in "$@"; do
    xdotool key --clearmodifiers "$k"
    sleep 0.05
  done
}

screenshot() {
  local win=$1 out=$2
  import -window "$win" "$out"
}

# Number of distinct colours in an image: a blank window has one or two.
colour_count() {
  convert "$1" -format '%k' info:
}

# The colour of one pixel as "r,g,b".
pixel_at() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# Closes a window as a window manager's close button would.
close_window() {
  "$RINKMASTER_BUILD_DIR/tools/x_close_window" "$1"
}

# A private PulseAudio server with a null sink "nul" as the default output, so sound can be recorded from its
# monitor. An idle null sink renders long blocks and rewinds into them when a stream arrives, which its monitor
# cannot record; a sink without rewinds, kept running by a stream of silence, records every sample.
start_pulse() {
  export HOME="$E2E_TMP/home"
  unset PULSE_SERVER PULSE_SINK
  mkdir -p "$HOME"
  pulseaudio -D -n --load=module-native-protocol-unix --exit-idle-time=-1 --system=false \
    --log-target="file:$E2E_TMP/pulse.log" </dev/null || fail "pulseaudio did not start"
  local i
  for i in $(seq 1 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
  done
  pactl info >/dev/null 2>&1 || fail "pulseaudio does not answer"
  E2E_PIDS+=("$(cat "$XDG_RUNTIME_DIR/pulse/pid")")
  pactl load-module module-null-sink sink_name=nul norewinds=1 >/dev/null || fail "no null sink"
  pactl set-default-sink nul
  pacat --playback --latency-msec=20 --raw --format=s16le --rate=44100 --channels=2 /dev/zero </dev/null &
  E2E_PIDS+=($!)
}

# Records what the null sink plays into a WAV file until record_stop.
record_start() {
  parecord --latency-msec=20 -d nul.monitor --file-format=wav "$1" </dev/null &
  E2E_REC_PID=$!
  sleep 1
}

record_stop() {
  kill -INT "$E2E_REC_PID" 2>/dev/null || true
  wait "$E2E_REC_PID" 2>/dev/null || true
}

# Milliseconds of a WAV file, optionally with leading and trailing silence cut off.
audible_ms() {
  sox "$1" "$E2E_TMP/trimmed.wav" silence 1 0.002 0.1% reverse silence 1 0.002 0.1% reverse
  soxi -D "$E2E_TMP/trimmed.wav" | awk '{ printf "%d", $1 * 1000 + 0.5 }'
}

# The lengths in ms of the separate sounds in a recording (sounds apart by at least 0.3 s of silence).
sound_spans_ms() {
  local dir="$E2E_TMP/spans"
  rm -rf "$dir"
  mkdir -p "$dir"
  sox "$1" "$dir/span.wav" silence 1 0.002 0.1% 1 0.3 0.1% : newfile : restart 2>/dev/null
  local f
  for f in "$dir"/span*.wav; do
    local ms
    ms=$(audible_ms "$f" 2>/dev/null || echo 0)
    [ "${ms:-0}" -gt 20 ] && echo "$ms"
  done
  return 0
}

# The feed, for the tests that start the program with --feed "$port".

# Fetches /state (or another path) and prints the body.
fetch() {
  python3 - "http://127.0.0.1:$port${1:-/state}" <<'PY'
import sys, urllib.request
with urllib.request.urlopen(sys.argv[1], timeout=5) as r:
    sys.stdout.write(r.read().decode("utf-8"))
PY
}

# Checks a state document against Python expressions over it (s is the parsed document); prints the failures.
check_state() {
  local doc=$1
  shift
  python3 - "$doc" "$@" <<'PY'
import json, sys
s = json.loads(sys.argv[1])
bad = [e for e in sys.argv[2:] if not eval(e, {"s": s})]
for e in bad:
    print("  not true:", e)
if bad:
    print("  state:", json.dumps(s))
sys.exit(1 if bad else 0)
PY
}

# Waits up to 5 s for a process to end.
wait_end() {
  local i
  for i in $(seq 1 50); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  fail "program still running"
}

# Starts the program with the feed on $port, leaves the start-up window and waits for the board (its id in
# $board) and the feed.
open_board() {
  start_rinkmaster --feed "$port" "$@"
  local splash
  splash=$(wait_window '^Rinkmaster$')
  click_in "$splash" 200 30
  board=$(wait_window '^Rinkmaster - ')
  local i
  for i in $(seq 1 50); do
    fetch >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  fail "the feed does not answer"
}
