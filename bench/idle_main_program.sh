#!/usr/bin/env bash
# The idle main program beside an idle empty Qt Widgets window (zt-empty-window): wake-ups per
# second (voluntary context switches of all threads, sampled often enough to count threads
# that come and go), CPU share and resident memory over a period, offscreen. The main program
# shows each clock screen in turn, with and without seconds: a clock wakes on its refresh tick
# (twice a second with seconds, once without) and draws only when the picture changed.
#   bench/idle_main_program.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
build=${1:-build}
seconds=${2:-30}
bin="$build/bin"
root=$(mktemp -d /tmp/zt-idle-main-XXXXXX)
pid=""
trap '[[ -n "$pid" ]] && kill "$pid" 2>/dev/null; wait 2>/dev/null || true; rm -rf "$root"' EXIT
export ZT_ROOT="$root" ZT_AUDIO=null QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
"$bin/zt-install" "$build/package" >/dev/null

# Sum over the threads of the largest voluntary switch count seen for each.
switches() {
  for t in /proc/"$1"/task/*; do
    echo "$(basename "$t") $(awk '/^voluntary_ctxt_switches/ { print $2 }' "$t/status" 2>/dev/null)"
  done
}
measure() {  # NAME COMMAND...
  local name=$1
  shift
  "$@" >/dev/null 2>&1 &
  pid=$!
  sleep 3  # start-up done, first frame drawn
  declare -A first=() last=()
  while read -r tid n; do [[ -n "$n" ]] && first[$tid]=$n && last[$tid]=$n; done < <(switches "$pid")
  local c0 c1 end=$((SECONDS + seconds))
  c0=$(awk '{ print $14 + $15 }' /proc/"$pid"/stat)
  while ((SECONDS < end)); do
    sleep 0.2
    while read -r tid n; do [[ -n "$n" ]] && last[$tid]=$n; done < <(switches "$pid")
  done
  c1=$(awk '{ print $14 + $15 }' /proc/"$pid"/stat)
  local total=0 tid
  for tid in "${!last[@]}"; do total=$((total + last[$tid] - ${first[$tid]:-0})); done
  local rss threads
  rss=$(awk '/^VmRSS/ { print $2 }' /proc/"$pid"/status)
  threads=$(ls /proc/"$pid"/task | wc -l)
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=""
  awk -v n="$name" -v w="$total" -v s="$seconds" -v t="$((c1 - c0))" -v hz="$(getconf CLK_TCK)" -v r="$rss" -v th="$threads" \
    'BEGIN { printf "%-22s %6.2f wake-ups/s  CPU %.3f%%  %d threads  %d KiB resident\n", n, w / s, 100 * t / hz / s, th, r }'
}

settings='HKCU\Software\Zunworks\Zun Time\Settings'
show() {  # POSITION SECONDS: the clocks screen to start on, seconds shown or not
  "$bin/zt-reg" set "$settings" ActiveScreenSet --dword 0 >/dev/null
  "$bin/zt-reg" set "$settings" ClocksActiveScreen --dword "$1" >/dev/null
  "$bin/zt-reg" set "$settings" ShowSeconds --dword "$2" >/dev/null
}

measure "empty Qt window" "$build/bench/zt-empty-window"
main="$root/Program Files/Zun Time/ZunTime.exe"
show 1 1 && measure "analog, seconds" "$main"
show 1 0 && measure "analog, no seconds" "$main"
show 2 1 && measure "digital, seconds" "$main"
show 2 0 && measure "digital, no seconds" "$main"
show 0 1 && measure "world map (static)" "$main"
