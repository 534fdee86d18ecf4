#!/usr/bin/env bash
# CPU of the saver while a 30 s MP3 plays through the MPEG audio library to the null
# output, beside libmpg123 alone decoding the same file at the pace of the music (goal: at
# most 1.2 times its CPU), and mpg123 decoding it as fast as it can for reference. Takes
# a minute.
# Usage: bench/music/compare.sh BUILD_DIR
set -euo pipefail
build=$(realpath "${1:?build folder}")
"$build/bin/music_mpeg_cpu" "$build/tones/long.mp3" "$build/lib"
