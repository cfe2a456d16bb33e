#!/usr/bin/env bash
# Two monitors on one X screen (LEFT and RIGHT, as xrandr makes them; Qt also reports the whole `screen`): with
# --public-screen RIGHT the public board covers RIGHT exactly and the console stays on LEFT; keys typed in the
# console change both; the public board never has the focus, never shows the selection marker, and its digits
# match the console's. OK in the options, the public screen untouched, keeps the public board. Unplugging RIGHT
# leaves the console running and says so; plugging it back restores the public board.
source "$E2E_LIB"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
command -v python3 >/dev/null || fail "python3 missing (tools/dev.sh installs it)"
command -v xrandr >/dev/null || fail "xrandr missing (tools/dev.sh installs it)"

start_xvfb 3840x1080
xrandr --setmonitor LEFT 1920/508x1080/286+0+0 none
xrandr --setmonitor RIGHT 1920/508x1080/286+1920+0 none
xrandr --listmonitors | grep -q RIGHT || fail "xrandr did not make the monitors"

# A blue selection marker three pixels wide: no LED or light of the board has that colour.
E2E_SETTINGS="$E2E_TMP/settings.ini"
printf '[ColorSettings]\nLEDSelected=16711680\nLEDSelectedWidth=3\n' >"$E2E_SETTINGS"
start_rinkmaster --public-screen RIGHT --new-game
splash=$(wait_window '^Rinkmaster$')
click_in "$splash" 200 30
console=$(wait_window '^Rinkmaster - ')
public=$(wait_window '^Rinkmaster public board$')

geometry() { # prints "X Y WIDTH HEIGHT" of a window
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$X $Y $WIDTH $HEIGHT"
}
[ "$(geometry "$public")" = "1920 0 1920 1080" ] || fail "the public board does not cover RIGHT: $(geometry "$public")"
read -r cx cy cw ch <<<"$(geometry "$console")"
[ $((cx + cw)) -le 1920 ] || fail "the console is not on LEFT: $cx $cy $cw $ch"
grep -q "Public board on RIGHT 1920x1080" "$E2E_TMP/app.log" || fail "the console did not say where the public board is"

# The console's board at about the public board's size, so that both are drawn at a like scale.
xdotool windowsize --sync "$console" 1900 1050
focus_window "$console"

shot() { # window, name: a screenshot as PPM for the digit comparison
  import -window "$1" "$E2E_TMP/$2.png"
  convert "$E2E_TMP/$2.png" "$E2E_TMP/$2.ppm"
}
digits() { # worst field distance between two screenshots
  python3 "$here/board_digits.py" "$E2E_TMP/$1.ppm" "$E2E_TMP/$2.ppm" | awk '/^worst/ { print $2 }'
}
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
blue_pixels() {
  convert "$E2E_TMP/$1.png" -fill black +opaque 'rgb(0,0,255)' -fill white -opaque 'rgb(0,0,255)' \
    -format '%[fx:round(mean*w*h)]' info:
}
focused() { xdotool getwindowfocus; }
changed_pixels() { # how many pixels differ between two screenshots of one window
  { compare -metric AE -fuzz 10% "$E2E_TMP/$1.png" "$E2E_TMP/$2.png" null: 2>&1 || true; } | awk '{ print int($1) }'
}

shot "$public" public0
# Home 3, visitor 2, period 2, home penalty 1 at 2:00 (Tab order: clock, home, visitor, goal, period, penalties).
keys Tab 3 Return Tab 2 Return Tab Tab 2 Tab 2 Return
sleep 0.5
shot "$console" console1
shot "$public" public1
d=$(digits console1 public1)
below "$d" 0.2 || fail "the public board's digits differ from the console's ($d)"
d=$(changed_pixels public0 public1)
[ "$d" -gt 10000 ] || fail "keys typed in the console did not change the public board ($d pixels)"
[ "$(blue_pixels console1)" -gt 100 ] || fail "the console shows no selection marker"
[ "$(blue_pixels public1)" -eq 0 ] || fail "the public board shows the selection marker"
[ "$(focused)" = "$console" ] || fail "the console does not have the keyboard"

# OK in the options, with the public screen left as the dialog shows it, keeps the public board where it is.
keys F2
options=$(wait_window '^Options$')
keys Return
for i in $(seq 1 30); do
  xdotool search --onlyvisible --name '^Options$' >/dev/null 2>&1 || break
  sleep 0.1
done
xdotool search --onlyvisible --name '^Options$' >/dev/null 2>&1 && fail "Enter did not press OK"
sleep 0.5
public=$(xdotool search --onlyvisible --name '^Rinkmaster public board$' 2>/dev/null | head -1)
[ -n "$public" ] || fail "OK in the options took the public board away"
[ "$(geometry "$public")" = "1920 0 1920 1080" ] || fail "after OK the public board moved: $(geometry "$public")"
grep -q '^PublicScreen=RIGHT' "$E2E_SETTINGS" && fail "OK stored the command line's screen"
focus_window "$console"

# A click on the public board takes nothing from the console: the next keys still reach it.
click_in "$public" 960 540
sleep 0.3
[ "$(focused)" != "$public" ] || fail "the public board took the focus"
focus_window "$console"
keys Tab 3 Return
sleep 0.5
shot "$console" console2
shot "$public" public2
d=$(digits console2 public2)
below "$d" 0.2 || fail "after a click the public board's digits differ from the console's ($d)"
d=$(changed_pixels public1 public2)
[ "$d" -gt 5000 ] || fail "after a click on the public board keys no longer reach the game ($d pixels)"
[ "$(blue_pixels public2)" -eq 0 ] || fail "the public board shows the selection marker after a click"

# Unplugged: the public board goes, the console runs on and says so.
xrandr --delmonitor RIGHT
for i in $(seq 1 50); do
  xdotool search --onlyvisible --name '^Rinkmaster public board$' >/dev/null 2>&1 || break
  sleep 0.1
done
xdotool search --onlyvisible --name '^Rinkmaster public board$' >/dev/null 2>&1 && fail "the public board stayed"
kill -0 "$E2E_APP_PID" 2>/dev/null || fail "the program ended when the public screen went"
grep -q "Public board not shown: screen RIGHT is not connected" "$E2E_TMP/app.log" || fail "the console did not say"
focus_window "$console"
keys Tab 4 Return
sleep 0.5
shot "$console" console3
d=$(changed_pixels console2 console3)
[ "$d" -gt 5000 ] || fail "the console stopped taking keys without the public screen ($d pixels)"

# Plugged back: the public board returns on RIGHT with the game as it stands.
xrandr --setmonitor RIGHT 1920/508x1080/286+1920+0 none
public=$(wait_window '^Rinkmaster public board$')
[ "$(geometry "$public")" = "1920 0 1920 1080" ] || fail "the public board came back elsewhere: $(geometry "$public")"
[ "$(grep -c "Public board on RIGHT 1920x1080" "$E2E_TMP/app.log")" -ge 2 ] || fail "the console did not say it is back"
sleep 0.5
shot "$public" public3
d=$(digits console3 public3)
below "$d" 0.2 || fail "the returned public board's digits differ from the console's ($d)"
[ "$(focused)" != "$public" ] || fail "the returned public board took the focus"
echo "PASS"
