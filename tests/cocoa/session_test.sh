#!/usr/bin/env bash
# gnustep-session starts gdnc and gpbs for its command and stops them after;
# it writes nothing under the real home or /tmp/GNUstepSecure<uid>.
#   session_test.sh with-xvfb gnustep-session
set -u
with_xvfb=$1 session=$2
out=$(mktemp)
before_secure=$(ls -d /tmp/GNUstepSecure* 2>/dev/null)
# The daemons register their names with their PIDs on the second line.
"$with_xvfb" "$session" --timeout 30 sh -c '
  echo "root $TEMP"
  for f in "$TEMP"/NSMessagePort/names/*; do sed -n 2p "$f"; done' >"$out" 2>&1
status=$?
root=$(sed -n 's/^root //p' "$out")
pids=$(grep -E '^[0-9]+$' "$out")
rm -f "$out"

fail=0
[ $status -eq 0 ] || { echo "session exited with $status"; fail=1; }
[ "$(echo "$pids" | grep -c .)" -eq 2 ] || { echo "expected gdnc and gpbs, got: $pids"; fail=1; }
for p in $pids; do
  if kill -0 "$p" 2>/dev/null; then echo "daemon $p still running"; fail=1; kill -KILL "$p"; fi
done
[ -n "$root" ] && [ ! -e "$root" ] || { echo "private directory $root left behind"; fail=1; }
[ "$(ls -d /tmp/GNUstepSecure* 2>/dev/null)" = "$before_secure" ] || { echo "a /tmp/GNUstepSecure directory appeared"; fail=1; }
[ $fail -eq 0 ] && echo "session cleaned up: daemons $pids stopped"
exit $fail
