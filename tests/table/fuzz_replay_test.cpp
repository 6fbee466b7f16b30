// Replays every saved fuzz finding through its target's body.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/fuzz_targets.h"

namespace meridan {
namespace {

void ReplayAll(const char* target, bool (*body)(const std::uint8_t*, std::size_t)) {
  const std::filesystem::path dir = std::filesystem::path(MERIDAN_FUZZ_CRASH_DIR) / target;
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec)) return;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    if (!entry.is_regular_file()) continue;
    SCOPED_TRACE(entry.path().string());
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(body(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
  }
}

// Seeds that reach the deeper checks, so the replay runs real code even
// while no finding is saved.
TEST(FuzzReplay, SavedInputsAndSeedsRunCleanly) {
  std::string dbf(32, '\0');
  dbf[0] = '\x30';
  dbf[8] = static_cast<char>(32 + 64 + 1);
  std::string slot(32, '\0');
  slot.replace(0, 4, "NAME");
  slot[11] = 'C';
  slot[16] = 10;
  dbf += slot + slot + '\x0D';
  EXPECT_TRUE(fuzz::TableHeaderInput(reinterpret_cast<const std::uint8_t*>(dbf.data()), dbf.size()));
  std::string memo(600, '\0');
  memo[0] = 2;
  memo[8] = 1;
  EXPECT_TRUE(fuzz::MemoHeaderInput(reinterpret_cast<const std::uint8_t*>(memo.data()), memo.size()));

  ReplayAll("dbfheader", &fuzz::TableHeaderInput);
  ReplayAll("memo", &fuzz::MemoHeaderInput);
}

}  // namespace
}  // namespace meridan
