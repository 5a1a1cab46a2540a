#!/usr/bin/env bash
# Makes the README's picture again: the demo of ./run --demo (a local ngircd
# and Brimo in its channel, greeted in colour with smileys by an operator who
# gives the visitor a voice) on a virtual display of its own, and a
# screenshot of Brimo's main window. Stops everything it started.
#   scripts/screenshot.sh [OUTPUT.png]        (default docs/screenshot.png)
# BRIMO_EXECUTABLE another build of the client (default: build/brimo, built first);
# BRIMO_DEMO_PORT the port of 127.0.0.1 (default: the first free one from 16667);
# BRIMO_SHOT_DISPLAY the X display number (default: the first free one from 90);
# BRIMO_SHOT_SIZE the main window's size (default 880x440); QT_SCALE_FACTOR is passed on.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
output="${1:-$root/docs/screenshot.png}"
size="${BRIMO_SHOT_SIZE:-880x440}"

scripts/ensure-deps.sh --gui
if [ -z "${BRIMO_EXECUTABLE:-}" ]; then
  scripts/build.sh
  export BRIMO_EXECUTABLE="$root/build/brimo"
fi

port_open() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
port="${BRIMO_DEMO_PORT:-}"
if [ -z "$port" ]; then
  port=16667
  while port_open "$port"; do port=$((port + 1)); done
fi
export BRIMO_DEMO_PORT="$port"

display="${BRIMO_SHOT_DISPLAY:-}"
if [ -z "$display" ]; then
  display=90
  while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
fi
export DISPLAY=":${display#:}"

work="$(mktemp -d /tmp/brimo-shot.XXXXXX)"
export BRIMO_DEMO_DIR="$work/demo" BRIMO_DEMO_READY_FILE="$work/greeted"
xvfb_pid="" wm_pid="" demo_pid=""

stop_pid() {
  [ -n "$1" ] && kill -0 "$1" 2>/dev/null || return 0
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}
cleanup() {
  # Brimo first: the demo script then stops its server and greeter itself.
  if [ -n "$demo_pid" ]; then
    for client in $(pgrep -P "$demo_pid" -x brimo || true); do kill "$client" 2>/dev/null || true; done
    for _ in $(seq 1 50); do kill -0 "$demo_pid" 2>/dev/null || break; sleep 0.1; done
    for child in $(pgrep -P "$demo_pid" || true); do stop_pid "$child"; done
    stop_pid "$demo_pid"
  fi
  stop_pid "$wm_pid"
  stop_pid "$xvfb_pid"
  rm -rf "$work"
}
trap cleanup EXIT

# wait_until SECONDS WHAT COMMAND...: polls the command until it succeeds.
wait_until() {
  local seconds="$1" what="$2"
  shift 2
  for _ in $(seq 1 $((seconds * 10))); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "screenshot: gave up waiting for $what" >&2
  tail -n 5 "$work"/*.log >&2
  exit 1
}

# Xvfb writes the display number to the file once it accepts clients.
Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp -displayfd 3 3>"$work/xvfb.ready" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_until 10 "the virtual display $DISPLAY" test -s "$work/xvfb.ready"
openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!
wait_until 30 "the window manager" xdotool get_num_desktops

scripts/demo.sh >"$work/demo.log" 2>&1 &
demo_pid=$!

main_window() { xdotool search --onlyvisible --name '^Brimo' | head -n 1; }
has_main_window() { [ -n "$(main_window)" ]; }
wait_until 60 "Brimo's main window (log: $work/demo.log)" has_main_window
window="$(main_window)"
xdotool windowsize --sync "$window" "${size%x*}" "${size#*x}" || true
xdotool windowmove --sync "$window" 20 20 || true

# The greeter has spoken and voiced the visitor; the client draws what it got.
wait_until 60 "the greeting in the channel" test -e "$BRIMO_DEMO_READY_FILE"
# Red text (colour 4 of the greeter's last line) on the screen means all is drawn.
# Only the middle of the window counts: the operator's icon and the style
# button's colour strip lie outside it.
red_shown() {
  import -window "$window" "$work/probe.png" &&
    [ "$(convert "$work/probe.png" -gravity center -crop 70%x70%+0+0 +repage \
           -fill black +opaque '#FF0000' -fill white -opaque '#FF0000' -format '%[fx:mean*w*h>=10]' info:)" = 1 ]
}
wait_until 20 "the coloured text on the screen" red_shown

mkdir -p "$(dirname "$output")"
import -window "$window" "$output"
echo "screenshot: $output ($(identify -format '%wx%h' "$output"))"
