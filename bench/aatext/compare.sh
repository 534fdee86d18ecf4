#!/usr/bin/env bash
# CPU of the process while one list area scrolls at ScrollDelay 30 for 10 s (goal: at
# most 3 % of one core). Usage: bench/aatext/compare.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=${1:?build folder}
seconds=${2:-10}
"$build/bin/aatext_scroll_cpu" "$seconds"
