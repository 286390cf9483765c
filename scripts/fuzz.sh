#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang (AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs each of them for the given time, starting from seeds made of the bundled course.
#
#   scripts/fuzz.sh [SECONDS_PER_HARNESS] [HARNESS...]     (default 60 s, every harness)
#
# Corpora grow in build/fuzz/corpus/NAME, findings land in build/fuzz/findings/NAME. At the
# end a table gives the executions and the findings of each harness.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
harnesses=("$@")
[ ${#harnesses[@]} -eq 0 ] &&
  harnesses=(unit_reader worksheet_file course_index profile typeset page_layout keys)

for tool in clang-14 clang++-14; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: apt-get install clang-14 libclang-rt-14-dev" >&2; exit 2; }
done
build=${VELMIX_FUZZ_BUILD:-build/fuzz}
CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -DVELMIX_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j 2 >/dev/null

# Seeds: the course's own files, worksheet files made from its units, formulas of its
# question lines and a small settings file.
seed() {
  local name=$1
  local dir="$build/corpus/$name"
  mkdir -p "$dir"
  [ -n "$(ls -A "$dir")" ] && return
  case $name in
  unit_reader) cp course/*/*.que "$dir"/ ;;
  course_index) for f in course/*/*.ind; do cat course/Main.ind "$f" > "$dir/$(basename "$f")"; done ;;
  worksheet_file | page_layout)
    for f in course/*/*.que; do
      python3 - "$f" "$dir/$(basename "$f" .que).prp" <<'PY'
import sys
lines = open(sys.argv[1], "rb").read().split(b"\r\n")
end = lines.index(b"]]") if b"]]" in lines else len(lines)
head = [b"[[unitX", b"<<header", b"title", b"school", b"name", b">>"]
open(sys.argv[2], "wb").write(b"\r\n".join(head + lines[1:end + 1]) + b"\r\n")
PY
    done ;;
  typeset)
    iconv -f CP932 -t UTF-8 course/*/*.que | grep '#' | head -200 | tr -d '\r' |
      awk -v d="$dir" '{ print > (d "/f" NR) }' ;;
  keys)
    # One unit's question block per seed.
    for f in course/*/*.que; do
      awk -v d="$dir" -v b="$(basename "$f" .que)" \
        '/^<<ques\r?$/ { n++; q = 1; next } /^>>\r?$/ { q = 0 } q { print > (d "/" b "_" n) }' "$f"
    done ;;
  profile) printf '[password]\r\npw=abc\r\n[S11(1) a]\r\n1=x\r\n2=y\r\n' > "$dir/records.ini" ;;
  esac
}

# The number library's start-up allocations are not leaks of ours.
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
declare -A runs finds
for name in "${harnesses[@]}"; do
  seed "$name"
  mkdir -p "$build/findings/$name"
  log="$build/findings/$name.log"
  echo "fuzzing $name for $seconds s"
  set +e
  "$build/fuzz/fuzz_$name" "$build/corpus/$name" -dict=fuzz/course.dict \
    -max_total_time="$seconds" -max_len=65536 -timeout=20 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/findings/$name/" >"$log" 2>&1
  status=$?
  set -e
  runs[$name]=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  finds[$name]=$(find "$build/findings/$name" -type f | wc -l)
  [ $status -ne 0 ] && echo "  $name stopped with a finding: see $log" >&2
done

total=0
printf '%-16s %14s %9s\n' harness executions findings
for name in "${harnesses[@]}"; do
  printf '%-16s %14s %9s\n' "$name" "${runs[$name]}" "${finds[$name]}"
  total=$((total + ${runs[$name]:-0}))
done
printf '%-16s %14s\n' total "$total"
