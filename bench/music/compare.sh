#!/usr/bin/env bash
# CPU of the saver while a 30 s MP3 plays through the MPEG audio library to the null
# output, beside mpg123 decoding the same file (goal: at most 1.3 times mpg123's CPU), and
# libmpg123 alone decoding it at the pace of the music. Takes a minute.
# Usage: bench/music/compare.sh BUILD_DIR
set -euo pipefail
build=$(realpath "${1:?build folder}")
"$build/bin/music_mpeg_cpu" "$build/tones/long.mp3" "$build/lib"
