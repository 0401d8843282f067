#!/usr/bin/env bash
# Builds a libFuzzer target with clang, ASan and UBSan and runs it for a while (60 s by default).
# FUZZ_TARGET chooses it: rtfreader (the default) is seeded with the test fixtures and a
# generated document (and the shared RTF corpus when LUMARO_CORPUS_DIR names it);
# languagemodule with the language modules the build makes and a damaged copy of one.
# A crash leaves its input in the build folder and fails the run: add that input to the
# target's test fixtures (tests/richtext/data/hostile/, tests/framework/data/modules/), then fix it.
# Usage: [FUZZ_TARGET=NAME] fuzz/run-fuzz.sh [SECONDS] [BUILD_DIR] [LIBFUZZER_OPTIONS...]
# (e.g. -seed=1 for a repeatable run)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
build="${2:-$root/build-fuzz}"
target="${FUZZ_TARGET:-rtfreader}"
shift 2 || shift $# || true

"$root/scripts/install-deps.sh" --fuzz
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLUMARO_BUILD_FUZZ=ON -DLUMARO_BUILD_TESTS=OFF >/dev/null

seeds="$build/fuzz-seeds-$target"
findings="$build/fuzz-findings-$target"
mkdir -p "$seeds" "$findings"
options=()
case "$target" in
rtfreader)
    cmake --build "$build" --target fuzz_rtfreader -j 2
    cp "$root"/tests/richtext/data/hostile/* "$seeds"/ 2>/dev/null || true
    printf '%s' '{\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\fcharset128 MS Gothic;}}{\colortbl;\red255\green0\blue0;}\pard\qc\fi-360\li720{\pntext\f0\'"'"'B7\tab}{\*\pn\pnlvlblt{\pntxtb\'"'"'B7}}{\b\cf1 bold}\u8220?x\'"'"'e9{\f1\'"'"'82\'"'"'a0}\line{\field{\*\fldinst HYPERLINK x}{\fldrslt y}}\cell\row{\pict\bin2 {}}\par}' \
        > "$seeds/generated.rtf"
    if [[ -n "${LUMARO_CORPUS_DIR:-}" && -d "$LUMARO_CORPUS_DIR/files" ]]; then
        find "$LUMARO_CORPUS_DIR/files" -name '*.rtf' -size -200k -exec cp {} "$seeds"/ \;
    fi
    options=(-dict="$root/fuzz/rtf.dict" -max_len=65536)
    ;;
languagemodule)
    cmake --build "$build" --target fuzz_languagemodule language_modules -j 2
    cp "$build"/lumaropad.* "$seeds"/
    cp "$root"/tests/framework/data/modules/* "$seeds"/ 2>/dev/null || true
    options=(-dict="$root/fuzz/languagemodule.dict" -max_len=131072)
    ;;
*)
    echo "unknown FUZZ_TARGET '$target': rtfreader or languagemodule" >&2
    exit 2
    ;;
esac

export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
"$build/fuzz/fuzz_$target" "$findings" "$seeds" "${options[@]}" -max_total_time="$seconds" \
    -rss_limit_mb=1024 -timeout=10 -artifact_prefix="$build/" -print_final_stats=1 "$@"
