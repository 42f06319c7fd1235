#!/usr/bin/env bash
# Starts calc-cocoa (inside with-xvfb and gnustep-session), presses its button
# with a synthesised pointer click, checks that the output area changed, types
# a new value into input 11 from the keyboard and presses Return, then clicks
# the window's close box and expects the process to end with status 0.
#   drive_calc_cocoa_gnustep.sh path/to/calc-cocoa
# With CALC_COCOA_SCREENSHOT=file.png it also saves the window after Return.
set -u
program=$1
work=$(mktemp -d)
"$program" >"$work/out.txt" 2>"$work/err.txt" </dev/null &  # no argument: GNUstep would open it
pid=$!
fail() {
  echo "FAIL: $*"
  echo "--- stderr of calc-cocoa"; cat "$work/err.txt"
  kill -KILL "$pid" 2>/dev/null
  rm -rf "$work"
  exit 1
}

# The window holds a 470 x 620 content area under GNUstep's own title bar.
window=""
for _ in $(seq 100); do
  # GNUstep sets no _NET_WM_PID: this private display holds only calc-cocoa.
  for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    if [ "$WIDTH" -ge 470 ] && [ "$WIDTH" -lt 500 ] && [ "$HEIGHT" -gt 620 ] && [ "$HEIGHT" -lt 700 ]; then window=$w; break 2; fi
  done
  sleep 0.1
done
[ -n "$window" ] || fail "no window of calc-cocoa appeared"
# Content origin: GNUstep frames the content with a 1-point border at the
# sides, a title bar on top and a 9-point resize bar below it.
left=$((X + (WIDTH - 470) / 2))
top=$((Y + HEIGHT - 620 - 9))

click() {
  xdotool mousemove --sync "$1" "$2"
  xdotool mousedown 1
  sleep 0.2
  xdotool mouseup 1
}
# Output area: content (20, 120) 300 x 200, bottom-left origin.
area="280x180+$((left + 30))+$((top + 620 - 120 - 200 + 10))"
snap() { import -window root -crop "${2:-$area}" +repage "$work/$1.png"; }

# The empty area is drawn (white) and settled before the click.
settled=""
for _ in $(seq 50); do
  snap before
  sleep 0.2
  snap again
  same=$(compare -metric AE "$work/before.png" "$work/again.png" null: 2>&1)
  white=$(convert "$work/again.png" -format '%[fx:mean>0.9]' info:)
  if [ "${same%% *}" = "0" ] && [ "$white" = "1" ]; then settled=1; break; fi
done
[ -n "$settled" ] || fail "the output area was never drawn"

# The button: content (130, 360), 200 x 32.
click $((left + 230)) $((top + 620 - 360 - 16))
changed=0
for _ in $(seq 50); do
  sleep 0.2
  snap after
  changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1)
  changed=${changed%% *}
  [ "$changed" -gt 100 ] 2>/dev/null && break
done
[ "$changed" -gt 100 ] 2>/dev/null || fail "the output area did not change after the click ($changed pixels)"

# The keyboard alone: input 10 has had the focus since the window opened (the
# pointer click takes none), Tab moves it to input 11 and selects its text,
# 50 replaces 8.32 and Return presses the button. Below its heading (number
# and time) the report must differ from the first one.
body="260x150+$((left + 40))+$((top + 620 - 120 - 200 + 25))"
sleep 0.3
snap report1 "$body"
xdotool key --clearmodifiers Tab 5 0 Return
for _ in $(seq 50); do
  sleep 0.2
  snap again "$body"
  returned=$(compare -metric AE "$work/report1.png" "$work/again.png" null: 2>&1)
  [ "${returned%% *}" -gt 0 ] 2>/dev/null && break
done
[ "${returned%% *}" -gt 0 ] 2>/dev/null || fail "Tab, 50 and Return did not give a report of the new value"

# CONTRIBUTING.md's picture: CALC_COCOA_SCREENSHOT=$PWD/docs/calc-cocoa.png
if [ -n "${CALC_COCOA_SCREENSHOT:-}" ]; then
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$CALC_COCOA_SCREENSHOT"
fi

# GNUstep's close box sits at the right end of its title bar.
click $((X + WIDTH - 12)) $((Y + 11))
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "calc-cocoa still runs after its window was closed"
wait "$pid"
status=$?
[ $status -eq 0 ] || fail "calc-cocoa ended with status $status"
if grep -q -E 'autorelease called without pool|Failed to determine offsets' "$work/err.txt"; then
  fail "calc-cocoa printed known noise"
fi
echo "clicked (output area changed in $changed pixels), typed and Return pressed it again (${returned%% *}), closed: status 0"
rm -rf "$work"
