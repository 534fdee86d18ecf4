#!/usr/bin/env bash
# Compares TSimpleRSS.LoadFromStream (bench_feeds) on the benchmark's generated feed with
# libxml2's own parse of the same bytes (goal: at most 1.1 times its CPU time), and shows
# Debian's python3-feedparser on the same feed for reference, run by Debian's own python3
# so that another python on PATH cannot hide the package.
set -euo pipefail
build=${1:?build folder}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bin/bench_feeds" --write-feed "$work/feed.xml"
"$build/bin/bench_feeds" --benchmark_format=json --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true >"$work/ours.json"
/usr/bin/python3 - "$work/feed.xml" "$work/ours.json" <<'PY'
import json, sys, time
import feedparser
path, ours_path = sys.argv[1], sys.argv[2]
data = open(path, "rb").read()
runs = []
for _ in range(3):
    start = time.perf_counter()
    parsed = feedparser.parse(data)
    runs.append(time.perf_counter() - start)
assert len(parsed.entries) == 10000, len(parsed.entries)
theirs_ms = min(runs) * 1000
medians = {b["run_name"]: b for b in json.load(open(ours_path))["benchmarks"]
           if b.get("aggregate_name") == "median"}
ours_ms = medians["BM_LoadFromStream"]["cpu_time"]
libxml2_ms = medians["BM_Libxml2Parse"]["cpu_time"]
print(f"feed: {len(data) / 1e6:.1f} MB, 10000 items")
print(f"feedparser {feedparser.__version__}: {theirs_ms:.0f} ms (best of 3)")
print(f"TSimpleRSS.LoadFromStream: {ours_ms:.1f} ms CPU (median of 3), "
      f"{len(data) / 1e6 / (ours_ms / 1000):.0f} MB/s, "
      f"peak growth {medians['BM_LoadFromStream']['peak_growth_MB']:.0f} MB")
ratio = ours_ms / libxml2_ms
print(f"libxml2 parse alone: {libxml2_ms:.1f} ms CPU; ours takes {ratio:.2f} times as long "
      f"(goal: at most 1.1): {'met' if ratio <= 1.1 else 'NOT met'}")
print(f"feedparser takes {theirs_ms / ours_ms:.0f} times as long as ours (for reference)")
PY
