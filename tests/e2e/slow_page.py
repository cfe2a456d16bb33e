# Serves one page (GET /page?...) over HTTP and holds its last bytes back for a few seconds, so that a headless
# browser dumping the page once it has loaded sees what the page's script did meanwhile.
#   slow_page.py PORT PAGE_FILE
import asyncio, sys


async def handle(reader, writer, page):
    try:
        head = await reader.readuntil(b"\r\n\r\n")
    except (asyncio.IncompleteReadError, ConnectionError):
        writer.close()  # a look whether the port is open
        return
    if not head.startswith(b"GET /page"):
        writer.write(b"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n")
        writer.close()
        return
    writer.write(b"HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nConnection: close\r\n\r\n")
    writer.write(open(page, "rb").read())
    await writer.drain()
    await asyncio.sleep(4)
    writer.write(b"\n<!-- end -->\n")
    await writer.drain()
    writer.close()


async def main(port, page):
    server = await asyncio.start_server(lambda r, w: handle(r, w, page), "127.0.0.1", port)
    async with server:
        await server.serve_forever()


asyncio.run(main(int(sys.argv[1]), sys.argv[2]))
