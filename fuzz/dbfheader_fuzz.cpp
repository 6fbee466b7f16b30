// libFuzzer target: table header and field descriptors.
#include "fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!meridan::fuzz::TableHeaderInput(data, size)) __builtin_trap();
  return 0;
}
