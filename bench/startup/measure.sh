#!/usr/bin/env bash
# Start to the shown main window and resident memory: velmix on a copy of the bundled
# course side by side with a bare Qt Widgets program showing an empty MDI main window,
# measured the same way (mapwatch), alternating, RUNS times each; prints the medians and
# the ratio of the start times.
#   bash bench/startup/measure.sh BUILD_DIR [RUNS]     (needs DISPLAY, e.g. Xvfb)
set -euo pipefail
build=$(cd "${1:?build folder with velmix and bench/startup}" && pwd)
runs=${2:-15}
root="$(cd "$(dirname "$0")/../.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/course" "$work/course"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
watch="$build/bench/startup/mapwatch"
: >"$work/velmix.txt"
: >"$work/bare.txt"
for _ in $(seq "$runs"); do
  (cd "$work/course" && "$watch" -- "$build/velmix") >>"$work/velmix.txt"
  "$watch" -- "$build/bench/startup/bare_mdi" >>"$work/bare.txt"
done
median() { sort -n -k"$2" "$1" | awk -v k="$2" '{a[NR]=$k} END {print a[int((NR+1)/2)]}'; }
printf '%-8s %10s %10s\n' program start_ms rss_kB
printf '%-8s %10s %10s\n' velmix "$(median "$work/velmix.txt" 1)" "$(median "$work/velmix.txt" 2)"
printf '%-8s %10s %10s\n' bare "$(median "$work/bare.txt" 1)" "$(median "$work/bare.txt" 2)"
awk -v a="$(median "$work/velmix.txt" 1)" -v b="$(median "$work/bare.txt" 1)" \
  'BEGIN {printf "start velmix / bare: %.2f\n", a / b}'
