#!/bin/sh
# Builds the libFuzzer targets with clang and sanitizers in build/fuzz and
# runs each for FUZZ_SECONDS (default 180); a finding is saved under
# fuzz/crashes/<target>/ so the normal tests replay it.
set -eu
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-180}"
out=build/fuzz
mkdir -p "$out"
flags="-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I."
for target in dbfheader memo; do
  case "$target" in
    dbfheader) srcs="table/dbfheader.cpp" ;;
    memo) srcs="table/memo.cpp" ;;
  esac
  # shellcheck disable=SC2086
  clang++ $flags "fuzz/${target}_fuzz.cpp" $srcs -o "$out/${target}_fuzz"
  mkdir -p "$out/corpus/$target" "fuzz/crashes/$target"
  echo "fuzz: $target for ${seconds}s"
  "$out/${target}_fuzz" -max_total_time="$seconds" -max_len=4096 \
    -artifact_prefix="fuzz/crashes/$target/" -print_final_stats=1 \
    "$out/corpus/$target" 2>"$out/${target}.log" || { tail -30 "$out/${target}.log"; exit 1; }
  grep -E "stat::number_of_executed_units|Done" "$out/${target}.log" || true
done
