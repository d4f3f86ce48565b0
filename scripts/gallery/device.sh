# shellcheck shell=bash
# The device of one gallery run and the debug bridge's verbs as the screens need them; sourced
# by scripts/gallery.sh, which sets `bin`, `package` and `fail`.

started=()   # every program this run started, by PID, ended before the run ends

# Starts a program in the background and remembers it; its PID in `last_started`.
start_program() {
  "$@" >>"$ZT_ROOT/programs.log" 2>&1 &
  last_started=$!
  started+=("$last_started")
}

# Ends one program by PID: SIGTERM, then SIGKILL if it is still there after 5 s.
end_program() {
  local pid=$1
  kill -TERM "$pid" 2>/dev/null || true
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# Programs the device started for us (Ringout from the service, the main program from the
# Today item or the dock) are found by their windows and ended too.
end_device_programs() {
  local pid
  for pid in $("$bin/zt-device" windows 2>/dev/null | awk -F'\t' '{ print $4 }' | sort -u); do
    [[ "$pid" =~ ^[0-9]+$ && "$pid" != "$$" ]] && end_program "$pid"
  done
}

end_all_programs() {
  local pid
  for pid in "${started[@]}"; do end_program "$pid"; done
  started=()
  [[ -n "${ZT_ROOT:-}" && -d "$ZT_ROOT" ]] && end_device_programs
  return 0
}

# A fresh device root at the screen size with Zun Time installed in English, the skin active
# and the device running.
fresh_device() {
  local width=$1 height=$2 skin=$3
  ZT_ROOT=$(mktemp -d "${TMPDIR:-/tmp}/zt-gallery-XXXXXX")
  export ZT_ROOT
  local reg="$bin/zt-reg"
  "$reg" set 'HKLM\System\ZunDevice' ScreenWidth --dword "$width" >/dev/null
  "$reg" set 'HKLM\System\ZunDevice' ScreenHeight --dword "$height" >/dev/null
  "$bin/zt-install" "$package" >>"$ZT_ROOT/programs.log" 2>&1 || fail "install: zt-install $package failed (see $ZT_ROOT/programs.log)"
  local settings='HKCU\Software\Zunworks\Zun Time\Settings'
  "$reg" set "$settings" ActiveSkin --sz "$skin" >/dev/null
  "$reg" set "$settings" TodaySkinName --sz "$skin" >/dev/null
  # Without the second hand a picture does not depend on the second it was taken in.
  "$reg" set "$settings" ShowSeconds --dword 0 >/dev/null
  start_program "$bin/zt-device" run
  for _ in $(seq 100); do "$bin/zt-device" status 2>/dev/null | grep -q $'^running\tyes' && break; sleep 0.1; done
  "$bin/zt-device" status 2>/dev/null | grep -q $'^running\tyes' || fail "device: zt-device run did not start"
  set_clock
}

# Every program starts at the same moment of the same day, so a picture shows the same time
# and night side whenever it is made; each program's pictures are taken within the minute.
set_clock() {
  "$bin/zt-device" clock --set "${1:-$gallery_day $gallery_time}" >/dev/null || fail "device: the clock cannot be set"
}

leave_device() {
  end_all_programs
  [[ -n "${ZT_ROOT:-}" && -d "$ZT_ROOT" ]] && rm -rf "$ZT_ROOT"
  unset ZT_ROOT
}

# What `zt-device ui` lists now; nothing while no program shows a window.
ui_lines() { "$bin/zt-device" ui 2>/dev/null || true; }

# The first `zt-device ui` line of the kind showing the text (exactly), or nothing.
ui_line() {
  ui_lines | awk -F'\t' -v kind="$1" -v text="$2" '$2 == kind && $4 == text { print; exit }'
}

# Waits up to 20 s for such a line and puts it in `found`; fails naming the picture otherwise.
await() {
  local kind=$1 text=$2
  for _ in $(seq 100); do
    found=$(ui_line "$kind" "$text")
    [[ -n "$found" ]] && return 0
    sleep 0.2
  done
  fail "$picture: no $kind \"$text\" on the device screen"
}

# Waits until the front-most window is of the kind (and text, when given).
await_front() {
  local kind=$1 text=${2-}
  for _ in $(seq 100); do
    ui_lines | head -n 1 | awk -F'\t' -v kind="$kind" -v text="$text" \
      '$2 == kind && (text == "" || $4 == text) { ok = 1 } END { exit !ok }' && return 0
    sleep 0.2
  done
  fail "$picture: the front-most window is not a $kind${text:+ \"$text\"}"
}

centre_of() { awk -F'\t' '{ print $5 + int($7 / 2), $6 + int($8 / 2) }' <<<"$1"; }

# Taps the centre of a ui line; exit 1 (the program ended with the tap) counts as done.
tap_line() {
  local status=0 said
  # shellcheck disable=SC2046
  said=$("$bin/zt-device" input tap $(centre_of "$1") 2>&1) || status=$?
  (( status <= 1 )) || fail "$picture: the tap on \"$(cut -f4 <<<"$1")\" was refused: $said"
}

tap_on() { await "$1" "$2"; tap_line "$found"; }

hold_at() { "$bin/zt-device" input hold "$1" "$2" || fail "$picture: the tap-and-hold at $1,$2 was refused"; }

device_key() { "$bin/zt-device" input key "$1" || fail "$picture: the key $1 was refused"; }
