#!/usr/bin/env bash
# Builds (through setup.sh) and runs what Zun Time has so far.
# Until the main program exists: a device root, its registry, alarms and their registration with
# the device, and world time. Start the device itself with: ZT_ROOT=... build/bin/zt-device run
#   scripts/run.sh             use the device root in $ZT_ROOT, else a fresh one in /tmp
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" >/dev/null
build=${ZT_BUILD_DIR:-build}
[[ "$build" = /* ]] || build="$here/$build"
bin="$build/bin"

root=${ZT_ROOT:-$(mktemp -d /tmp/zuntime-device-XXXXXX)}
export ZT_ROOT="$root"
echo "Device root: $ZT_ROOT"

reg="$bin/zt-reg"
"$reg" set 'HKCU\Software\Zunworks\Zun Time' AppPath --sz '\Program Files\Zun Time\ZunTime.exe'
"$reg" set 'HKCU\Software\Zunworks\Zun Time\Alarms' 1 --sz 'actp=0;alt=70500;alszdt=5;alo=31;tn=Work;acstr=;acrtp=1;acrvl=60;acv=2;acvb=0'
"$reg" set 'HKLM\System\ZunDevice' ScreenWidth --dword 480
echo
echo "The alarm record as stored:"
"$reg" get 'HKCU\SOFTWARE\zunworks\zun time\alarms' 1
echo
echo "The product key:"
"$reg" list 'HKCU\Software\Zunworks\Zun Time'
echo
echo "A dump that 'zt-reg import' reads back:"
"$reg" export 'HKCU\Software\Zunworks'

echo
echo "An alarm added the way the main program adds one, and its registration with the device:"
"$bin/zt-alarm" list | grep -q $'\tEarly shift\t' ||
  "$bin/zt-alarm" add 06:45 --days weekdays --name "Early shift" >/dev/null
"$bin/zt-alarm" list
echo "next due: $("$bin/zt-alarm" next)"
"$bin/zt-device" notify list

echo
echo "World time from the shipped city database:"
cities=("$bin/zt-cities" --db "$here/data/cities/TimeCitiesDB.dat")
"${cities[@]}" zip 10001
for place in "Japan Tokyo" "United Kingdom London" "Australia Sydney"; do
  read -r -a words <<<"$place"
  country=${words[*]:0:${#words[@]}-1}
  "${cities[@]}" time "$country" "${words[-1]}" | sed "s/^/${words[-1]}: /"
done
