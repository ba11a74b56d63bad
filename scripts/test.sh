#!/usr/bin/env bash
# Builds and runs every test: natively (gcc, sanitizers, headless double) and
# as Windows binaries under Wine with a Japanese locale.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/ensure-deps.sh

echo "== native =="
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "== fuzz smoke =="
bash scripts/fuzz-smoke.sh

echo "== win32 (Wine) =="
cmake --preset win32 >/dev/null
cmake --build --preset win32
# The two ZIPs a Windows user downloads; package_test checks both and runs the demo one.
cmake --build --preset win32 --target package
xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash scripts/wine-session.sh build/win32 ctest --preset win32
