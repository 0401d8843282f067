#!/usr/bin/env bash
# Builds LumaroStyle Notepad and starts it; arguments go to the program (a document to open).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMARO_UNITY_BUILD=ON >/dev/null
cmake --build build --target lumaropad
exec build/lumaropad "$@"
