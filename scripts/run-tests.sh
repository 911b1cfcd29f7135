#!/usr/bin/env bash
# Builds and runs every test: the core and Qt tests (Release), the core tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, and a short smoke run of every fuzz
# target. Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)

echo "== Release build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure

echo "== Core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESVAR_QT=OFF \
  -DTESVAR_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure

echo "== Fuzz smoke"
FUZZ_SECONDS="${FUZZ_SECONDS:-15}" scripts/fuzz-smoke.sh build-fuzz
