#!/usr/bin/env bash
# Builds Tobrel and starts it. The lists are kept in the current directory.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
cmake --preset default -S "$root" >/dev/null
cmake --build "$root/build" --target tobrel
exec "$root/build/app/tobrel" "$@"
