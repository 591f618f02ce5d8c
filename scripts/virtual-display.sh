# Starts a private Xvfb display for the Wine tests unless one is set.
virtual_display_pid=""
start_virtual_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return
  fi
  local number
  for number in $(seq 91 140); do
    if [ ! -e "/tmp/.X${number}-lock" ] && [ ! -e "/tmp/.X11-unix/X${number}" ]; then
      Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      virtual_display_pid=$!
      export DISPLAY=":$number"
      local tries
      for tries in $(seq 1 50); do
        [ -e "/tmp/.X11-unix/X${number}" ] && return
        sleep 0.1
      done
      echo "virtual display :$number did not start" >&2
      return 1
    fi
  done
  echo "no free display number for Xvfb" >&2
  return 1
}
stop_virtual_display() {
  if [ -n "$virtual_display_pid" ]; then
    kill "$virtual_display_pid" 2>/dev/null || true
  fi
}
