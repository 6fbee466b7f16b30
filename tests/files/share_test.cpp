// Share modes across processes: a second program holds the file while this one tries it.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "files/fileio.h"
#include "files/tfile.h"
#include "tests/files/spawn.h"
#include "tests/files/temp_dir.h"

namespace meridan {
namespace {

class CrossProcess : public testing::TempDirTest {
 protected:
  // Starts the holder on `leaf` and answers what it said ("held" or "refused N").
  std::string Hold(const std::string& leaf, const std::string& mode) {
    ++round_;
    ready_ = Name("ready" + std::to_string(round_));
    stop_ = Name("stop" + std::to_string(round_));
    child_ = testing::Spawn(testing::HolderPath(), {Name(leaf), mode, ready_, stop_});
    if (child_ == 0) return "not started";
    auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!File(Value(ready_))) {
      if (std::chrono::steady_clock::now() > give_up) return "no answer";
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return Slurp("ready" + std::to_string(round_)).substr(0, Slurp("ready" + std::to_string(round_)).size() - 1);
  }
  void Release() {
    ASSERT_TRUE(MemoWrit(Value(stop_), Value("")));
    EXPECT_EQ(testing::WaitFor(child_), 0);
    child_ = 0;
  }
  void TearDown() override {
    if (child_ != 0) Release();
    TempDirTest::TearDown();
  }
  std::intptr_t child_ = 0;
  int round_ = 0;
  std::string ready_, stop_;
};

TEST_F(CrossProcess, ExclusiveHolderRefusesOpenEraseAndRename) {
  Put("T.DBF", "table");
  ASSERT_EQ(Hold("T.DBF", std::to_string(FO_READWRITE | FO_EXCLUSIVE)), "held");
  EXPECT_EQ(FOpen(Value(Name("T.DBF")), FO_READ | FO_SHARED), kBadHandle);
  EXPECT_EQ(LastFileError(), 32);
  EXPECT_EQ(FErase(Value(Name("T.DBF"))), -1);
  EXPECT_EQ(FError(), 5);
  EXPECT_EQ(FRename(Value(Name("T.DBF")), Value(Name("U.DBF"))), -1);
  TTxtFile f(Name("T.DBF"));
  EXPECT_FALSE(f.Open());
  Release();
  FileHandle h = FOpen(Value(Name("T.DBF")), FO_READWRITE | FO_EXCLUSIVE);
  EXPECT_GT(h, 0) << "the hold ends with the other process's close";
  FClose(h);
}

TEST_F(CrossProcess, DenyWriteHolderLetsReadersIn) {
  Put("R.DBF", "table");
  ASSERT_EQ(Hold("R.DBF", std::to_string(FO_READ | FO_DENYWRITE)), "held");
  FileHandle r = FOpen(Value(Name("R.DBF")), FO_READ | FO_SHARED);
  EXPECT_GT(r, 0);
  if (r > 0) FClose(r);
  EXPECT_EQ(FOpen(Value(Name("R.DBF")), FO_READWRITE | FO_SHARED), kBadHandle);
  EXPECT_EQ(LastFileError(), 32);
}

TEST_F(CrossProcess, OurCreatedFileIsRefusedToTheOtherProcess) {
  FileHandle h = FCreate(Name("N.STR"));
  ASSERT_GT(h, 0);
  EXPECT_EQ(Hold("N.STR", std::to_string(FO_READ | FO_SHARED)), "refused 32");
  FClose(h);
  EXPECT_EQ(Hold("N.STR", "create"), "held");
}

}  // namespace
}  // namespace meridan
