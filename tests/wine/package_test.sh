#!/usr/bin/env bash
# The package as a user gets it: checks the ZIP against its SHA-256 and its
# list of files, unpacks it into a new folder, and runs package_test.exe under
# Wine against the unpacked folder.
# Usage: package_test.sh <zip> <program in the build tree> <work folder> <source dir> <wine-run.sh> <package_test.exe>
set -euo pipefail
zip=$1 built_exe=$2 work=$3 source=$4 runner=$5 test_exe=$6

if [ ! -f "$zip" ] || [ "$built_exe" -nt "$zip" ]; then
    echo "package_test: $zip is missing or older than the program;" \
        "build it first: cmake --build --preset win32 --target package" >&2
    exit 1
fi
(cd "$(dirname "$zip")" && sha256sum -c "$(basename "$zip").sha256")

rm -rf "$work"
mkdir -p "$work"
python3 - "$zip" "$work" "$source" <<'PY'
import os
import sys
import zipfile

zip_path, work, source = sys.argv[1:]
top = os.path.basename(zip_path)[: -len(".zip")] + "/"
usage = "使い方.txt"
hostdata = sorted(n for n in os.listdir(os.path.join(source, "sample", "hostdata")) if not n.startswith("."))
same_as_source = {
    "KolvarenDef.ini": "sample/demo/KolvarenDef.ini",
    "SUPPORT.INF": "sample/demo/SUPPORT.INF",
    "report.xsd": "docs/report.xsd",
    usage: "pack/" + usage,
}
same_as_source.update({"hostdata/" + n: "sample/hostdata/" + n for n in hostdata})
expected = sorted([top + n for n in same_as_source] + [top + "Dorvik22ToZq13_U.exe", top + "hostdata/"])

with zipfile.ZipFile(zip_path) as z:
    names = sorted(z.namelist())
    if names != expected:
        sys.exit(f"files in the package:\n  {names}\nexpected:\n  {expected}")
    for name, src in same_as_source.items():
        if z.read(top + name) != open(os.path.join(source, src), "rb").read():
            sys.exit(f"{name} differs from {src}")
    # The name in UTF-8 with the flag that says so (bit 11), as Windows'
    # own unpacking and other tools read it.
    if not z.getinfo(top + usage).flag_bits & 0x800:
        sys.exit(f"{usage}: stored without the UTF-8 flag")
    text = z.read(top + usage)
    if text.count(b"\n") != text.count(b"\r\n") or not text.endswith(b"\r\n"):
        sys.exit(f"{usage}: not CR LF throughout")
    if "<親ウィンドウ>,<メッセージ番号>,<機能ID>,<出力先パス>".encode("cp932") not in text:
        sys.exit(f"{usage}: no Shift_JIS command line")
    z.extractall(work)
print(f"unpacked {len(names)} entries into {work}")
PY

folder=$(cd "$work" && cd "$(basename "$zip" .zip)" && pwd)
export LINK_PACKAGE_DIR="Z:$(printf '%s' "$folder" | tr / '\\')"
unset LINK_HOST_DATA
exec "$runner" "$test_exe"
