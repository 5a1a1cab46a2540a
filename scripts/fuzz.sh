#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each of
# them for its share of the given time (minutes, default 20 in all), growing
# a corpus per target in build-fuzz/corpus/ from the seeds in fuzz/seeds/.
#   scripts/fuzz.sh            all targets, 20 minutes in all
#   scripts/fuzz.sh 8 profile  one target (fuzz_profile) for 8 minutes
# A crash stops its target and leaves the input in build-fuzz/crashes/; the
# script ends non-zero when any target found one.
set -euo pipefail
cd "$(dirname "$0")/.."
minutes="${1:-20}"
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(dispatch dcc_offer profile html_view)

command -v clang++ >/dev/null && dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q "ok installed" || {
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends clang libclang-rt-14-dev
}
scripts/ensure-deps.sh
[ -f build-fuzz/CMakeCache.txt ] || CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBRIMO_BUILD_FUZZ=ON -DBRIMO_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target $(printf 'fuzz_%s ' "${targets[@]}")

seconds=$(( minutes * 60 / ${#targets[@]} ))
mkdir -p build-fuzz/crashes
failed=0
for target in "${targets[@]}"; do
  corpus="build-fuzz/corpus/${target}"
  mkdir -p "${corpus}"
  echo "== fuzz_${target}: ${seconds} s"
  if ! build-fuzz/fuzz/"fuzz_${target}" -max_total_time="${seconds}" -print_final_stats=1 \
       -artifact_prefix="build-fuzz/crashes/${target}-" "${corpus}" "fuzz/seeds/${target}" \
       2> "build-fuzz/fuzz_${target}.log"; then
    failed=1
    tail -40 "build-fuzz/fuzz_${target}.log"
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^Done' "build-fuzz/fuzz_${target}.log" || true
  echo "corpus: $(ls "${corpus}" | wc -l) inputs"
done
exit "${failed}"
