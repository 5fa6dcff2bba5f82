# shellcheck shell=bash
# Sourced: bc_browser_display DIR starts a private Xvfb display and serves it
# to a browser on this machine: x11vnc shares the display over VNC on
# localhost, websockify serves the noVNC page and bridges its websocket to
# x11vnc. It exports DISPLAY, writes the page's address to DIR/address and
# prints it; their process ids go to DIR/pids for bc_browser_display_stop DIR.
# Logs: DIR/*.log.
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
bc_free_port() {  # FIRST: the first port from FIRST on that nothing on localhost listens on
  local port=$1
  while (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do port=$((port + 1)); done
  echo "$port"
}
bc_wait_port() {  # PORT: true once something on localhost listens on it (30 s at most)
  local _
  for _ in $(seq 300); do
    (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}
bc_browser_display() {
  local dir=$1 vnc web
  mkdir -p "$dir"
  : >"$dir/pids"
  bc_start_xvfb 70 "$dir/xvfb.log"
  echo $bc_xvfb_pid >>"$dir/pids"
  export DISPLAY
  vnc=$(bc_free_port 5900)
  x11vnc -display "$DISPLAY" -localhost -rfbport "$vnc" -noipv6 -nopw -forever -shared \
    </dev/null >"$dir/x11vnc.log" 2>&1 &
  echo $! >>"$dir/pids"
  bc_wait_port "$vnc" || { echo "x11vnc did not start (see $dir/x11vnc.log)" >&2; return 1; }
  web=$(bc_free_port 6080)
  websockify --web /usr/share/novnc "127.0.0.1:$web" "127.0.0.1:$vnc" </dev/null >"$dir/websockify.log" 2>&1 &
  echo $! >>"$dir/pids"
  bc_wait_port "$web" || { echo "websockify did not start (see $dir/websockify.log)" >&2; return 1; }
  echo "http://localhost:$web/vnc.html?autoconnect=true&resize=scale" >"$dir/address"
  echo "no display set: the builder runs on Xvfb display $DISPLAY; open $(cat "$dir/address") in a browser on this machine"
}
bc_browser_display_stop() {
  local pid
  if [ -f "$1/pids" ]; then
    while read -r pid; do kill "$pid" 2>/dev/null || true; done <"$1/pids"
    while read -r pid; do while kill -0 "$pid" 2>/dev/null; do sleep 0.1; done; done <"$1/pids"
    rm -f "$1/pids" "$1/address"
  fi
}
