#!/usr/bin/env python3
"""The whole road from a zurun: link to a recorded result, with real processes.

The development server runs on a free port; HOME and the XDG folders live in a temporary
folder; the launcher is started with a link, and the test client's window is found and driven
from outside with xdotool (clicks at the controls' places in the 1200 x 800 window, typed
answers, the next arrow, the result picture). Needs an X display (run under xvfb-run).

Used by the end-to-end tests (tests/e2e/test_road.py) and by scripts/demo.
"""
import json
import os
import pathlib
import re
import shutil
import signal
import socket
import subprocess
import tempfile
import time
import urllib.request

ROOT = pathlib.Path(__file__).resolve().parents[2]

# Places of the answer controls inside the test window (the question screen's own layout).
CHOICE_CENTRE = [(664 + 80 * k + 32, 344 + 20) for k in range(5)]
FIELD_CENTRE = [(880, 248 + 48 * k + 16) for k in range(5)]
NEXT_ARROW = (1139 + 17, 325 + 17)
CLOSE_ZONE = (1180, 30)
RESULT_PICTURE = (600, 420)

TEST_WINDOW = r"^::: ZUNTA \["
LAUNCHER_WINDOW = r"^ZUNTA Launcher 2019$"


class RoadError(AssertionError):
    pass


def wait_for(what, predicate, timeout=20.0, interval=0.05):
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise RoadError(f"timed out waiting for {what}")
        time.sleep(interval)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def xdotool(*args, check=True):
    run = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True)
    if check and run.returncode != 0:
        raise RoadError(f"xdotool {' '.join(map(str, args))}: {run.stderr.strip()}")
    return run.stdout.strip()


class Window:
    """A top-level window found by its title, driven at positions relative to its corner."""

    def __init__(self, wid):
        self.wid = wid

    @staticmethod
    def find(title_regex, timeout=20.0):
        def look():
            out = xdotool("search", "--onlyvisible", "--name", title_regex, check=False)
            for wid in out.split():
                geometry = xdotool("getwindowgeometry", wid, check=False)
                if "Geometry: 1x1" not in geometry and "Geometry: 3x3" not in geometry:
                    return wid
            return None

        return Window(wait_for(f"a window named {title_regex}", look, timeout))

    def exists(self):
        return subprocess.run(["xdotool", "getwindowname", self.wid],
                              capture_output=True).returncode == 0

    def name(self):
        return xdotool("getwindowname", self.wid)

    def focus(self):
        # No window manager under Xvfb: give the window the keyboard directly.
        xdotool("windowfocus", "--sync", self.wid)

    def click(self, x, y, button=1):
        xdotool("mousemove", "--window", self.wid, x, y)
        time.sleep(0.05)
        xdotool("click", button)
        time.sleep(0.05)

    def type_text(self, text):
        xdotool("type", "--delay", "20", text)

    def key(self, *keys):
        xdotool("key", *keys)


class Road:
    """One user's machine: a home folder, the installed programs and a development server."""

    def __init__(self, build, keep=False):
        self.build = pathlib.Path(build).resolve()
        self.tmp = pathlib.Path(tempfile.mkdtemp(prefix="zunta-road-"))
        self.keep = keep
        self.home = self.tmp / "home"
        self.documents = self.home / "Documents"
        self.install_folder = self.documents / "ZUNTA"
        self.media = self.install_folder / "media"
        self.program_folder = self.tmp / "programs"
        self.work = self.tmp / "work"  # the launcher's current folder: Result.txt lands here
        for d in (self.home, self.documents, self.program_folder, self.work):
            d.mkdir(parents=True, exist_ok=True)
        self.port = free_port()
        self.base = f"http://127.0.0.1:{self.port}"
        self.server = None
        self.processes = []
        self.env = dict(os.environ)
        self.env.update({
            "HOME": str(self.home),
            "XDG_DOCUMENTS_DIR": str(self.documents),
            "XDG_DATA_HOME": str(self.home / ".local/share"),
            "XDG_CONFIG_HOME": str(self.home / ".config"),
            "XDG_CACHE_HOME": str(self.home / ".cache"),
            "ZUNTA_SERVER_URL": self.base,
            "QT_QPA_PLATFORM": "xcb",
        })
        self.env.pop("XDG_RUNTIME_DIR", None)

    # -- set-up ---------------------------------------------------------------------------
    def install(self):
        """What the installer does: the launcher and its picture in the program folder, the
        test client in My Documents/ZUNTA/."""
        shutil.copy2(self.build / "launcher" / "ZUNTA_Run", self.program_folder)
        shutil.copy2(ROOT / "assets" / "launcher" / "ZUNTA_Run.png", self.program_folder)
        self.install_folder.mkdir(parents=True, exist_ok=True)
        shutil.copy2(self.build / "testclient" / "ZUNTA_Test", self.install_folder)
        return self

    @property
    def launcher(self):
        return self.program_folder / "ZUNTA_Run"

    def start_server(self):
        binary = self.build / "devserver" / "zunta-devserver"
        self.server = subprocess.Popen(
            [str(binary), "--port", str(self.port), "--packages", str(ROOT / "devserver/packages"),
             "--pictures", str(ROOT / "devserver/pictures"), "--db", str(self.tmp / "results.db")],
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        line = self.server.stdout.readline()
        if f"listening on {self.base}" not in line:
            raise RoadError(f"the development server did not start: {line!r}")
        return self

    def stop_server(self):
        if self.server:
            if self.server.poll() is None:
                self.server.terminate()
                self.server.wait(10)
            self.server.stdout.close()
        self.server = None

    def close(self):
        for p in self.processes:
            if p.poll() is None:
                p.kill()
                p.wait(10)
        self.stop_server()
        if not self.keep:
            shutil.rmtree(self.tmp, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    # -- the server -----------------------------------------------------------------------
    def get(self, path):
        with urllib.request.urlopen(self.base + path, timeout=10) as reply:
            return reply.read()

    def results(self):
        return json.loads(self.get("/results.json").decode("utf-8"))

    def arm_fault(self, body):
        request = urllib.request.Request(self.base + "/_control/fault", data=body.encode(),
                                         method="POST")
        with urllib.request.urlopen(request, timeout=10) as reply:
            reply.read()

    # -- the programs ---------------------------------------------------------------------
    def start_launcher(self, *arguments):
        p = subprocess.Popen([str(self.launcher), *arguments], cwd=self.work, env=self.env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(p)
        return p

    def test_client_pids(self):
        out = subprocess.run(["pgrep", "-f", str(self.install_folder / "ZUNTA_Test")],
                             capture_output=True, text=True).stdout
        return [int(x) for x in out.split()]

    def wait_test_client_gone(self, timeout=20.0):
        wait_for("the test client to end", lambda: not self.test_client_pids(), timeout)

    def result_txt(self):
        return (self.work / "Result.txt").read_bytes()


def link(uid="student01", chk="77aa", idkey="1001", sno="1"):
    return f"zurun:UID={uid}&CHK={chk}&IDKEY={idkey}&SNO={sno}"


# The sample test of the development server, answered: one entry per question, in order.
# ("choice", [boxes]) or ("written", [texts]).
SAMPLE_ANSWERS = [
    ("choice", [2]),                   # 1: right
    ("written", ["lived"]),            # 2: right
    ("written", ["were", "would"]),    # 3: right
    ("choice", [2]),                   # 4: wrong (2,4)
    ("written", ["x"]),                # 5: right (X, case folded)
    ("written", ["tall", "tallest"]),  # 6: wrong (taller@@tallest)
]
SAMPLE_EXPECTED = {"tcnt": 6, "scnt": 4, "odap": "OOOXOX",
                   "wrong": {"qa4": "2", "qa6": "tall@@tallest"}}


def answer_question(window, answer):
    kind, values = answer
    if kind == "choice":
        for box in values:
            window.click(*CHOICE_CENTRE[box - 1])
    else:
        for k, text in enumerate(values):
            window.click(*FIELD_CENTRE[k])
            window.type_text(text)


def take_test(window, answers, counter_wait=None):
    """Answers every question and clicks the next arrow after each."""
    window.focus()
    for number, answer in enumerate(answers, start=1):
        if counter_wait:
            counter_wait(number)
        time.sleep(0.3)  # the 100 ms question timer and the page
        answer_question(window, answer)
        window.click(*NEXT_ARROW)


def close_through_close_zone(window):
    """The close spot in the header, then OK in the confirmation (Enter is its default)."""
    window.focus()
    window.click(*CLOSE_ZONE)
    time.sleep(0.5)
    box = Window.find(r"^Information$", timeout=10)
    box.focus()
    box.key("Return")
