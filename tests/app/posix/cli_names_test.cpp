// meridan-cli on Linux: UTF-8 names outside, Windows-1252 inside, and the editor of --open.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/app/kunden.h"
#include "tests/app/run_tool.h"
#include "tests/files/temp_dir.h"

namespace meridan {
namespace {

class CliNames : public testing::TempDirTest {
 protected:
  testing::ToolRun Run(const std::vector<std::string>& args,
                       const std::vector<std::pair<std::string, std::string>>& env = {}) {
    return testing::RunTool(args, dir_, env);
  }
};

TEST_F(CliNames, Utf8NamesBecomeWindows1252AndBack) {
  // A folder "aerger" with a-umlaut (0xE4 in Windows-1252), in UTF-8 on the command line and on disk.
  std::filesystem::create_directory(dir_ / "\xc3\xa4rger");
  Put("\xc3\xa4rger/kunden.dbf", testing::KundenDbf());
  Put("\xc3\xa4rger/kunden.dbt", testing::KundenDbt());
  const std::string arg = (dir_ / "\xc3\xa4rger" / "kunden.dbf").string();
  auto run = Run({arg});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, (dir_ / "\xc3\xa4rger" / "KUNDEN.STR").string() + "\n");
  const std::string core = "Z:" + testing::WindowsForm(dir_.string()) + "\\\xe4rger\\kunden.dbf";
  EXPECT_EQ(Slurp("\xc3\xa4rger/KUNDEN.STR"), testing::KundenInfo(core, "", testing::FixedWidth));

  // Messages reach the terminal in UTF-8: "mueller" with u-umlaut cannot be an alias, and says so.
  Put("m\xc3\xbcller.dbf", testing::KundenDbf());
  Put("m\xc3\xbcller.dbt", testing::KundenDbt());
  run = Run({(dir_ / "m\xc3\xbcller.dbf").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "meridan-cli: " + (dir_ / "m\xc3\xbcller.dbf").string() +
                         ": Error DBCMD/1010  Illegal characters in alias: M\xc3\xbcLLER\n");
}

TEST_F(CliNames, OpenStartsTheUsersEditorOnTheWrittenFile) {
  Put("kunden.dbf", testing::KundenDbf());
  Put("kunden.dbt", testing::KundenDbt());
  std::filesystem::create_directory(dir_ / "seen");
  // The "editor" copies the file it is given into seen/, then ends.
  auto run = Run({"--open", (dir_ / "kunden.dbf").string()},
                 {{"VISUAL", "cp -t " + (dir_ / "seen").string()}});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  // The editor runs detached: wait for its copy, bounded.
  const auto copy = dir_ / "seen" / "KUNDEN.STR";
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (Slurp("seen/KUNDEN.STR") != Slurp("KUNDEN.STR") && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(std::filesystem::exists(copy));
  EXPECT_EQ(Slurp("seen/KUNDEN.STR"), Slurp("KUNDEN.STR"));
}

}  // namespace
}  // namespace meridan
