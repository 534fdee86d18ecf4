#!/usr/bin/env bash
# Installs the Debian packages of debian-packages.txt that are not installed yet.
# Runs as root (or through sudo when it is there); does nothing when all are present.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
missing=()
while read -r pkg; do
  [[ -z "$pkg" || "$pkg" == \#* ]] && continue
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done <"$here/debian-packages.txt"
[[ ${#missing[@]} -eq 0 ]] && exit 0
echo "deps: installing ${missing[*]}"
sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
