#!/usr/bin/env bash
# scripts/start-builder.sh without a display: it must print a localhost
# address whose page is noVNC and whose websocket reaches the VNC server of
# the builder's display, and end everything it started when it is stopped.
# Skipped (77) without x11vnc, websockify or noVNC.
# Usage: browser_display_test.sh SOURCE_DIR BUILD_DIR
set -u
source_dir=$1 build=$2
for tool in x11vnc websockify; do command -v $tool >/dev/null || { echo "no $tool: skipped"; exit 77; }; done
[ -f /usr/share/novnc/vnc.html ] || { echo "no noVNC: skipped"; exit 77; }
export WINEPREFIX=$build/browser-prefix
log=$build/browser-display.log
status=0
fail() { echo "FAIL: $*"; status=1; }

start=$(date +%s)
env -u DISPLAY "$source_dir/scripts/start-builder.sh" --no-build >"$log" 2>&1 &
script=$!
address=
for _ in $(seq 1200); do
  address=$(grep -o 'http://localhost:[0-9]*/[^ ]*' "$log" | head -n 1)
  [ -n "$address" ] && break
  kill -0 $script 2>/dev/null || break
  sleep 0.1
done
cat "$log"
if [ -z "$address" ]; then
  kill $script 2>/dev/null
  echo "FAIL: no address printed"
  exit 1
fi
port=$(sed 's|http://localhost:\([0-9]*\)/.*|\1|' <<<"$address")
display=$(grep -o 'Xvfb display :[0-9]*' "$log" | grep -o ':[0-9]*')
# The builder's main window on the served display (its first start in a new prefix is slow).
for _ in $(seq 1200); do
  xwininfo -display "$display" -root -tree 2>/dev/null | grep -q '"Brindlecove"' && break
  sleep 0.1
done
xwininfo -display "$display" -root -tree 2>/dev/null | grep -q '"Brindlecove"' || fail "no builder window on $display"
curl -sf --max-time 10 "$address" | grep -q '<title>noVNC</title>' || fail "$address is not the noVNC page"
# The websocket handshake, then the first frame: the VNC server's greeting.
python3 - "$port" <<'PY' || fail "no websocket to the VNC server on port $port"
import base64, hashlib, os, socket, sys
key = base64.b64encode(os.urandom(16)).decode()
with socket.create_connection(("localhost", int(sys.argv[1])), timeout=20) as s:
    s.sendall(("GET /websockify HTTP/1.1\r\nHost: localhost\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
               "Sec-WebSocket-Key: %s\r\nSec-WebSocket-Version: 13\r\nSec-WebSocket-Protocol: binary\r\n\r\n" % key).encode())
    reply = b""
    while b"\r\n\r\n" not in reply:
        chunk = s.recv(4096)
        if not chunk: sys.exit("connection closed during the handshake")
        reply += chunk
    head, frame = reply.split(b"\r\n\r\n", 1)
    accept = base64.b64encode(hashlib.sha1((key + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11").encode()).digest())
    if not head.startswith(b"HTTP/1.1 101") or b"Sec-WebSocket-Accept: " + accept not in head:
        sys.exit("bad handshake: %r" % head)
    while len(frame) < 2 + 12:
        frame += s.recv(4096)
    if not frame[2:14].startswith(b"RFB 003."):
        sys.exit("no VNC greeting: %r" % frame[:14])
    print("websocket: %s" % frame[2:14].decode().strip())
PY

kill -TERM $script
for _ in $(seq 300); do kill -0 $script 2>/dev/null || break; sleep 0.1; done
if kill -0 $script 2>/dev/null; then
  fail "start-builder.sh did not end on SIGTERM"
  kill -KILL $script
fi
wait $script 2>/dev/null
(exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && fail "port $port still serves after the stop"
[ ! -s "$WINEPREFIX-display/pids" ] || fail "the display's processes were not ended"
[ ! -e "/tmp/.X11-unix/X${display#:}" ] || fail "the display $display is still there"
WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null && fail "the builder's wineserver still ran after the stop"
echo "browser display test took $(( $(date +%s) - start ))s"
exit $status
