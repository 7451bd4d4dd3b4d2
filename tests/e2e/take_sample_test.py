#!/usr/bin/env python3
"""A scripted student for the demo without a display: registers the scheme, starts the
launcher with the sample link and takes the sample test through the window, as a person
would with the mouse and keyboard. Run under an X server (xvfb-run)."""
import argparse
import json
import pathlib
import subprocess
import sys
import time
import urllib.request

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import zunta_road as z  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--launcher", required=True)
    parser.add_argument("--link", required=True)
    parser.add_argument("--server", required=True)
    args = parser.parse_args()

    subprocess.run([args.launcher], check=True, timeout=30)  # registers the zurun scheme
    launcher = subprocess.Popen([args.launcher, args.link])
    window = z.Window.find(z.TEST_WINDOW, timeout=30)
    print(f"take_sample_test: {window.name()}")
    z.take_test(window, z.SAMPLE_ANSWERS)
    launcher.wait(30)

    def recorded():
        with urllib.request.urlopen(args.server + "/results.json", timeout=10) as reply:
            return json.loads(reply.read().decode("utf-8"))

    count = len(z.wait_for("the study log", recorded, timeout=30))
    time.sleep(0.5)
    window.click(*z.RESULT_PICTURE)
    z.wait_for("the test client to end", lambda: not window.exists(), timeout=20)
    latest = recorded()[0]
    print(f"take_sample_test: the server recorded {count} result(s); latest: uid {latest['uid']}, "
          f"score {latest['scnt']}/{latest['tcnt']}, marks {latest['odap']}")


if __name__ == "__main__":
    main()
