#!/usr/bin/env bash
# Garbage at the feed of the real program while the game clock runs: random bytes, malformed and oversized
# requests, requests that never finish, connections that say nothing, a connection flood, abusive and silent
# WebSocket clients, paths that try to leave the fixed resources. Afterwards the board is still running and
# the feed still answers, and every abusive connection has been closed by the feed.
source "$E2E_LIB"
command -v python3 >/dev/null || fail "python3 missing (tools/dev.sh installs it)"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
start_xvfb 1024x768
start_rinkmaster --feed "$port"
splash=$(wait_window '^Rinkmaster$')
click_in "$splash" 200 30
board=$(wait_window '^Rinkmaster - ')
focus_window "$board"
keys s # the game clock runs through all of it

python3 - "$port" "$E2E_APP_PID" <<'PY' || fail "the feed did not stand up to garbage"
import base64, json, os, random, select, socket, struct, sys, time, urllib.request

port, app_pid = int(sys.argv[1]), int(sys.argv[2])
random.seed(20240607)
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)


def connect():
    s = socket.create_connection(("127.0.0.1", port), timeout=5)
    s.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
    return s


def closed_by_server(s, within):
    """Reads (and throws away) until the server closes; True if it does so within `within` seconds."""
    s.settimeout(0.2)
    end = time.time() + within
    while time.time() < end:
        try:
            if s.recv(65536) == b"":
                return True
        except socket.timeout:
            continue
        except OSError:
            return True
    return False


def state():
    with urllib.request.urlopen("http://127.0.0.1:%d/state" % port, timeout=5) as r:
        return r.status, r.headers.get("Content-Type"), json.loads(r.read())


def raw(request, wait=3):
    """Sends bytes and answers everything the server writes back until it closes or goes quiet."""
    s = connect()
    try:
        s.sendall(request)
    except OSError:
        pass
    s.settimeout(wait)
    out = b""
    try:
        while True:
            d = s.recv(65536)
            if not d:
                break
            out += d
            if b"\r\n\r\n" in out and len(out) > 12:
                s.settimeout(0.3)
    except OSError:
        pass
    s.close()
    return out


def ws_handshake(path):
    s = connect()
    key = base64.b64encode(os.urandom(16)).decode()
    s.sendall(("GET %s HTTP/1.1\r\nHost: 127.0.0.1:%d\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
               "Sec-WebSocket-Key: %s\r\nSec-WebSocket-Version: 13\r\n\r\n" % (path, port, key)).encode())
    s.settimeout(5)
    head = b""
    while b"\r\n\r\n" not in head:
        d = s.recv(1)
        if not d:
            break
        head += d
    return s, head


def client_frame(payload, opcode=1):
    mask = os.urandom(4)
    n = len(payload)
    if n < 126:
        header = struct.pack("!BB", 0x80 | opcode, 0x80 | n)
    elif n < 65536:
        header = struct.pack("!BBH", 0x80 | opcode, 0x80 | 126, n)
    else:
        header = struct.pack("!BBQ", 0x80 | opcode, 0x80 | 127, n)
    return header + mask + bytes(b ^ mask[i % 4] for i, b in enumerate(payload))


status, ctype, before = state()
check(status == 200 and ctype == "application/json" and before["clock"]["running"], "the feed answers before")

# Slow attacks first, checked at the end: a request that never finishes, a connection that says nothing,
# and a live client that stops reading.
t0 = time.time()
trickle = [connect() for _ in range(20)]
for s in trickle:
    s.sendall(b"GET /state HTTP/1.1\r\nHost: x\r\n")
silent = [connect() for _ in range(20)]
sleeper, head = ws_handshake("/live")
check(head.startswith(b"HTTP/1.1 101"), "a live client is accepted")

# Random bytes, with and without a line end.
for i in range(200):
    blob = os.urandom(random.randint(1, 4096))
    if i % 2:
        blob += b"\r\n\r\n"
    s = connect()
    try:
        s.sendall(blob)
    except OSError:
        pass
    s.close()
check(state()[0] == 200, "the feed answers after 200 connections of random bytes")

# Malformed requests get an HTTP answer or a closed connection, and leave the feed as it was.
for request in [b"GET\r\n\r\n", b"GET / HTTP/9.9\r\n\r\n", b"\x00\x00\x00\x00\r\n\r\n",
                b"GET /state HTTP/1.1\r\nno colon here\r\n\r\n", b"BREW /state HTTP/1.1\r\nHost: x\r\n\r\n",
                b"GET /state HTTP/1.1\r\nHost: x\r\nContent-Length: -5\r\n\r\n",
                b"GET /state HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n"]:
    answer = raw(request)
    check(answer == b"" or answer.startswith(b"HTTP/1.1 "), "malformed %r: %r" % (request[:24], answer[:30]))
check(state()[0] == 200, "the feed answers after malformed requests")

# Only the fixed resources: paths that try to reach files are not found.
for path in ["/../../../../etc/passwd", "/%2e%2e/%2e%2e/etc/passwd", "/overlay.js/../../etc/passwd",
             "//etc/passwd", "/state?file=/etc/passwd", "/feed/overlay.html", "/:/feed/overlay.html",
             "/qrc:/feed/overlay.js", "/\\..\\..\\etc\\passwd", "/" + "a" * 8000]:
    answer = raw(("GET %s HTTP/1.1\r\nHost: x\r\n\r\n" % path).encode())
    first = answer.split(b"\r\n", 1)[0]
    leaked = b"root:" in answer
    ok = not leaked and (first.startswith(b"HTTP/1.1 404") or first.startswith(b"HTTP/1.1 400") or answer == b"" or
                         (path.startswith("/state?") and first.startswith(b"HTTP/1.1 200")))
    check(ok, "%s answers %r" % (path[:40], first))

# Only GET.
for method in ["POST", "PUT", "DELETE", "PATCH"]:
    answer = raw(("%s /state HTTP/1.1\r\nHost: x\r\nContent-Length: 4\r\n\r\nstop" % method).encode())
    check(answer.startswith(b"HTTP/1.1 405"), "%s /state is refused" % method)

# Oversized: headers far beyond the limit, a body the feed never asked for.
start = time.time()
answer = raw(b"GET /state HTTP/1.1\r\nHost: x\r\nX-Pad: " + b"a" * (1 << 20) + b"\r\n\r\n", wait=5)
check(b"200 OK" not in answer and time.time() - start < 4, "1 MB of headers is refused at once (%r)" % answer[:40])
answer = raw(b"GET /state HTTP/1.1\r\nHost: x\r\n" + b"X-Many: 1\r\n" * 20000 + b"\r\n", wait=5)
check(b"200 OK" not in answer, "20000 headers are refused")
s = connect()
s.sendall(b"POST /state HTTP/1.1\r\nHost: x\r\nContent-Length: 100000000\r\n\r\n")
sent = 0
try:
    for _ in range(200):
        s.sendall(os.urandom(16384))
        sent += 16384
except OSError:
    pass
check(closed_by_server(s, 12), "a 100 MB body is cut off (sent %d KB)" % (sent // 1024))

# A client that keeps asking and never reads the answers is cut off before the feed holds them all.
s = connect()
s.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)
try:
    s.sendall(b"GET / HTTP/1.1\r\nHost: x\r\n\r\n" * 20000)
except OSError:
    pass
time.sleep(1)
check(closed_by_server(s, 5), "a client that never reads its answers is cut off")

# A flood of connections beyond the limit: the extra ones are closed at once. Once the flood's connections
# have had their moment to ask and said nothing, a real client gets in in place of the oldest.
flood = []
for _ in range(300):
    try:
        flood.append(connect())
    except OSError:
        break
time.sleep(0.5)


def gone(s):
    try:
        return s.recv(1) == b""
    except OSError:
        return True


readable = select.select(flood, [], [], 0.5)[0]
cut = sum(1 for s in readable if gone(s))
check(len(flood) - cut <= 256, "the flood holds no more than the limit (%d of %d closed)" % (cut, len(flood)))
time.sleep(1)
check(state()[0] == 200, "a real client is served while the flood holds its connections")
check(closed_by_server(flood[0], 1), "the flood's oldest idle connection made room")
for s in flood:
    s.close()
time.sleep(0.5)
check(state()[0] == 200, "the feed answers once the flood has gone")

# One local client holding many idle connections (kept alive after an answer, or never used) does not shut
# out a real client.
hogs = []
for i in range(64):
    s = connect()
    if i % 2:
        s.sendall(b"GET /state HTTP/1.1\r\nHost: x\r\n\r\n")
    hogs.append(s)
time.sleep(1.5)
check(all(state()[0] == 200 for _ in range(5)), "idle connections do not shut out a real client")
for s in hogs:
    s.close()

# HEAD answers like GET, without a body; the same connection then answers a GET.
for path in ["/", "/overlay.js", "/overlay.css", "/state"]:
    answer = raw(("HEAD %s HTTP/1.1\r\nHost: x\r\n\r\nGET %s HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n"
                  % (path, path)).encode())
    head, _, rest = answer.partition(b"\r\n\r\n")
    get_head, _, body = rest.partition(b"\r\n\r\n")
    length = [l for l in head.split(b"\r\n") if l.lower().startswith(b"content-length:")]
    check(head.startswith(b"HTTP/1.1 200") and get_head.startswith(b"HTTP/1.1 200") and length and
          int(length[0].split(b":")[1]) == len(body), "HEAD %s answers like GET without a body" % path)

# WebSocket abuse: a wrong path, an oversized message, garbage frames.
s, head = ws_handshake("/state")
check(closed_by_server(s, 3), "a WebSocket on another path is closed")
s, head = ws_handshake("/live")
try:
    s.sendall(client_frame(os.urandom(1 << 20)))
except OSError:
    pass
check(closed_by_server(s, 5), "a 1 MB message on the live socket closes it")
s, head = ws_handshake("/live")
try:
    s.sendall(os.urandom(8192))
except OSError:
    pass
check(closed_by_server(s, 5), "garbage frames on the live socket close it")
s, head = ws_handshake("/live")
try:
    s.sendall(b"".join(client_frame(b"x") for _ in range(20000)))
except OSError:
    pass
check(closed_by_server(s, 5), "a flood of frames on the live socket closes it")
s, head = ws_handshake("/live")
s.sendall(client_frame(b'{"home":{"score":{"text":"99"}}}'))
time.sleep(0.3)
check(state()[2]["home"]["score"]["text"] == before["home"]["score"]["text"], "a message to the live socket changes nothing")
s.close()

# The slow attacks: closed by the feed's deadlines, none of them waits for ever.
time.sleep(max(0, t0 + 12 - time.time()))
check(all(closed_by_server(s, 1) for s in trickle), "requests that never finish are closed")
check(all(closed_by_server(s, 1) for s in silent), "connections that say nothing are closed")
time.sleep(max(0, t0 + 21 - time.time()))
check(closed_by_server(sleeper, 2), "a live client that stops reading is dropped")

# Afterwards: the board still runs and the feed still answers, live clients included.
status, ctype, after = state()
check(status == 200 and after["clock"]["running"], "the feed answers and the clock runs")
check(after["clock"]["remaining"] < before["clock"]["remaining"] - 15, "the game clock kept counting (%s -> %s)" % (
    before["clock"]["remaining"], after["clock"]["remaining"]))
s, head = ws_handshake("/live")
s.settimeout(3)
first = s.recv(2)
check(head.startswith(b"HTTP/1.1 101") and first[:1] == b"\x81", "a new live client gets the state")
rss_kb = int([l for l in open("/proc/%d/status" % app_pid) if l.startswith("VmRSS")][0].split()[1])
check(rss_kb < 400 * 1024, "the program holds %d MB" % (rss_kb // 1024))
sys.exit(1 if failures else 0)
PY
kill -0 "$E2E_APP_PID" 2>/dev/null || fail "the program is gone"
xdotool search --onlyvisible --name '^Rinkmaster - ' >/dev/null || fail "the board window is gone"
echo PASS
