#!/bin/sh
# Start-up and memory beside what they are compared with, measured in one run:
# a Qt window with one label, cat of the large file, and a bare Qt window.
# Usage: startup_targets.sh <folder of the probes> <folder of the large files>
set -eu
probes=$1
files=$2
results=$(mktemp)
trap 'rm -f "$results"' EXIT

hyperfine -N --warmup 5 --runs 40 --export-csv "$results" \
  "$probes/qt-label-startup-probe" \
  "$probes/kelmor-startup-probe" \
  "$probes/kelmor-startup-probe $files/fragen.mfd" \
  "$probes/kelmor-startup-probe $files/fragen.raf" \
  "cat $files/fragen.raf"

# The median of each command in milliseconds, in the order above: the machine's
# other work makes a few runs slow, which would move a mean.
medians=$(awk -F, 'NR > 1 { printf "%s ", $4 * 1000 }' "$results")
bare=$("$probes/qt-window-startup-probe" --memory 2>/dev/null | awk '/peak/ { print $4 }')
memory=$("$probes/kelmor-startup-probe" "$files/fragen.raf" --memory 2>/dev/null)
peak=$(echo "$memory" | awk '/peak/ { print $4 }')
records=$(echo "$memory" | awk '/records/ { print $4 }')

echo
echo "$medians $bare $peak $records" | awk '
function line(what, value, unit, ratio, comparison, compared, limit) {
  printf "%-46s %7.1f %s = %4.2fx %s (%.1f %s), target at most %.1fx: %s\n", what, value, unit, ratio,
         comparison, compared, unit, limit, ratio <= limit ? "met" : "MISSED"
}
{
  label = $1; none = $2; text = $3; raf = $4; cat = $5; bare = $6; peak = $7; records = $8
  line("Start-up, no file", none, "ms", none / label, "the one-label window", label, 1.2)
  line("Start-up, 9999-record text file", text, "ms", text / label, "the one-label window", label, 1.3)
  line("Start-up, added by the 100000-record RAF file", raf - none, "ms", (raf - none) / cat, "cat of the file", cat, 3.0)
  line("Peak memory above the bare window, RAF file", peak - bare, "MB", (peak - bare) / records,
       "the records bytes", records, 1.2)
}'
