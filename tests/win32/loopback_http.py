#!/usr/bin/env python3
"""Runs a command beside an HTTP server on 127.0.0.1, whose port is in DORVEX_HTTP_PORT, and ends
with the command's status. DORVEX_CLOSED_PORT names a port where nothing listens."""
import http.server
import os
import socket
import subprocess
import sys
import threading

BIG = 1 << 20


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        port = self.server.server_address[1]
        answers = {
            "/text": (200, b"hello", None),
            "/limit": (200, b"x" * BIG, None),
            "/over": (200, b"x" * (BIG + 1), None),
            "/same": (302, b"", "/text"),
            "/relative": (307, b"", "text"),
            "/off": (302, b"", "http://localhost:%d/text" % port),
        }
        status, body, location = answers.get(self.path, (404, b"gone", None))
        self.send_response(status)
        if location:
            self.send_header("Location", location)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def closed_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
threading.Thread(target=server.serve_forever, daemon=True).start()
env = dict(os.environ, DORVEX_HTTP_PORT=str(server.server_address[1]),
           DORVEX_CLOSED_PORT=str(closed_port()))
try:
    status = subprocess.run(sys.argv[1:], env=env, timeout=300).returncode
finally:
    server.shutdown()
sys.exit(status)
