#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer
# (warnings as errors) and runs every test with ctest. Debug information is line tables only:
# enough for the sanitizers' reports to name file and line, and far less for the linker.
# The widely used Qt and test framework headers are precompiled once per target (VELMIX_PCH),
# and the tests' own files are built without optimisation.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${VELMIX_TEST_BUILD:-build/test}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DVELMIX_SANITIZE=ON -DVELMIX_WERROR=ON \
      -DVELMIX_BENCH=OFF -DVELMIX_PCH=ON -DCMAKE_CXX_FLAGS="-O1" -DCMAKE_CXX_FLAGS_DEBUG="-g1"
cmake --build "$build" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
