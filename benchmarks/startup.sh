#!/usr/bin/env bash
# Start-up figures of the real program with long address lists, under a virtual X server:
# the time from exec to the mapped main window, the peak memory (VmHWM) and the time the exit
# takes (the stores are written then), each also as a ratio against an empty start and
# against just reading and decoding the same store (the floor).
#   benchmarks/startup.sh [build directory] [entries per list ...]
# Defaults: build, and 0 100000 1000000 senders and as many addressees.
set -euo pipefail
build=$(realpath "${1:-build}")
shift || true
sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(0 100000 1000000)

missing=()
for p in xvfb xdotool x11-utils; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

tobrel="$build/app/tobrel"
tool="$build/benchmarks/AddressStoreTool"
work=$(mktemp -d)
display=":$((50 + RANDOM % 40))"
Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display
until xdotool getdisplaygeometry >/dev/null 2>&1; do sleep 0.05; done

now() { date +%s%N; }
ms() { echo $(( ($2 - $1) / 1000000 )); }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf (b > 0 ? "%.1f" : "-"), a / b }'; }

printf '%-10s %9s %9s %8s %9s %9s | %7s %7s %7s %7s\n' "per list" "window ms" "peak MB" "exit ms" \
    "floor ms" "floor MB" "t/empty" "t/floor" "m/empty" "m/floor"
empty_ms=0
empty_kb=0
for count in "${sizes[@]}"; do
    dir="$work/$count"
    mkdir -p "$dir/config"
    (cd "$dir" && "$tool" make "$count")
    read -r _ _ floor_ms floor_kb < <(cd "$dir" && "$tool" read)
    sync

    # The server reports the window's mapping itself, and the watcher sleeps until it does:
    # polling for it would take the program's own processor time.
    (grep -m1 -q MapNotify < <(exec stdbuf -oL xev -root -event substructure)) &
    watcher=$!
    sleep 0.3 # until xev listens
    start=$(now)
    (cd "$dir" && XDG_CONFIG_HOME="$dir/config" exec "$tobrel") &
    pid=$!
    wait "$watcher"
    mapped=$(now)
    sleep 1
    peak_kb=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status")
    closing=$(now)
    kill -TERM "$pid"
    wait "$pid" || true
    ended=$(now)

    window_ms=$(ms "$start" "$mapped")
    if [ "$count" -eq 0 ]; then
        empty_ms=$window_ms
        empty_kb=$peak_kb
    fi
    printf '%-10s %9d %9d %8d %9d %9d | %7s %7s %7s %7s\n' "$count" "$window_ms" \
        $((peak_kb / 1024)) "$(ms "$closing" "$ended")" "$floor_ms" $((floor_kb / 1024)) \
        "$(ratio "$window_ms" "$empty_ms")" "$(ratio "$window_ms" "$floor_ms")" \
        "$(ratio "$peak_kb" "$empty_kb")" "$(ratio "$peak_kb" "$floor_kb")"
    rm -rf "$dir"
done
