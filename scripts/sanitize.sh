#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitize/ and runs the whole test suite under them. Leaks inside the
# libraries we use (not our code) are suppressed in scripts/lsan.supp.
# Arguments go to ctest (e.g. -R session).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-deps.sh
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
launcher=""
command -v ccache >/dev/null && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
[ -f build-sanitize/CMakeCache.txt ] || cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo ${launcher} \
  -DCMAKE_CXX_FLAGS="${flags}" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-sanitize -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=0"
cd build-sanitize
ctest --output-on-failure -j2 --timeout 900 "$@"
