# Sourced by the demo and soak scripts: an X server of their own (Xvfb) on the display
# number it picks. `start_xvfb SCRATCH_FOLDER` sets xvfb_pid and exports DISPLAY.
# "-noreset": an X server resets when its last client leaves and refuses connections
# meanwhile, so a program started just as the one before it ended would fail to connect.
start_xvfb() {
    exec 3>"$1/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    for _ in $(seq 50); do
        [ -s "$1/display" ] && break
        sleep 0.1
    done
    [ -s "$1/display" ] || { echo "Xvfb did not start" >&2; return 1; }
    DISPLAY=:$(head -n 1 "$1/display")
    export DISPLAY
}

# `xvfb_in_scratch`: a fresh scratch folder (sets scratch) with an Xvfb of its own
# started in it; both go when the script exits.
xvfb_in_scratch() {
    scratch=$(mktemp -d)
    trap 'kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true; rm -rf "$scratch"' \
        EXIT INT TERM
    start_xvfb "$scratch"
}
