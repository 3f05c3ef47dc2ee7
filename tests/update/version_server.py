#!/usr/bin/env python3
"""The product web server of the version-check tests, on 127.0.0.1 only.

    version_server.py PORT

/<case>/download/kelvorestart/version.txt answers versionfiles/<case>.txt; the case "silent"
accepts and never answers (until the client gives up), "huge" answers 10 MB; any other path
is 404. /count/<case> tells
how often a case was asked, /quit ends the server. Without requests for two minutes, or after
fifteen minutes in all, it ends by itself, so a test that died leaves nothing behind."""
import os
import select
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

FILES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "versionfiles")
VERSION_PATH = "/download/kelvorestart/version.txt"
HUGE_BYTES = 10 * 1024 * 1024
IDLE_SECONDS, LIFE_SECONDS = 120, 900

counts = {}
lock = threading.Lock()
last_request = time.monotonic()
released = threading.Event()  # lets the silent answers go when the server ends


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def answer(self, code, body):
        self.send_response(code)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        global last_request
        last_request = time.monotonic()
        if self.path == "/quit":
            self.answer(200, b"bye")
            released.set()
            threading.Thread(target=self.server.shutdown).start()
            return
        if self.path.startswith("/count/"):
            with lock:
                self.answer(200, str(counts.get(self.path[len("/count/"):], 0)).encode())
            return
        case, _, rest = self.path[1:].partition("/")
        with lock:
            counts[case] = counts.get(case, 0) + 1
        if "/" + rest != VERSION_PATH:
            self.answer(404, b"Not found")
        elif case == "silent":
            self.wait_for_close()
        elif case == "huge":
            self.huge()
        else:
            path = os.path.join(FILES, case + ".txt")
            if os.path.isfile(path):
                with open(path, "rb") as f:
                    self.answer(200, f.read())
            else:
                self.answer(404, b"Not found")

    def wait_for_close(self):
        while not released.is_set():
            readable, _, _ = select.select([self.connection], [], [], 0.05)
            if readable:
                try:
                    data = self.connection.recv(1024)
                except OSError:
                    data = b""
                if not data:
                    break
        self.close_connection = True

    def huge(self):
        # Starts like a version file, so only its size can tell it is none.
        with open(os.path.join(FILES, "newer.txt"), "rb") as f:
            head = f.read()
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(HUGE_BYTES))
        self.end_headers()
        chunk = b"x" * 65536
        try:
            self.wfile.write(head)
            sent = len(head)
            while sent < HUGE_BYTES:
                part = chunk[: HUGE_BYTES - sent]
                self.wfile.write(part)
                sent += len(part)
        except OSError:
            pass  # the client stopped reading
        self.close_connection = True


def main():
    server = ThreadingHTTPServer(("127.0.0.1", int(sys.argv[1])), Handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    started = time.monotonic()
    while not released.is_set():
        now = time.monotonic()
        if now - last_request > IDLE_SECONDS or now - started > LIFE_SECONDS:
            released.set()
            server.shutdown()
            break
        released.wait(1)
    server.server_close()


if __name__ == "__main__":
    main()
