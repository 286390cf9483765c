#!/usr/bin/env bash
# Varied copies against identical copies and the bare-Qt floor: 30 copies of the 20-question
# A4 sheet to a 600-dpi PDF, best of RUNS runs each, and the peak resident size of 10, 30
# and 60 varied copies.
#   bench/vary_bench.sh BUILD_DIR [FLOOR_BINARY] [RUNS]
set -euo pipefail
build=${1:?usage: vary_bench.sh BUILD_DIR [FLOOR_BINARY] [RUNS]}
floor=${2:-}
runs=${3:-3}
root=$(cd "$(dirname "$0")/.." && pwd)
velmix="$build/velmix"
sheet="$root/bench/print_sheet20.prp"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export SOURCE_DATE_EPOCH=1765094400 QT_QPA_PLATFORM=offscreen XDG_DATA_HOME="$out/data"

# Best wall time (s) and its peak RSS (kB) of RUNS runs of a command.
best() {
  local bestTime="" bestRss=""
  for _ in $(seq "$runs"); do
    /usr/bin/time -f "%e %M" -o "$out/t" "$@" >/dev/null 2>"$out/err" ||
      { cat "$out/err" >&2; exit 1; }
    read -r t rss <"$out/t"
    if [ -z "$bestTime" ] || awk "BEGIN{exit !($t < $bestTime)}"; then bestTime=$t; bestRss=$rss; fi
  done
  echo "$bestTime $bestRss"
}

render=("$velmix" render "$root/course" --prp "$sheet" --numbered)
read -r same sameRss < <(best "${render[@]}" -o "$out/same.pdf" --copies 30)
read -r varied variedRss < <(best "${render[@]}" -o "$out/varied.pdf" --copies 30 --vary 20261208)
read -r booklet bookletRss < <(best "${render[@]}" -o "$out/keys.pdf" --copies 30 --vary 20261208 --key-booklet)
printf '%-34s %8s s %9s kB\n' "identical copies (30)" "$same" "$sameRss" \
  "varied copies (30)" "$varied" "$variedRss" "key booklet (30 copies)" "$booklet" "$bookletRss"
awk -v v="$varied" -v s="$same" 'BEGIN{printf "varied / identical: %.2f (goal <= 2)\n", v / s}'
if [ -n "$floor" ]; then
  read -r bare bareRss < <(best "$floor" "$out/floor.pdf")
  printf '%-34s %8s s %9s kB\n' "bare-Qt floor pdf30" "$bare" "$bareRss"
  awk -v v="$varied" -v f="$bare" 'BEGIN{printf "varied / floor: %.2f (goal <= 3)\n", v / f}'
fi
for n in 10 30 60; do
  read -r t rss < <(best "${render[@]}" -o "$out/v$n.pdf" --copies "$n" --vary 20261208)
  printf 'varied copies %-3s %8s s  peak RSS %9s kB\n' "$n" "$t" "$rss"
done
