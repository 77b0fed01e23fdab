#!/usr/bin/env bash
# Builds the libFuzzer targets (the "fuzz" preset, clang) and runs each over its seed corpus
# in fuzz/corpus/: a regression check of seconds, not a fuzzing session. Skipped without
# clang. For a session: build-fuzz/fuzz/fuzz_<name> -max_total_time=180 fuzz/corpus/<name>
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if ! command -v clang++ >/dev/null; then
    echo "fuzz-regress: clang++ is not installed, skipped"
    exit 0
fi
cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
status=0
for corpus in fuzz/corpus/*/; do
    name="$(basename "$corpus")"
    if log="$("build-fuzz/fuzz/fuzz_$name" "$corpus"* 2>&1)"; then
        echo "fuzz-regress: fuzz_$name: $(ls "$corpus" | wc -l) inputs passed"
    else
        echo "$log"
        echo "fuzz-regress: fuzz_$name FAILED on its corpus"
        status=1
    fi
done
exit $status
