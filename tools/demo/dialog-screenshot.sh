#!/bin/sh
# Makes docs/settings-dialog.png: the settings dialog of the sample saver (samples/web),
# as it opens, in an X server of its own, with a scratch home folder so that no choice
# of the user's shows. Usage: tools/demo/dialog-screenshot.sh BUILD_DIR
set -eu
. "$(dirname "$0")/xvfb.sh"

build=${1:-build}
root=$(cd "$(dirname "$0")/../.." && pwd)
case $build in /*) ;; *) build=$root/$build ;; esac
samples=$root/samples/web
scratch=$(mktemp -d)
xvfb_pid=
dialog_pid=
cleanup() {
    [ -n "$dialog_pid" ] && kill "$dialog_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT INT TERM

# The dialog reads no page or feed: the addresses only have to be there.
sed -e "s|@LIVE_URL@|http://127.0.0.1:9/live.htm|" \
    -e "s|@FEED_URL@|http://127.0.0.1:9/demo-feed.xml|" \
    "$samples/settings.ini.in" >"$scratch/demo.ini"
"$build/bin/saverpack" build --host "$build/bin/saverhost" --settings "$scratch/demo.ini" \
    --content "$samples/pages" --item "$build/tones/melody.mp3" --item "$build/tones/melody.ogg" \
    --strict -o "$scratch/demo.scr" >/dev/null

start_xvfb "$scratch"
mkdir -m 700 "$scratch/home" "$scratch/run"
HOME=$scratch/home XDG_RUNTIME_DIR=$scratch/run "$scratch/demo.scr" /c &
dialog_pid=$!
window=
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Web Saver Setting' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "dialog-screenshot: the dialog did not show" >&2; exit 1; }
sleep 1  # the readme comes in once the window has drawn
import -window "$window" "$root/docs/settings-dialog.png"
echo "dialog-screenshot: wrote docs/settings-dialog.png"
