#!/usr/bin/env python3
"""Runs a command beside an HTTP server on 127.0.0.1, whose port is in DORVEX_HTTP_PORT, and ends
with the command's status. DORVEX_CLOSED_PORT names a port where nothing listens; an endless
answer stops after DORVEX_ENDLESS_CAP bytes if its client never goes."""
import http.server
import os
import socket
import subprocess
import sys
import threading

BIG = 1 << 20
# An endless answer stops here if its client never goes.
ENDLESS_CAP = 64 << 20


class Handler(http.server.BaseHTTPRequestHandler):
    def setup(self):
        super().setup()
        self.server.count_connection(+1)

    def finish(self):
        super().finish()
        self.server.count_connection(-1)

    def do_GET(self):
        special = {"/endless": self.endless, "/silent": self.silent,
                   "/open": self.open_connections, "/sent": self.endless_sent,
                   "/silenced": self.silenced}
        if self.path in special:
            special[self.path]()
            return
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

    def answer(self, body):
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    # The connections open now, besides the one that asks.
    def open_connections(self):
        self.answer(b"%d" % (self.server.open_connections - 1))

    # The bytes the last endless answer sent before its client closed the connection.
    def endless_sent(self):
        self.answer(b"%d" % self.server.endless_sent)

    # The requests that got no answer so far.
    def silenced(self):
        self.answer(b"%d" % self.server.silenced)

    # Chunks without end, as fast as the client takes them.
    def endless(self):
        piece = b"1000\r\n" + b"x" * 0x1000 + b"\r\n"
        sent = 0
        self.connection.settimeout(60)
        try:
            self.wfile.write(b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n")
            while sent < ENDLESS_CAP:
                self.wfile.write(piece)
                sent += len(piece)
        except OSError:
            pass
        self.server.endless_sent = sent
        self.close_connection = True

    # Reads nothing more and answers nothing: waits for the client to close, at most a minute.
    def silent(self):
        self.server.count_silenced()
        self.connection.settimeout(60)
        try:
            while self.connection.recv(4096):
                pass
        except OSError:
            pass
        self.close_connection = True

    def log_message(self, *args):
        pass


class Server(http.server.ThreadingHTTPServer):
    open_connections = 0
    endless_sent = 0
    silenced = 0
    lock = threading.Lock()

    def count_connection(self, change):
        with self.lock:
            self.open_connections += change

    def count_silenced(self):
        with self.lock:
            self.silenced += 1


def closed_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


server = Server(("127.0.0.1", 0), Handler)
threading.Thread(target=server.serve_forever, daemon=True).start()
env = dict(os.environ, DORVEX_HTTP_PORT=str(server.server_address[1]),
           DORVEX_CLOSED_PORT=str(closed_port()), DORVEX_ENDLESS_CAP=str(ENDLESS_CAP))
try:
    status = subprocess.run(sys.argv[1:], env=env, timeout=300).returncode
finally:
    server.shutdown()
    server.server_close()
sys.exit(status)
