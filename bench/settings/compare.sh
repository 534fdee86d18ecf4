#!/usr/bin/env bash
# The settings dialog's opening: a saver's "/c" from exec to its dialog mapped, against
# `zenity --info` (a minimal GTK dialog) the same way, taken in turns in one run under
# Xvfb; the medians of RUNS (default 10) each and their ratio (goal at most 1.2). A
# 50 MB readme must open as fast as a small one: in a saver that carries it as a package
# item, and beside a saver without package.
set -euo pipefail
build=${1:?build folder}
runs=${RUNS:-10}
. "$(dirname "$0")/../../tools/demo/xvfb.sh"
xvfb_in_scratch
export HOME=$scratch/home XDG_RUNTIME_DIR=$scratch/run GDK_BACKEND=x11
mkdir -p "$HOME" "$XDG_RUNTIME_DIR/" "$scratch/small" "$scratch/big" "$scratch/plain-small" \
    "$scratch/plain-big"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[Set]\nScrName=Benchmark\n[Web]\nhttp://127.0.0.1/=1\n' >"$scratch/saver.ini"
echo "A short readme." >"$scratch/small/readme.txt"
head -c 50000000 /dev/zero | tr '\0' 'x' | fold -w 79 >"$scratch/big/readme.txt"
"$build/bin/saverpack" build --host "$build/bin/saverhost" --settings "$scratch/saver.ini" \
    --content "$scratch/small" -o "$scratch/small.scr" >/dev/null
# The big readme travels as a package item: it does not fit into the package. The saver
# unpacks the item into its working folder before the dialog reads its first megabyte.
"$build/bin/saverpack" build --host "$build/bin/saverhost" --settings "$scratch/saver.ini" \
    --item "$scratch/big/readme.txt" -o "$scratch/big.scr" >/dev/null
# Savers without a package: the engine beside its settings file and its readme, which
# the dialog reads in place.
for kind in small big; do
    cp "$build/bin/saverhost" "$scratch/plain-$kind/bench.scr"
    cp "$scratch/saver.ini" "$scratch/plain-$kind/bench.002"
    ln -s "$scratch/$kind/readme.txt" "$scratch/plain-$kind/readme.txt"
done

timer=$build/bin/dialog-map-time
for _ in $(seq "$runs"); do
    "$timer" "$scratch/small.scr" /c >>"$scratch/saver.ms"
    "$timer" zenity --info --text "A minimal GTK dialog." >>"$scratch/zenity.ms"
    "$timer" "$scratch/big.scr" /c >>"$scratch/big.ms"
    "$timer" "$scratch/plain-small/bench.scr" /c >>"$scratch/plain-small.ms"
    "$timer" "$scratch/plain-big/bench.scr" /c >>"$scratch/plain-big.ms"
done
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
awk -v s="$(median "$scratch/saver.ms")" -v z="$(median "$scratch/zenity.ms")" \
    -v b="$(median "$scratch/big.ms")" -v ps="$(median "$scratch/plain-small.ms")" \
    -v pb="$(median "$scratch/plain-big.ms")" -v n="$runs" 'BEGIN {
    printf "settings dialog \"/c\" exec to mapped, median of %d: %.1f ms; zenity --info %.1f ms;" \
        " ratio %.2f (goal <= 1.2): %s\n", n, s, z, s / z, s / z <= 1.2 ? "met" : "NOT met"
    printf "50 MB readme as a package item: %.1f ms, %.2f times the small readme\n", b, b / s
    printf "without a package, readme beside the saver: 50 MB %.1f ms, small %.1f ms, %.2f times\n", \
        pb, ps, pb / ps
}'
