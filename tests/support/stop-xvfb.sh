# stop_xvfb PID DISPLAY: stops an Xvfb this harness started (with-xvfb,
# wine-session). An X server now and then takes its time over SIGTERM: after
# five seconds it is killed, so a test that passed is never held until its
# timeout, and the lock and socket it could not remove are removed.
stop_xvfb() {
  local pid=$1 display=$2
  kill "$pid" 2>/dev/null
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    echo "${0##*/}: Xvfb :$display still running 5 s after SIGTERM; killed" >&2
    # wait reaps it where it is our child, and keeps bash's "Killed" line quiet.
    { kill -9 "$pid"; wait "$pid"; } 2>/dev/null
    for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    rm -f "/tmp/.X$display-lock" "/tmp/.X11-unix/X$display"
  fi
  wait "$pid" 2>/dev/null
}
