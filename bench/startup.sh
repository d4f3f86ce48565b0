#!/usr/bin/env bash
# Start-up of the installed main program beside an empty Qt Widgets window (zt-empty-window),
# median of several runs each:
#  - offscreen: from the start to the first frame saved as a PNG (the program's ZT_SCREENSHOT,
#    the empty window's --grab; both with fast compression);
#  - under Xvfb: from the start to the first window on the display with something drawn in it.
# Each as wall time and as the CPU time the program used until then: on a busy machine the wall
# time mostly measures the other work, the CPU time does not.
#   bench/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-15}
bin="$build/bin"
root=$(mktemp -d /tmp/zt-startup-XXXXXX)
xvfb=""
trap '[[ -n "$xvfb" ]] && kill "$xvfb" 2>/dev/null; wait 2>/dev/null || true; rm -rf "$root"' EXIT
export ZT_ROOT="$root" ZT_AUDIO=null
"$bin/zt-install" "$build/package" >/dev/null
main="$root/Program Files/Zun Time/ZunTime.exe"
empty="$build/bench/zt-empty-window"
timer="$build/bench/zt-first-frame"
shot="$root/first-frame.png"

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
measure() {  # runs the timer RUNS times and prints the medians of wall and CPU time
  local out
  out=$(for _ in $(seq "$runs"); do "$timer" "$@" 2>/dev/null; done)
  echo "$(cut -d' ' -f1 <<<"$out" | median) $(cut -d' ' -f2 <<<"$out" | median)"
}
report() {  # WHAT MAIN_MEDIANS EMPTY_MEDIANS
  read -r mw mc <<<"$2"
  read -r ew ec <<<"$3"
  awk -v w="$1" -v mw="$mw" -v mc="$mc" -v ew="$ew" -v ec="$ec" 'BEGIN {
    printf "%s: main program %.0f ms (CPU %.0f ms), empty Qt window %.0f ms (CPU %.0f ms): %.2fx wall, %.2fx CPU\n",
           w, mw, mc, ew, ec, mw / ew, mc / ec }'
}

export QT_QPA_PLATFORM=offscreen
"$timer" --png "$shot" "$empty" --grab "$shot" >/dev/null  # warm the caches of both
ZT_SCREENSHOT="$shot" "$timer" --png "$shot" "$main" >/dev/null
e=$(measure --png "$shot" "$empty" --grab "$shot")
m=$(ZT_SCREENSHOT="$shot" measure --png "$shot" "$main")
report "offscreen first frame" "$m" "$e"

if command -v Xvfb >/dev/null; then
  display=:$(( 90 + RANDOM % 400 ))
  Xvfb "$display" -screen 0 800x700x24 -br -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
  export DISPLAY=$display QT_QPA_PLATFORM=xcb
  "$timer" --x11 "$empty" >/dev/null
  e=$(measure --x11 "$empty")
  m=$(measure --x11 "$main")
  report "first drawn window under Xvfb" "$m" "$e"
fi
