#!/usr/bin/env bash
# Installs the Debian packages that building needs, when missing; with --test also what the tests
# use, with --fuzz the fuzzing toolchain (clang with libFuzzer), with --bench the benchmark
# library, GNU time and the X libraries and server of the GUI benchmark, with --peers the word
# processors the interoperability test reads our files with (bench/compare-peers.sh installs no
# peers: see its header). Nothing else: no Qt Designer, Assistant or documentation tools.
#
# Runs apt-get as root, or through sudo for another user; without either it says what to run.
set -euo pipefail

# qt6-l10n-tools: lrelease and lupdate, which turn the translations into language modules.
build_packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-l10n-tools libgl1-mesa-dev libjpeg-dev
    fonts-liberation2 fonts-dejavu-core)
# Xvfb and xdotool: the end-to-end tests (x11-utils: xprop reads the windows' names); poppler:
# reading printed PDFs; xfonts-base: bitmap faces; CUPS with the generic PDF driver: the private
# print queue; python3: the interoperability test; desktop-file-utils, appstream, dpkg-dev and
# file: checking the installed desktop files and the Debian package; locales: the paper of other
# locales; qt6-translations-l10n: Qt's own dialogs in German and French.
test_packages=(xvfb xdotool x11-utils poppler-utils xfonts-base fontconfig cups-daemon cups-client
    cups-filters python3 desktop-file-utils appstream dpkg-dev file locales qt6-translations-l10n)

fuzz_packages=(clang libclang-rt-14-dev)
bench_packages=(libbenchmark-dev time python3 libx11-dev libxtst-dev xvfb x11-utils)
peer_packages=(libreoffice-writer-nogui abiword)

wanted=("${build_packages[@]}")
for option in "$@"; do
    case "$option" in
        --test) wanted+=("${test_packages[@]}") ;;
        --fuzz) wanted+=("${fuzz_packages[@]}") ;;
        --bench) wanted+=("${bench_packages[@]}") ;;
        --peers) wanted+=("${peer_packages[@]}") ;;
        *) echo "install-deps.sh: unknown option $option (--test, --fuzz, --bench, --peers)" >&2; exit 2 ;;
    esac
done

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

as_root=()
if [[ $(id -u) -ne 0 ]]; then
    if ! command -v sudo >/dev/null; then
        cat >&2 <<EOF
install-deps.sh: these Debian packages are missing: ${missing[*]}
Installing them needs root rights, and sudo is not installed. As root, run:
    apt-get update && apt-get install --no-install-recommends ${missing[*]}
then run this command again.
EOF
        exit 1
    fi
    as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
