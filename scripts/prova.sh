#!/usr/bin/env bash
# Builds Quirlo from scratch and runs every test; exits non-zero on any failure.
set -euo pipefail
radice="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cartella="${QUIRLO_BUILD_DIR:-$radice/build-test}"
bash "$radice/scripts/dipendenze.sh" build test package
rm -rf "$cartella"
cmake -S "$radice" -B "$cartella" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${QUIRLO_CMAKE_ARGS:-}
cmake --build "$cartella"
cd "$cartella"
# The real-window tests start their own Xvfb display; the rest run offscreen.
ctest --output-on-failure --timeout 600 ${QUIRLO_CTEST_ARGS:-}
