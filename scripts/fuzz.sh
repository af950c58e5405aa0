#!/usr/bin/env bash
# The libFuzzer targets of tests/fuzz, built with clang in a folder of their own.
#   scripts/fuzz.sh build  DIR          configure and build the targets into DIR
#   scripts/fuzz.sh replay DIR          run each target once over its seed corpus
#   scripts/fuzz.sh run    DIR SECONDS  fuzz each target for SECONDS and add what
#                                       it finds to its corpus
# Without clang's libFuzzer the targets are skipped, and this says so.
set -euo pipefail
cd "$(dirname "$0")/.."
action=${1:?build, replay or run}
dir=${2:?build folder}
targets=(bmp config colour)

find_clang() {
  local probe
  probe=$(mktemp -d)
  printf 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }\n' \
    >"$probe/probe.cpp"
  for cxx in "${CLANGXX:-}" clang++-14 clang++; do
    if [ -n "$cxx" ] && command -v "$cxx" >/dev/null &&
      "$cxx" -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null; then
      rm -rf "$probe"
      echo "$cxx"
      return 0
    fi
  done
  rm -rf "$probe"
  return 1
}

skip() {
  echo "SKIPPED: fuzz targets ($1): clang++ with libFuzzer was not found;" \
    "scripts/setup.sh installs clang-14 and libclang-rt-14-dev."
  exit 0
}

case "$action" in
  build)
    cxx=$(find_clang) || skip "build"
    cmake -S tests/fuzz -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER="$cxx" >/dev/null
    cmake --build "$dir" -j2
    ;;
  replay)
    [ -x "$dir/bmp_fuzz" ] || skip "replay"
    cd "$dir" && ctest --output-on-failure -j2
    ;;
  run)
    seconds=${3:-60}
    [ -x "$dir/bmp_fuzz" ] || skip "run"
    for t in "${targets[@]}"; do
      corpus=tests/fuzz/corpus/$t
      found="$dir/found/$t"
      mkdir -p "$found"
      echo "== $t: fuzzing for $seconds s"
      "$dir/${t}_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
        -artifact_prefix="$dir/" "$found" "$corpus"
      # Only what adds coverage joins the corpus kept in the repository.
      "$dir/${t}_fuzz" -merge=1 "$corpus" "$found"
    done
    ;;
  *)
    echo "unknown action: $action" >&2
    exit 2
    ;;
esac
