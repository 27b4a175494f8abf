#!/usr/bin/env bash
# Builds the platform-free code with clang under AddressSanitizer and UBSan, runs the unit
# tests, then fuzzes the minutes rule for a while. Exits non-zero on any failure.
#   BUILD_DIR     build directory (default build/sanitize, relative to the repository)
#   FUZZ_SECONDS  how long the fuzzer runs (default 60)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${BUILD_DIR:-build/sanitize}"
case "$build_dir" in
/*) ;;
*) build_dir="$root/$build_dir" ;;
esac
fuzz_seconds="${FUZZ_SECONDS:-60}"

cd "$root"
cmake --preset sanitize -B "$build_dir"
cmake --build "$build_dir"
ctest --test-dir "$build_dir" --output-on-failure

fuzzer="$build_dir/tests/fuzz/fuzz_period"
if [ ! -x "$fuzzer" ]; then
    echo "sanitize-and-fuzz: $fuzzer was not built" >&2
    exit 1
fi
# New inputs go to the first corpus directory, so the committed seeds stay as they are.
work="$build_dir/fuzz"
mkdir -p "$work/corpus" "$work/artifacts"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
"$fuzzer" -max_total_time="$fuzz_seconds" -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$work/corpus" "$root/tests/fuzz/corpus"
echo "sanitize-and-fuzz: unit tests passed and ${fuzz_seconds}s of fuzzing found nothing"
