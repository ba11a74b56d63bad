#!/usr/bin/env bash
# Wall times of complete and cancelled runs of the real program under Wine and
# Xvfb, driven through the end-to-end driver, at the sample company and at
# synthetic host data of 1,000 and 32,768 records; and of the work alone
# (aggregation and report, no progress window). Prints medians in ms.
# The program is started by the driver's window as its parent application;
# PARENT=0 starts it alone.
# Usage: bench-progress.sh [runs]   (EXE=<program> measures another build)
set -euo pipefail
cd "$(dirname "$0")/.."

winpath() { printf 'Z:%s' "$(cd "$1" && pwd | tr / '\\')"; }

# Inside the Wine session: one set of runs per data set.
if [ "${1:-}" = "--measure" ]; then
    root=$2 runs=$3 started=parent
    [ "${PARENT:-1}" = 0 ] && started=
    for set in sample 1000 32768; do
        dir=$root/$set
        data="$(winpath "$dir/hostdata")"
        out="$(winpath "$dir/out")\\report.xml"
        LINK_HOST_DATA="$data" wine build/win32/tests/wine/run_timing.exe exe \
            "$(winpath "$dir")\\Dorvik22ToZq13_U.exe" "$out" "$runs" | sed "s/^/$set /"
        wine build/win32/tests/wine/run_timing.exe work "$data" "$out" "$runs" | sed "s/^/$set /"
    done
    exit 0
fi

runs=${1:-5}
bash scripts/ensure-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Dorvik22ToZq13_U run_timing
cmake --preset native >/dev/null
cmake --build --preset native --target make_hostdata

exe_src=${EXE:-build/win32/app/Dorvik22ToZq13_U.exe}
root=build/win32/bench-progress
rm -rf "$root"
for set in sample 1000 32768; do
    dir=$root/$set
    mkdir -p "$dir/out"
    cp "$exe_src" "$dir/Dorvik22ToZq13_U.exe"
    cp sample/demo/* "$dir/"
    if [ "$set" = sample ]; then
        cp -r sample/hostdata "$dir/hostdata"
    else
        build/native/tools/make_hostdata "$dir/hostdata" "$set" >/dev/null
    fi
    # Remembered choices stay inside the run folder.
    python3 - "$dir/hostdata/host.ini" "$(winpath "$dir")\\settings\\" <<'PY'
import re, sys
path, folder = sys.argv[1], sys.argv[2].encode("cp932")
data = open(path, "rb").read()
open(path, "wb").write(re.sub(rb"(?m)^Settings=[^\r\n]*", lambda m: b"Settings=" + folder, data))
PY
done

results=$root/results.txt
xvfb-run -a -s "-screen 0 1280x1024x24" bash scripts/wine-session.sh build/win32 \
    bash scripts/bench-progress.sh --measure "$root" "$runs" | tr -d '\r' | tee "$results"

python3 - "$results" <<'PY'
import statistics, sys
rows = [l.split() for l in open(sys.argv[1]) if l.strip()]
def med(xs): return statistics.median(xs) if xs else float("nan")
print(f"{'records':>8} {'kind':>9} {'start-up':>9} {'dialog':>7} {'stretch':>8} {'total':>8} {'work':>7} {'display':>8} {'report':>7} {'floor':>6}")
for s in ["sample", "1000", "32768"]:
    work = [(float(r[2]), float(r[3]), float(r[5])) for r in rows if r[0] == s and r[1] == "work"]
    agg, rep, flo = (med([w[i] for w in work]) for i in range(3))
    for kind in ["complete", "cancel"]:
        rs = [[float(x) for x in r[2:6]] for r in rows if r[0] == s and r[1] == kind]
        if not rs: continue
        su, dl, st, to = (med([r[i] for r in rs]) for i in range(4))
        w = agg + rep if kind == "complete" else 0.0
        disp = st - w if kind == "complete" else float("nan")
        print(f"{s:>8} {kind:>9} {su:9.0f} {dl:7.0f} {st:8.0f} {to:8.0f} {w:7.0f} {disp:8.0f} {rep:7.0f} {flo:6.0f}")
PY
