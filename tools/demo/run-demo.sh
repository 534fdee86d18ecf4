#!/bin/sh
# make demo: packs the sample saver from samples/web with saverpack and runs its show.
# On a display ($DISPLAY) the show runs until a key ends it. Without one it runs for
# about 20 seconds in an X server of its own (Xvfb) and saves screenshots in BUILD/demo/.
set -eu
. "$(dirname "$0")/xvfb.sh"

build=${1:-build}
root=$(cd "$(dirname "$0")/../.." && pwd)
case $build in /*) ;; *) build=$root/$build ;; esac
out=$build/demo
samples=$root/samples/web
mkdir -p "$out"
scratch=$(mktemp -d)
server_pid=
xvfb_pid=

cleanup() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT INT TERM

# The page that does not travel in the package and the ticker's feed: served by a
# loopback server.
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$samples/served" \
    >"$scratch/server.out" 2>/dev/null &
server_pid=$!
port=
for _ in $(seq 50); do
    port=$(sed -n 's/.* port \([0-9]*\) .*/\1/p' "$scratch/server.out")
    [ -n "$port" ] && break
    sleep 0.1
done
[ -n "$port" ] || { echo "demo: the loopback web server did not start" >&2; exit 1; }

sed -e "s|@LIVE_URL@|http://127.0.0.1:$port/live.htm|" \
    -e "s|@FEED_URL@|http://127.0.0.1:$port/demo-feed.xml|" \
    "$samples/settings.ini.in" >"$scratch/demo.ini"
"$build/bin/saverpack" build --host "$build/bin/saverhost" --settings "$scratch/demo.ini" \
    --content "$samples/pages" --item "$build/tones/melody.mp3" --item "$build/tones/melody.ogg" \
    --mpeg-library "$build/lib/libmpegdll.so:notzip" --strict -o "$out/demo.scr" >/dev/null
echo "demo: made the sample saver $out/demo.scr; it holds:"
"$build/bin/saverpack" inspect "$out/demo.scr" | sed 's/^/    /'

export WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS=1
if [ -n "${DISPLAY:-}" ]; then
    echo "demo: showing on $DISPLAY; press a key to end the show"
    "$out/demo.scr" /s
    exit 0
fi

# No display: an X server of our own, and the music recorded as WAV files.
start_xvfb "$scratch"
echo "demo: no display; running the show in Xvfb ($DISPLAY) for about 20 seconds"
rm -rf "$out"/shot-*.png "$out/music"
mkdir -p "$out/music"
export SAVERHOST_AUDIO_SINK="$out/music"
"$out/demo.scr" /s &
saver_pid=$!
for shot in 1 2 3 4 5; do
    sleep 4
    import -window root "$out/shot-$shot.png"
done
xdotool key Escape
wait "$saver_pid"
echo "demo: the show ended; screenshots in $out:"
ls "$out"/shot-*.png
echo "demo: the music it played, recorded in $out/music:"
ls "$out/music"
