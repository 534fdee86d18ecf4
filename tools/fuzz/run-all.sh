#!/usr/bin/env bash
# Runs every fuzz target of BUILD_DIR/fuzz for SECONDS each, seeded from its seed folders.
# Each target's CMakeLists writes a "<target>.seeds" file beside the program: one seed
# folder a line. New inputs go to a scratch corpus, so the seed folders stay as they are.
set -euo pipefail
build=${1:?build folder}
seconds=${2:-20}
shopt -s nullglob
status=0
passed=0
failed=0
for target in "$build"/bin/fuzz_*; do
  [[ -x "$target" && "$target" != *.seeds ]] || continue
  name=$(basename "$target")
  scratch="$build/fuzz-corpus/$name"
  mkdir -p "$scratch"
  seeds=()
  listed=()
  [[ -f "$target.seeds" ]] && mapfile -t listed <"$target.seeds"
  # A seed folder that is not there (the shared feed corpus in a clone of its own) is
  # left out: the target then starts from its scratch corpus alone.
  for folder in "${listed[@]}"; do
    if [[ -d "$folder" ]]; then seeds+=("$folder"); elif [[ -n "$folder" ]]; then
      echo "fuzz: $name without the missing seed folder $folder"; fi
  done
  echo "fuzz: $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      "$scratch" "${seeds[@]}" >"$build/$name.log" 2>&1; then
    echo "fuzz: $name found a fault; see $build/$name.log"; tail -40 "$build/$name.log"; status=1
    failed=$((failed + 1))
  else
    grep -E 'stat::number_of_executed_units|stat::average_exec_per_sec' "$build/$name.log" || true
    passed=$((passed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
exit $status
