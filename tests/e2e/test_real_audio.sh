#!/usr/bin/env bash
# Real audio: plays the board's own buzzer and horn through the program's sound layer into a private PulseAudio
# server with a null sink, records what the sink played, and checks that each sound arrived whole (its audible
# span about the file's length, the tail not cut) and that completion was reported after about its length.
set -euo pipefail

if [ -n "${E2E_LIB:-}" ] && [ -f "$E2E_LIB" ]; then
  # shellcheck source=/dev/null
  source "$E2E_LIB"
fi

HERE=$(cd "$(dirname "$0")" && pwd)
BUILD=${RINKMASTER_BUILD_DIR:-$HERE/../../build}
PLAY=$BUILD/tools/play_wav

fail() {
  echo "FAIL: $*" >&2
  [ -n "${WORK:-}" ] && [ -f "$WORK/pulse.log" ] && tail -n 20 "$WORK/pulse.log" >&2
  exit 1
}

for tool in pulseaudio pactl pacat parecord sox soxi; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (tools/dev.sh installs it)"
done
[ -x "$PLAY" ] || fail "no $PLAY: build the project first"

WORK=$(mktemp -d /tmp/rinkmaster-audio.XXXXXX)
REC_PID=""
PULSE_PID=""
KEEP_PID=""

cleanup() {
  if [ -n "$REC_PID" ]; then kill -INT "$REC_PID" 2>/dev/null || true; fi
  if [ -n "$KEEP_PID" ]; then kill "$KEEP_PID" 2>/dev/null || true; wait "$KEEP_PID" 2>/dev/null || true; fi
  if [ -n "$PULSE_PID" ]; then
    kill "$PULSE_PID" 2>/dev/null || true
    for _ in $(seq 1 20); do kill -0 "$PULSE_PID" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$PULSE_PID" 2>/dev/null || true
  fi
  rm -rf "$WORK"
  if declare -F e2e_cleanup >/dev/null; then e2e_cleanup; fi
}
trap cleanup EXIT

# A private server: its own runtime folder and home, so neither a desktop's server nor another test's is touched.
export XDG_RUNTIME_DIR=$WORK/runtime
export HOME=$WORK/home
unset PULSE_SERVER PULSE_SINK
mkdir -p "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"

# -n: no default script, so no hardware is probed; only the protocol the clients speak is loaded.
pulseaudio -D -n --load=module-native-protocol-unix --exit-idle-time=-1 --system=false \
  --log-target="file:$WORK/pulse.log" </dev/null || fail "pulseaudio did not start"
for _ in $(seq 1 50); do
  pactl info >/dev/null 2>&1 && break
  sleep 0.1
done
pactl info >/dev/null 2>&1 || fail "pulseaudio does not answer"
PULSE_PID=$(cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null || true)
# An idle null sink renders two-second blocks and, when a stream arrives, rewinds into the block it already
# rendered; its monitor cannot record what was rewound, so the start of a sound would be missing from the
# recording though it was played. A sink without rewinds, kept running at a low latency by a stream of silence,
# behaves like a sound card in use and records every sample.
pactl load-module module-null-sink sink_name=nul norewinds=1 >/dev/null || fail "no null sink"
pactl set-default-sink nul
pacat --playback --latency-msec=20 --raw --format=s16le --rate=44100 --channels=2 /dev/zero </dev/null &
KEEP_PID=$!

# Plays one file while recording the sink, then checks the recording and the reported completion.
check_sound() {
  local wav=$1
  local name
  name=$(basename "$wav" .wav)
  [ -f "$wav" ] || fail "$wav is missing"
  local length_ms
  length_ms=$(soxi -D "$wav" | awk '{ printf "%d", $1 * 1000 + 0.5 }')

  parecord --latency-msec=20 -d nul.monitor --file-format=wav "$WORK/$name-rec.wav" </dev/null &
  REC_PID=$!
  sleep 1 # the recorder is running and the sink awake before the sound starts

  timeout 60 "$PLAY" "$wav" >"$WORK/$name-play.out" 2>"$WORK/$name-play.err" </dev/null ||
    fail "$name: play_wav failed: $(cat "$WORK/$name-play.err")"
  sleep 0.5
  kill -INT "$REC_PID"
  wait "$REC_PID" 2>/dev/null || true
  REC_PID=""

  grep -q '^open ok' "$WORK/$name-play.out" || fail "$name: the device did not open: $(cat "$WORK/$name-play.out")"
  local done_ms
  done_ms=$(awk '/^done / { print $2 }' "$WORK/$name-play.out")
  [ -n "$done_ms" ] || fail "$name: completion was never reported"

  # The audible span of the recording and of the file itself, each with leading and trailing silence cut off
  # at the same level, so a fade-out counts alike in both.
  local trim=(silence 1 0.002 0.1% reverse silence 1 0.002 0.1% reverse)
  sox "$WORK/$name-rec.wav" "$WORK/$name-sound.wav" "${trim[@]}"
  sox "$wav" "$WORK/$name-file.wav" "${trim[@]}"
  local heard_ms audible_ms rms
  heard_ms=$(soxi -D "$WORK/$name-sound.wav" | awk '{ printf "%d", $1 * 1000 + 0.5 }')
  audible_ms=$(soxi -D "$WORK/$name-file.wav" | awk '{ printf "%d", $1 * 1000 + 0.5 }')
  rms=$(sox "$WORK/$name-sound.wav" -n stat 2>&1 | awk '/RMS +amplitude/ { print $3 }')
  echo "$name: file ${length_ms} ms (${audible_ms} ms audible), heard ${heard_ms} ms (rms $rms)," \
    "done reported after ${done_ms} ms"

  # Within 15% of the file's length, and all of it: a tail cut by even a few milliseconds shows here.
  awk -v h="$heard_ms" -v a="$audible_ms" -v l="$length_ms" 'BEGIN { exit !(h >= a - 5 && h <= l * 1.15) }' ||
    fail "$name: heard ${heard_ms} ms of a sound audible for ${audible_ms} ms"
  awk -v r="$rms" 'BEGIN { exit !(r > 0.1) }' || fail "$name: the recording is too quiet (rms $rms)"
  # Completion comes once the sound has played, not before, and not long after.
  awk -v d="$done_ms" -v l="$length_ms" 'BEGIN { exit !(d >= l && d <= l + 1500) }' ||
    fail "$name: completion after ${done_ms} ms for a ${length_ms} ms sound"
}

check_sound "$BUILD/buzzer.wav"
check_sound "$BUILD/horn.wav"
echo "PASS"
