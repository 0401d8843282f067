#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (-DLUMARO_SANITIZE=ON,
# in build-asan/) and runs every test once; extra arguments go to ctest. Leaks are reported
# except inside CUPS, D-Bus, fontconfig and GLib, which keep memory until the process ends.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
# Line tables (-g1) are all a sanitizer's report needs, and build a fifth faster than full debug
# information.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
    -DLUMARO_SANITIZE=ON -DLUMARO_BUILD_TESTS=ON -DLUMARO_UNITY_BUILD=ON >/dev/null
cmake --build build-asan
# strict_string_checks is left off: it flags strndup reading within its bound in the X keyboard
# library, which is correct code.
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-asan --output-on-failure --timeout 900 "$@"
