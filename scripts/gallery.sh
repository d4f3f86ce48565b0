#!/usr/bin/env bash
# Pictures of every screen of Zun Time, made with `zt-device screencap` on fresh devices: the
# main program's screens, dialogs and menus, the ringing window, the screensaver, the Today item,
# the dock applet and the help viewer, for each skin at each screen size.
#
#   scripts/gallery.sh [--out DIR] [--size WxH]... [--skin NAME]... [--only NAME[,NAME]...]
#   scripts/gallery.sh --help-pictures [--out DIR]
#
#   --out DIR         where the pictures go: DIR/<skin>/<W>x<H>/<name>.png (default docs/gallery)
#   --size, --skin    only these (default: 240x320 320x240 480x640 640x480; Default and Black)
#   --only NAMES      only the pictures of these names (shell patterns, comma-separated)
#   --help-pictures   the manual's pictures instead: Default skin at 240x320, into DIR
#                     (default data/help/pictures), named as the manual uses them
#   --list            the picture names, one a line
#
# The build is ZT_BUILD_DIR (default build/; `cmake --build build` first). Every run installs the
# package into a new temporary device root with its clock at a fixed moment, in English, under a
# fixed zone, ends every program it started and removes the root. A screen that cannot be
# reached stops the run with exit status 1, naming the picture.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${ZT_BUILD_DIR:-build}
[[ "$build" = /* ]] || build="$here/$build"
bin="$build/bin"
package="$build/package"

fail() {
  echo "gallery.sh: $*" >&2
  exit 1
}
usage() {
  sed -n '5,13p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}

out=""
sizes=()
skins=()
only=""
help_pictures=0
list_only=0
while (($#)); do
  case "$1" in
    --out) out=${2:?--out needs a folder}; shift 2 ;;
    --size) [[ "${2:-}" =~ ^[0-9]+x[0-9]+$ ]] || fail "--size takes WxH, e.g. 240x320"; sizes+=("$2"); shift 2 ;;
    --skin) skins+=("${2:?--skin needs a name}"); shift 2 ;;
    --only) only=${2:?--only needs names}; shift 2 ;;
    --help-pictures) help_pictures=1; shift ;;
    --list) list_only=1; shift ;;
    -h|--help) usage ;;
    *) echo "gallery.sh: unknown argument $1" >&2; usage ;;
  esac
done

# shellcheck source=scripts/gallery/device.sh
source "$here/scripts/gallery/device.sh"
# shellcheck source=scripts/gallery/screens.sh
source "$here/scripts/gallery/screens.sh"
# shellcheck source=scripts/gallery/index.sh
source "$here/scripts/gallery/index.sh"

if ((list_only)); then
  printf '%s\n' "${gallery_names[@]}"
  exit 0
fi

if ((help_pictures)); then
  out=${out:-$here/data/help/pictures}
  sizes=(240x320)
  skins=(Default)
  only=${only:-$(IFS=,; echo "${help_picture_names[*]}")}
  layout=flat
else
  out=${out:-$here/docs/gallery}
  ((${#sizes[@]})) || sizes=(240x320 320x240 480x640 640x480)
  ((${#skins[@]})) || skins=(Default Black)
  layout=tree
fi

# Whether the picture is asked for (the --only patterns).
wanted() {
  [[ -z "$only" ]] && return 0
  local pattern patterns
  IFS=, read -r -a patterns <<<"$only"
  for pattern in "${patterns[@]}"; do
    # shellcheck disable=SC2053
    [[ "$1" == $pattern ]] && return 0
  done
  return 1
}
any_wanted() {
  local name
  for name in "$@"; do wanted "$name" && return 0; done
  return 1
}

any_wanted "${gallery_names[@]}" || fail "no picture is named \"$only\" (see --list)"

for program in zt-device zt-install zt-reg zt-alarm zt-today zt-dock zt-png-squeeze; do
  [[ -x "$bin/$program" ]] || fail "$bin/$program is missing: build first (cmake --build ${build#"$here/"})"
done
[[ -f "$package/manifest.txt" ]] || fail "$package is not laid out: build first"
for skin in "${skins[@]}"; do
  [[ -d "$package/InstallDir/$skin" ]] || fail "no skin \"$skin\" in the package"
done
locale -a 2>/dev/null | grep -qix 'en_US.utf-\{0,1\}8' || fail "the locale en_US.UTF-8 is missing (scripts/setup.sh generates it)"

# The same pictures whatever the host's zone, language and display.
export TZ=Europe/Berlin LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 QT_QPA_PLATFORM=offscreen ZT_AUDIO=null ZT_HELP_VIEWER=builtin
unset LANGUAGE DISPLAY WAYLAND_DISPLAY ZT_MESSAGE_LOG
gallery_day=2026-03-18   # a Wednesday
gallery_time=10:08:00

made=0
declare -A made_here=()
# The device screen, once two pictures a moment apart agree (a screen may still be drawing what
# it loads), as picture `name`, squeezed to a small PNG.
shot() {
  local name=$1
  wanted "$name" || return 0
  local file="$target/$name.png" previous="$ZT_ROOT/previous.png" screen="$ZT_ROOT/screen.png"
  "$bin/zt-device" screencap "$previous" >/dev/null || fail "$name: zt-device screencap failed"
  for _ in $(seq 10); do
    sleep 0.3
    "$bin/zt-device" screencap "$screen" >/dev/null || fail "$name: zt-device screencap failed"
    cmp -s "$previous" "$screen" && break
    mv "$screen" "$previous"
  done
  "$bin/zt-png-squeeze" "$screen" "$file" || fail "$name: the picture cannot be written to $file"
  made_here[$name]=1
  made=$((made + 1))
}

trap 'leave_device' EXIT
trap 'exit 130' INT TERM
for skin in "${skins[@]}"; do
  for size in "${sizes[@]}"; do
    if [[ $layout == flat ]]; then target=$out; else target="$out/$skin/$size"; fi
    mkdir -p "$target"
    echo "gallery: $skin at $size into ${target#"$here/"}"
    fresh_device "${size%x*}" "${size#*x}" "$skin"
    made_here=()
    make_pictures
    for name in "${gallery_names[@]}"; do
      if wanted "$name" && [[ -z "${made_here[$name]:-}" ]]; then fail "$name: no picture was made ($skin, $size)"; fi
    done
    leave_device
  done
done
[[ $layout == tree ]] && write_index "$out"
echo "gallery: $made pictures"
