#!/bin/bash
# The sample under README.md's "## The report" is the core's report, as
# report-text prints it, for the press it shows: report 1 at 2026/12/06
# 12:51:00, the inputs calc-win32 starts with, the checkbox not ticked.
#   readme_report.sh README.md report-text
set -u
readme=$1 report_text=$2
sample=$(awk '/^## The report$/ { section = 1; next }
              section && /^```/ { if (inside) exit; inside = 1; next }
              inside' "$readme")
want=$(LC_ALL=C.UTF-8 "$report_text" 1 "2026/12/06 - 12:51:00" 365.6 8.32 850.22 young) || exit 1
[ "$sample" = "$want" ] && exit 0
echo "readme_report: README.md's sample report is not the core's (- core, + README):"
diff -u <(printf '%s\n' "$want") <(printf '%s\n' "$sample")
exit 1
