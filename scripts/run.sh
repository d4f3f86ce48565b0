#!/usr/bin/env bash
# Builds (through setup.sh), installs Zun Time into the device as a person would and runs it.
#   scripts/run.sh      the device root in $ZT_ROOT, else the default device
#                       ($XDG_DATA_HOME/zuntime/device)
# The package (build/package) is installed with zt-install, as an upgrade when it is already
# there; `zt-device run` is started for the root unless it runs; the installed main program is
# opened (without a display: offscreen, with a picture of its screen in the device root). Then it
# shows the device's registry, alarms and world time.
# Zun Time is also put on the user's desktop (scripts/install-desktop.sh: menu entries, icons and
# the device started at login) unless ZT_NO_DESKTOP=1; where that cannot be done (a container
# without a desktop or systemd) it says so and goes on.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" >/dev/null
build=${ZT_BUILD_DIR:-build}
[[ "$build" = /* ]] || build="$here/$build"
bin="$build/bin"

root=${ZT_ROOT:-${XDG_DATA_HOME:-$HOME/.local/share}/zuntime/device}
mkdir -p "$root"
export ZT_ROOT="$root"
echo "Device root: $ZT_ROOT"

"$bin/zt-install" "$build/package"

if [[ "${ZT_NO_DESKTOP:-}" != 1 ]]; then
  ZT_BUILD_DIR="$build" "$here/scripts/install-desktop.sh" ||
    echo "The desktop installation did not complete (see above); the device runs without it."
fi

device_running() { "$bin/zt-device" status 2>/dev/null | grep -q $'^running\tyes'; }
if ! device_running; then
  nohup "$bin/zt-device" run >>"$ZT_ROOT/zt-device.log" 2>&1 &
  for _ in $(seq 50); do device_running && break; sleep 0.1; done
  device_running && echo "zt-device started (log: $ZT_ROOT/zt-device.log)" || echo "zt-device did not start: see $ZT_ROOT/zt-device.log"
else
  echo "zt-device already runs for this root"
fi

# The installed main program. Without a display it runs on Qt's offscreen platform, and the
# device's debug bridge saves a picture of its screen once the program shows it. A copy already
# running only comes forward.
main_program="$ZT_ROOT/Program Files/Zun Time/ZunTime.exe"
if [[ -x "$main_program" ]]; then
  if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    shot="$ZT_ROOT/ZunTime-screenshot.png"
    rm -f "$shot"
    QT_QPA_PLATFORM=offscreen nohup "$main_program" >>"$ZT_ROOT/zuntime.log" 2>&1 &
    for _ in $(seq 100); do "$bin/zt-device" ui >/dev/null 2>&1 && break; sleep 0.1; done
    if "$bin/zt-device" screencap "$shot" 2>/dev/null; then
      echo "ZunTime runs without a display (offscreen); its screen: $shot"
      echo "  see and drive it with: zt-device screencap FILE | ui | input tap X Y | input key action"
    else
      echo "ZunTime runs without a display (offscreen); no picture of it yet: see $ZT_ROOT/zuntime.log"
    fi
  else
    nohup "$main_program" >>"$ZT_ROOT/zuntime.log" 2>&1 &
    echo "ZunTime started (log: $ZT_ROOT/zuntime.log)"
  fi
fi

reg="$bin/zt-reg"
echo
echo "The product key:"
"$reg" list 'HKCU\Software\Zunworks\Zun Time'
echo
echo "The service and the notifications the device holds:"
"$bin/zt-device" status | grep -E $'^(service|registrations)\t' || true

echo
echo "An alarm added the way the main program adds one, and its registration with the device:"
"$bin/zt-alarm" list | grep -q $'\tEarly shift\t' ||
  "$bin/zt-alarm" add 06:45 --days weekdays --name "Early shift" >/dev/null
"$bin/zt-alarm" list
echo "next due: $("$bin/zt-alarm" next)"
"$bin/zt-device" notify list
echo
echo "The alarm records as stored:"
"$reg" list 'HKCU\SOFTWARE\zunworks\zun time\alarms'
echo
echo "A dump that 'zt-reg import' reads back:"
"$reg" export 'HKCU\Software\Zunworks\Zun Time\Alarms'

echo
echo "World time from the installed city database:"
# Readers share the database with the running main program.
cities=("$bin/zt-cities")
"${cities[@]}" zip 10001
for place in "Japan Tokyo" "United Kingdom London" "Australia Sydney"; do
  read -r -a words <<<"$place"
  country=${words[*]:0:${#words[@]}-1}
  "${cities[@]}" time "$country" "${words[-1]}" | sed "s/^/${words[-1]}: /"
done
