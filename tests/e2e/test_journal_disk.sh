#!/usr/bin/env bash
# The game survives a full disk. The store sits on a 64 KiB file system of its own; a game is played and
# saved, the file system is filled, a goal is scored: the board says once that the game cannot be saved and keeps
# the last journal whole (never an empty one). kill -9, space freed, the next start offers the game as it was
# saved; once there is room again every change is saved as before. A pipe under the journal's name does not
# stop the start, and a link under it never lets the board overwrite the file it points to.
source "$E2E_LIB"
command -v python3 >/dev/null || fail "python3 missing (tools/dev.sh installs it)"

disk="$E2E_TMP/disk"
mkdir -p "$disk"
if ! mount -t tmpfs -o size=64k,mode=0700 tmpfs "$disk" 2>"$E2E_TMP/mount.log"; then
  echo "SKIP: no small file system can be mounted here ($(head -n 1 "$E2E_TMP/mount.log"))"
  exit 0
fi
journal_cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do
    kill -9 "$pid" 2>/dev/null || true
  done
  sleep 0.2
  umount "$disk" 2>/dev/null || umount -l "$disk" 2>/dev/null || true
  e2e_cleanup
}
trap journal_cleanup EXIT

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
E2E_SETTINGS="$disk/settings.ini"
journal="$E2E_SETTINGS.game.json"
start_xvfb 1280x1024

# Prints "home visitor" as the journal holds them, or fails when it cannot be read as a game.
journal_score() {
  python3 - "$journal" <<'PY'
import json, sys
with open(sys.argv[1]) as f:
    j = json.load(f)
assert j["format"] == "rinkmaster-game", j
print(j["homeDigits"][0], j["visitorDigits"][0])
PY
}

open_board
focus_window "$board"
# Game time 15:00, home 3.
keys 1 5 Return Tab 3 Return
sleep 1
[ "$(journal_score)" = "3 0" ] || fail "the game was not saved: $(journal_score)"
saved=$(cat "$journal")

# The disk fills up; a goal for the visitors cannot be saved.
dd if=/dev/zero of="$disk/fill" bs=1k 2>/dev/null || true
[ "$(df --output=avail -k "$disk" | tail -n 1 | tr -d ' ')" = "0" ] || fail "the file system did not fill"
focus_window "$board"
keys Tab 1 Return
sleep 1.5
grep -q "The game cannot be saved: No space left on device" "$E2E_TMP/app.log" \
  || { cat "$E2E_TMP/app.log"; fail "the full disk was not told"; }
# Another change while the disk stays full is not told again.
keys Tab 2 Return
sleep 1.5
[ "$(grep -c "The game cannot be saved" "$E2E_TMP/app.log")" = "1" ] || fail "the full disk was told more than once"
[ -s "$journal" ] || fail "the full disk emptied the journal"
[ "$(cat "$journal")" = "$saved" ] || fail "the journal changed although it could not be written"
ls -a "$disk" | grep -q writing && fail "a temporary file was left on the full disk"

# A crash now, then space again: the game as last saved comes back.
kill -9 "$E2E_APP_PID"
wait_end "$E2E_APP_PID"
rm -f "$disk/fill"
[ "$(journal_score)" = "3 0" ] || fail "the journal was lost with the crash: $(journal_score)"
open_board
q=$(wait_window '^Rinkmaster$')
focus_window "$q"
keys Return
sleep 0.5
grep -q "Resume the game in progress? Home 3 - Visitor 0" "$E2E_TMP/app.log" \
  || { cat "$E2E_TMP/app.log"; fail "the saved game was not offered"; }
check_state "$(fetch)" 's["home"]["score"]["text"] == "3"' || fail "Resume did not bring back the score"

# With room again, a change is saved at once.
focus_window "$board"
keys Tab 4 Return
sleep 1
[ "$(journal_score)" = "3 4" ] || fail "a change after the disk had room again was not saved: $(journal_score)"
grep -q "The game cannot be saved" "$E2E_TMP/app.log" && fail "told of a full disk that had room"
close_window "$board"
wait_end "$E2E_APP_PID"

# ---- A pipe, then a link, under the journal's name ---------------------------------------------------------
E2E_SETTINGS="$E2E_TMP/own/pipe.ini"
mkdir -p "$E2E_TMP/own"
chmod 700 "$E2E_TMP/own"
mkfifo "$E2E_SETTINGS.game.json"
open_board
grep -q "is not a plain file" "$E2E_TMP/app.log" || { cat "$E2E_TMP/app.log"; fail "the pipe was not told"; }
focus_window "$board"
keys Tab 5 Return
sleep 1
[ -f "$E2E_SETTINGS.game.json" ] && [ ! -p "$E2E_SETTINGS.game.json" ] || fail "no journal in place of the pipe"
ls "$E2E_SETTINGS".game.json.previous-* >/dev/null 2>&1 || fail "the pipe was not set aside"
close_window "$board"
wait_end "$E2E_APP_PID"

E2E_SETTINGS="$E2E_TMP/own/link.ini"
printf 'private\n' >"$E2E_TMP/theirs.txt"
chmod 600 "$E2E_TMP/theirs.txt"
ln -s "$E2E_TMP/theirs.txt" "$E2E_SETTINGS.game.json"
# Made after the link, so the program finds the link when it starts and again at every write.
open_board --new-game
focus_window "$board"
keys Tab 6 Return
sleep 1
[ "$(cat "$E2E_TMP/theirs.txt")" = "private" ] || fail "the file behind the link was overwritten"
close_window "$board"
wait_end "$E2E_APP_PID"
echo "PASS"
