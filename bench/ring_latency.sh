#!/usr/bin/env bash
# Latency from an alarm's due second to its sound starting, on an installed device running
# normally: the service wakes 30 s early, starts Ringout, Ringout checks every 500 ms and rings.
#   bench/ring_latency.sh [BUILD_DIR] [RUNS]      (each run waits about 35 s of real time)
set -euo pipefail
build=${1:-build}
runs=${2:-1}
bin="$build/bin"
root=$(mktemp -d /tmp/zt-latency-XXXXXX)
trap 'kill "$device" 2>/dev/null || true; wait "$device" 2>/dev/null || true; rm -rf "$root"' EXIT
export ZT_ROOT="$root" ZT_AUDIO="log:$root/audio.log" QT_QPA_PLATFORM=offscreen

"$bin/zt-install" "$build/package" >/dev/null
"$bin/zt-device" run >"$root/device.log" 2>&1 &
device=$!
sleep 1

for run in $(seq "$runs"); do
  : >"$root/audio.log"
  due_epoch=$(( $(date +%s) + 35 ))
  due=$(date -d "@$due_epoch" '+%H:%M:%S')
  # Play once, dismiss by itself, so Ringout ends before the next run.
  id=$("$bin/zt-alarm" add "$due" --once --name "Latency $run")
  "$bin/zt-reg" set 'HKCU\Software\Zunworks\Zun Time\Alarms' "$id" --sz \
    "$("$bin/zt-reg" get 'HKCU\Software\Zunworks\Zun Time\Alarms' "$id" | sed 's/acrtp=[0-9]*/acrtp=0/; s/acrvl=[0-9]*/acrvl=1/; s/gtib=[0-9]*/gtib=2/')"
  while ! grep -q '^play ' "$root/audio.log" 2>/dev/null; do
    sleep 0.005
    (( $(date +%s) < due_epoch + 20 )) || { echo "run $run: nothing played"; exit 1; }
  done
  played=$(date +%s.%N)
  awk -v p="$played" -v d="$due_epoch" -v r="$run" 'BEGIN { printf "run %d: sound started %.0f ms after the due second\n", r, (p - d) * 1000 }'
  sleep 3
done
