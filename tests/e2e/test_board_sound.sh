#!/usr/bin/env bash
# The board's own buzzer and horn through the real sound layer into PulseAudio: B plays the buzzer whole, G
# during it is dropped, and once the buzzer has reported its end G plays the horn.
source "$E2E_LIB"
start_xvfb 1024x768
start_pulse
start_rinkmaster
splash=$(wait_window '^Rinkmaster$')
click_in "$splash" 200 30
board=$(wait_window '^Rinkmaster - ')
focus_window "$board"

record_start "$E2E_TMP/rec.wav"
keys b
sleep 0.3
keys g       # a sound is playing: dropped
sleep 1.5
keys g       # the buzzer has finished and cleared the flag: the horn plays
sleep 3.8
record_stop

mapfile -t spans < <(sound_spans_ms "$E2E_TMP/rec.wav")
echo "sounds heard (ms): ${spans[*]}"
[ "${#spans[@]}" -eq 2 ] || fail "expected the buzzer and then the horn, heard ${#spans[@]} sounds"
buzzer_ms=$(audible_ms "$RINKMASTER_BUILD_DIR/buzzer.wav")
horn_ms=$(audible_ms "$RINKMASTER_BUILD_DIR/horn.wav")
awk -v h="${spans[0]}" -v a="$buzzer_ms" 'BEGIN { exit !(h >= a - 10 && h <= a * 1.15) }' ||
  fail "buzzer heard for ${spans[0]} ms, the file sounds for $buzzer_ms ms"
awk -v h="${spans[1]}" -v a="$horn_ms" 'BEGIN { exit !(h >= a - 10 && h <= a * 1.15) }' ||
  fail "horn heard for ${spans[1]} ms, the file sounds for $horn_ms ms"
echo PASS
