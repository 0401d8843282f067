#!/usr/bin/env bash
# Builds the artwork generator and runs it: rewrites every picture under resources/art/ (and
# its README table), the contact sheet and mock-ups under resources/art/sources/, and the
# desktop icons under dist/linux/icons/. Files whose bytes do not change are left alone.
#   tools/artgen/make-art.sh [BUILD_DIR]    (default: build-art/artgen in the repository)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build-art/artgen}"

# The faces the lettering is drawn in, and Qt's SVG writer for the scalable icon.
fonts=(fonts-texgyre fonts-dejavu-core qt6-svg-dev)
missing=()
for package in "${fonts[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [[ ${#missing[@]} -gt 0 ]]; then
    sudo_cmd=()
    [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Tests are not needed to make the pictures.
cmake -S "$root" -B "$build" -G Ninja -DLUMARO_BUILD_TOOLS=ON -DLUMARO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target lumaro_artgen -j 2
QT_QPA_PLATFORM=offscreen "$build/tools/artgen/lumaro_artgen" \
    --art "$root/resources/art" \
    --data "$root/tools/artgen/data" \
    --sheets "$root/resources/art/sources" \
    --dist "$root/dist/linux"
