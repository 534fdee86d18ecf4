#!/usr/bin/env python3
"""Serves the files of a folder on a free loopback port and prints every request.

The first line of output is "PORT n"; then one line "GET /path" per request, so a
test can follow what the pages it serves ask for. Nothing is cached by the browser, but
for "/cacheable/<file>": <file>, which the browser may keep for an hour.
"""
import http.server
import os
import sys
import threading
from functools import partial

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from request_log import report  # noqa: E402


class RecordingHandler(http.server.SimpleHTTPRequestHandler):
    def do_GET(self):
        self.requested = self.path
        self.cacheable = self.path.startswith("/cacheable/")
        if self.cacheable:
            self.path = self.path[len("/cacheable"):]
        # "/hang..." never answers: a page that never finishes loading.
        if self.path.startswith("/hang"):
            report("GET " + self.path)
            threading.Event().wait()
        if self.path.startswith("/download-"):
            self.send_download()
            return
        super().do_GET()

    def send_download(self):
        """Answers what a browser would save rather than show: "/download-attachment..."
        as an attachment, any other "/download-..." as bytes of no showable type."""
        body = b"\0saved by a page\n" * 64
        self.send_response(200)
        if self.path.startswith("/download-attachment"):
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Disposition", 'attachment; filename="dropped.bin"')
        else:
            self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def end_headers(self):
        cacheable = getattr(self, "cacheable", False)
        self.send_header("Cache-Control", "max-age=3600" if cacheable else "no-store")
        super().end_headers()

    def log_request(self, code="-", size="-"):
        report("GET " + getattr(self, "requested", self.path))

    def log_message(self, format, *args):
        pass


def main():
    handler = partial(RecordingHandler, directory=sys.argv[1])
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    report("PORT %d" % server.server_address[1])
    server.serve_forever()


if __name__ == "__main__":
    main()
