#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the unit tests, the unit
# tests and a bounded fuzz run under AddressSanitizer and UBSan, and the end-to-end tests that
# drive the real program under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

echo "== resources are what their generator draws"
python3 resources/make_resources.py --check

echo "== unit tests (native)"
cmake --preset native
cmake --build --preset native
ctest --preset native

echo "== unit tests and fuzzing under sanitizers"
bash scripts/sanitize-and-fuzz.sh

echo "== end-to-end tests (Windows program under Wine)"
cmake --preset win32
cmake --build --preset win32
bash tests/imports/check-imports.sh build/win32/timed-shutdown.exe
ctest --preset win32
