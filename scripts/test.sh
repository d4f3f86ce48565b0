#!/usr/bin/env bash
# Builds (through setup.sh) and runs the whole test suite; exits non-zero on any failure.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   address and undefined-behaviour sanitizers in build-asan/
#   extra arguments go to ctest (e.g. -R Registry)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [[ "${1:-}" == "--sanitize" ]]; then
  shift
  export ZT_BUILD_DIR=${ZT_BUILD_DIR:-build-asan} ZT_SANITIZE=address,undefined
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
  export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/scripts/lsan.supp}
fi
"$here/scripts/setup.sh"
build=${ZT_BUILD_DIR:-build}
[[ "$build" = /* ]] || build="$here/$build"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j"${ZT_TEST_JOBS:-2}" "$@"
