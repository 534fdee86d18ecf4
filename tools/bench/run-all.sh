#!/usr/bin/env bash
# Runs every benchmark program of BUILD_DIR/bin (bench_*) and every comparison script
# of bench/*/compare.sh, printing before each what it measures (the opening comment of
# its source) and then its report.
# The idle watcher is watched for IDLE_SECONDS, 60 here unless set: IDLE_SECONDS=600
# gives the long measurement of ten minutes.
set -euo pipefail
build=${1:?build folder}
export IDLE_SECONDS=${IDLE_SECONDS:-60}

# The first block of comment lines of FILE (a shell script's after its "#!" line), without
# the comment marks, indented.
opening_comment() {
  local mark='//'
  [[ "$1" == *.sh ]] && mark='#'
  awk -v mark="$mark" 'NR == 1 && /^#!/ { next }
       index($0, mark) == 1 { $0 = substr($0, length(mark) + 1); sub(/^ /, "");
                              print "   " $0; seen = 1; next }
       seen { exit }' "$1"
}

# The source file that a bench program is built from, by its add_executable line.
program_source() {
  local name=$1 list
  for list in bench/*/CMakeLists.txt; do
    local first
    first=$(awk -v n="$name" '$1 == "add_executable(" n { print $2; exit }' "$list")
    if [[ -n "$first" ]]; then
      echo "$(dirname "$list")/${first%)}"
      return
    fi
  done
}

shopt -s nullglob
for prog in "$build"/bin/bench_*; do
  [[ -x "$prog" ]] || continue
  name=$(basename "$prog")
  echo "== $name"
  source=$(program_source "$name")
  [[ -n "$source" ]] && opening_comment "$source"
  "$prog"
done
for script in bench/*/compare.sh; do
  echo "== $script"
  opening_comment "$script"
  bash "$script" "$build"
done
