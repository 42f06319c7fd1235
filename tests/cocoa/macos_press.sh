#!/usr/bin/env bash
# calc-cocoa.app on macOS, used as a user would through the accessibility
# API (System Events): the window appears, a press on "Calculates
# Compensation" fills the output area with report 1, and the close button
# ends the program. Leaves a screenshot.
#   macos_press.sh calc-cocoa screenshot.png   (the executable, in its bundle or not)
set -uo pipefail
program=$1 shot=$2
fail() { echo "FAILED: $*" >&2; kill "$pid" 2>/dev/null; exit 1; }

"$program" &
pid=$!
ax() { osascript -e "tell application \"System Events\" to tell (first process whose unix id is $pid)" -e "$1" -e "end tell"; }

for _ in $(seq 100); do
  [ "$(ax 'count of windows' 2>/dev/null)" = 1 ] && break
  sleep 0.2
done
[ "$(ax 'count of windows' 2>&1)" = 1 ] || fail "no window (is osascript allowed to use accessibility?): $(ax 'count of windows' 2>&1)"
ax 'set frontmost to true' >/dev/null
ax 'click button "Calculates Compensation" of window 1' >/dev/null || fail "cannot press the button"
report=""
for _ in $(seq 50); do
  report=$(ax 'value of text area 1 of scroll area 1 of window 1' 2>&1)
  [ -n "$report" ] && break
  sleep 0.1
done
screencapture -x "$shot" || echo "no screenshot (screen recording not allowed?)" >&2
echo "$report"
grep -q '^Results 1 ' <<<"$report" || fail "the report does not start with report 1"
grep -q '^COMPENSAR: 8.32$' <<<"$report" || fail "the report echoes the monthly percentage"
grep -q '^COMP ANUAL: 99.840000$' <<<"$report" || fail "annual compensation 8.32 x 12"

ax 'click (first button of window 1 whose subrole is "AXCloseButton")' >/dev/null || fail "cannot close the window"
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || { wait "$pid"; echo "calc-cocoa.app: pressed, report read, closed"; exit 0; }
  sleep 0.1
done
fail "the program still runs after its window was closed"
