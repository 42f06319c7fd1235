#!/usr/bin/env bash
# calc-cocoa.app on macOS, used as a user would through the accessibility
# API (System Events): the window appears, a press on "Calculates
# Compensation" fills the output area with the core's report 1 (as
# report-text prints it), and the close button ends the program. Leaves a
# screenshot.
#   drive_calc_cocoa_macos.sh calc-cocoa screenshot.png report-text   (calc-cocoa in its bundle or not)
# The app has no way in but its window: the process running this script
# needs the Automation (System Events) and Accessibility permissions. Where
# they are not given, the press is skipped (status 77), with the reason;
# where CI is set (a hosted runner grants both) that is a failure.
set -uo pipefail
program=$1 shot=$2 report_text=$3
fail() { echo "FAILED: $*" >&2; kill "$pid" 2>/dev/null; exit 1; }
skip() {
  [ -z "${CI:-}" ] || fail "calc-cocoa.app not pressed where CI runs: $*"
  echo "SKIPPED: calc-cocoa.app not pressed: $*" >&2; kill "$pid" 2>/dev/null; exit 77
}

"$program" &
pid=$!
process="tell application \"System Events\" to tell (first process whose unix id is $pid)"
ax() { osascript -e "$process" -e "$1" -e "end tell"; }
# ax with a 10 s limit: a permission prompt nobody answers holds osascript for two minutes.
ask() {
  local out asker
  out=$(mktemp)
  osascript -e "$process" -e "$1" -e "end tell" >"$out" 2>&1 &
  asker=$!
  for _ in $(seq 100); do kill -0 "$asker" 2>/dev/null || break; sleep 0.1; done
  kill "$asker" 2>/dev/null && echo "no answer from System Events in 10 s (a permission prompt?)" >>"$out"
  wait "$asker" 2>/dev/null
  cat "$out"
  rm -f "$out"
}

windows=""
for _ in $(seq 100); do
  windows=$(ask 'count of windows')
  case $windows in
    *"assistive access"*|*-25211*) skip "this process lacks the Accessibility permission ($windows)" ;;
    *-1743*|*"Not authori"*) skip "this process may not send Apple events to System Events ($windows)" ;;
    *"no answer from System Events"*) skip "$windows" ;;
    1) break ;;
  esac
  sleep 0.2
done
[ "$windows" = 1 ] || fail "no window: $windows"
ax 'set frontmost to true' >/dev/null
ax 'click button "Calculates Compensation" of window 1' >/dev/null || fail "cannot press the button"
report=""
for _ in $(seq 50); do
  report=$(ax 'value of text area 1 of scroll area 1 of window 1' 2>&1)
  [ -n "$report" ] && break
  sleep 0.1
done
screencapture -x "$shot" && [ -s "$shot" ] || fail "no screenshot in $shot (screen recording not allowed?)"
echo "$report"
# The core's report for press 1 of the inputs as they start (read for the
# core: a point, no grouping); only the stamp is taken from the window.
stamp=$(head -n 1 <<<"$report" | sed -n 's/.*\[\(.*\)\].*/\1/p')
want=$(LC_ALL=C "$report_text" 1 "$stamp" 365.60 8.32 850.22 young) || fail "report-text: no report for stamp '$stamp'"
[ "$report" = "$want" ] || fail "not the core's report; expected:
$want"

ax 'click (first button of window 1 whose subrole is "AXCloseButton")' >/dev/null || fail "cannot close the window"
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || { wait "$pid"; echo "calc-cocoa.app: pressed, report read, closed"; exit 0; }
  sleep 0.1
done
fail "the program still runs after its window was closed"
