// libFuzzer target: memo-header check and memo name forming.
#include "fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!meridan::fuzz::MemoHeaderInput(data, size)) __builtin_trap();
  return 0;
}
