#!/usr/bin/env python3
"""Loopback HTTP server for the window and end-to-end tests.

Serves the files of --root and a few special paths that let a test provoke
what a real site does badly:

  /status/<code>[/...]    answers with that HTTP status and a tiny HTML body
  /hang[/...]             accepts the connection and never answers
  (the optional tails let a test use these as a site's base address)
  /slow/<ms>/<path>       waits <ms> milliseconds, then serves /<path>
  /gzip/<path>            serves /<path> gzip-compressed, as a server that
                          compresses what it sends does
  /cached/<s>/<path>      serves /<path> as a page a cache may keep <s> seconds
  /stream/<kind>[/...]    a body that never ends, until the client hangs up:
                          endless (chunked, as fast as it is read), huge
                          (declared 10^10 bytes long, as fast as it is read),
                          drip (chunked, 16 bytes every 100 ms), gzip
                          (Content-Encoding gzip, declared 200 KiB long: zeros,
                          about 1 KiB on the wire for every MiB they inflate to)
  /log                    the paths requested so far, one per line
  /log/ended              "<path> <ms>" for each stream the client ended, with
                          the milliseconds it ran
  /log/clear              empties both lists

When it listens it prints "PORT <n>" on stdout. It ends on SIGTERM, SIGINT,
and with --exit-on-stdin-eof when its stdin closes, so a test that dies
cannot leave it behind.
"""

import argparse
import functools
import gzip
import http.server
import os
import re
import signal
import sys
import threading
import time
import zlib

# A test that forgets to answer must not let a request wait for ever.
MAX_SLOW_MS = 120_000
# Keeps a long soak from growing the request list without limit.
MAX_LOG_ENTRIES = 100_000

STATUS_RE = re.compile(r"^/status/(\d{3})(/.*)?$")
SLOW_RE = re.compile(r"^/slow/(\d+)(.*)$")
CACHED_RE = re.compile(r"^/cached/(\d+)(.*)$")
# A tail of "/" alone is not streamed: a site based there keeps a quiet start page.
STREAM_RE = re.compile(r"^/stream/(endless|huge|drip|gzip)(/[^/].*)?$")
HUGE_LENGTH = 10 ** 10
# Declared, and far below any bound: it is what it inflates to that counts.
GZIP_LENGTH = 200 * 1024


class State:
    def __init__(self):
        self.stopping = threading.Event()
        self.lock = threading.Lock()
        self.log = []
        self.ended = []

    def record(self, path):
        with self.lock:
            if len(self.log) < MAX_LOG_ENTRIES:
                self.log.append(path)

    def record_end(self, path, ms):
        with self.lock:
            if len(self.ended) < MAX_LOG_ENTRIES:
                self.ended.append("%s %d" % (path, ms))

    def snapshot(self):
        with self.lock:
            return list(self.log)

    def ended_snapshot(self):
        with self.lock:
            return list(self.ended)

    def clear(self):
        with self.lock:
            self.log.clear()
            self.ended.clear()


class Handler(http.server.SimpleHTTPRequestHandler):
    # Set explicitly so results do not depend on the host's mime.types.
    # .txt carries no charset: setting.txt is GBK and must reach the
    # program byte for byte, undecorated.
    extensions_map = {
        "": "application/octet-stream",
        ".htm": "text/html",
        ".html": "text/html",
        ".txt": "text/plain",
        ".css": "text/css",
        ".js": "text/javascript",
        ".json": "application/json",
        ".jpg": "image/jpeg",
        ".jpeg": "image/jpeg",
        ".png": "image/png",
        ".gif": "image/gif",
        ".ico": "image/x-icon",
        ".svg": "image/svg+xml",
        ".dat": "application/octet-stream",
    }

    state = None  # set by make_server
    verbose = False

    def log_message(self, fmt, *args):
        if self.verbose:
            super().log_message(fmt, *args)

    # Set for a /cached/ request.
    max_age = None

    def end_headers(self):
        # Every fetch must reach the server, or /log would miss repeats,
        # unless the test asks for a page a cache may keep.
        self.send_header("Cache-Control",
                         "no-store" if self.max_age is None else "max-age=%d" % self.max_age)
        super().end_headers()

    def do_GET(self):
        self.dispatch(head=False)

    def do_HEAD(self):
        self.dispatch(head=True)

    def send_small(self, code, ctype, body, head):
        self.send_response(code)
        self.send_header("Content-Type", ctype)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if not head:
            self.wfile.write(body)

    def dispatch(self, head):
        self.max_age = None
        path = self.path.split("?", 1)[0].split("#", 1)[0]
        if path == "/log/clear":
            self.state.clear()
            self.send_small(200, "text/plain", b"", head)
            return
        if path == "/log/ended":
            lines = "".join(p + "\n" for p in self.state.ended_snapshot())
            self.send_small(200, "text/plain", lines.encode("utf-8"), head)
            return
        if path == "/log":
            lines = "".join(p + "\n" for p in self.state.snapshot())
            self.send_small(200, "text/plain", lines.encode("utf-8"), head)
            return

        self.state.record(self.path)

        if path == "/hang" or path.startswith("/hang/"):
            # Held open until the server ends; the daemon thread dies with it.
            self.close_connection = True
            self.state.stopping.wait()
            return

        m = STREAM_RE.match(path)
        if m and not head:
            self.stream(m.group(1), path)
            return

        m = STATUS_RE.match(path)
        if m:
            code = int(m.group(1))
            if not 200 <= code <= 599:
                self.send_small(400, "text/html", b"<html><body>bad status</body></html>", head)
                return
            body = b"" if code in (204, 304) else (
                "<html><body><h1>%d</h1></body></html>" % code).encode("ascii")
            self.send_small(code, "text/html", body, head)
            return

        if path.startswith("/gzip/") and not head:
            file = self.translate_path(path[len("/gzip"):])
            if os.path.isfile(file):
                with open(file, "rb") as f:
                    body = gzip.compress(f.read())
                self.send_response(200)
                self.send_header("Content-Type", self.guess_type(file))
                self.send_header("Content-Encoding", "gzip")
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)
                return
        m = CACHED_RE.match(self.path)
        if m:
            self.max_age = int(m.group(1))
            rest = m.group(2)
            self.path = rest if rest.startswith("/") else "/" + rest

        m = SLOW_RE.match(self.path)
        if m:
            ms = min(int(m.group(1)), MAX_SLOW_MS)
            if self.state.stopping.wait(ms / 1000.0):
                return
            rest = m.group(2)
            self.path = rest if rest.startswith("/") else "/" + rest

        if head:
            super().do_HEAD()
        else:
            super().do_GET()

    def stream(self, kind, path):
        started = time.monotonic()
        self.close_connection = True
        # Chunked bodies need HTTP/1.1; the connection still ends with the body.
        self.protocol_version = "HTTP/1.1"
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Connection", "close")
        if kind == "huge":
            self.send_header("Content-Length", str(HUGE_LENGTH))
        elif kind == "gzip":
            self.send_header("Content-Length", str(GZIP_LENGTH))
        else:
            self.send_header("Transfer-Encoding", "chunked")
        if kind == "gzip":
            self.send_header("Content-Encoding", "gzip")
        self.end_headers()
        payload = b"x" * (16 if kind == "drip" else 64 * 1024)
        deflate = zlib.compressobj(9, zlib.DEFLATED, 31) if kind == "gzip" else None
        try:
            while not self.state.stopping.is_set():
                if deflate:
                    payload = deflate.compress(bytes(1 << 20)) + deflate.flush(zlib.Z_SYNC_FLUSH)
                block = payload if kind in ("huge", "gzip") else b"%x\r\n%s\r\n" % (len(payload), payload)
                self.wfile.write(block)
                self.wfile.flush()
                if kind == "drip":
                    self.state.stopping.wait(0.1)
        except OSError:
            pass
        self.state.record_end(path, (time.monotonic() - started) * 1000)


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
    block_on_close = False


def make_server(root, port, verbose=False):
    state = State()
    handler = type("BoundHandler", (Handler,), {"state": state, "verbose": verbose})
    server = Server(("127.0.0.1", port), functools.partial(handler, directory=root))
    server.state = state
    return server


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", required=True, help="folder whose files are served")
    parser.add_argument("--port", type=int, default=0, help="0 picks a free port")
    parser.add_argument("--exit-on-stdin-eof", action="store_true",
                        help="end when standard input is closed")
    parser.add_argument("--verbose", action="store_true", help="log requests to stderr")
    args = parser.parse_args(argv)

    if not os.path.isdir(args.root):
        parser.error("no such folder: %s" % args.root)

    server = make_server(os.path.abspath(args.root), args.port, args.verbose)
    once = threading.Lock()

    def stop():
        # shutdown() waits for serve_forever, so it must run off its thread.
        if once.acquire(blocking=False):
            server.state.stopping.set()
            threading.Thread(target=server.shutdown, daemon=True).start()

    signal.signal(signal.SIGTERM, lambda *_: stop())
    signal.signal(signal.SIGINT, lambda *_: stop())

    if args.exit_on_stdin_eof:
        def watch_stdin():
            try:
                while sys.stdin.buffer.read1(4096):
                    pass
            except (OSError, ValueError):
                pass
            stop()
        threading.Thread(target=watch_stdin, daemon=True).start()

    print("PORT %d" % server.server_address[1], flush=True)
    try:
        server.serve_forever(poll_interval=0.2)
    finally:
        server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
