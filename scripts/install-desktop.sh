#!/usr/bin/env bash
# Puts Zun Time on the current user's desktop, or takes it off again.
#   scripts/install-desktop.sh            install (again: an upgrade; files no longer shipped go)
#   scripts/install-desktop.sh --remove   stop the login start and remove every installed file
# Installs, for this user only:
#   the device programs from build/bin and the launcher zuntime-launch into ~/.local/bin
#     ($ZT_DESKTOP_BIN_DIR to choose another folder): on the usual PATH, so zt-alarm & co. work
#     from a shell, and the desktop entries and the unit name them by absolute path;
#   the desktop entries into $XDG_DATA_HOME/applications, their icons into
#     $XDG_DATA_HOME/icons/hicolor;
#   the start at login: with a systemd user manager the unit zt-device.service into
#     $XDG_CONFIG_HOME/systemd/user, enabled and started; else the autostart entry into
#     $XDG_CONFIG_HOME/autostart, and zt-device started now.
# The device started at login serves the default device root ($XDG_DATA_HOME/zuntime/device).
# Every installed file is listed in $XDG_DATA_HOME/zuntime/desktop-install.manifest; removal
# deletes exactly those, never anything in a device root (the user's alarms, settings, files).
# ZT_BUILD_DIR picks the build (default build/); ZT_DESKTOP_NO_START=1 installs without starting
# or stopping anything (tests).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${ZT_BUILD_DIR:-build}
[[ "$build" = /* ]] || build="$here/$build"
source_dir="$here/packaging/desktop"

data_home=${XDG_DATA_HOME:-$HOME/.local/share}
config_home=${XDG_CONFIG_HOME:-$HOME/.config}
bin_dir=${ZT_DESKTOP_BIN_DIR:-$HOME/.local/bin}
apps_dir="$data_home/applications"
icons_dir="$data_home/icons/hicolor"
unit_dir="$config_home/systemd/user"
autostart_dir="$config_home/autostart"
default_root="$data_home/zuntime/device"
manifest="$data_home/zuntime/desktop-install.manifest"
programs=(zt-device zt-today zt-dock zt-install zt-reg zt-alarm zt-cities zt-win)
unit=zt-device.service

fail() { echo "install-desktop: $*" >&2; exit 2; }
no_start() { [[ "${ZT_DESKTOP_NO_START:-}" == 1 ]]; }
systemd_works() { command -v systemctl >/dev/null && systemctl --user show-environment >/dev/null 2>&1; }
device_pid() {
  ZT_ROOT="$default_root" "$1" status 2>/dev/null | sed -n 's/^pid\t\([0-9][0-9]*\)$/\1/p'
}

# Everything installed lies in one of these; a manifest line elsewhere is not ours to delete.
ours() {
  local path=$1
  [[ "$path" == "$default_root" || "$path" == "$default_root"/* ]] && return 1
  [[ -n "${ZT_ROOT:-}" && ( "$path" == "$ZT_ROOT" || "$path" == "$ZT_ROOT"/* ) ]] && return 1
  [[ "$path" != *..* ]] || return 1
  local folder
  for folder in "$bin_dir" "$apps_dir" "$icons_dir" "$unit_dir" "$autostart_dir"; do
    [[ "$path" == "$folder"/* ]] && return 0
  done
  return 1
}

# Removes the files a manifest lists and the folders that are left empty by it.
remove_listed() {
  local path folder
  while IFS= read -r path; do
    [[ -n "$path" ]] || continue
    ours "$path" || { echo "install-desktop: leaving $path (not an installed file)" >&2; continue; }
    rm -f -- "$path"
    folder=$(dirname -- "$path")
    while [[ "$folder" == "$icons_dir"/* ]] && rmdir -- "$folder" 2>/dev/null; do
      folder=$(dirname -- "$folder")
    done
  done
}

stop_login_start() {
  # The unit's enable link goes even when systemd is gone by now.
  rm -f -- "$unit_dir/default.target.wants/$unit"
  rmdir -- "$unit_dir/default.target.wants" 2>/dev/null || true
  no_start && return 0
  if [[ -f "$unit_dir/$unit" ]] && systemd_works; then
    systemctl --user disable --now "$unit" >/dev/null 2>&1 || echo "install-desktop: could not disable $unit" >&2
  fi
  # Without systemd the device runs from the launcher: end it when it is the installed one.
  local pid
  pid=$([[ -x "$bin_dir/zt-device" ]] && device_pid "$bin_dir/zt-device" || true)
  if [[ -n "$pid" && "$(readlink "/proc/$pid/exe" 2>/dev/null)" == "$bin_dir/zt-device"* ]]; then
    kill -TERM "$pid" 2>/dev/null || true
  fi
}

if [[ "${1:-}" == "--remove" ]]; then
  [[ -f "$manifest" ]] || { echo "install-desktop: nothing installed ($manifest is missing)"; exit 0; }
  # The programs' folder is where the installation put the launcher, whatever ZT_DESKTOP_BIN_DIR says now.
  launcher=$(grep -m1 '/zuntime-launch$' "$manifest" || true)
  [[ -n "$launcher" ]] && bin_dir=$(dirname -- "$launcher")
  stop_login_start
  remove_listed <"$manifest"
  rm -f -- "$manifest"
  ! no_start && systemd_works && systemctl --user daemon-reload >/dev/null 2>&1 || true
  echo "Zun Time removed from the desktop; the device root $default_root stays."
  exit 0
fi
[[ $# -eq 0 ]] || { echo "usage: install-desktop.sh [--remove]" >&2; exit 2; }

for program in "${programs[@]}"; do
  [[ -x "$build/bin/$program" ]] || fail "$build/bin/$program is missing: build first (scripts/setup.sh)"
done
# The path goes quoted into desktop entries and the unit: characters those would have to escape
# are refused rather than half-escaped.
[[ "$bin_dir" = /* && "$bin_dir" != *[\"\`\$\\%]* && "$bin_dir" != *$'\n'* ]] ||
  fail "cannot install into \"$bin_dir\": the folder must be absolute, without \" \` \$ \\ %"

new_manifest=$(mktemp "${TMPDIR:-/tmp}/zt-desktop-manifest.XXXXXX")
trap 'rm -f -- "$new_manifest"' EXIT
# Copies beside the target and renames, so a running program is replaced, not overwritten.
put() {
  local from=$1 to=$2 mode=$3
  mkdir -p -- "$(dirname -- "$to")"
  cp -- "$from" "$to.zt-new"
  chmod "$mode" "$to.zt-new"
  mv -f -- "$to.zt-new" "$to"
  printf '%s\n' "$to" >>"$new_manifest"
}
# A desktop entry with the launcher named by its installed path.
put_entry() {
  local from=$1 to=$2 launcher="\"$bin_dir/zuntime-launch\""
  launcher=${launcher//&/\\&}
  sed "s|^Exec=zuntime-launch|Exec=${launcher//|/\\|}|" "$from" >"$new_manifest.entry"
  put "$new_manifest.entry" "$to" 644
  rm -f -- "$new_manifest.entry"
}

for program in "${programs[@]}"; do
  put "$build/bin/$program" "$bin_dir/$program" 755
done
put "$source_dir/zuntime-launch" "$bin_dir/zuntime-launch" 755
for entry in zuntime zuntime-today zuntime-dock; do
  put_entry "$source_dir/$entry.desktop" "$apps_dir/$entry.desktop"
done
while IFS= read -r -d '' icon; do
  put "$icon" "$icons_dir/${icon#"$source_dir/icons/hicolor/"}" 644
done < <(find "$source_dir/icons/hicolor" -name '*.png' -print0 | sort -z)

use_systemd=0
systemd_works && use_systemd=1
if ((use_systemd)); then
  sed "s|^ExecStart=.*|ExecStart=\"${bin_dir//&/\\&}/zt-device\" run|" "$source_dir/$unit" >"$new_manifest.unit"
  put "$new_manifest.unit" "$unit_dir/$unit" 644
  rm -f -- "$new_manifest.unit"
else
  put_entry "$source_dir/zuntime-device-autostart.desktop" "$autostart_dir/zuntime-device.desktop"
fi

# What an earlier installation put there and this one no longer does (the other login start
# after systemd came or went, a file no longer shipped) goes now.
if [[ -f "$manifest" ]]; then
  if ! grep -qxF -- "$unit_dir/$unit" "$new_manifest" && grep -qxF -- "$unit_dir/$unit" "$manifest"; then
    stop_login_start
  fi
  remove_listed < <(grep -vxF -f "$new_manifest" -- "$manifest" || true)
fi
mkdir -p -- "$(dirname -- "$manifest")"
cp -- "$new_manifest" "$manifest"

echo "Installed into $bin_dir, $apps_dir and $icons_dir."
if ((use_systemd)); then
  systemctl --user daemon-reload
  systemctl --user enable "$unit" >/dev/null 2>&1 || fail "systemctl --user enable $unit failed"
  if no_start; then
    echo "zt-device starts at login ($unit); not started now (ZT_DESKTOP_NO_START=1)."
  elif [[ -n "$(device_pid "$bin_dir/zt-device")" ]] && ! systemctl --user is-active -q "$unit"; then
    echo "zt-device starts at login ($unit); a device already runs for $default_root," \
      "so the unit waits for the next login."
  else
    # An upgrade puts the new zt-device in place.
    systemctl --user restart "$unit" || fail "systemctl --user restart $unit failed: see journalctl --user -u zt-device"
    echo "zt-device runs as $unit: systemctl --user status zt-device; journalctl --user -u zt-device"
  fi
else
  echo "No systemd user manager: zt-device starts at login through $autostart_dir/zuntime-device.desktop."
  if no_start; then
    echo "Not started now (ZT_DESKTOP_NO_START=1)."
  elif [[ -n "$(device_pid "$bin_dir/zt-device")" ]]; then
    echo "A device already runs for $default_root."
  else
    mkdir -p -- "$default_root"
    ZT_ROOT="$default_root" nohup "$bin_dir/zuntime-launch" --device >>"$default_root/zt-device.log" 2>&1 &
    # Told once it runs, so that a caller checking next (run.sh) finds it and starts no other.
    for _ in $(seq 50); do [[ -n "$(device_pid "$bin_dir/zt-device")" ]] && break; sleep 0.1; done
    if [[ -n "$(device_pid "$bin_dir/zt-device")" ]]; then
      echo "zt-device started for $default_root (log: $default_root/zt-device.log)."
    else
      echo "zt-device did not start: see $default_root/zt-device.log" >&2
    fi
  fi
fi
