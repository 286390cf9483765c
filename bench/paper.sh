#!/usr/bin/env bash
# Paper: 30 numbered copies of bench/print_sheet20.prp as a 600-dpi PDF, whole processes
# side by side with their yardsticks, interleaved RUNS times; prints the medians (ms) and
# the ratios. bench/print_floor (the sheet's own text in bare Qt) runs too when built.
#   bash bench/paper.sh BUILD_DIR [RUNS]
# BUILD_DIR is a Release build with the velmix target. The bare-Qt floor pdf30 is built
# from /work/shared/peers/qt-floor into $QT_FLOOR (default /tmp/qt-floor) when missing;
# pdflatex with the exam class (Debian texlive-latex-extra) runs when installed.
set -euo pipefail
build=$(cd "${1:?Release build folder with velmix}" && pwd)
runs=${2:-11}
root="$(cd "$(dirname "$0")/.." && pwd)"
peers=${PEERS:-/work/shared/peers}
floor=${QT_FLOOR:-/tmp/qt-floor}
if [ ! -x "$floor/pdf30" ]; then
  cmake -S "$peers/qt-floor" -B "$floor" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$floor" >/dev/null
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/course" "$work/course"
sheet="$root/bench/print_sheet20.prp"
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
latex=0
if command -v pdflatex >/dev/null && kpsewhich exam.cls >/dev/null 2>&1; then
  latex=1
  python3 "$peers/exam_sheet.py" 30 >"$work/exam30.tex"
fi

# Milliseconds the command takes, appended to the file named first.
timed() {
  local out=$1
  shift
  local t0 t1
  t0=$(date +%s%N)
  "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
  t1=$(date +%s%N)
  echo $(((t1 - t0) / 1000000)) >>"$out"
}
printer() { "$build/velmix" render "$work/course" --prp "$sheet" --copies 30 --numbered \
              --mode printer -o "$work/printer.pdf"; }
screen() { "$build/velmix" render "$work/course" --prp "$sheet" --copies 30 --numbered \
             --mode screen -o "$work/screen.pdf"; }
latex() { (cd "$work" && pdflatex -interaction=batchmode exam30.tex); }

for _ in $(seq "$runs"); do
  timed "$work/printer.txt" printer
  timed "$work/floor.txt" "$floor/pdf30" "$work/floor.pdf"
  [ -x "$build/bench/print_floor" ] && timed "$work/sheetfloor.txt" "$build/bench/print_floor" "$work/sf.pdf" 30
  timed "$work/screen.txt" screen
  [ "$latex" = 1 ] && timed "$work/latex.txt" latex
done
median() { sort -n "$1" | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
p=$(median "$work/printer.txt")
f=$(median "$work/floor.txt")
s=$(median "$work/screen.txt")
printf '%-22s %8s\n' job median_ms
printf '%-22s %8s\n' "velmix --mode printer" "$p" "velmix --mode screen" "$s" "pdf30 (bare Qt)" "$f"
[ -s "$work/sheetfloor.txt" ] && printf '%-22s %8s\n' "print_floor (sheet)" "$(median "$work/sheetfloor.txt")"
[ "$latex" = 1 ] && printf '%-22s %8s\n' "pdflatex exam" "$(median "$work/latex.txt")"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
echo "printer / pdf30:      $(ratio "$p" "$f")   (goal <= 1.3)"
[ -s "$work/sheetfloor.txt" ] && echo "printer / print_floor: $(ratio "$p" "$(median "$work/sheetfloor.txt")")"
[ "$latex" = 1 ] && echo "printer / pdflatex:   $(ratio "$p" "$(median "$work/latex.txt")")   (goal <= 0.15)"
echo "screen / printer:     $(ratio "$s" "$p")   (goal <= 2)"
