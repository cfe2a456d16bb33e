#!/usr/bin/env bash
# The board's own buzzer and horn through the real sound layer into PulseAudio: B plays the buzzer whole, G
# during it is dropped, and once the buzzer has reported its end G plays the horn. Then the period's end: the
# horn still sounding when the game clock reaches 0 is cut short and the buzzer is heard at once, whole.
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

# The game clock set to 3 seconds and started; the horn (3 s long) is sounded a second before the zero.
keys 0 period 0 3 Return
record_start "$E2E_TMP/zero.wav"
keys s
sleep 1.9
keys g
sleep 3.5
record_stop
mapfile -t spans < <(sound_spans_ms "$E2E_TMP/zero.wav")
echo "at the zero, sounds heard (ms): ${spans[*]}"
[ "${#spans[@]}" -eq 1 ] || fail "expected the horn running straight into the buzzer, heard ${#spans[@]} sounds"
# The horn for about a second, then the whole buzzer: longer than the buzzer, shorter than the horn alone.
awk -v h="${spans[0]}" -v b="$buzzer_ms" -v a="$horn_ms" 'BEGIN { exit !(h >= b + 300 && h <= a - 500) }' ||
  fail "heard ${spans[0]} ms: not a cut horn followed by the buzzer ($buzzer_ms ms; the horn alone $horn_ms ms)"
# What sounds last is the buzzer (its pitch is about twice the horn's), and what sounds first is the horn.
# sox's rough pitch depends on the rate and channels, so the files are measured as the recording holds them.
pitch() { sox "$1" -n stat 2>&1 | awk '/Rough +frequency/ { print $3 }'; }
as_recorded() {
  sox "$1" -c "$(soxi -c "$E2E_TMP/zero.wav")" -r "$(soxi -r "$E2E_TMP/zero.wav")" "$2"
}
audible_ms "$E2E_TMP/zero.wav" >/dev/null
sox "$E2E_TMP/trimmed.wav" "$E2E_TMP/last.wav" reverse trim 0 0.7 reverse
sox "$E2E_TMP/trimmed.wav" "$E2E_TMP/first.wav" trim 0 0.4
as_recorded "$RINKMASTER_BUILD_DIR/buzzer.wav" "$E2E_TMP/buzzer-ref.wav"
as_recorded "$RINKMASTER_BUILD_DIR/horn.wav" "$E2E_TMP/horn-ref.wav"
buzzer_pitch=$(pitch "$E2E_TMP/buzzer-ref.wav")
horn_pitch=$(pitch "$E2E_TMP/horn-ref.wav")
last_pitch=$(pitch "$E2E_TMP/last.wav")
first_pitch=$(pitch "$E2E_TMP/first.wav")
echo "pitch: buzzer $buzzer_pitch, horn $horn_pitch; heard first $first_pitch, last $last_pitch"
mid=$(( (buzzer_pitch + horn_pitch) / 2 ))
[ "$last_pitch" -gt "$mid" ] || fail "the sound heard last is not the buzzer (pitch $last_pitch)"
[ "$first_pitch" -lt "$mid" ] || fail "the sound heard first is not the horn (pitch $first_pitch)"
echo PASS
