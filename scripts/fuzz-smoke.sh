#!/usr/bin/env bash
# Builds the `fuzz` preset and runs every fuzz target briefly over its seed
# corpus; fails on any crash, leak or broken property. Crash inputs go to
# build/fuzz/smoke-artifacts/ (reproduce: build/fuzz/fuzz/fuzz_<target> <file>).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SMOKE_SECONDS:-10}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

out=build/fuzz
mkdir -p "$out/smoke-artifacts"
failed=()
for t in command_line program_level support_info dest_record dest_path host_data full_width report_writer; do
    # A fresh working corpus each time, so that a smoke run depends only on the seeds.
    work=$(mktemp -d)
    log=$out/smoke-$t.log
    if "$out/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -detect_leaks=0 -print_final_stats=1 \
        -artifact_prefix="$out/smoke-artifacts/$t-" "$work" "fuzz/corpus/$t" >"$log" 2>&1; then
        echo "fuzz $t: ok, $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") runs"
    else
        echo "fuzz $t: FAILED (log $log)"
        tail -n 30 "$log"
        failed+=("$t")
    fi
    rm -rf "$work"
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz smoke failed: ${failed[*]}"
    exit 1
fi
