#!/usr/bin/env bash
# The overlay page in a real browser (headless Chromium) over the real program's feed: it draws the fresh board
# as soon as the program starts, names period 0 by its number alone and period 2 "2nd" (the program's words,
# put into the page), and a goal shows GOAL beside the scoring team's name, which stays in sight.
source "$E2E_LIB"
command -v python3 >/dev/null || fail "python3 missing (tools/dev.sh installs it)"
browser=$(command -v chromium || command -v chromium-browser || true)
[ -n "$browser" ] || fail "chromium missing (tools/dev.sh installs it)"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
page() {
  timeout 60 "$browser" --headless --no-sandbox --disable-gpu --user-data-dir="$E2E_TMP/chromium" \
    --virtual-time-budget=3000 "$@" "http://127.0.0.1:$port/" 2>/dev/null
}
start_xvfb 1280x1024
start_rinkmaster --feed "$port"
splash=$(wait_window '^Rinkmaster$')
for i in $(seq 1 50); do
  fetch >/dev/null 2>&1 && break
  sleep 0.1
done

dom=$(page --dump-dom)
grep -q '<span class="name" id="home-name"[^>]*>Home</span>' <<<"$dom" || fail "the overlay does not draw the board"
grep -q '<div class="period" id="period">0</div>' <<<"$dom" || fail "period 0 is not shown as 0"
grep -q '"periods":{"1":"1st"' <<<"$dom" || fail "the page does not carry the program's words"

click_in "$splash" 200 30
board=$(wait_window '^Rinkmaster - ')
focus_window "$board"
# The goal field (third Tab from the game clock), its home light; then the period, 2.
keys Tab Tab Tab Left Tab 2
sleep 0.5
check_state "$(fetch)" 's["home"]["goalLight"]' 's["period"]["text"] == "2"' || fail "the keys did not reach the board"

dom=$(page --dump-dom)
grep -q '<div class="period" id="period">2nd</div>' <<<"$dom" || fail "period 2 is not 2nd"
grep -q 'class="team home scored"' <<<"$dom" || fail "the home goal is not shown"
grep -q '<span class="name" id="home-name"[^>]*>Home</span>' <<<"$dom" || fail "the team name went with the goal"

# In pixels: GOAL is a badge beside the name, not a cover over the whole name box (236 x 46 px).
# A loaded machine may take the picture before the page has its first state: a blank picture is taken again.
for attempt in 1 2 3 4 5; do
  [ "$attempt" -eq 1 ] || sleep 1
  page --screenshot="$E2E_TMP/bug.png" --window-size=700,160 >/dev/null
  [ -s "$E2E_TMP/bug.png" ] || fail "no screenshot of the overlay"
  accent=$(convert "$E2E_TMP/bug.png" -alpha off -fuzz 25% -fill black +opaque '#ffc53d' -fill white -opaque '#ffc53d' \
    -colorspace gray -format '%[fx:int(mean*w*h+0.5)]' info:)
  [ "$accent" -gt 0 ] && break
done
echo "accent pixels: $accent"
[ "$accent" -gt 200 ] || fail "no GOAL badge on the overlay ($accent accent pixels)"
[ "$accent" -lt 5000 ] || fail "GOAL covers the team's name ($accent accent pixels)"
close_window "$board"
wait_end "$E2E_APP_PID"
echo PASS
