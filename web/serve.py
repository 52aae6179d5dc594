#!/usr/bin/env python3
"""Serves the built playground on 127.0.0.1 for a local browser.

The page shares memory with its interpreter's worker, which browsers allow
only to pages isolated from other origins: every response carries the
COOP/COEP headers that ask for that. Usage: serve.py [PORT [FOLDER]]
(PORT default 8000, 0 picks a free port; the URL is the first line printed;
FOLDER default build-web/playground, where the build puts the page).
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
    repository = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folder = sys.argv[2] if len(sys.argv) > 2 else os.path.join(repository, "build-web", "playground")
    if not os.path.isfile(os.path.join(folder, "index.html")):
        sys.exit(f"{folder} holds no playground: build it first "
                 "(emcmake cmake -S . -B build-web -G Ninja && ninja -C build-web)")
    handler = functools.partial(IsolatedHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
    print(f"http://127.0.0.1:{server.server_address[1]}/", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
