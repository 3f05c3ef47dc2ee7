# kv_start_xvfb: uses $DISPLAY when it answers; otherwise starts an Xvfb on a free display
# number, exports DISPLAY and stops it when the calling script exits.
kv_start_xvfb() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
  local n
  for n in $(seq 90 130); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    KV_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    if xdpyinfo >/dev/null 2>&1; then
      trap 'kill $KV_XVFB_PID 2>/dev/null || true' EXIT
      echo "Xvfb on $DISPLAY"
      return
    fi
    kill $KV_XVFB_PID 2>/dev/null || true
  done
  echo "could not start Xvfb" >&2
  return 1
}
