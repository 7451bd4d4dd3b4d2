#!/usr/bin/env python3
"""Measured runs of the whole road on loopback: from the start of ZUNTA_Run with a zurun: link
to the test client's window appearing and to question 1 painted, and the peak memory of
ZUNTA_Run and of ZUNTA_Test. A benchmark, not a test: it prints figures and judges none,
but a run whose road does not end in a recorded result stops it.

Usage: bench/road_benchmark.py [--build build/release] [--runs 10]
Build with optimisation first (cmake --preset release && cmake --build --preset release -j2,
then --build build/release). Without DISPLAY the script runs itself again under xvfb-run.

Each run is a fresh machine of tests/e2e/zunta_road.py: the development server on a free port,
HOME and the XDG folders in a temporary folder, the programs installed there. The moments:
  start           this script, just before it starts ZUNTA_Run (time.time_ns, wall clock)
  launcher main   ZUNTA_Run's main() entered                    (trace line of the program)
  client started  ZUNTA_Run starts ZUNTA_Test, package written  (trace line)
  client main     ZUNTA_Test's main() entered                   (trace line)
  window shown    ZUNTA_Test has called show() on its window    (trace line)
  window mapped   the X server maps the test window             (MapNotify seen here)
  question 1      question 1 painted, handed to the X server    (trace line)
The programs write their trace lines to the file named by ZUNTA_TRACE_FILE. Peak memory is the
high-water mark of each program's resident memory (VmHWM in /proc/<pid>/status): ZUNTA_Run's is
read every 20 ms until it ends, ZUNTA_Test's just before the click that ends it, after the whole
sample test was taken (the tests/e2e answers), its study log sent and the result shown. Not the
maximum resident size that wait4 reports: a child started with vfork (Python's subprocess, the
launcher's posix_spawn) has its parent's resident memory counted in it.
"""
import argparse
import ctypes
import os
import pathlib
import shutil
import signal
import statistics
import subprocess
import sys
import threading
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests/e2e"))
import zunta_road as z  # noqa: E402

FIXED_MS = 300 + 500 + 100  # the launcher's fade and Timer1, the test client's first timer
TARGET_MS = 1150            # question 1 painted after the launcher's start
EVENTS = ["launcher_start", "launcher_starts_client", "client_start", "client_window_shown",
          "client_question1_painted"]
MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


class XMapEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong),
                ("window", ctypes.c_ulong), ("override_redirect", ctypes.c_int)]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xmap", XMapEvent), ("pad", ctypes.c_long * 24)]


class MapWatch(threading.Thread):
    """The moment the X server maps each top-level window, from its own MapNotify events on
    the root window: no polling, so nothing competes with the programs for the processors."""

    def __init__(self):
        super().__init__(daemon=True)
        self.xlib = ctypes.CDLL("libX11.so.6")
        self.xlib.XOpenDisplay.restype = ctypes.c_void_p
        self.xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.xlib.XDefaultRootWindow.restype = ctypes.c_ulong
        self.xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.xlib.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        self.xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.xlib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
        self.display = self.xlib.XOpenDisplay(None)
        if not self.display:
            raise SystemExit("road_benchmark: the X display cannot be opened")
        root = self.xlib.XDefaultRootWindow(self.display)
        self.xlib.XSelectInput(self.display, root, SUBSTRUCTURE_NOTIFY_MASK)
        self.xlib.XSync(self.display, 0)
        self.lock = threading.Lock()
        self.mapped = {}  # window id -> first map, ns

    def run(self):
        event = XEvent()
        while True:
            self.xlib.XNextEvent(self.display, ctypes.byref(event))  # releases the GIL
            if event.type == MAP_NOTIFY:
                now = time.time_ns()
                with self.lock:
                    self.mapped.setdefault(event.xmap.window, now)

    def reset(self):
        # Window ids come back when the X server reuses a client's slot.
        with self.lock:
            self.mapped.clear()

    def mapped_at(self, wid):
        with self.lock:
            return self.mapped.get(wid)


def read_trace(path):
    events = {}
    if path.exists():
        for line in path.read_text().splitlines():
            name, _, ns = line.partition(" ")
            events.setdefault(name, int(ns))
    return events


def peak_kib(pid):
    """The process's resident high-water mark so far, None once it has ended."""
    try:
        with open(f"/proc/{pid}/status") as status:
            for line in status:
                if line.startswith("VmHWM:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


def one_run(build, watch):
    with z.Road(build) as road:
        try:
            return drive_one_road(road, watch)
        finally:
            # A run cut short leaves no test client behind (the road ends the launcher).
            for pid in road.test_client_pids():
                os.kill(pid, signal.SIGKILL)


def drive_one_road(road, watch):
    road.install().start_server()
    trace = road.tmp / "trace.txt"
    road.env["ZUNTA_TRACE_FILE"] = str(trace)
    watch.reset()
    start = time.time_ns()
    launcher = subprocess.Popen([str(road.launcher), z.link()], cwd=road.work, env=road.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    road.processes.append(launcher)
    launcher_kib = 0

    # Only cheap file reads until question 1 is painted: the programs keep the processors.
    def painted_and_launcher_ended():
        nonlocal launcher_kib
        if launcher.poll() is None:
            launcher_kib = max(launcher_kib, peak_kib(launcher.pid) or 0)
            return False
        return "client_question1_painted" in read_trace(trace)

    z.wait_for("question 1 painted and ZUNTA_Run ended", painted_and_launcher_ended,
               timeout=30, interval=0.02)
    launcher_exit = launcher.returncode
    if launcher_exit != 0:
        raise z.RoadError(f"ZUNTA_Run ended with {launcher_exit}")

    events = read_trace(trace)
    missing = [e for e in EVENTS if e not in events]
    if missing:
        raise z.RoadError(f"trace lines missing: {missing} (is the build older than the hook?)")
    window = z.Window.find(z.TEST_WINDOW)
    mapped = watch.mapped_at(int(window.wid))
    if mapped is None:
        raise z.RoadError("the test window's map was not seen")
    pids = road.test_client_pids()
    if len(pids) != 1:
        raise z.RoadError(f"expected one ZUNTA_Test process, found {pids}")

    z.take_test(window, z.SAMPLE_ANSWERS)
    z.wait_for("the study log", lambda: road.results(), timeout=20)
    time.sleep(0.5)
    client_kib = peak_kib(pids[0])
    window.click(*z.RESULT_PICTURE)
    road.wait_test_client_gone()
    if not launcher_kib or not client_kib:
        raise z.RoadError("a program's peak memory could not be read")
    records = road.results()
    if len(records) != 1 or records[0]["odap"] != z.SAMPLE_EXPECTED["odap"]:
        raise z.RoadError(f"the recorded result is not the sample's: {records}")

    ms = lambda ns: (ns - start) / 1e6  # noqa: E731
    return {
        "launcher main": ms(events["launcher_start"]),
        "client started": ms(events["launcher_starts_client"]),
        "client main": ms(events["client_start"]),
        "window shown": ms(events["client_window_shown"]),
        "window mapped": ms(mapped),
        "question 1": ms(events["client_question1_painted"]),
        "ZUNTA_Run peak": launcher_kib / 1024,
        "ZUNTA_Test peak": client_kib / 1024,
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default=str(ROOT / "build/release"))
    parser.add_argument("--runs", type=int, default=10)
    args = parser.parse_args()

    if not os.environ.get("DISPLAY"):
        if os.environ.get("ZUNTA_BENCH_UNDER_XVFB"):
            raise SystemExit("road_benchmark: no DISPLAY even under xvfb-run")
        print("road_benchmark: no display, running under xvfb-run", flush=True)
        os.environ["ZUNTA_BENCH_UNDER_XVFB"] = "1"
        xvfb = shutil.which("xvfb-run") or "xvfb-run"
        os.execvp(xvfb, [xvfb, "-a", "-s", "-screen 0 1600x1000x24 -nolisten tcp",
                         sys.executable, *sys.argv])

    watch = MapWatch()
    watch.start()

    runs = []
    for n in range(1, args.runs + 1):
        try:
            runs.append(one_run(args.build, watch))
        except z.RoadError as e:
            raise SystemExit(f"road_benchmark: run {n}: {e}") from None
        print(f"run {n:2}: " + ", ".join(
            f"{k} {v:.1f} {'MiB' if k.endswith('peak') else 'ms'}" for k, v in runs[-1].items()),
            flush=True)

    print(f"\n{len(runs)} runs of {pathlib.Path(args.build).resolve()}, load average "
          + " ".join(f"{x:.2f}" for x in os.getloadavg()) + f", {os.cpu_count()} processors")
    print(f"{'from the launcher start':<26}{'median':>9}{'min':>9}{'max':>9}")
    for key in runs[0]:
        values = [r[key] for r in runs]
        unit = "MiB" if key.endswith("peak") else "ms"
        print(f"{key + ' (' + unit + ')':<26}{statistics.median(values):>9.1f}"
              f"{min(values):>9.1f}{max(values):>9.1f}")
    painted = [r["question 1"] for r in runs]
    beyond = statistics.median(painted) - FIXED_MS
    print(f"question 1 painted within {TARGET_MS} ms in {sum(p <= TARGET_MS for p in painted)} of "
          f"{len(runs)} runs; median {beyond:.1f} ms beyond the {FIXED_MS} ms of fixed waits")


if __name__ == "__main__":
    main()
