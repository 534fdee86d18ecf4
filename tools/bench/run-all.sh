#!/usr/bin/env bash
# Runs every benchmark program of BUILD_DIR/bin (bench_*) and every comparison script
# of bench/*/compare.sh, printing their reports. Before each script runs, what it
# measures is printed: the comment at its head.
set -euo pipefail
build=${1:?build folder}
shopt -s nullglob
for prog in "$build"/bin/bench_*; do
  [[ -x "$prog" ]] || continue
  echo "== $(basename "$prog")"
  "$prog"
done
for script in bench/*/compare.sh; do
  echo "== $script"
  sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}/   /p}' "$script"
  bash "$script" "$build"
done
