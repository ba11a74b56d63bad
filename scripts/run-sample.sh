#!/usr/bin/env bash
# Builds the program and runs it under Wine on the bundled sample host data,
# started the way a parent application starts it; prints what it posts back.
# Usage: run-sample.sh [output path (Windows path)] [function ID]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/ensure-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Dorvik22ToZq13_U link_parent

winpath() { printf 'Z:%s' "$(cd "$1" && pwd | tr / '\\')"; }

run_dir=build/win32/run
mkdir -p "$run_dir"
cp build/win32/app/Dorvik22ToZq13_U.exe sample/demo/* "$run_dir/"
export LINK_HOST_DATA="${LINK_HOST_DATA:-$(winpath sample/hostdata)}"
exe="$(winpath "$run_dir")\\Dorvik22ToZq13_U.exe"
out="${1:-$(winpath "$run_dir")\\report.xml}"
echo "host data: $LINK_HOST_DATA"
xvfb-run -a -s "-screen 0 1280x1024x24" bash scripts/wine-session.sh build/win32 \
    wine build/win32/tests/wine/link_parent.exe "$exe" "$out" "${2:-1}"
