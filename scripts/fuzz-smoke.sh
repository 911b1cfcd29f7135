#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on everything) and runs each one for FUZZ_SECONDS seconds
# (default 20) on a copy of its seed corpus, fuzz/corpus/NAME for the target
# NAME_reader_fuzz. The repository is never written to: the corpus grows in a
# temporary folder. Exits non-zero when a target fails to build or crashes; the inputs
# that crashed are kept in BUILD/fuzz-artifacts/.
#
# usage: scripts/fuzz-smoke.sh [BUILD_DIR]     (default build-fuzz)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(realpath -m "${1:-build-fuzz}")"
seconds="${FUZZ_SECONDS:-20}"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTESVAR_FUZZ=ON -DTESVAR_QT=OFF -DTESVAR_TESTS=OFF

targets=()
for source in "$root"/fuzz/*.cpp; do
    [ -e "$source" ] || continue
    targets+=("$(basename "$source" .cpp)")
done
if [ "${#targets[@]}" -eq 0 ]; then
    echo "fuzz-smoke: no fuzz targets in $root/fuzz" >&2
    exit 1
fi
cmake --build "$build" --parallel 2 --target "${targets[@]}"

# A report from UndefinedBehaviorSanitizer stops the run like a crash does.
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
export ASAN_OPTIONS="abort_on_error=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"

work="$(mktemp -d "${TMPDIR:-/tmp}/tesvar-fuzz.XXXXXX")"
trap 'rm -rf "$work"' EXIT

failed=0
for target in "${targets[@]}"; do
    corpusName="${target%_fuzz}"
    corpusName="${corpusName%_reader}"
    mkdir -p "$work/$target/corpus" "$work/$target/artifacts"
    if [ -d "$root/fuzz/corpus/$corpusName" ]; then
        cp -R "$root/fuzz/corpus/$corpusName/." "$work/$target/corpus/"
    fi
    echo "fuzz-smoke: $target for ${seconds}s on $(ls "$work/$target/corpus" | wc -l) seed inputs"
    if ! (cd "$work/$target" &&
          "$build/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
              -artifact_prefix="$work/$target/artifacts/" corpus); then
        failed=1
        mkdir -p "$build/fuzz-artifacts/$target"
        cp -R "$work/$target/artifacts/." "$build/fuzz-artifacts/$target/"
        echo "fuzz-smoke: $target FAILED; inputs kept in $build/fuzz-artifacts/$target" >&2
    fi
done

if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "fuzz-smoke: every target ran ${seconds}s without a crash"
