#!/usr/bin/env bash
# Installs what the project needs (only what is missing), then configures and builds.
# Safe to run again: a second run installs nothing and does a no-op build.
#   scripts/setup.sh                 build into build/
#   ZT_BUILD_DIR=build-asan ZT_SANITIZE=address,undefined scripts/setup.sh
#   scripts/setup.sh --install-only  only the packages (ZT_EXTRA_PACKAGES adds more); no build
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libsqlite3-dev sqlite3 zlib1g-dev
  qt6-base-dev qt6-multimedia-dev qt6-image-formats-plugins
  fonts-dejavu-core xvfb libxcb1-dev
  locales tzdata
  desktop-file-utils
  # the Debian package: CPack's scan of the programs' libraries, and its check
  file dpkg-dev lintian
)
# Other scripts ask for what only they need (scripts/fuzz.sh: clang and its fuzzing runtime).
read -r -a extra <<< "${ZT_EXTRA_PACKAGES:-}"
packages+=("${extra[@]}")

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
[[ "${1:-}" == "--install-only" ]] && exit 0

# The suite must pass under other zones and locales too; these are the ones it is run under
# besides the machine's own (LANG=de_DE.UTF-8 or en_US.UTF-8, TZ=America/New_York).
wanted_locales=(en_US.UTF-8 de_DE.UTF-8)
missing_locales=()
for l in "${wanted_locales[@]}"; do
  locale -a 2>/dev/null | grep -qix "${l%.UTF-8}.utf8" || missing_locales+=("$l")
done
if ((${#missing_locales[@]})) && [[ -f /etc/locale.gen ]]; then
  echo "setup: generating the locales ${missing_locales[*]}"
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo="sudo"
  for l in "${missing_locales[@]}"; do
    grep -qx "$l UTF-8" /etc/locale.gen || echo "$l UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
  done
  $sudo locale-gen >/dev/null
fi

build=${ZT_BUILD_DIR:-build}
[[ "$build" = /* ]] || build="$here/$build"
sanitize=${ZT_SANITIZE:-}
launcher=()
# A compiler cache, when the machine has one, makes rebuilds in other checkouts cheap.
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S "$here" -B "$build" -G Ninja "${launcher[@]}" \
    -DCMAKE_BUILD_TYPE="${ZT_BUILD_TYPE:-RelWithDebInfo}" \
    -DZT_WERROR=ON -DZT_SANITIZE="$sanitize"
fi
cmake --build "$build" -- -j"${ZT_JOBS:-2}"
