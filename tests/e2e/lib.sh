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
