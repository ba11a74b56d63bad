#!/usr/bin/env bash
# The package as a user gets it: checks both ZIPs against their SHA-256, their
# lists, times and the exe's header (package_test.py), that nothing in the exe
# registers an SEH frame, then runs package_test.exe under Wine against the
# unpacked demo ZIP.
# Usage: package_test.sh <deploy zip> <demo zip> <program in the build tree> <work folder>
#                        <source dir> <objdump> <wine-run.sh> <package_test.exe>
set -euo pipefail
zip=$1 demo=$2 built_exe=$3 work=$4 source=$5 objdump=$6 runner=$7 test_exe=$8

for z in "$zip" "$demo"; do
    if [ ! -f "$z" ] || [ "$built_exe" -nt "$z" ]; then
        echo "package_test: $z is missing or older than the program;" \
            "build it first: cmake --build --preset win32 --target package" >&2
        exit 1
    fi
    (cd "$(dirname "$z")" && sha256sum -c "$(basename "$z").sha256")
done

# The time the build writes: SOURCE_DATE_EPOCH, else the commit's (cmake/packaging.cmake).
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$source" log -1 --format=%ct 2>/dev/null || echo 1640995200)}
rm -rf "$work"
mkdir -p "$work"
python3 "$(dirname "$0")/package_test.py" "$zip" "$demo" "$source" "$epoch" "$work"

folder=$(cd "$work" && cd "$(basename "$demo" .zip)" && pwd)
# The image is marked NO_SEH: Windows ends a process whose exception reaches a
# handler that such an image put on the SEH chain (a write to %fs:0).
if "$objdump" -d "$folder/Dorvik22ToZq13_U.exe" | grep -E ',%fs:0x0$'; then
    echo "package_test: the exe registers an SEH frame" >&2
    exit 1
fi

export LINK_PACKAGE_DIR="Z:$(printf '%s' "$folder" | tr / '\\')"
unset LINK_HOST_DATA
exec "$runner" "$test_exe"
