#!/usr/bin/env bash
# Takes screenshots of the conditions dialog and of the progress window under
# Wine and Xvfb with the Japanese font, through the driver (tests/wine), on a
# copy of the sample host data without remembered choices, and writes
#   docs/screenshots/conditions-dialog.png
#   docs/screenshots/progress-window.png
# Installs ImageMagick for the PNG conversion (needed here only, not by the tests).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/ensure-deps.sh
if ! dpkg-query -W -f='${Status}' imagemagick 2>/dev/null | grep -q "install ok installed"; then
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    echo "screenshots: installing imagemagick"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq imagemagick >/dev/null
fi
# The packaged ImageMagick, whatever else is first on PATH under that name.
convert=/usr/bin/convert
[ -x "$convert" ] || convert=convert

build=${LINK_BUILD_DIR:-build/win32}
cmake --preset win32 -B "$build" >/dev/null
cmake --build "$build" -j2 --target Dorvik22ToZq13_U link_driver_cli

winpath() { printf 'Z:%s' "$(cd "$1" && pwd | tr / '\\')"; }

work=$build/screenshots
rm -rf "$work"
mkdir -p "$work/hostdata" "$work/out"
cp "$build/app/Dorvik22ToZq13_U.exe" sample/demo/* "$work/"
cp sample/hostdata/* "$work/hostdata/"
# The settings folder inside the work folder: the dialog shows the data set's
# defaults, not what an earlier run remembered.
python3 - "$work/hostdata/host.ini" "$(winpath "$work")\\settings\\" <<'EOF'
import re
import sys
path, folder = sys.argv[1], sys.argv[2].encode("cp932")
data = open(path, "rb").read()
open(path, "wb").write(re.sub(rb"(?m)^Settings=[^\r\n]*", lambda m: b"Settings=" + folder, data))
EOF
export LINK_HOST_DATA="$(winpath "$work/hostdata")"

# The output folder exists, so F12 goes straight to the progress window; the
# progress window is shot once a third of the work is done.
xvfb-run -a -s "-screen 0 1280x1024x24" bash scripts/wine-session.sh "$build" \
    wine "$build/tests/wine/link_driver.exe" "$(winpath "$work")\\Dorvik22ToZq13_U.exe" \
    dialog sleep 500 shot "$work/conditions-dialog.bmp" \
    set 1015 "$(winpath "$work/out")\\report.xml" to-month-end key F12 \
    progress 30 shot "$work/progress-window.bmp" exit YES

mkdir -p docs/screenshots
for name in conditions-dialog progress-window; do
    # No time stamps in the file: the same picture gives the same bytes.
    "$convert" "$work/$name.bmp" -strip -define png:exclude-chunk=date,time "docs/screenshots/$name.png"
    echo "wrote docs/screenshots/$name.png"
done
