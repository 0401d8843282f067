#!/usr/bin/env bash
# Builds LumaroStyle Notepad with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMARO_BUILD_TESTS=ON -DLUMARO_UNITY_BUILD=ON >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure --timeout 600 "$@"
