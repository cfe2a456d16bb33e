#!/usr/bin/env bash
# The board in a browser: the real program with --feed and its public board on a second monitor at 1920x1080;
# a real headless Chromium loads /board at 1920x1080 and 3840x2160, in both LED styles. The browser's digits
# match the feed's state and the program's public board; the whole picture is compared with the public board's
# (the share of pixels that differ is printed). A browser that hears nothing says the connection is lost and
# comes back by itself, following the game again.
source "$E2E_LIB"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
command -v python3 >/dev/null || fail "python3 missing (tools/dev.sh installs it)"
command -v chromium >/dev/null || fail "chromium missing (tools/dev.sh installs it)"
command -v xrandr >/dev/null || fail "xrandr missing (tools/dev.sh installs it)"
probe="$RINKMASTER_BUILD_DIR/tools/bench_browser_board"
[ -x "$probe" ] || fail "bench_browser_board not built: $probe"

free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
port=$(free_port)
start_xvfb 3840x1080
xrandr --setmonitor LEFT 1920/508x1080/286+0+0 none
xrandr --setmonitor RIGHT 1920/508x1080/286+1920+0 none

chromium_args=(--headless --no-sandbox --disable-gpu --hide-scrollbars --no-first-run --mute-audio
  --user-data-dir="$E2E_TMP/chromium")
# A screenshot of /board at the given size: the page gets a few seconds to connect and draw.
browser_shot() { # out.png width height
  timeout 60 chromium "${chromium_args[@]}" --window-size="$2,$3" --virtual-time-budget=4000 \
    --screenshot="$1" "http://127.0.0.1:$port/board" >>"$E2E_TMP/chromium.log" 2>&1 || true
  [ -s "$1" ] || fail "chromium took no screenshot (see chromium.log)"
}
shot() { # window, name: a screenshot as PNG and PPM
  import -window "$1" "$E2E_TMP/$2.png"
  convert "$E2E_TMP/$2.png" "$E2E_TMP/$2.ppm"
}
digits() { python3 "$here/board_digits.py" "$E2E_TMP/$1.ppm" "$E2E_TMP/$2.ppm" | awk '/^worst/ { print $2 }'; }
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
differing() { # share of pixels that differ by more than 10% between two pictures of one size
  { compare -metric AE -fuzz 10% "$E2E_TMP/$1.png" "$E2E_TMP/$2.png" null: 2>&1 || true; } |
    awk -v n="$3" '{ printf "%.4f", $1 / n }'
}

run_style() { # LED type
  local style=$1
  E2E_SETTINGS="$E2E_TMP/settings-$style.ini"
  printf '[PicSettings]\nLEDType=%s\n' "$style" >"$E2E_SETTINGS"
  open_board --public-screen RIGHT --new-game
  local public
  public=$(wait_window '^Rinkmaster public board$')
  focus_window "$board"
  # Home 3, visitor 12, period 2, home penalty 1 at 2:00, visitor penalty 2 at 5:00, the home goal light.
  keys Tab 3 Return Tab 1 2 Return Tab Left Tab 2 Tab 2 Return Tab Tab Tab 5 Return
  sleep 0.8
  local state
  state=$(fetch)
  check_state "$state" 's["home"]["score"]["text"] == "3"' 's["visitor"]["score"]["text"] == "12"' \
    's["period"]["text"] == "2"' 's["home"]["penalties"][0]["text"] == "2:00"' \
    's["visitor"]["penalties"][1]["text"] == "5:00"' 's["home"]["goalLight"]' 's["layout"] >= 1' ||
    fail "the keys did not reach the feed"
  fetch /board | grep -q '<script src="/board.js">' || fail "no board page at /board"
  fetch /board/layout.json | python3 -c 'import json, sys; d = json.load(sys.stdin); assert d["led"]["style"] == ("dots" if sys.argv[1] == "1" else "lines"); assert not any(c["name"] == "shpObjectSelected" for c in d["controls"])' "$style" ||
    fail "the layout document is not the board's"

  shot "$public" "public$style"
  # A loaded machine can leave a headless browser's page undrawn when its time budget ends: a blank picture is
  # taken again (twice at most) before the digits are compared.
  local d attempt
  for attempt in 1 2 3; do
    browser_shot "$E2E_TMP/browser$style.png" 1920 1080
    convert "$E2E_TMP/browser$style.png" "$E2E_TMP/browser$style.ppm"
    d=$(digits "public$style" "browser$style")
    below "$d" 0.2 && break
    echo "style $style: browser picture $attempt too far from the board ($d), taken again"
  done
  below "$d" 0.2 || fail "style $style: the browser's digits differ from the public board's ($d)"
  # The lights: the home goal light and the home penalty light are lit (the score colour) in both pictures.
  d=$(differing "public$style" "browser$style" $((1920 * 1080)))
  echo "style $style: digit distance $(digits "public$style" "browser$style"), pixels differing $d"
  below "$d" 0.03 || fail "style $style: the browser board looks different from the public board ($d of the pixels)"
  # At 3840x2160 the page draws the same digits (the comparison does not depend on the pictures' sizes).
  browser_shot "$E2E_TMP/browser${style}-4k.png" 3840 2160
  convert "$E2E_TMP/browser${style}-4k.png" "$E2E_TMP/browser${style}-4k.ppm"
  d=$(digits "public$style" "browser${style}-4k")
  below "$d" 0.2 || fail "style $style: at 3840x2160 the browser's digits differ from the public board's ($d)"
  kill "$E2E_APP_PID"
  wait_end "$E2E_APP_PID"
}

run_style 0
run_style 1

# A live browser through a pause of the program: "connection lost" within a few seconds, then back by itself,
# following changes again.
E2E_SETTINGS="$E2E_TMP/settings-live.ini"
: >"$E2E_SETTINGS"
open_board --new-game
devtools=$(free_port)
chromium "${chromium_args[@]}" --window-size=960,540 --remote-debugging-port="$devtools" --remote-allow-origins='*' \
  "http://127.0.0.1:$port/board" >>"$E2E_TMP/chromium.log" 2>&1 &
E2E_PIDS+=($!)
page() { "$probe" --devtools "$devtools" --evaluate "$1" 2>/dev/null || true; }
wait_page() { # expression, expected value, seconds
  local i
  for i in $(seq 1 $(($3 * 5))); do
    [ "$(page "$1")" = "$2" ] && return 0
    sleep 0.2
  done
  return 1
}
wait_page 'document.body.dataset.connection' live 30 || fail "the browser board did not connect"
wait_page 'window.rinkmasterBoard.drawn()' true 10 ||
  fail "the browser board did not draw"
[ "$(page 'window.rinkmasterBoard.lastState()')" = "$(fetch)" ] || fail "the browser board does not show the feed's state"
# Nothing changes for a while: the keep-alive frames keep the page live.
sleep 6
[ "$(page 'document.body.dataset.connection')" = live ] || fail "a quiet board was taken for a lost connection"
kill -STOP "$E2E_APP_PID"
wait_page 'document.body.dataset.connection' lost 12 || { kill -CONT "$E2E_APP_PID"; fail "no 'connection lost' while the program was stopped"; }
[ "$(page 'document.getElementById("lost").hidden')" = false ] || { kill -CONT "$E2E_APP_PID"; fail "the lost note is not shown"; }
kill -CONT "$E2E_APP_PID"
wait_page 'document.body.dataset.connection' live 20 || fail "the browser board did not reconnect"
focus_window "$board"
keys Tab 7 Return
sleep 0.5
wait_page 'JSON.parse(window.rinkmasterBoard.lastState()).home.score.text' 7 10 || fail "after reconnecting the page does not follow"
echo "PASS"
