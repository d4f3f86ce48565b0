#!/usr/bin/env bash
# Builds (through setup.sh) and runs the whole test suite; exits non-zero on any failure.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   address and undefined-behaviour sanitizers in build-asan/
#   scripts/test.sh --tsan       thread sanitizer in build-tsan/
#   extra arguments go to ctest (e.g. -R Registry)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [[ "${1:-}" == "--sanitize" ]]; then
  shift
  export ZT_BUILD_DIR=${ZT_BUILD_DIR:-build-asan} ZT_SANITIZE=address,undefined
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
  export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/scripts/lsan.supp}
elif [[ "${1:-}" == "--tsan" ]]; then
  shift
  export ZT_BUILD_DIR=${ZT_BUILD_DIR:-build-tsan} ZT_SANITIZE=thread
  # halt_on_error: a race fails the test that ran into it, not a later one.
  export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1 second_deadlock_stack=1 suppressions=$here/scripts/tsan.supp}
fi
"$here/scripts/setup.sh"
build=${ZT_BUILD_DIR:-build}
[[ "$build" = /* ]] || build="$here/$build"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j"${ZT_TEST_JOBS:-2}" "$@"
