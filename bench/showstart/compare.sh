#!/usr/bin/env bash
# The show's start against the web engine's floor: exec to the first page's load event
# of a saver's "/s" (one page, no music, no feeds) and of minimal-webview (one
# full-screen GTK window, one WebKitGTK web view, one load of the same page), taken in
# turns in one run under Xvfb. Cold: a fresh HOME for every start; warm: each program
# keeps its own HOME across its starts, as a saver started many times a day does.
# Medians of RUNS (default 11) each and the two ratios (goal at most 1.05). Then a saver
# with music, cold and warm: from the first page asked for to the music started, as the
# saver's own start trace tells them (goal at most 200 ms).
set -euo pipefail
build=${1:?build folder}
runs=${RUNS:-11}
. "$(dirname "$0")/../../tools/demo/xvfb.sh"
xvfb_in_scratch
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME
export XDG_RUNTIME_DIR=$scratch/run GDK_BACKEND=x11 WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS=1
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
page=http://127.0.0.1:$port/page.htm
printf '[Set]\nScrName=Benchmark\nWebInterval=60\n[Web]\n%s=1\n' "$page" >"$scratch/saver.ini"
mkdir -p "$scratch/content"
"$build/bin/saverpack" build --host "$build/bin/saverhost" --settings "$scratch/saver.ini" \
    --content "$scratch/content" -o "$scratch/bench.scr" >/dev/null

# The saver with music plays a packaged tone to no device; its page is packaged too.
mkdir -p "$scratch/music"
cp "$build/tones/melody.ogg" "$scratch/music/"
echo '<body style="background:#000">' >"$scratch/music/page.htm"
printf '[Set]\nScrName=Music\nWebInterval=60\nPlayMusic=1\nLoopMusic=1\n[Music]\nmelody.ogg=1\n[Web]\npage.htm=1\n' \
    >"$scratch/music.ini"
"$build/bin/saverpack" build --host "$build/bin/saverhost" --settings "$scratch/music.ini" \
    --content "$scratch/music" -o "$scratch/music.scr" >/dev/null

timer=$build/bin/show-load-time
minimal=$build/bin/minimal-webview
# start KIND HOME COMMAND...: one start with HOME, its time appended to KIND.ms.
start() {
    local kind=$1 home=$2
    shift 2
    mkdir -p "$home"
    HOME=$home "$timer" "$port" "$@" >>"$scratch/$kind.ms" 2>>"$scratch/$kind.err" ||
        { echo "$kind failed:" >&2; cat "$scratch/$kind.err" >&2; exit 1; }
}
# music_start KIND HOME: one start of the saver with music; the milliseconds from its
# first page asked for to its music started appended to KIND.ms.
music_start() {
    local kind=$1 home=$2 log=$scratch/music.log
    mkdir -p "$home"
    HOME=$home SAVERHOST_TRACE_START=1 SAVERHOST_AUDIO_SINK=null setsid "$scratch/music.scr" /s \
        2>"$log" &
    local pid=$!
    for _ in $(seq 300); do
        grep -q 'music started' "$log" && break
        sleep 0.1
    done
    # The saver and what it started end on SIGTERM; what is left of them after 5 s is
    # killed. (An ended saver stays a zombie until it is waited for.)
    kill -- "-$pid" 2>/dev/null || true
    for _ in $(seq 50); do
        [[ "$(cut -d ' ' -f 3 "/proc/$pid/stat" 2>/dev/null)" == [SRD] ]] || break
        sleep 0.1
    done
    kill -KILL -- "-$pid" 2>/dev/null || true
    wait "$pid" || true
    awk '/page asked for/ && !a { a = $3 } /music started/ && !m { m = $3 }
        END { if (!a || !m) exit 1; print m - a }' "$log" >>"$scratch/$kind.ms" ||
        { echo "$kind: the music did not start:" >&2; cat "$log" >&2; exit 1; }
}
for run in $(seq "$runs"); do
    music_start music-cold "$scratch/cold-music-$run"
    rm -rf "$scratch/cold-music-$run"
    start saver-cold "$scratch/cold-saver-$run" "$scratch/bench.scr" /s
    start minimal-cold "$scratch/cold-minimal-$run" "$minimal" "$page"
    rm -rf "$scratch/cold-saver-$run" "$scratch/cold-minimal-$run"
done
# One start each before the warm runs fills their profiles.
start saver-first "$scratch/warm-saver" "$scratch/bench.scr" /s
start minimal-first "$scratch/warm-minimal" "$minimal" "$page"
music_start music-first "$scratch/warm-music"
for _ in $(seq "$runs"); do
    music_start music-warm "$scratch/warm-music"
    start saver-warm "$scratch/warm-saver" "$scratch/bench.scr" /s
    start minimal-warm "$scratch/warm-minimal" "$minimal" "$page"
done
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# Besides the ratio of the medians, the median of the ratios of each start of the saver to
# the start of the minimal program right after it: on a machine whose load changes during
# the run, the two starts of a pair see much the same load.
for profile in cold warm; do
    paste "$scratch/saver-$profile.ms" "$scratch/minimal-$profile.ms" |
        awk '{ print $1 / $2 }' >"$scratch/pairs-$profile.ratio"
    awk -v s="$(median "$scratch/saver-$profile.ms")" -v m="$(median "$scratch/minimal-$profile.ms")" \
        -v r="$(median "$scratch/pairs-$profile.ratio")" -v n="$runs" -v p="$profile" 'BEGIN {
        printf "%s: exec to first page loaded, median of %d: saver \"/s\" %.1f ms, minimal" \
            " WebKitGTK program %.1f ms; ratio %.2f (goal <= 1.05): %s; median of the paired" \
            " ratios %.2f\n", p, n, s, m, s / m, s / m <= 1.05 ? "met" : "NOT met", r
    }'
done
for profile in cold warm; do
    awk -v m="$(median "$scratch/music-$profile.ms")" -v n="$runs" -v p="$profile" 'BEGIN {
        printf "%s: saver with music, first page asked for to music started, median of %d:" \
            " %.1f ms (goal <= 200): %s\n", p, n, m, m <= 200 ? "met" : "NOT met"
    }'
done
