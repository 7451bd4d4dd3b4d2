#!/usr/bin/env bash
# Peak memory of ZUNTA_Test itself through a whole test of N questions, under Xvfb, driven by
# xdotool clicks on the next arrow (pictures and the study log from a local Python server).
#   bench/testclient/xvfb_run_testclient.sh <build dir> [questions=50]
set -euo pipefail
build=$(realpath "$1")
count=${2:-50}
work=$(mktemp -d)
trap 'kill ${server_pid:-} ${xvfb_pid:-} 2>/dev/null || true; rm -rf "$work"' EXIT

mkdir -p "$work/app/media"
cp "$build/testclient/ZUNTA_Test" "$work/app/"
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')

python3 - "$port" "$count" "$work/app/media/MyDataStudy.txt" <<'PY'
import sys
port, count, out = sys.argv[1], int(sys.argv[2]), sys.argv[3]
base = f"http://127.0.0.1:{port}"
p = f"<SUBJECT>측정용 시험</SUBJECT><UID>bench</UID><IDKEY>1</IDKEY><TESTIDKEY>2</TESTIDKEY>"
p += f"<QCOUNT>{count}</QCOUNT><QLIST>" + "".join(f"{n}\r\n" for n in range(1, count + 1))
p += "</QLIST><QDATA>" + "@@@BR@@@".join(f"{n}={base}/pictures/q{n}.png" for n in range(1, count + 1))
p += "</QDATA>" + "".join(f"<Q{n}>{n}|3|0</Q{n}>" for n in range(1, count + 1))
open(out, "w", encoding="utf-8").write(p)
PY

python3 - "$port" <<'PY' &
import http.server, struct, sys, zlib
def png(w, h):
    raw = b"".join(b"\x00" + bytes([60, 110, 200]) * w for _ in range(h))
    chunk = lambda t, d: struct.pack(">I", len(d)) + t + d + struct.pack(">I", zlib.crc32(t + d))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))
PICTURE = png(520, 320)
class H(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        body = PICTURE if self.path.startswith("/pictures/") else b"OK"
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)
    def log_message(self, *a):
        pass
http.server.HTTPServer(("127.0.0.1", int(sys.argv[1])), H).serve_forever()
PY
server_pid=$!

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display QT_QPA_PLATFORM=xcb ZUNTA_SERVER_URL="http://127.0.0.1:$port"
sleep 1

cd "$work"
/usr/bin/time -v "$work/app/ZUNTA_Test" 2>"$work/time.txt" &
app_pid=$!
win=$(xdotool search --sync --onlyvisible --name "::: ZUNTA" | head -1)
eval "$(xdotool getwindowgeometry --shell "$win")"
for ((q = 1; q <= count; q++)); do
  sleep 0.3
  xdotool mousemove $((X + 850)) $((Y + 360)) click 1                # box 3
  xdotool mousemove $((X + 1156)) $((Y + 342)) click 1               # next arrow
done
sleep 1
xdotool mousemove $((X + 600)) $((Y + 400)) click 1                  # the result picture
wait "$app_pid" || true
grep -E "Maximum resident set size|Elapsed" "$work/time.txt"
echo "Result.txt: $(wc -l < "$work/Result.txt") lines; last: $(tail -1 "$work/Result.txt")"
