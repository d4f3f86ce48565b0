#!/usr/bin/env bash
# Builds the Debian package of Zun Time with CPack (after building through setup.sh).
#   scripts/package.sh [--no-build] [OUT_DIR]
#       zuntime_<version>_<arch>.deb into OUT_DIR (default build/deb); prints the package's path
#       last. --no-build packages what the build holds without building first (the suite's
#       check, which runs on a finished build).
# Install it with `sudo apt install ./zuntime_*.deb`; remove it with `sudo apt remove zuntime`
# (every user's device root under ~/.local/share/zuntime stays).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [[ "${1:-}" == "--no-build" ]]; then
  shift
else
  "$here/scripts/setup.sh" >/dev/null
fi
build=${ZT_BUILD_DIR:-build}
[[ "$build" = /* ]] || build="$here/$build"
out=${1:-$build/deb}
mkdir -p "$out"
out=$(cd "$out" && pwd)

# A fresh staging area each time, so a file dropped from the product leaves the package too.
rm -rf "$out/_CPack_Packages"
(cd "$build" && cpack -G DEB -B "$out" --config "$build/CPackConfig.cmake" >"$out/cpack.log" 2>&1) || {
  cat "$out/cpack.log" >&2
  echo "package: cpack failed" >&2
  exit 1
}
rm -rf "$out/_CPack_Packages"
package=$(ls -t "$out"/zuntime_*.deb | head -1)
echo "$package"
