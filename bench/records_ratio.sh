#!/usr/bin/env bash
# "velmix records" and "velmix records --summary" against cat of the same learner files,
# interleaved, medians (records_ratio), at 1x and 2x the records for the CSV and 1x, 2x, 4x
# for the summary; then velmix's peak resident memory from /usr/bin/time -v at 1x and 2x.
#   bash bench/records_ratio.sh BUILD_DIR [ROUNDS]
# BUILD_DIR is a Release build with -DVELMIX_BENCH=ON and the targets velmix and
# records_ratio built.
set -euo pipefail
build=$(cd "${1:?Release build folder with velmix and bench/records_ratio}" && pwd)
rounds=${2:-21}
ratio="$build/bench/records_ratio"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for records in 3000 6000; do
  "$ratio" --records "$records" --rounds "$rounds"
done
for records in 3000 6000 12000; do
  "$ratio" --summary --records "$records" --rounds "$rounds"
done

echo "peak resident memory of velmix records (/usr/bin/time -v):"
for records in 3000 6000; do
  "$ratio" --records "$records" --rounds 1 --keep "$work/class$records" >/dev/null
  rss=$( { /usr/bin/time -v "$build/velmix" records "$work/class$records" >/dev/null; } 2>&1 |
        awk -F': ' '/Maximum resident set size/ {print $2}')
  rows=$("$build/velmix" records "$work/class$records" | wc -l)
  printf '  %5d records per file: %8d CSV lines, %7s kB\n' "$records" "$rows" "$rss"
done
