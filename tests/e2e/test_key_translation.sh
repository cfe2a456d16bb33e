#!/usr/bin/env bash
# Real X key events, sent through the X server with xdotool, reach the program's key translation
# as the codes Windows reports for the same keys: letters, digits of the main row (on a French
# layout too, where they need Shift), function keys, punctuation, the keypad with NumLock on and
# off, and modifiers that change nothing.
set -euo pipefail

if [ -n "${E2E_LIB:-}" ] && [ -f "$E2E_LIB" ]; then
  # shellcheck source=/dev/null
  source "$E2E_LIB"
fi

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build_dir=${RINKMASTER_BUILD_DIR:-$here/../../build}
probe=$build_dir/tools/keyprobe
[ -x "$probe" ] || { echo "keyprobe not built: $probe" >&2; exit 1; }
for tool in Xvfb xdotool setxkbmap xset; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool (tools/dev.sh installs it)" >&2; exit 1; }
done

kt_work=$(mktemp -d)
export XDG_RUNTIME_DIR=$kt_work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
kt_xvfb_pid=""
kt_probe_pid=""

kt_cleanup() {
  [ -n "$kt_probe_pid" ] && kill "$kt_probe_pid" 2>/dev/null || true
  [ -n "$kt_xvfb_pid" ] && kill "$kt_xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$kt_work"
}
trap kt_cleanup EXIT

# Xvfb picks a free display itself and writes its number once it accepts connections.
Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset 3>"$kt_work/display" 2>"$kt_work/xvfb.log" &
kt_xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$kt_work/display" ] && break
  sleep 0.1
done
[ -s "$kt_work/display" ] || { echo "Xvfb did not start" >&2; cat "$kt_work/xvfb.log" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$kt_work/display")
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
setxkbmap us

out=$kt_work/probe.out
"$probe" >"$out" 2>"$kt_work/probe.err" &
kt_probe_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --class keyprobe | head -n1)
[ -n "$window" ] || { echo "keyprobe window did not appear" >&2; exit 1; }
xdotool windowfocus --sync "$window"

# Waits until the probe has printed at least $1 lines.
kt_wait_lines() {
  for _ in $(seq 100); do
    [ "$(wc -l <"$out")" -ge "$1" ] && return 0
    sleep 0.05
  done
  return 1
}
kt_wait_lines 1 || { echo "keyprobe never got the keyboard focus" >&2; cat "$kt_work/probe.err" >&2; exit 1; }
grep -q '^focus$' "$out" || { echo "keyprobe never got the keyboard focus" >&2; exit 1; }

failures=0
# check LABEL "EXPECTED CODES" XDOTOOL-ARGS...: runs xdotool and compares the probe's new lines.
# Expected codes are written "d65 u65" for "down 65" and "up 65".
kt_check() {
  local label=$1 expected=$2
  shift 2
  local before want got
  before=$(grep -c -v '^focus$' "$out" || true)
  want=$(printf '%s\n' $expected | sed -e 's/^d/down /' -e 's/^u/up /')
  xdotool "$@"
  local count
  count=$(printf '%s\n' "$want" | wc -l)
  for _ in $(seq 100); do
    [ "$(grep -c -v '^focus$' "$out" || true)" -ge $((before + count)) ] && break
    sleep 0.05
  done
  sleep 0.1 # anything extra would show up now
  got=$(grep -v '^focus$' "$out" | tail -n +$((before + 1)))
  if [ "$got" = "$want" ]; then
    echo "ok   $label"
  else
    echo "FAIL $label"
    echo "  expected: $(echo $want)"
    echo "  got:      $(echo $got)"
    failures=$((failures + 1))
  fi
}

# Brings NumLock to the wanted state ("on"/"off") with the real NumLock key.
kt_numlock() {
  local state
  state=$(xset q | sed -n 's/.*Num Lock: *\([a-z]*\).*/\1/p')
  if [ "$state" != "$1" ]; then
    kt_check "NumLock key to $1" "d144 u144" key Num_Lock
  fi
  state=$(xset q | sed -n 's/.*Num Lock: *\([a-z]*\).*/\1/p')
  [ "$state" = "$1" ] || { echo "FAIL NumLock is $state, wanted $1"; failures=$((failures + 1)); }
}

# Keycodes are the X server's (evdev) numbers; numbers of two or more digits go to xdotool as
# keycodes, so keys are sent by position whatever the layout.
digit_row="10 11 12 13 14 15 16 17 18 19"
digit_codes="d49 u49 d50 u50 d51 u51 d52 u52 d53 u53 d54 u54 d55 u55 d56 u56 d57 u57 d48 u48"
keypad="90 87 88 89 83 84 85 79 80 81 91"

echo "# US layout"
kt_check "letters" "d65 u65 d83 u83 d90 u90" key a s z
kt_check "Shift+S is S" "d16 d83 u83 u16" keydown shift key s keyup shift
kt_check "Ctrl+S is S" "d17 d83 u83 u17" keydown ctrl key s keyup ctrl
kt_check "Alt+B is B" "d18 d66 u66 u18" keydown alt key b keyup alt
kt_check "digit row" "$digit_codes" key $digit_row
kt_check "Shift+1 is 1" "d16 d49 u49 u16" keydown shift key 10 keyup shift
kt_check "F-keys" "d112 u112 d113 u113 d116 u116 d121 u121 d122 u122 d123 u123" key F1 F2 F5 F10 F11 F12
kt_check "punctuation" "d189 u189 d187 u187 d219 u219 d221 u221 d186 u186 d222 u222 d192 u192 d220 u220 d188 u188 d190 u190 d191 u191" \
  key 20 21 34 35 47 48 49 51 59 60 61
kt_check "Shift+= is still 187" "d16 d187 u187 u16" keydown shift key 21 keyup shift
kt_check "editing and cursor keys" \
  "d13 u13 d32 u32 d9 u9 d27 u27 d8 u8 d46 u46 d45 u45 d36 u36 d35 u35 d33 u33 d34 u34 d37 u37 d38 u38 d39 u39 d40 u40" \
  key Return space Tab Escape BackSpace Delete Insert Home End Prior Next Left Up Right Down

kt_numlock on
kt_check "keypad digits, NumLock on" "d96 u96 d97 u97 d98 u98 d99 u99 d100 u100 d101 u101 d102 u102 d103 u103 d104 u104 d105 u105 d110 u110" \
  key $keypad
kt_check "Shift+keypad 1 is still 97" "d16 d97 u97 u16" keydown shift key 87 keyup shift
kt_check "keypad operators" "d106 u106 d107 u107 d109 u109 d111 u111 d13 u13" key 63 86 82 106 104
kt_numlock off
kt_check "keypad, NumLock off" "d45 u45 d35 u35 d40 u40 d34 u34 d37 u37 d12 u12 d39 u39 d36 u36 d38 u38 d33 u33 d46 u46" \
  key $keypad
kt_check "keypad operators, NumLock off" "d106 u106 d107 u107 d109 u109 d111 u111" key 63 86 82 106

echo "# French layout"
setxkbmap fr
sleep 0.5
kt_check "digit row types &é\"'(-è_çà, still 48..57" "$digit_codes" key $digit_row
kt_check "Shift+digit row" "d16 d49 u49 d50 u50 d48 u48 u16" keydown shift key 10 11 19 keyup shift
kt_check "letters follow the layout" "d65 u65 d81 u81 d90 u90 d87 u87 d77 u77" key 24 38 25 52 47
kt_check "Shift+A is A" "d16 d65 u65 u16" keydown shift key 24 keyup shift
kt_check "AltGr+E (euro) is E" "d18 d69 u69 u18" keydown ISO_Level3_Shift key 26 keyup ISO_Level3_Shift
kt_check "= + key, ; . key, , ? key" "d187 u187 d190 u190 d188 u188" key 21 59 58
kt_check ") key is no minus" "d223 u223" key 20
kt_numlock on
kt_check "keypad digits on French layout" "d97 u97 d110 u110" key 87 91

echo "# German layout"
setxkbmap de
sleep 0.5
kt_check "+ - . , keys keep their codes" "d187 u187 d189 u189 d190 u190 d188 u188" key 35 61 60 59
kt_check "Shift does not change them" "d16 d187 u187 d189 u189 d190 u190 d188 u188 u16" keydown shift key 35 61 60 59 keyup shift
kt_check "Y and Z swapped" "d90 u90 d89 u89" key 29 52
kt_check "digit row" "$digit_codes" key $digit_row

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed; keyprobe's view of the events:"
  cat "$kt_work/probe.err"
  exit 1
fi
echo "all key checks passed"
