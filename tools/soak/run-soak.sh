#!/bin/sh
# make soak: the show paging as fast as it can over five packaged pages for SOAK_MINUTES
# (default 10) minutes under Xvfb, sampling each minute the resident memory of the saver
# and of the web processes it started. Goal: growth after the first minute of at most
# 50 MB. The pages change on Page Down, pressed every 150 ms: the show's own interval
# is at least a second, so that no saver flashes.
set -eu
. "$(dirname "$0")/../demo/xvfb.sh"

build=${1:-build}
root=$(cd "$(dirname "$0")/../.." && pwd)
case $build in /*) ;; *) build=$root/$build ;; esac
minutes=${SOAK_MINUTES:-10}
scratch=$(mktemp -d)
xvfb_pid=
saver_pid=
pager_pid=

cleanup() {
    [ -n "$pager_pid" ] && kill "$pager_pid" 2>/dev/null || true
    [ -n "$saver_pid" ] && kill "$saver_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT INT TERM

mkdir -p "$scratch/pages" "$scratch/run" "$scratch/home"
chmod 700 "$scratch/run"
web=
for page in 1 2 3 4 5; do
    cat >"$scratch/pages/soak$page.htm" <<PAGE
<!DOCTYPE html><html><head><title>Soak $page</title></head>
<body style="background:hsl($((page * 70)),50%,30%);color:white;font:40px sans-serif">
<h1>Page $page</h1><canvas id="c" width="400" height="300"></canvas>
<script>var c=document.getElementById("c").getContext("2d");
for(var i=0;i<200;i++){c.fillStyle="hsl("+i*7+",80%,60%)";c.fillRect(i*2,i,40,40);}</script>
</body></html>
PAGE
    web="$web(File) soak$page.htm=1
"
done
printf '[Set]\nScrName=Soak\nWebInterval=60\nPlayMusic=0\n[Web]\n%s' "$web" >"$scratch/soak.ini"
"$build/bin/saverpack" build --host "$build/bin/saverhost" --settings "$scratch/soak.ini" \
    --content "$scratch/pages" -o "$scratch/soak.scr" >/dev/null

start_xvfb "$scratch"
export WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS=1
export XDG_RUNTIME_DIR="$scratch/run" HOME="$scratch/home"
"$scratch/soak.scr" /s &
saver_pid=$!
(while kill -0 "$saver_pid" 2>/dev/null; do
    xdotool key Next 2>/dev/null || true
    sleep 0.15
done) &
pager_pid=$!

# Resident memory in kB of the saver and every process it started.
memory() {
    total=$(awk '/^VmRSS/ {print $2}' "/proc/$saver_pid/status" 2>/dev/null || echo 0)
    for child in $(cat "/proc/$saver_pid/task/"*/children 2>/dev/null); do
        rss=$(awk '/^VmRSS/ {print $2}' "/proc/$child/status" 2>/dev/null || echo 0)
        total=$((total + rss))
    done
    echo "$total"
}

echo "soak: Page Down every 150 ms over five pages for $minutes minutes on $DISPLAY"
first=
last=
for minute in $(seq "$minutes"); do
    sleep 60
    kill -0 "$saver_pid" 2>/dev/null || { echo "soak: the saver ended early" >&2; exit 1; }
    last=$(memory)
    [ -z "$first" ] && first=$last
    echo "minute $minute: $((last / 1024)) MB (saver and its web processes)"
done
growth=$(((last - first) / 1024))
echo "soak: growth after the first minute: $growth MB (goal: at most 50 MB)"
kill "$pager_pid" 2>/dev/null || true
pager_pid=
DISPLAY=$DISPLAY xdotool key Escape
wait "$saver_pid" || true
saver_pid=
[ "$growth" -le 50 ]
