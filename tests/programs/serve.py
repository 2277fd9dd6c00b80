#!/usr/bin/env python3
"""A quiet HTTP server for the tests: serves one folder on 127.0.0.1 only.

    serve.py ROOT [--port N] [--port-file FILE] [--parent PID]

With --port 0 (the default) the system picks a free port; --port-file receives the port actually
bound, once the server is listening. The server ends by itself when the process PID (by default
the one that started it) goes away, so a killed test run leaves nothing behind.

GET /trickle/ answers a slow server's way: the whole answer one byte every 0.2 s, about 20 s in all
(so a client without a deadline still ends, late).
"""
import argparse
import functools
import http.server
import os
import sys
import threading
import time


TRICKLE_BODY = b"QLN_VER 9.9.9" + b"." * 47


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, format, *args):  # noqa: A002 - the base class's name
        pass

    def do_GET(self):
        if not self.path.startswith("/trickle/"):
            return super().do_GET()
        answer = b"HTTP/1.0 200 OK\r\nContent-Length: %d\r\n\r\n" % len(TRICKLE_BODY) + TRICKLE_BODY
        for i in range(len(answer)):
            self.wfile.write(answer[i:i + 1])
            self.wfile.flush()
            time.sleep(0.2)
        self.close_connection = True


class QuietServer(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # a client that hangs up early is not our concern


def alive(pid):
    try:
        os.kill(pid, 0)
    except ProcessLookupError:
        return False
    except PermissionError:
        pass
    return True


def watch_parent(server, parent):
    while alive(parent):
        time.sleep(1)
    server.shutdown()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("root")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--port-file")
    parser.add_argument("--parent", type=int, default=os.getppid())
    args = parser.parse_args()

    handler = functools.partial(QuietHandler, directory=os.path.abspath(args.root))
    server = QuietServer(("127.0.0.1", args.port), handler)
    port = server.server_address[1]
    if args.port_file:
        temporary = args.port_file + ".tmp"
        with open(temporary, "w") as f:
            f.write(f"{port}\n")
        os.replace(temporary, args.port_file)  # readers never see a half-written port
    threading.Thread(target=watch_parent, args=(server, args.parent), daemon=True).start()
    try:
        server.serve_forever()
    finally:
        server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
