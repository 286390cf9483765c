#!/usr/bin/env bash
# Installs what is missing, builds the program (Release) and starts it on the bundled
# course: the course folder is the working directory, which is the master folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${VELMIX_RUN_BUILD:-build/release}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELMIX_TESTS=OFF -DVELMIX_BENCH=OFF
cmake --build "$build" -j "$(nproc)" --target velmix
exe="$(pwd)/$build/velmix"
cd course
exec "$exe" "$@"
