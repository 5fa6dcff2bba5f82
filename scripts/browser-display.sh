# shellcheck shell=bash
# Sourced: bc_browser_display DIR starts a private Xvfb display and serves it
# to a browser on this machine: x11vnc shares the display over VNC on
# localhost, websockify serves the noVNC page and bridges its websocket to
# x11vnc. It exports DISPLAY, writes the page's address to DIR/address and
# prints it; their process ids go to DIR/pids for bc_browser_display_stop DIR.
# Logs: DIR/*.log.
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
  local dir=$1 n=70 vnc web
  mkdir -p "$dir"
  : >"$dir/pids"
  while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
  Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$dir/xvfb.log" 2>&1 &
  echo $! >>"$dir/pids"
  for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
  export DISPLAY=:$n
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
