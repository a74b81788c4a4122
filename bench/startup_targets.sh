#!/bin/sh
# Start-up and memory beside what they are compared with, measured in one run:
# a Qt window with one label, cat of the large file, and a bare Qt window.
# Usage: startup_targets.sh <folder of the probes> <folder of the large files>
set -eu
probes=$1
files=$2
rounds=${KELMOR_STARTUP_ROUNDS:-10}
results=$(mktemp)
medians=$(mktemp)
trap 'rm -f "$results" "$medians"' EXIT

# The machine's speed drifts over seconds (other work, the kernel's own threads),
# and one long block per command would put that drift into the ratios. So the
# commands take turns: each round times all of them, and a ratio is taken within
# one round, between runs made moments apart.
round=1
while [ "$round" -le "$rounds" ]; do
  hyperfine -N --style none --warmup 2 --runs 10 --export-csv "$results" \
    "$probes/qt-label-startup-probe" \
    "$probes/kelmor-startup-probe" \
    "$probes/kelmor-startup-probe $files/fragen.mfd" \
    "$probes/kelmor-startup-probe $files/fragen.raf" \
    "cat $files/fragen.raf" > /dev/null
  # The median of each command in milliseconds, in the order above: a few slow runs
  # would move a mean.
  awk -F, 'NR > 1 { printf "%s ", $4 * 1000 } END { print "" }' "$results" >> "$medians"
  round=$((round + 1))
done

bare=$("$probes/qt-window-startup-probe" --memory 2>/dev/null | awk '/peak/ { print $4 }')
# The editor with no file as well: what the document adds is told apart from what the
# empty window costs, which no reader's change can lower.
empty=$("$probes/kelmor-startup-probe" --memory 2>/dev/null | awk '/peak/ { print $4 }')
memory=$("$probes/kelmor-startup-probe" "$files/fragen.raf" --memory 2>/dev/null)
peak=$(echo "$memory" | awk '/peak/ { print $4 }')
records=$(echo "$memory" | awk '/records/ { print $4 }')

echo
awk -v bare="$bare" -v empty="$empty" -v peak="$peak" -v records="$records" '
function median(list, n,    i, j, t) {
  for (i = 2; i <= n; i++)
    for (j = i; j > 1 && list[j - 1] > list[j]; j--) { t = list[j]; list[j] = list[j - 1]; list[j - 1] = t }
  return n % 2 ? list[(n + 1) / 2] : (list[n / 2] + list[n / 2 + 1]) / 2
}
function verdict(ratio, limit) { return ratio <= limit ? "met" : "MISSED" }
function share(what, megabytes) { printf "%-46s %7.1f MB = %4.2fx the records bytes\n", what, megabytes, megabytes / records }
# One line per start-up target: the medians over all rounds, the ratio as the median
# of the rounds own ratios, and the lowest and highest of those.
function timed(what, values, compared, comparison, limit,    i, r, v, c, lo, hi) {
  for (i = 1; i <= NR; i++) { r[i] = values[i] / compared[i]; v[i] = values[i]; c[i] = compared[i] }
  lo = r[1]; hi = r[1]
  for (i = 2; i <= NR; i++) { if (r[i] < lo) lo = r[i]; if (r[i] > hi) hi = r[i] }
  ratio = median(r, NR)
  printf "%-46s %7.1f ms = %4.2fx %s (%.1f ms; %d rounds %.2f-%.2fx), target at most %.1fx: %s\n",
         what, median(v, NR), ratio, comparison, median(c, NR), NR, lo, hi, limit, verdict(ratio, limit)
}
{ label[NR] = $1; none[NR] = $2; text[NR] = $3; raf[NR] = $4 - $2; cat[NR] = $5 }
END {
  timed("Start-up, no file", none, label, "the one-label window", 1.2)
  timed("Start-up, 9999-record text file", text, label, "the one-label window", 1.3)
  timed("Start-up, added by the 100000-record RAF file", raf, cat, "cat of the file", 3.0)
  ratio = (peak - bare) / records
  printf "%-46s %7.1f MB = %4.2fx the records bytes (%.1f MB), target at most 1.2x: %s\n",
         "Peak memory above the bare window, RAF file", peak - bare, ratio, records, verdict(ratio, 1.2)
  share("  of which the editor with no file", empty - bare)
  share("  of which the RAF file", peak - empty)
}' "$medians"
