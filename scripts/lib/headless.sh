# shellcheck shell=bash
# A desktop of the script's own, for scripts that run the real program: a virtual X server, a
# window manager, a private sound server and a private runtime folder. Source it, start what the
# script needs, and call headless_stop from the script's exit trap. Every start waits until the
# service answers, and gives up after a deadline instead of hanging.
#   headless_runtime [FOLDER]      exports XDG_RUNTIME_DIR (default: the user's shared one)
#   headless_x DISPLAYS [LOG]      Xvfb on the first free display of the numbers in DISPLAYS;
#                                  exports DISPLAY; fails when none comes up
#   headless_wm [LOG]              openbox, until it has taken the root window
#   headless_pulse [LOG]           PulseAudio on a null sink, in XDG_RUNTIME_DIR
#   headless_stop                  ends all of them, a stopped sound server too
headless_x_pid=""
headless_wm_pid=""
headless_pulse_pid=""

# headless_poll SECONDS COMMAND...: runs COMMAND until it succeeds; fails after SECONDS.
headless_poll() {
  local deadline=$(($(date +%s%N) + $1 * 1000000000))
  shift
  until "$@"; do
    [ "$(date +%s%N)" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

headless_runtime() {
  export XDG_RUNTIME_DIR="${1:-${XDG_RUNTIME_DIR:-/tmp/tessaly-xdg-$(id -u)}}"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
}

headless_x() {
  local log="${2:-/dev/null}" ready n
  ready="$(mktemp)"
  for n in $1; do
    if [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; then continue; fi
    : >"$ready"
    # -displayfd writes the number once the server listens; a taken display ends it instead.
    # -noreset: by default the server resets when its last client leaves (xdpyinfo's check
    # below), and a client connecting during the reset is turned away.
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset -displayfd 3 3>"$ready" 2>>"$log" &
    headless_x_pid=$!
    headless_poll 30 headless_x_settled "$ready" || true
    if [ -s "$ready" ] && headless_poll 10 xdpyinfo -display ":$n" >/dev/null 2>&1; then
      rm -f "$ready"
      export DISPLAY=":$n"
      unset WAYLAND_DISPLAY
      return 0
    fi
    kill "$headless_x_pid" 2>/dev/null || true
    wait "$headless_x_pid" 2>/dev/null || true
    headless_x_pid=""
  done
  rm -f "$ready"
  return 1
}
headless_x_settled() { [ -s "$1" ] || ! kill -0 "$headless_x_pid" 2>/dev/null; }

headless_wm() {
  headless_wm_log="${1:-/dev/null}"
  headless_wm_pid=""
  headless_poll 30 headless_wm_ready
}
# A window manager that gave up (it could not reach the display) is started again until the
# deadline.
headless_wm_ready() {
  if [ -z "$headless_wm_pid" ] || ! kill -0 "$headless_wm_pid" 2>/dev/null; then
    openbox --sm-disable >>"$headless_wm_log" 2>&1 &
    headless_wm_pid=$!
  fi
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"
}

headless_pulse() {
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --log-target=stderr \
    -L module-null-sink -L module-native-protocol-unix 2>"${1:-/dev/null}" &
  headless_pulse_pid=$!
  headless_poll 10 headless_pulse_ready
}
headless_pulse_ready() { timeout 5 pactl info >/dev/null 2>&1; }

headless_stop() {
  local pid
  # A sound server a measurement has stopped takes no signal but SIGCONT and SIGKILL.
  [ -z "$headless_pulse_pid" ] || kill -CONT "$headless_pulse_pid" 2>/dev/null || true
  for pid in $headless_wm_pid $headless_pulse_pid $headless_x_pid; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in $headless_wm_pid $headless_pulse_pid $headless_x_pid; do
    wait "$pid" 2>/dev/null || true
  done
  headless_x_pid="" headless_wm_pid="" headless_pulse_pid=""
}
