#!/usr/bin/env bash
# Builds Tobrel and runs every test (widget tests run offscreen, no display needed).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh" --test
cmake --preset default -S "$root" >/dev/null
cmake --build "$root/build"
cd "$root" && ctest --preset default -j2
