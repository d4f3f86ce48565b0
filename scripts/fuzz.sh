#!/usr/bin/env bash
# Fuzzes the parsers with libFuzzer: each fuzz target in turn, for SECONDS each (default 60),
# every target unless some are named.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#   scripts/fuzz.sh --list
# Installs clang and its fuzzing runtime when missing (apt-get, through setup.sh), configures
# build-fuzz/ with clang, the whole build instrumented for coverage and checked by the address
# and undefined-behaviour sanitizers, builds only the fuzzers and what they link, and runs each
# fuzzer on a copy of its committed corpus in build-fuzz/fuzz-runs/TARGET/ (the copy keeps
# what the run found). A crash, leak, time-out or memory blow-up leaves its input there, as
# crash-*, leak-*, timeout-* or oom-*; replay it with build/tests/TARGET_replay FILE.
# Exit status: 0 every target ran clean, 1 a target failed, 2 usage or build failure.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${ZT_FUZZ_BUILD_DIR:-build-fuzz}
[[ "$build" = /* ]] || build="$here/$build"

usage() { sed -n '2,12s/^# \{0,1\}//p' "$0"; }

seconds=60
if [[ "${1:-}" == "-h" || "${1:-}" == "--help" ]]; then usage; exit 0; fi
list_only=0
if [[ "${1:-}" == "--list" ]]; then list_only=1; shift; fi
if [[ "${1:-}" =~ ^[0-9]+$ ]]; then seconds=$1; shift; fi
if ((seconds < 1)); then echo "fuzz: SECONDS must be at least 1" >&2; exit 2; fi
for arg in "$@"; do
  [[ "$arg" == -* ]] && { echo "fuzz: unknown option $arg" >&2; usage >&2; exit 2; }
done

ZT_EXTRA_PACKAGES="clang libclang-rt-dev" "$here/scripts/setup.sh" --install-only

if [[ ! -f "$build/build.ninja" ]]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  # fuzzer-no-link gives every library the coverage the fuzzer steers by, not only the
  # target's own sources. Warnings stay warnings: clang's are not what this build is for.
  cmake -S "$here" -B "$build" -G Ninja "${launcher[@]}" \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZT_WERROR=OFF -DZT_BENCHMARKS=OFF \
    -DZT_SANITIZE=fuzzer-no-link,address,undefined
fi
if ! grep -q '^ZT_HAVE_LIBFUZZER:INTERNAL=1' "$build/CMakeCache.txt"; then
  echo "fuzz: clang in $build cannot link libFuzzer (is libclang-rt-dev installed?)" >&2
  exit 2
fi

# name<TAB>corpus folder, one line per target, written when the build is configured.
declare -A corpus_of=()
all=()
while IFS=$'\t' read -r name corpus; do
  corpus_of[$name]=$corpus
  all+=("$name")
done < "$build/fuzz/targets.tsv"
if ((list_only)); then printf '%s\n' "${all[@]}"; exit 0; fi

targets=("$@")
((${#targets[@]})) || targets=("${all[@]}")
for name in "${targets[@]}"; do
  [[ -n "${corpus_of[$name]:-}" ]] || { echo "fuzz: no fuzz target $name (see scripts/fuzz.sh --list)" >&2; exit 2; }
done

cmake --build "$build" --target "${targets[@]}" -- -j"${ZT_JOBS:-2}" || exit 2

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/scripts/lsan.supp}

failed=()
for name in "${targets[@]}"; do
  run="$build/fuzz-runs/$name"
  rm -rf "$run"
  mkdir -p "$run/corpus"
  cp -R "${corpus_of[$name]}/." "$run/corpus/"
  echo "fuzz: $name for $seconds s"
  status=0
  # One job, bounded in time per run and per input; libFuzzer stops at the first failure.
  "$build/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$run/" "$run/corpus" > "$run/log" 2>&1 || status=$?
  found=$(find "$run" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \
    -o -name 'oom-*' \) | sort)
  if ((status != 0)) || [[ -n "$found" ]]; then
    failed+=("$name")
    echo "fuzz: $name FAILED (exit $status); log $run/log"
    for input in $found; do echo "fuzz:   input kept: $input"; done
    grep -m1 -E 'ERROR: |runtime error: |deadly signal' "$run/log" | sed 's/^/fuzz:   /' || true
  else
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$run/log")
    cov=$(grep -o 'cov: [0-9]*' "$run/log" | tail -1)
    echo "fuzz: $name ok, ${runs:-?} runs, ${cov:-cov: ?}"
  fi
done

if ((${#failed[@]})); then
  echo "fuzz: ${#failed[@]} of ${#targets[@]} targets failed: ${failed[*]}"
  exit 1
fi
echo "fuzz: all ${#targets[@]} targets ran clean"
