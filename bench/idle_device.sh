#!/usr/bin/env bash
# Measures an idle running device with the background service loaded: wake-ups (voluntary
# context switches of all its threads), CPU time and resident memory over a period.
#   bench/idle_device.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
build=${1:-build}
seconds=${2:-60}
bin="$build/bin"
root=$(mktemp -d /tmp/zt-idle-XXXXXX)
trap 'kill "$device" 2>/dev/null || true; wait "$device" 2>/dev/null || true; rm -rf "$root"' EXIT
export ZT_ROOT="$root"

mkdir -p "$root/Windows"
cp "$build/lib/libZunTimeService.so" "$root/Windows/ZunTimeService.dll"
reg="$bin/zt-reg"
"$reg" set 'HKLM\Services\ZunTimeService' Dll --sz ZunTimeService.dll
"$reg" set 'HKLM\Services\ZunTimeService' Prefix --sz STM
"$reg" set 'HKLM\Services\ZunTimeService' Order --dword 0
"$reg" set 'HKLM\Services\ZunTimeService' Index --dword 0

"$bin/zt-device" run >/dev/null 2>&1 &
device=$!
sleep 2  # let it load the service and settle

switches() { cat /proc/"$device"/task/*/status | awk '/^voluntary_ctxt_switches/ { s += $2 } END { print s }'; }
cpu_ticks() { awk '{ print $14 + $15 }' /proc/"$device"/stat; }

s0=$(switches); c0=$(cpu_ticks)
sleep "$seconds"
s1=$(switches); c1=$(cpu_ticks)
rss=$(awk '/^VmRSS/ { print $2 }' /proc/"$device"/status)
threads=$(ls /proc/"$device"/task | wc -l)
hz=$(getconf CLK_TCK)

echo "threads: $threads"
echo "wake-ups per minute: $(( (s1 - s0) * 60 / seconds ))"
echo "CPU share: $(awk -v t=$((c1 - c0)) -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.3f%%", 100 * t / hz / s }')"
echo "resident memory: ${rss} KiB"
