#!/usr/bin/env bash
# The real program publishing through a real Mosquitto broker on free local ports, watched with the real
# mosquitto_sub: the retained state (the same document as the feed's /state) and "online" for a late subscriber,
# every change and event arriving in order, at most ten states a second while a clock runs, the newest state
# published again after the broker restarts, the last will "offline" after kill -9, and TLS with a CA and server
# certificate made here, with a user name and password from the environment that never show in the output.
# The penalty rules are on: the broker's state carries the official record's strength and penalties as /state
# does, a penalty in the record included.
source "$E2E_LIB"
for tool in mosquitto mosquitto_sub mosquitto_passwd openssl python3 chromium; do
  command -v "$tool" >/dev/null || [ -x "/usr/sbin/$tool" ] || fail "$tool missing (tools/dev.sh installs it)"
done
PATH="$PATH:/usr/sbin"

free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}
port=$(free_port)
mqtt_port=$(free_port)
tls_port=$(free_port)
ws_port=$(free_port)
prefix=venue/rink1
secret='pa ss:w0rd!'

# A CA and a server certificate for 127.0.0.1, made for this run only.
certs="$E2E_TMP/certs"
mkdir -p "$certs"
(
  cd "$certs"
  openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 -subj "/CN=Rinkmaster test CA"
  openssl req -newkey rsa:2048 -nodes -keyout server.key -out server.csr -subj "/CN=127.0.0.1"
  printf 'subjectAltName=IP:127.0.0.1,DNS:localhost\n' >ext.cnf
  openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out server.pem -days 2 -extfile ext.cnf
  openssl req -x509 -newkey rsa:2048 -nodes -keyout other.key -out other.pem -days 2 -subj "/CN=Someone else"
) >"$E2E_TMP/openssl.log" 2>&1 || fail "openssl could not make the test certificates"
touch "$E2E_TMP/passwords"
mosquitto_passwd -b "$E2E_TMP/passwords" scorekeeper "$secret" || fail "mosquitto_passwd failed"
chmod 600 "$E2E_TMP/passwords" "$certs"/*.key

# Run as root (a container), the broker would switch to its own user, who cannot read the test's files.
broker_user=$(id -un)
cat >"$E2E_TMP/mosquitto.conf" <<CONF
user $broker_user
per_listener_settings true
persistence false
log_dest file $E2E_TMP/mosquitto.log
log_type error
log_type warning
log_type notice
listener $mqtt_port 127.0.0.1
allow_anonymous true
listener $tls_port 127.0.0.1
allow_anonymous false
password_file $E2E_TMP/passwords
cafile $certs/ca.pem
certfile $certs/server.pem
keyfile $certs/server.key
listener $ws_port 127.0.0.1
protocol websockets
allow_anonymous true
CONF

wait_port() {
  local i
  for i in $(seq 1 100); do
    python3 -c 'import socket, sys; socket.create_connection(("127.0.0.1", int(sys.argv[1])), 0.2).close()' "$1" \
      2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}
start_broker() {
  mosquitto -c "$E2E_TMP/mosquitto.conf" >>"$E2E_TMP/mosquitto.out" 2>&1 &
  broker_pid=$!
  E2E_PIDS+=("$broker_pid")
  wait_port "$mqtt_port" && wait_port "$tls_port" && wait_port "$ws_port" || fail "mosquitto did not start: $(cat "$E2E_TMP/mosquitto.out")"
}

# One retained message of a topic, as a late subscriber gets it ("" when none within 5 s).
retained() {
  mosquitto_sub -h 127.0.0.1 -p "$mqtt_port" -t "$1" -C 1 -W 5 "${@:2}" 2>/dev/null || true
}
# Waits until the retained message of a topic satisfies a shell test on $m.
wait_retained() {
  local topic=$1 want=$2 i
  for i in $(seq 1 ${3:-40}); do
    m=$(retained "$topic" -W 1)
    eval "$want" && return 0
    sleep 0.5
  done
  return 1
}

# The feed's /state as the broker gets it: the same document less "layout", which names the feed's own
# /board/layout.json and means nothing to a subscriber.
state_doc() {
  fetch | sed -E 's/"layout":[0-9]+,//'
}

start_broker
start_xvfb 1280x1024
printf '[RuleSettings]\nPenaltyRules=Yes\n' >"$E2E_TMP/settings.ini"
# Everything under the prefix, as it arrives.
mosquitto_sub -h 127.0.0.1 -p "$mqtt_port" -q 1 -t "$prefix/#" -F '%t %p' >"$E2E_TMP/all.txt" 2>"$E2E_TMP/sub.log" &
E2E_PIDS+=($!)
sleep 0.3
open_board --mqtt "mqtt://127.0.0.1:$mqtt_port/$prefix"
focus_window "$board"
grep -q "Rinkmaster MQTT: publishing to mqtt://127.0.0.1:$mqtt_port/$prefix" "$E2E_TMP/app.log" ||
  fail "the program did not say where it publishes"
wait_retained "$prefix/status" '[ "$m" = online ]' || fail "no retained online status"
wait_retained "$prefix/state" '[ "$m" = "$(state_doc)" ]' || fail "the retained state is not the feed's /state"
check_state "$m" 's["strength"] == "5-on-5"' 's["penalties"] == {"home": [], "visitor": []}' ||
  fail "the broker's state has no record: $m"

# Home score 1 (a goal), period 2, then two seconds of running clock.
keys Tab 1 Return Tab Tab Tab 2
sleep 0.5
keys s
sleep 2
keys s
sleep 1
stopped=$(state_doc)
[ "$(retained "$prefix/state")" = "$stopped" ] || fail "the retained state is not the board's after the clock stopped"
check_state "$stopped" 's["home"]["score"]["text"] == "1"' 's["period"]["text"] == "2"' 'not s["clock"]["running"]' \
  's["clock"]["remaining"] < 599.0' || fail "the keys did not reach the board"

python3 - "$E2E_TMP/all.txt" "$prefix" <<'PY' || fail "the messages did not arrive in order"
import json, sys
prefix = sys.argv[2]
states, events, status = [], [], []
for line in open(sys.argv[1], encoding="utf-8"):
    topic, _, payload = line.rstrip("\n").partition(" ")
    if topic == prefix + "/state":
        states.append(json.loads(payload))
    elif topic == prefix + "/events":
        events.append(json.loads(payload))
    elif topic == prefix + "/status":
        status.append(payload)
assert status and status[0] == "online", status
# Scores and periods only go forward; the running clock only goes down; no document twice in a row.
scores = [int(s["home"]["score"]["text"] or 0) for s in states]
periods = [int(s["period"]["text"] or 0) for s in states]
remaining = [s["clock"]["remaining"] for s in states if s["clock"]["running"]]
assert scores == sorted(scores) and scores[0] == 0 and scores[-1] == 1, scores
assert periods == sorted(periods) and periods[-1] == 2, periods
assert remaining == sorted(remaining, reverse=True), remaining
assert all(a != b for a, b in zip(states, states[1:])), "the same state twice"
running = [s for s in states if s["clock"]["running"]]
# About two seconds of running clock: at most ten states a second, and the tenths do arrive.
assert 8 <= len(running) <= 25, len(running)
kinds = [e["kind"] for e in events]
assert kinds == ["goal", "period", "clock start", "clock stop"], kinds
goal = events[0]
assert goal["side"] == "home" and goal["home"]["score"] == 1 and goal["home"]["name"] == "Home", goal
assert goal["text"].startswith("Goal Home"), goal
PY

# The results page in a real headless browser, reading the broker's WebSocket listener, shows the rink as the
# board does.
page_port=$(free_port)
python3 "$(dirname "$E2E_LIB")/slow_page.py" "$page_port" "$RINKMASTER_BUILD_DIR/results.html" \
  >"$E2E_TMP/page.log" 2>&1 &
E2E_PIDS+=($!)
wait_port "$page_port" || fail "the page server did not start"
page="http://127.0.0.1:$page_port/page?broker=ws://127.0.0.1:$ws_port&rinks=$prefix,venue/elsewhere"
timeout 60 chromium --headless --no-sandbox --disable-gpu --user-data-dir="$E2E_TMP/chromium" --timeout=20000 \
  --dump-dom "$page" >"$E2E_TMP/results.dom" 2>"$E2E_TMP/chromium.log" || true
python3 - "$E2E_TMP/results.dom" "$prefix" "$stopped" <<'PY' || fail "the results page does not show the rink"
import html.parser, json, sys
state = json.loads(sys.argv[3])
class Cards(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.cards, self.card, self.field = {}, None, None
    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "section" and "data-prefix" in a:
            self.card = self.cards.setdefault(a["data-prefix"], {"class": a.get("class", "")})
        elif self.card is not None and a.get("class"):
            self.field = a["class"].split()[-1]
    def handle_data(self, data):
        if self.card is not None and self.field:
            self.card[self.field] = self.card.get(self.field, "") + data
    def handle_endtag(self, tag):
        self.field = None
p = Cards()
p.feed(open(sys.argv[1], encoding="utf-8").read())
rink, other = p.cards[sys.argv[2]], p.cards["venue/elsewhere"]
want = {"status": "online", "home": state["home"]["name"], "home-score": state["home"]["score"]["text"],
        "visitor-score": state["visitor"]["score"]["text"] or "0", "clock": state["clock"]["text"],
        "period": "Period " + state["period"]["text"]}
bad = {k: (rink.get(k), v) for k, v in want.items() if rink.get(k) != v}
assert not bad, bad
assert other.get("status") == "waiting" and "offline" in other["class"], other
PY

# The broker goes away: the board runs on, the newest state waits and goes out when the broker is back.
kill "$broker_pid"
wait "$broker_pid" 2>/dev/null || true
keys s
sleep 1.5
keys s
sleep 0.5
kill -0 "$E2E_APP_PID" || fail "the program ended when the broker went away"
away=$(state_doc)
[ "$away" != "$stopped" ] || fail "the clock did not run while the broker was away"
start_broker
wait_retained "$prefix/state" '[ "$m" = "$away" ]' 80 || fail "the newest state was not published after the restart"
[ "$(retained "$prefix/status")" = online ] || fail "no online status after the restart"
grep -q "Rinkmaster MQTT: connected to" "$E2E_TMP/app.log" || fail "no connection noted"

# A crash: the broker tells the world with the last will.
kill -9 "$E2E_APP_PID"
wait_retained "$prefix/status" '[ "$m" = offline ]' 20 || fail "no offline last will after kill -9"
wait_end "$E2E_APP_PID"

# The game resumed after the crash goes out as the state; bringing it back is no event of the game. A minor
# to home #12 written into the game's record meanwhile comes back with it.
record=$(ls "$E2E_TMP"/games/*.rinkrecord 2>/dev/null | head -n 1)
[ -n "$record" ] || fail "the game has no record file"
printf '{"seq":1000,"type":"penalty","period":2,"remaining":6000000,"team":"home","player":12,"kind":"minor"}\n' \
  >>"$record"
mosquitto_sub -h 127.0.0.1 -p "$mqtt_port" -q 1 -t "$prefix/events" >"$E2E_TMP/resumed.txt" 2>/dev/null &
E2E_PIDS+=($!)
sleep 0.3
open_board --mqtt "mqtt://127.0.0.1:$mqtt_port/$prefix"
question=$(wait_window '^Rinkmaster$')
focus_window "$question"
keys Return
sleep 0.5
check_state "$(state_doc)" 's["home"]["score"]["text"] == "1"' 's["period"]["text"] == "2"' || fail "the game was not resumed"
wait_retained "$prefix/state" '[ "$m" = "$(state_doc)" ]' || fail "the resumed game was not published"
check_state "$m" 's["strength"] == "4-on-5"' '[p["player"] for p in s["penalties"]["home"]] == [12]' \
  's["penalties"]["home"][0]["state"] == "running"' || fail "the broker's state lacks the record's penalty: $m"
wait_retained "$prefix/status" '[ "$m" = online ]' || fail "no online status after resuming"
sleep 0.5
[ ! -s "$E2E_TMP/resumed.txt" ] || fail "resuming the game was published as events: $(cat "$E2E_TMP/resumed.txt")"
close_window "$board"
wait_end "$E2E_APP_PID"

# TLS with the test CA, a user name and a password from the environment.
tls_prefix=venue/rink2
export RINKMASTER_MQTT_USER=scorekeeper RINKMASTER_MQTT_PASSWORD="$secret"
tls_retained() {
  mosquitto_sub -h 127.0.0.1 -p "$tls_port" --cafile "$certs/ca.pem" -u scorekeeper -P "$secret" -t "$1" -C 1 -W 2 \
    2>/dev/null || true
}
# A broker whose certificate another CA signed is not trusted: told once, nothing published.
start_rinkmaster --new-game --mqtt "mqtts://127.0.0.1:$tls_port/venue/rink3" --mqtt-ca "$certs/other.pem"
splash=$(wait_window '^Rinkmaster$')
click_in "$splash" 200 30
for i in $(seq 1 50); do
  grep -q "cannot reach the MQTT broker at mqtts://127.0.0.1:$tls_port/venue/rink3" "$E2E_TMP/app.log" && break
  sleep 0.2
done
grep -q "cannot reach the MQTT broker at mqtts://127.0.0.1:$tls_port/venue/rink3" "$E2E_TMP/app.log" ||
  fail "an untrusted broker certificate was not told: $(tail -n 5 "$E2E_TMP/app.log")"
[ -z "$(tls_retained venue/rink3/status)" ] || fail "published to a broker whose certificate is not trusted"
kill "$E2E_APP_PID"
wait_end "$E2E_APP_PID"
start_rinkmaster --new-game --mqtt "mqtts://127.0.0.1:$tls_port/$tls_prefix" --mqtt-ca "$certs/ca.pem"
splash=$(wait_window '^Rinkmaster$')
click_in "$splash" 200 30
board=$(wait_window '^Rinkmaster - ')
for i in $(seq 1 30); do
  m=$(tls_retained "$tls_prefix/status")
  [ "$m" = online ] && break
  sleep 0.5
done
[ "$m" = online ] || fail "no online status over TLS: $(tail -n 5 "$E2E_TMP/app.log")"
check_state "$(tls_retained "$tls_prefix/state")" 's["clock"]["text"] == "10:00"' || fail "no state over TLS"
unset RINKMASTER_MQTT_USER RINKMASTER_MQTT_PASSWORD
grep -qF "$secret" "$E2E_TMP/app.log" && fail "the password shows in the program's output"
grep -q "mqtts://127.0.0.1:$tls_port/$tls_prefix" "$E2E_TMP/app.log" || fail "the TLS address is not named"
# An orderly end (the close box) says "offline" itself and leaves the broker properly.
close_window "$board"
wait_end "$E2E_APP_PID"
for i in $(seq 1 20); do
  m=$(tls_retained "$tls_prefix/status")
  [ "$m" = offline ] && break
  sleep 0.25
done
[ "$m" = offline ] || fail "no offline status after an orderly end"
for i in $(seq 1 50); do
  grep -q "Client rinkmaster-$E2E_APP_PID-[0-9a-f]* disconnected\.$" "$E2E_TMP/mosquitto.log" && break
  sleep 0.1
done
grep -q "Client rinkmaster-$E2E_APP_PID-[0-9a-f]* disconnected\.$" "$E2E_TMP/mosquitto.log" ||
  fail "the program did not leave the broker properly: $(tail -n 3 "$E2E_TMP/mosquitto.log")"
echo "PASS"
