#!/usr/bin/env python3
"""Serves the files of a folder over HTTPS on a free loopback port, with a certificate
that no one trusts (made here with openssl, self-signed): every client must refuse it.

The first line of output is "PORT n".
"""
import http.server
import os
import ssl
import subprocess
import sys
import tempfile
from functools import partial


def main():
    with tempfile.TemporaryDirectory() as keys:
        cert, key = os.path.join(keys, "cert.pem"), os.path.join(keys, "key.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1",
                        "-subj", "/CN=127.0.0.1", "-keyout", key, "-out", cert],
                       check=True, capture_output=True)
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(cert, key)
        handler = partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[1])
        server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        server.socket = context.wrap_socket(server.socket, server_side=True)
        print("PORT %d" % server.server_address[1], flush=True)
        server.serve_forever()


if __name__ == "__main__":
    main()
