#!/usr/bin/env bash
# --help, --version and a mistyped option answer in text and need no display at all.
source "$E2E_LIB"

run_without_display() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$RINKMASTER_BIN" "$@"
}

out=$(run_without_display --help) || fail "--help ended with $?"
for want in "Usage:" "--settings <file>" "--language <code>" "--feed <port>" "--feed-address <address>" "--feed-dir <folder>" "--version"; do
  grep -qF -- "$want" <<<"$out" || fail "--help does not mention '$want': $out"
done

out=$(run_without_display -h) || fail "-h ended with $?"
grep -qF "Usage:" <<<"$out" || fail "-h prints no usage: $out"

out=$(run_without_display --version) || fail "--version ended with $?"
grep -Eq '^Rinkmaster [0-9]+\.[0-9]+\.[0-9]+$' <<<"$out" || fail "--version prints '$out'"

# A mistake is told on the error output and ends the program with a failure, still without a display.
set +e
err=$(run_without_display --no-such-option 2>&1 >/dev/null)
rc=$?
set -e
[ "$rc" -ne 0 ] || fail "an unknown option was accepted"
grep -qF "no-such-option" <<<"$err" || fail "an unknown option is not named: $err"
[ "$rc" -lt 128 ] || fail "an unknown option crashed the program ($rc)"

set +e
err=$(run_without_display --feed 2>&1 >/dev/null)
rc=$?
set -e
[ "$rc" -eq 1 ] || fail "--feed without its port ended with $rc"
grep -qi "feed" <<<"$err" || fail "a missing value is not told: $err"
# Without a display the program says so in one line and ends with 1, before it touches any settings.
settings_dir=$E2E_TMP
check_no_display() {
  local what=$1 rc lines
  shift
  set +e
  err=$("$@" --settings "$settings_dir/board.ini" 2>&1 >/dev/null)
  rc=$?
  set -e
  [ "$rc" -eq 1 ] || fail "$what: ended with $rc, not 1: $err"
  lines=$(printf '%s\n' "$err" | grep -c .)
  [ "$lines" -eq 1 ] || fail "$what: $lines lines on the error output: $err"
  grep -q "^Rinkmaster: no display found" <<<"$err" || fail "$what: says '$err'"
}
check_no_display "no DISPLAY nor WAYLAND_DISPLAY" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$RINKMASTER_BIN"
check_no_display "a DISPLAY with no server" env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:4242 "$RINKMASTER_BIN"
check_no_display "the X platform asked for with no DISPLAY" env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb \
  "$RINKMASTER_BIN"
[ ! -e "$settings_dir/board.ini" ] || fail "settings were written without a display"
echo "PASS"
