#!/usr/bin/env python3
"""Measures how long ZUNTA_Run takes from its start to the test client's process start,
beyond its fixed pauses (the 300 ms fade and the 500 ms Timer1), on a loopback server.

Usage: bench/launcher_start_time.py [--build build/la] [--runs 20]

Each run starts the built ZUNTA_Run with a zurun: link in a temporary HOME (offscreen Qt),
ZUNTA_SERVER_URL pointing at a server on 127.0.0.1 that answers with the package fixture,
and the stand-in test client in the install folder; the stand-in records the moment it
started. Printed: the overhead per run and its median, in milliseconds.
"""
import argparse
import http.server
import os
import pathlib
import shutil
import statistics
import subprocess
import tempfile
import threading
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
FIXED_MS = 300 + 500  # fade-in and Timer1
REPLY = (ROOT / "tests/data/package_basic/reply_cp949.txt").read_bytes()


class PackageHandler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def do_GET(self):
        self.send_response(200)
        self.send_header("Content-Length", str(len(REPLY)))
        self.end_headers()
        self.wfile.write(REPLY)

    def log_message(self, *args):
        pass


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=str(ROOT / "build/la"))
    parser.add_argument("--runs", type=int, default=20)
    args = parser.parse_args()
    build = pathlib.Path(args.build)
    launcher = build / "launcher/ZUNTA_Run"
    standin = build / "tests/unit/launcher/zunta_test_client_standin"

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), PackageHandler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    overheads = []
    with tempfile.TemporaryDirectory() as home:
        install = pathlib.Path(home) / "Documents/ZUNTA"
        install.mkdir(parents=True)
        client = install / "ZUNTA_Test"
        shutil.copy(standin, client)
        runtime = pathlib.Path(home) / "run"
        runtime.mkdir(mode=0o700)
        env = {
            "HOME": home,
            "XDG_RUNTIME_DIR": str(runtime),
            "PATH": "/usr/bin:/bin",
            "QT_QPA_PLATFORM": "offscreen",
            "ZUNTA_SERVER_URL": f"http://127.0.0.1:{server.server_address[1]}",
        }
        for _ in range(args.runs):
            record = pathlib.Path(str(client) + ".record")
            record.unlink(missing_ok=True)
            start = time.time_ns()
            subprocess.run([str(launcher), "zurun:UID=s1&CHK=c&IDKEY=1203&SNO=77"], env=env,
                           check=True, timeout=60, stderr=subprocess.DEVNULL)
            client_start = int(record.read_bytes().split(b"\n", 1)[0])
            overheads.append((client_start - start) / 1e6 - FIXED_MS)
    server.shutdown()
    print("overhead beyond the fixed 800 ms, per run (ms):",
          " ".join(f"{x:.1f}" for x in overheads))
    print(f"median {statistics.median(overheads):.1f} ms, min {min(overheads):.1f} ms, "
          f"max {max(overheads):.1f} ms over {len(overheads)} runs")


if __name__ == "__main__":
    main()
