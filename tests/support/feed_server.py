#!/usr/bin/env python3
"""A loopback HTTP server for the feed fetching tests, with the faults real servers show.

Usage: feed_server.py FOLDER [CERT_PEM KEY_PEM]

Prints "PORT n" (and "TLSPORT m" when a certificate is given: the same paths over
https), then "GET /path" for every request. Paths:

  /<file>              a file of FOLDER
  /status/<code>       an empty answer with that status
  /redirect/<path>     301 to http://localhost:PORT/<path> (another address of this server)
  /to-tls/<path>       301 to https://127.0.0.1:TLSPORT/<path>
  /to-plain/<path>     301 to http://127.0.0.1:PORT/<path> (from https, a downgrade)
  /loop                302 to itself, for ever
  /stall               announces 1000 bytes, sends 10 and then nothing
  /endless             a body that never ends, sent as fast as it can
  /big                 announces 21 MB and sends them
  /silent              accepts the request and never answers
  /cookie/set          sets the cookie "ticker=kept"
  /echo                answers with the request's User-Agent, Accept and Cookie headers
  /generated/<n>.xml   an RSS feed of <n> items (n up to 100000)
"""
import http.server
import ssl
import sys
import threading
from functools import partial

from request_log import report

TLS_PORT = [0]
PLAIN_PORT = [0]


def generated_feed(count):
    items = "".join(
        "<item><title>Generated headline %d about something</title>"
        "<link>http://127.0.0.1/item/%d</link>"
        "<description>Text of item %d, long enough to look like a real summary of "
        "a story.</description></item>\n" % (i + 1, i + 1, i + 1)
        for i in range(count))
    return ("<?xml version='1.0'?><rss version='2.0'><channel><title>Generated</title>"
            "<description>Generated feed</description>%s</channel></rss>" % items).encode()


class FeedHandler(http.server.SimpleHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def send_plain(self, code, body=b"", headers=()):
        self.send_response(code)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        report("GET " + self.path)
        path = self.path
        port = self.server.server_address[1]
        if path.startswith("/status/"):
            self.send_plain(int(path[len("/status/"):]), b"error page")
        elif path.startswith("/redirect/"):
            target = "http://localhost:%d/%s" % (port, path[len("/redirect/"):])
            self.send_plain(301, headers=[("Location", target)])
        elif path.startswith("/to-tls/"):
            target = "https://127.0.0.1:%d/%s" % (TLS_PORT[0], path[len("/to-tls/"):])
            self.send_plain(301, headers=[("Location", target)])
        elif path.startswith("/to-plain/"):
            target = "http://127.0.0.1:%d/%s" % (PLAIN_PORT[0], path[len("/to-plain/"):])
            self.send_plain(301, headers=[("Location", target)])
        elif path == "/loop":
            self.send_plain(302, headers=[("Location", "/loop")])
        elif path == "/stall":
            self.send_response(200)
            self.send_header("Content-Length", "1000")
            self.end_headers()
            self.wfile.write(b"<rss><chan")
            self.wfile.flush()
            threading.Event().wait()
        elif path == "/endless":
            self.send_response(200)
            self.send_header("Transfer-Encoding", "chunked")
            self.end_headers()
            chunk = b"<item><title>again</title></item>" * 1000
            framed = b"%x\r\n%s\r\n" % (len(chunk), chunk)
            try:
                while True:
                    self.wfile.write(framed)
            except OSError:
                pass
        elif path == "/big":
            size = 21 * 1024 * 1024
            self.send_response(200)
            self.send_header("Content-Length", str(size))
            self.end_headers()
            try:
                self.wfile.write(b" " * size)
            except OSError:
                pass
        elif path == "/silent":
            threading.Event().wait()
        elif path == "/cookie/set":
            self.send_plain(200, b"set", [("Set-Cookie", "ticker=kept; Path=/")])
        elif path == "/echo":
            body = "UA=%s\nAccept=%s\nCookie=%s\n" % (
                self.headers.get("User-Agent"), self.headers.get("Accept"),
                self.headers.get("Cookie"))
            self.send_plain(200, body.encode())
        elif path.startswith("/generated/"):
            count = min(int(path[len("/generated/"):].split(".")[0]), 100000)
            self.send_plain(200, generated_feed(count), [("Content-Type", "application/rss+xml")])
        else:
            super().do_GET()

    def log_message(self, format, *args):
        pass


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True


def main():
    handler = partial(FeedHandler, directory=sys.argv[1])
    server = Server(("127.0.0.1", 0), handler)
    PLAIN_PORT[0] = server.server_address[1]
    if len(sys.argv) >= 4:
        tls = Server(("127.0.0.1", 0), handler)
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(sys.argv[2], sys.argv[3])
        tls.socket = context.wrap_socket(tls.socket, server_side=True)
        TLS_PORT[0] = tls.server_address[1]
        threading.Thread(target=tls.serve_forever, daemon=True).start()
    print("PORT %d" % server.server_address[1], flush=True)
    if TLS_PORT[0]:
        print("TLSPORT %d" % TLS_PORT[0], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
