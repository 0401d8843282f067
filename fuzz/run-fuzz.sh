#!/usr/bin/env bash
# Builds the RTF reader's libFuzzer target with clang, ASan and UBSan and runs it for a while
# (60 s by default), seeded with the test fixtures and a generated document (and the shared RTF
# corpus when LUMARO_CORPUS_DIR names it). A crash leaves its input in the build folder and
# fails the run: add that input to tests/richtext/data/hostile/ as a test fixture, then fix it.
# Usage: fuzz/run-fuzz.sh [SECONDS] [BUILD_DIR] [LIBFUZZER_OPTIONS...] (e.g. -seed=1 for a repeatable run)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
build="${2:-$root/build-fuzz}"
shift 2 || shift $# || true

"$root/scripts/install-deps.sh" --fuzz
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLUMARO_BUILD_FUZZ=ON -DLUMARO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target fuzz_rtfreader -j 2

seeds="$build/fuzz-seeds"
findings="$build/fuzz-findings"
mkdir -p "$seeds" "$findings"
cp "$root"/tests/richtext/data/hostile/* "$seeds"/ 2>/dev/null || true
printf '%s' '{\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\fcharset128 MS Gothic;}}{\colortbl;\red255\green0\blue0;}\pard\qc\fi-360\li720{\pntext\f0\'"'"'B7\tab}{\*\pn\pnlvlblt{\pntxtb\'"'"'B7}}{\b\cf1 bold}\u8220?x\'"'"'e9{\f1\'"'"'82\'"'"'a0}\line{\field{\*\fldinst HYPERLINK x}{\fldrslt y}}\cell\row{\pict\bin2 {}}\par}' \
    > "$seeds/generated.rtf"
if [[ -n "${LUMARO_CORPUS_DIR:-}" && -d "$LUMARO_CORPUS_DIR/files" ]]; then
    find "$LUMARO_CORPUS_DIR/files" -name '*.rtf' -size -200k -exec cp {} "$seeds"/ \;
fi

export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
"$build/fuzz/fuzz_rtfreader" "$findings" "$seeds" -dict="$root/fuzz/rtf.dict" -max_total_time="$seconds" \
    -max_len=65536 -rss_limit_mb=1024 -timeout=10 -artifact_prefix="$build/" -print_final_stats=1 "$@"
