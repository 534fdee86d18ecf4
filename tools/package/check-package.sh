#!/bin/sh
# make package-check: installs the Debian package that `make package` made, runs the
# installed programs from PATH, removes the package again and checks that nothing of it
# is left. Needs root (dpkg); refuses to touch a saverhost package installed before.
set -eu
build=${1:-build}
deb=$(ls "$build"/package/saverhost_*.deb 2>/dev/null | tail -n 1)
[ -n "$deb" ] || { echo "package-check: no package in $build/package (make package)" >&2; exit 1; }
if [ "$(id -u)" -ne 0 ]; then
    echo "package-check: skipped, dpkg needs root"
    exit 0
fi
if dpkg-query -W -f='${Status}' saverhost 2>/dev/null | grep -q installed; then
    echo "package-check: a saverhost package is installed already; left alone" >&2
    exit 1
fi

# dpkg waits for no one: another installation may hold its lock for a while.
dpkg_retry() {
    for _ in $(seq 60); do
        if dpkg "$@" 2>"$build/package/dpkg.err"; then return 0; fi
        grep -q 'lock' "$build/package/dpkg.err" || { cat "$build/package/dpkg.err" >&2; return 1; }
        sleep 5
    done
    cat "$build/package/dpkg.err" >&2
    return 1
}

# The prefix the build was configured for (/usr unless another was given).
prefix=$(dpkg-deb -c "$deb" | sed -n 's|.* \./\(.*\)/bin/saverhost$|/\1|p')
system=$prefix/lib/saverhost
doc=$prefix/share/doc/saverhost

echo "package-check: installing $deb"
dpkg_retry -i "$deb" >/dev/null
files=$(dpkg-query -L saverhost)
status=0
for program in saverhost saverpack feeddump aatext-render; do
    if ! (cd / && env PATH="$prefix/bin:/usr/bin:/bin" "$program" --help) | grep -q "$program"; then
        echo "package-check: $program --help from PATH failed" >&2
        status=1
    fi
done
for program in install-screensaver idle-watcher; do
    [ -x "$system/$program" ] || { echo "package-check: no $system/$program" >&2; status=1; }
done
[ -f "$prefix/share/man/man1/saverhost.1" ] ||
    { echo "package-check: no manual page" >&2; status=1; }

dpkg_retry -r saverhost >/dev/null
# Every file of the package is gone, and so are the folders that were only its own.
left_behind() {
    case $1 in
        "$system" | "$doc") [ -e "$1" ] ;;
        *) [ -e "$1" ] && ! [ -d "$1" ] ;;
    esac
}
for path in $files "$system" "$doc"; do
    if left_behind "$path"; then
        echo "package-check: left behind: $path" >&2
        status=1
    fi
done
[ $status -eq 0 ] && echo "package-check: installed, ran and removed cleanly"
exit $status
