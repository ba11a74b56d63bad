#!/usr/bin/env bash
# Builds the program and runs it under Wine on the bundled sample host data,
# started the way a parent application starts it (output path on the command
# line); prints what it shows and posts back, and what the report holds.
#
# Without a display ($DISPLAY empty) it runs under Xvfb and the driver fills
# the conditions dialog: to month = the month the fiscal period ends, the tax
# mode as offered, then F12, answering Yes when asked to create the output
# folder.
# With a display the dialog is left to you.
#
# Usage: run-sample.sh [output file (default build/win32/run/out/report.xml)] [function ID]
# LINK_HOST_DATA (a Windows path) names another host data folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/ensure-deps.sh

build=${LINK_BUILD_DIR:-build/win32}
cmake --preset win32 -B "$build" >/dev/null
cmake --build "$build" -j2 --target Dorvik22ToZq13_U link_driver_cli

winpath() { printf 'Z:%s' "$(cd "$1" && pwd | tr / '\\')"; }

run_dir=$build/run
out=$(realpath -m "${1:-$run_dir/out/report.xml}")
out_win="Z:$(printf '%s' "$out" | tr / '\\')"
fid=${2:-1}
mkdir -p "$run_dir"
cp "$build/app/Dorvik22ToZq13_U.exe" sample/demo/* "$run_dir/"
export LINK_HOST_DATA="${LINK_HOST_DATA:-$(winpath sample/hostdata)}"
exe="$(winpath "$run_dir")\\Dorvik22ToZq13_U.exe"
driver="$build/tests/wine/link_driver.exe"
echo "host data: $LINK_HOST_DATA"

log=$run_dir/driver.log
status=0
if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1280x1024x24" bash scripts/wine-session.sh "$build" \
        wine "$driver" "$exe" --parent "$fid,$out_win" dialog to-month-end key F12 exit YES | tee "$log" ||
        status=$?
else
    echo "fill in the dialog; this waits until the program ends"
    bash scripts/wine-session.sh "$build" wine "$driver" "$exe" --parent "$fid,$out_win" exit none | tee "$log" ||
        status=$?
fi
if [ "$status" -ne 0 ]; then
    echo "run-sample: the driver failed ($status)" >&2
    exit "$status"
fi
if ! grep -q '^result: 0 ' "$log"; then
    echo "no report was written"
    exit 0
fi

# The report is Shift_JIS with a declaration Python's parser does not take
# itself: decode first, then parse.
python3 - "$out" <<'EOF'
import sys
import xml.etree.ElementTree as ET

path = sys.argv[1]
text = open(path, "rb").read().decode("cp932")
root = ET.fromstring(text.split("?>", 1)[1])
basic = root.find("BASIC")
print(f"report: {path}")
print(f"company: {basic.findtext('KOMONSAKINAME')}, fiscal period "
      f"{basic.findtext('JIGYOUNENDOFROM')} to {basic.findtext('JIGYOUNENDOTO')}")
print(f"accounts: {len(root.findall('DATA/KANJYOKAMOKU'))}, "
      f"sub-accounts: {len(root.findall('DATA/KANJYOKAMOKU/HOJYOKAMOKU'))}")
EOF
