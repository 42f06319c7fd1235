#!/usr/bin/env bash
# scripts/open-gtk with no display (none set, then one that cannot be
# opened): it must stop at once with a one-line reason and status 1. The
# build steps are stood in for by a cmake that does nothing, so the build
# tree under test is left alone.
set -u
root=$1
stub=$(mktemp -d)
trap 'rm -rf "$stub"' EXIT
printf '#!/bin/sh\nexit 0\n' >"$stub/cmake"
chmod +x "$stub/cmake"

fail=0
check() {  # name, expected start of the message, env assignments...
  local name=$1 want=$2
  shift 2
  local err status lines
  err=$(env -u DISPLAY -u WAYLAND_DISPLAY PATH="$stub:$PATH" "$@" timeout 30 "$root/scripts/open-gtk" 2>&1 >/dev/null)
  status=$?
  lines=$(grep -c . <<<"$err")
  if [ "$status" -ne 1 ] || [ "$lines" -ne 1 ] || [[ "$err" != "$want"* ]]; then
    echo "FAILED $name: status $status, said: $err"
    fail=1
  else
    echo "ok $name: $err"
  fi
}
check "no display set" "calc-gtk: no display to open the window on"
check "display cannot be opened" "calc-gtk: cannot open the display ':97'" DISPLAY=:97
exit $fail
