#!/usr/bin/env bash
# The course check beside its yardsticks, whole processes, interleaved, RUNS times each;
# prints the median wall times in milliseconds and the ratios.
#   bash bench/course_check.sh BUILD_DIR [RUNS] [WORK_DIR]
# BUILD_DIR: a Release build with velmix, velmix_check and bench/make_distinct_course.
# WORK_DIR (default /tmp/velmix-course-check) keeps the two courses between runs:
#   synthetic50 - the 50 MB synthetic course (synthetic_course.py, 5 similar questions),
#                 checked beside `cat Main.ind L*/*.ind L*/*.que | wc -l` on its files;
#   distinct    - 10,000 distinct questions (make_distinct_course), checked with --keys
#                 beside the check without it.
# SYNTHETIC_COURSE_PY names the synthetic course script (default: the shared peers copy).
set -euo pipefail
build=$(cd "${1:?Release build folder}" && pwd)
runs=${2:-9}
work=${3:-/tmp/velmix-course-check}
root="$(cd "$(dirname "$0")/.." && pwd)"
script=${SYNTHETIC_COURSE_PY:-/work/shared/peers/synthetic_course.py}
velmix="$build/velmix"
mkdir -p "$work"
if [ ! -f "$work/synthetic50/Main.ind" ]; then
  VELMIX_COURSE="$root/course" python3 "$script" "$work/synthetic50" 50 5 >/dev/null
fi
if [ ! -f "$work/distinct/Main.ind" ]; then
  "$build/bench/make_distinct_course" "$work/distinct" 10000 >/dev/null
fi

# Milliseconds of wall time of the command, its output thrown away.
ms() {
  local start=$EPOCHREALTIME
  "$@" >/dev/null 2>&1 || true
  local end=$EPOCHREALTIME
  echo $(( (${end/./} - ${start/./}) / 1000 ))
}
yardstick() { cd "$work/synthetic50" && cat Main.ind L*/*.ind L*/*.que | wc -l; }

: >"$work/cat.txt"; : >"$work/check.txt"; : >"$work/plain.txt"; : >"$work/keys.txt"
for _ in $(seq "$runs"); do
  ms yardstick >>"$work/cat.txt"
  ms "$velmix" check "$work/synthetic50" >>"$work/check.txt"
  ms "$velmix" check "$work/distinct" >>"$work/plain.txt"
  ms "$velmix" check --keys "$work/distinct" >>"$work/keys.txt"
done
median() { sort -n "$1" | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
cat_ms=$(median "$work/cat.txt"); check_ms=$(median "$work/check.txt")
plain_ms=$(median "$work/plain.txt"); keys_ms=$(median "$work/keys.txt")
printf '%-36s %8s ms\n' "cat | wc -l (synthetic 50 MB)" "$cat_ms" \
  "velmix check (synthetic 50 MB)" "$check_ms" \
  "velmix check (10,000 distinct)" "$plain_ms" \
  "velmix check --keys (10,000 distinct)" "$keys_ms"
awk -v a="$check_ms" -v b="$cat_ms" 'BEGIN {printf "check / cat:          %.2f (goal <= 2)\n", a / b}'
awk -v a="$keys_ms" -v b="$plain_ms" 'BEGIN {printf "check --keys / check: %.2f (goal <= 1.3)\n", a / b}'
