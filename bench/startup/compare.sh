#!/usr/bin/env bash
# Start-up of a saver (exec to the end of dispatch) against `unzip -o -q` of the same
# package archive: both medians and their ratio.
set -euo pipefail
build=${1:?build folder}
"$build/bin/bench_startup" --benchmark_format=json --benchmark_repetitions=15 \
    --benchmark_report_aggregates_only=true 2>/dev/null | python3 -c '
import json, sys
runs = {b["run_name"].split("/")[0]: b for b in json.load(sys.stdin)["benchmarks"]
        if b.get("aggregate_name") == "median"}
saver = runs["BM_SaverStartup"]; unzip = runs["BM_UnzipSameArchive"]
for what, key in (("wall", "real_time"), ("CPU", "child_cpu_ms")):
    print(f"{what}: saver start-up median {saver[key]:.2f} ms, unzip median {unzip[key]:.2f} ms,"
          f" ratio {saver[key] / unzip[key]:.2f}")
'
