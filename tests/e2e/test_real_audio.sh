#!/usr/bin/env bash
# Real audio: plays the board's own buzzer and horn through the program's sound layer into a private PulseAudio
# server with a null sink, records what the sink played, and checks that each sound arrived whole (its audible
# span about the file's length, the tail not cut) and that completion was reported after about its length.
source "$E2E_LIB"
PLAY=$RINKMASTER_BUILD_DIR/tools/play_wav
[ -x "$PLAY" ] || fail "no $PLAY: build the project first"
start_pulse

check_sound() {
  local wav=$1
  local name
  name=$(basename "$wav" .wav)
  [ -f "$wav" ] || fail "$wav is missing"
  local length_ms
  length_ms=$(soxi -D "$wav" | awk '{ printf "%d", $1 * 1000 + 0.5 }')

  # Once in a while the sound server's client library aborts on a dropped connection (an assertion inside
  # libpulse, "Connection terminated"): that run is played again, once; any other failure stands.
  local attempt
  for attempt in 1 2; do
    record_start "$E2E_TMP/$name-rec.wav"
    if timeout 60 "$PLAY" "$wav" >"$E2E_TMP/$name-play.out" 2>"$E2E_TMP/$name-play.err" </dev/null; then
      break
    fi
    record_stop
    if [ "$attempt" = 2 ] || ! grep -q 'Connection terminated' "$E2E_TMP/$name-play.err"; then
      fail "$name: play_wav failed: $(cat "$E2E_TMP/$name-play.err")"
    fi
    echo "$name: the sound server's connection dropped; playing again"
  done
  sleep 0.5
  record_stop

  grep -q '^open ok' "$E2E_TMP/$name-play.out" || fail "$name: the device did not open"
  local done_ms
  done_ms=$(awk '/^done / { print $2 }' "$E2E_TMP/$name-play.out")
  [ -n "$done_ms" ] || fail "$name: completion was never reported"

  # The audible span of the recording and of the file itself, each with the silence at both ends cut off at
  # the same level, so a fade-out counts alike in both.
  local heard_ms audible rms
  heard_ms=$(audible_ms "$E2E_TMP/$name-rec.wav")
  rms=$(sox "$E2E_TMP/trimmed.wav" -n stat 2>&1 | awk '/RMS +amplitude/ { print $3 }')
  audible=$(audible_ms "$wav")
  echo "$name: file ${length_ms} ms (${audible} ms audible), heard ${heard_ms} ms (rms $rms)," \
    "done reported after ${done_ms} ms"

  # All of it: a tail cut by even a few milliseconds shows here.
  awk -v h="$heard_ms" -v a="$audible" -v l="$length_ms" 'BEGIN { exit !(h >= a - 5 && h <= l * 1.15) }' ||
    fail "$name: heard ${heard_ms} ms of a sound audible for ${audible} ms"
  awk -v r="$rms" 'BEGIN { exit !(r > 0.1) }' || fail "$name: the recording is too quiet (rms $rms)"
  # Completion comes once the sound has played, not before, and not long after.
  awk -v d="$done_ms" -v l="$length_ms" 'BEGIN { exit !(d >= l && d <= l + 1500) }' ||
    fail "$name: completion after ${done_ms} ms for a ${length_ms} ms sound"
}

check_sound "$RINKMASTER_BUILD_DIR/buzzer.wav"
check_sound "$RINKMASTER_BUILD_DIR/horn.wav"
echo "PASS"
