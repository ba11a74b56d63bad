#!/usr/bin/env bash
# Takes screenshots of the conditions dialog and of the progress window under
# Wine and Xvfb with the Japanese font, through the driver (tests/wine), on a
# copy of the sample host data without remembered choices, at 96 and at 144
# DPI, and the conditions dialog again under a system locale whose code page
# is 1252; writes
#   docs/screenshots/conditions-dialog.png       progress-window.png
#   docs/screenshots/conditions-dialog-144dpi.png progress-window-144dpi.png
#   docs/screenshots/conditions-dialog-cp1252.png
# The pictures come from copies of the build's Wine prefixes with the themed
# look (Wine's light theme), Wine's own Marlett font in its Fonts folder and
# the display's LogPixels set per run; the prefixes the tests use stay as they
# are.
# Installs ImageMagick for the PNG conversion and Wine's fonts (fonts-wine),
# needed here only, not by the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/ensure-deps.sh
missing=()
for p in imagemagick fonts-wine; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    echo "screenshots: installing ${missing[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
# The packaged ImageMagick, whatever else is first on PATH under that name.
convert=/usr/bin/convert
[ -x "$convert" ] || convert=convert

build=${LINK_BUILD_DIR:-build/win32}
cmake --preset win32 -B "$build" >/dev/null
cmake --build "$build" -j2 --target Dorvik22ToZq13_U link_driver_cli

winpath() { printf 'Z:%s' "$(cd "$1" && pwd | tr / '\\')"; }

# The prefixes for the pictures: copies of the build's (made first if
# missing), in a folder each. Arguments: the folder, the prefix's name and
# wine-session.sh's locale option.
copy_prefix() {
    local shots=$1 prefix=$2
    shift 2
    if [ ! -f "$shots/$prefix/system.reg" ]; then
        bash scripts/wine-session.sh "$@" "$build" true
        rm -rf "$shots"
        mkdir -p "$shots"
        cp -a "$build/$prefix" "$shots/"
    fi
    # The title bar draws its close box as the letter "r" of the Marlett
    # symbol font. This Wine looks for its own fonts beside its data folder,
    # not in /usr/share/wine/fonts where fonts-wine puts them, so without this
    # copy the font mapper picks another face and the box shows a Latin "r".
    cp /usr/share/wine/fonts/marlett.ttf "$shots/$prefix/drive_c/windows/Fonts/"
}
copy_prefix "$build/screenshots-prefix" wineprefix
copy_prefix "$build/screenshots-prefix-cp1252" wineprefix-cp1252 --cp1252
# A Windows of another locale shows the templates' "ＭＳ Ｐゴシック", and
# the title bar's Japanese through its font links to "MS UI Gothic", once its
# Japanese fonts are installed (an optional feature); without them every
# Japanese character is a box. The IPA font stands in for both here.
for face in 'ＭＳ Ｐゴシック' 'MS UI Gothic'; do
    bash scripts/wine-session.sh --cp1252 "$build/screenshots-prefix-cp1252" \
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d IPAPGothic /f >/dev/null
done

# One run of the program at the given DPI: the dialog, then F12 and the
# progress window once a third of the work is done. Arguments: DPI, the
# pictures' suffix, the names of the pictures to keep, then wine-session.sh's
# locale option and the folder of the prefix.
shoot() {
    local dpi=$1 suffix=$2 names=$3
    shift 3
    local session=("$@")
    local work=$build/screenshots/$dpi$suffix
    rm -rf "$work"
    mkdir -p "$work/hostdata" "$work/out"
    cp "$build/app/Dorvik22ToZq13_U.exe" sample/demo/* "$work/"
    cp sample/hostdata/* "$work/hostdata/"
    # The settings folder inside the work folder: the dialog shows the data
    # set's defaults, not what an earlier run remembered.
    python3 - "$work/hostdata/host.ini" "$(winpath "$work")\\settings\\" <<'PY'
import re
import sys
path, folder = sys.argv[1], sys.argv[2].encode("cp932")
data = open(path, "rb").read()
open(path, "wb").write(re.sub(rb"(?m)^Settings=[^\r\n]*", lambda m: b"Settings=" + folder, data))
PY
    LINK_HOST_DATA="$(winpath "$work/hostdata")" xvfb-run -a -s "-screen 0 1280x1024x24" \
        bash scripts/wine-session.sh "${session[@]}" bash -c '
            theme="HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager"
            wine reg add "$theme" /v ThemeActive /d 1 /f >/dev/null
            wine reg add "$theme" /v DllName /d "C:\windows\resources\themes\light\light.msstyles" /f >/dev/null
            wine reg add "$theme" /v ColorName /d Blue /f >/dev/null
            wine reg add "$theme" /v SizeName /d NormalSize /f >/dev/null
            wine reg add "HKCU\Control Panel\Desktop" /v LogPixels /t REG_DWORD /d "$0" /f >/dev/null
            # A new wineserver and a new Wine process read the setting.
            wineserver -k
            wineserver -w
            wineserver -p || true
            wine wineboot </dev/null >/dev/null 2>&1 || true
            exec wine "$@"' "$dpi" \
        "$build/tests/wine/link_driver.exe" "$(winpath "$work")\\Dorvik22ToZq13_U.exe" \
        dialog sleep 500 shot "$work/conditions-dialog.bmp" \
        set 1015 "$(winpath "$work/out")\\report.xml" to-month-end key F12 \
        progress 30 shot "$work/progress-window.bmp" exit YES

    mkdir -p docs/screenshots
    for name in $names; do
        # No time stamps in the file: the same picture gives the same bytes.
        "$convert" "$work/$name.bmp" -strip -define png:exclude-chunk=date,time \
            "docs/screenshots/$name$suffix.png"
        echo "wrote docs/screenshots/$name$suffix.png"
    done
}

shoot 96 "" "conditions-dialog progress-window" "$build/screenshots-prefix"
shoot 144 -144dpi "conditions-dialog progress-window" "$build/screenshots-prefix"
shoot 96 -cp1252 conditions-dialog --cp1252 "$build/screenshots-prefix-cp1252"
