#!/usr/bin/env python3
"""Serves the playground (this folder) on 127.0.0.1 for a local browser.

The page shares memory with its interpreter's worker, which browsers allow
only to pages isolated from other origins: every response carries the
COOP/COEP headers that ask for that. Usage: serve.py [PORT] (default 8000;
0 picks a free port, printed on the first line).
"""
import functools
import http.server
import os
import sys


class IsolatedHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".js": "text/javascript",
        ".wasm": "application/wasm",
    }

    def end_headers(self):
        self.send_header("Cross-Origin-Opener-Policy", "same-origin")
        self.send_header("Cross-Origin-Embedder-Policy", "require-corp")
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def log_message(self, format, *args):
        pass


def main():
    port = int(sys.argv[1]) if len(sys.argv) > 1 else 8000
    folder = os.path.dirname(os.path.abspath(__file__))
    handler = functools.partial(IsolatedHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
    print(f"http://127.0.0.1:{server.server_address[1]}/", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
