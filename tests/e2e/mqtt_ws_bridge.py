# A WebSocket listener (binary frames, subprotocol "mqtt") in front of a broker's TCP port, so that a browser can
# reach a broker that offers no WebSocket listener of its own. Test use only: one connection a page, no TLS.
# It also serves one page (GET /page?...) whose last bytes it holds back for a few seconds, so that a headless
# browser dumping the page once it has loaded sees what the page's script received meanwhile.
#   mqtt_ws_bridge.py WS_PORT BROKER_PORT [PAGE_FILE]
import asyncio, base64, hashlib, struct, sys

GUID = b"258EAFA5-E914-47DA-95CA-C5AB0DC85B11"

async def serve_page(writer, page):
    writer.write(b"HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nConnection: close\r\n\r\n")
    writer.write(open(page, "rb").read())
    await writer.drain()
    await asyncio.sleep(4)
    writer.write(b"\n<!-- end -->\n")
    await writer.drain()
    writer.close()

async def handle(reader, writer, broker_port, page):
    try:
        head = await reader.readuntil(b"\r\n\r\n")
    except asyncio.IncompleteReadError:
        writer.close()  # a look whether the port is open
        return
    if head.startswith(b"GET /page") and page:
        await serve_page(writer, page)
        return
    key = b""
    for line in head.split(b"\r\n"):
        if line.lower().startswith(b"sec-websocket-key:"):
            key = line.split(b":", 1)[1].strip()
    accept = base64.b64encode(hashlib.sha1(key + GUID).digest())
    writer.write(b"HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                 b"Sec-WebSocket-Accept: " + accept + b"\r\nSec-WebSocket-Protocol: mqtt\r\n\r\n")
    br, bw = await asyncio.open_connection("127.0.0.1", broker_port)

    async def from_browser():
        while True:
            b0, b1 = await reader.readexactly(2)
            n = b1 & 127
            if n == 126:
                n = struct.unpack(">H", await reader.readexactly(2))[0]
            elif n == 127:
                n = struct.unpack(">Q", await reader.readexactly(8))[0]
            mask = await reader.readexactly(4) if b1 & 128 else b"\0\0\0\0"
            data = bytes(c ^ mask[i % 4] for i, c in enumerate(await reader.readexactly(n)))
            if b0 & 15 == 8:
                break
            bw.write(data)
            await bw.drain()

    async def to_browser():
        while True:
            data = await br.read(65536)
            if not data:
                break
            n = len(data)
            head = bytes([0x82, n]) if n < 126 else (bytes([0x82, 126]) + struct.pack(">H", n) if n < 65536
                                                   else bytes([0x82, 127]) + struct.pack(">Q", n))
            writer.write(head + data)
            await writer.drain()

    try:
        await asyncio.gather(from_browser(), to_browser())
    except Exception:
        pass
    writer.close()
    bw.close()

async def main(port, broker_port, page):
    server = await asyncio.start_server(lambda r, w: handle(r, w, broker_port, page), "127.0.0.1", port)
    async with server:
        await server.serve_forever()

asyncio.run(main(int(sys.argv[1]), int(sys.argv[2]), sys.argv[3] if len(sys.argv) > 3 else ""))
