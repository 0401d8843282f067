#!/usr/bin/env bash
# Installs the Debian packages that building needs, when missing; with --test also what testing
# needs, with --fuzz the fuzzing toolchain (clang with libFuzzer), with --bench the benchmark
# library and GNU time, with --peers the word processors the interoperability test reads our files
# with (bench/compare-peers.sh installs no peers: see its header).
set -euo pipefail

build_packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools
    qt6-l10n-tools libgl1-mesa-dev libjpeg-dev fonts-liberation2 fonts-dejavu-core)
test_packages=(xvfb xauth xdotool x11-apps imagemagick poppler-utils xfonts-base fontconfig
    cups-daemon cups-client cups-filters printer-driver-cups-pdf python3)

fuzz_packages=(clang libclang-rt-14-dev)
bench_packages=(libbenchmark-dev time python3)
peer_packages=(libreoffice-writer-nogui abiword)

wanted=("${build_packages[@]}")
for option in "$@"; do
    case "$option" in
        --test) wanted+=("${test_packages[@]}") ;;
        --fuzz) wanted+=("${fuzz_packages[@]}") ;;
        --bench) wanted+=("${bench_packages[@]}") ;;
        --peers) wanted+=("${peer_packages[@]}") ;;
    esac
done

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
    sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
