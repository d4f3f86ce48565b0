#!/usr/bin/env bash
# The Debian package end to end: built by scripts/package.sh, its control data and contents,
# lintian, then installed into a scratch root with dpkg (scripts run there through DPKG_ROOT),
# where a user's device started the way the user unit starts it keeps an alarm across a
# restart (a reboot) and rings it; removal and purge take the package's files and leave the
# user's device root as it was.
#   debian_package_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build=$2
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zt-deb-test.XXXXXX")
device_group=""
cleanup() {
  [[ -n "$device_group" ]] && kill -TERM -- "-$device_group" 2>/dev/null
  [[ -n "$device_group" ]] && sleep 0.5 && kill -KILL -- "-$device_group" 2>/dev/null
  rm -rf -- "$scratch"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
check() { local what=$1; shift; "$@" || fail "$what"; }
eventually() {
  local tries=$1; shift
  for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.2; done
  return 1
}

deb=$(ZT_BUILD_DIR="$build" "$source_dir/scripts/package.sh" --no-build "$scratch/out" | tail -1)
[[ -f "$deb" ]] || { echo "FAIL: scripts/package.sh made no package" >&2; exit 1; }
echo "package: $deb"

# --- control data and contents -------------------------------------------------------------
info=$(dpkg-deb --info "$deb")
field() { dpkg-deb --field "$deb" "$1"; }
check "package name" [ "$(field Package)" = zuntime ]
depends=$(field Depends)
for needed in libc6 libqt6widgets6 libqt6gui6 libqt6multimedia6 libsqlite3-0 zlib1g fonts-dejavu-core; do
  [[ ",$depends" == *", $needed"* || ",$depends" == *",$needed"* ]] || fail "Depends lacks $needed: $depends"
done
grep -qE '[*] +postinst ' <<<"$info" || fail "no postinst"
grep -qE '[*] +prerm ' <<<"$info" || fail "no prerm"

contents=$(dpkg-deb --contents "$deb" | awk '{ print $6 }')
for path in ./usr/bin/zt-device ./usr/bin/zt-alarm ./usr/bin/zt-today ./usr/bin/zt-dock ./usr/bin/zuntime-launch \
  ./usr/lib/zuntime/package/manifest.txt ./usr/lib/zuntime/package/package.id ./usr/lib/zuntime/package/Setup.dll \
  ./usr/lib/zuntime/package/Windows/ZunTimeService.dll ./usr/lib/zuntime/package/InstallDir/ZunTime._exe \
  ./usr/lib/zuntime/package/InstallDir/TimeCitiesDB.dat ./usr/share/applications/zuntime.desktop \
  ./usr/share/icons/hicolor/48x48/apps/zuntime.png ./usr/lib/systemd/user/zt-device.service \
  ./usr/lib/systemd/user-preset/90-zuntime.preset ./etc/xdg/autostart/zuntime-device.desktop \
  ./usr/share/doc/zuntime/copyright ./usr/share/doc/zuntime/changelog.Debian.gz ./usr/share/doc/zuntime/manual/ZunTime.htm \
  ./usr/share/man/man1/zt-alarm.1.gz ./usr/share/man/man1/zuntime-launch.1.gz; do
  grep -qxF -- "$path" <<<"$contents" || fail "the package lacks $path"
done
# Only what a person runs: no test programs, probes or fake libraries.
if grep -E 'test|probe|fake' <<<"$contents"; then fail "the package holds test files (above)"; fi

# --- lintian: errors fail, the rest is shown ----------------------------------------------
if command -v lintian >/dev/null; then
  lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports errors"
else
  echo "lintian is not installed: its check is skipped (scripts/setup.sh installs it)"
fi

# --- install into a scratch root ---------------------------------------------------------
target=$scratch/root
admin=$target/var/lib/dpkg
mkdir -p "$admin/info" "$admin/updates" "$admin/triggers"
touch "$admin/status" "$admin/available"
dpkg_here=(dpkg --instdir="$target" --admindir="$admin" --force-script-chrootless --force-depends)
[[ $(id -u) -eq 0 ]] || dpkg_here+=(--force-not-root)
"${dpkg_here[@]}" -i "$deb" >"$scratch/dpkg.log" 2>&1 || { cat "$scratch/dpkg.log" >&2; fail "dpkg -i"; exit 1; }
bin=$target/usr/bin
check "the programs are installed" test -x "$bin/zt-device"
check "the unit names the launcher" grep -qx 'ExecStart=/usr/bin/zuntime-launch --service' "$target/usr/lib/systemd/user/zt-device.service"
if command -v systemctl >/dev/null; then
  check "the unit is enabled for every user" test -L "$target/etc/systemd/user/default.target.wants/zt-device.service"
fi

# --- a user's device, started as the user unit starts it, across a restart ----------------
export HOME=$scratch/home
unset XDG_DATA_HOME ZT_ROOT
export ZT_AUDIO="log:$scratch/audio.log" LC_ALL=C QT_QPA_PLATFORM=offscreen
user_root=$HOME/.local/share/zuntime/device
start_device() {
  setsid "$bin/zuntime-launch" --service >>"$scratch/device.log" 2>&1 &
  device_group=$!
  eventually 100 device_answers || { cat "$scratch/device.log" >&2; fail "the device did not start"; exit 1; }
}
device_answers() { ZT_ROOT=$user_root "$bin/zt-device" status 2>/dev/null | grep -q $'^service\t'; }
stop_device() {
  kill -TERM -- "-$device_group"
  eventually 50 bash -c "! kill -0 -- -$device_group 2>/dev/null" || fail "the device did not end on SIGTERM"
  device_group=""
}
export ZT_ROOT=$user_root
start_device
check "the launcher installed the product into the user's root" test -f "$user_root/Windows/ZunTimeService.dll"
check "the installed package is recorded" cmp -s "$user_root/zuntime-package.id" "$target/usr/lib/zuntime/package/package.id"
"$bin/zt-device" clock --set "2027-03-01 06:00:00" >/dev/null
"$bin/zt-alarm" add 07:30 --name "After the reboot" >/dev/null || fail "zt-alarm add"
stop_device
start_device
check "the alarm is still registered after the restart" eventually 50 bash -c '"$0" notify list | grep -q .' "$bin/zt-device"
"$bin/zt-device" clock --set "2027-03-01 07:29:57" >/dev/null
rings() { grep -q '^play ' "$scratch/audio.log" 2>/dev/null; }
check "the alarm rings after the restart" eventually 150 rings
stop_device
check "the alarm is kept" bash -c '"$0" list | grep -q "After the reboot"' "$bin/zt-alarm"

# --- removal and purge leave the user's device root ----------------------------------------
before=$(cd "$user_root" && find . -type f -print0 | sort -z | xargs -0 sha256sum)
"${dpkg_here[@]}" -r zuntime >>"$scratch/dpkg.log" 2>&1 || fail "dpkg -r"
check "removal takes the programs" test ! -e "$bin/zt-device"
check "removal takes the product's package" test ! -e "$target/usr/lib/zuntime"
check "removal ends the start at login" test ! -e "$target/etc/systemd/user/default.target.wants/zt-device.service"
"${dpkg_here[@]}" -P zuntime >>"$scratch/dpkg.log" 2>&1 || fail "dpkg -P"
check "purge takes the autostart entry" test ! -e "$target/etc/xdg/autostart/zuntime-device.desktop"
after=$(cd "$user_root" && find . -type f -print0 | sort -z | xargs -0 sha256sum)
check "the user's device root is untouched" [ "$before" = "$after" ]

((failures == 0)) || { echo "$failures check(s) failed" >&2; exit 1; }
echo "all checks passed"
