#!/usr/bin/env bash
# Installs what is missing, builds the program (Release) and starts it on a copy of the
# bundled course: the copy is the working directory, which is the master folder, so the
# records, passwords and worksheets saved while trying the program land in the copy and
# never in the repository's course/. The copy (out/course, an ignored folder; or the
# folder VELMIX_RUN_COURSE names) is made when it is missing; delete it to start afresh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${VELMIX_RUN_BUILD:-build/release}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELMIX_TESTS=OFF -DVELMIX_BENCH=OFF
cmake --build "$build" -j "$(nproc)" --target velmix
exe="$(pwd)/$build/velmix"
copy=${VELMIX_RUN_COURSE:-out/course}
if [ ! -e "$copy/Main.ind" ]; then
  mkdir -p "$copy"
  cp -R course/. "$copy/"
  echo "A copy of the course for trying the program: $copy"
fi
cd "$copy"
exec "$exe" "$@"
