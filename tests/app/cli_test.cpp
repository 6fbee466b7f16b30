// meridan-cli run as a process: the files it writes, what it prints, its exit status.
#include <gtest/gtest.h>

#include "app/infofile.h"
#include "tests/app/kunden.h"
#include "tests/app/run_tool.h"
#include "tests/files/temp_dir.h"
#include "ui/textmeasure.h"

namespace meridan {
namespace {

using testing::KundenInfo;
using testing::RunTool;

class Cli : public testing::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    Put("kunden.dbf", testing::KundenDbf());
    Put("kunden.dbt", testing::KundenDbt());
  }
  // The name of `leaf` as the tool's shell gives it.
  std::string Arg(const std::string& leaf) const { return Native(leaf).string(); }
  // The same name as the core sees it (Windows form; "Z:" for the root on Linux).
  std::string Core(const std::string& leaf) const {
    std::string n = Name(leaf);
    return n[0] == '\\' ? "Z:" + n : n;
  }
  // Messages and names are text lines: Windows ends them with CR LF on the
  // console, Linux with LF. `bytes` keeps standard output as it came.
  testing::ToolRun Run(const std::vector<std::string>& args, bool bytes = false) {
    auto run = RunTool(args, dir_);
    run.err = Lf(run.err);
    if (!bytes) run.out = Lf(run.out);
    return run;
  }
  static std::string Lf(std::string s) {
    for (std::size_t p; (p = s.find("\r\n")) != std::string::npos;) s.erase(p, 1);
    return s;
  }
  bool Exists(const std::string& leaf) const { return std::filesystem::exists(Native(leaf)); }
};

TEST_F(Cli, WritesTheInfoFileBesideTheTableAndPrintsItsName) {
  auto run = Run({Arg("kunden.dbf")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(Slurp("KUNDEN.STR"), KundenInfo(Core("kunden.dbf"), "", SystemTextWidth()));
  // Linux prints the directory as given; Windows the name the core wrote.
  const std::string printed = run.out.substr(0, run.out.size() - 1);
  EXPECT_EQ(run.out.back(), '\n');
  EXPECT_TRUE(printed == Arg("KUNDEN.STR") || printed == InfoFileName(Core("kunden.dbf"))) << printed;
}

TEST_F(Cli, StdoutGivesTheExactBytesAndWritesNoFile) {
  auto run = Run({"--area", "12", "--stdout", Arg("kunden.dbf")}, true);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, KundenInfo(Core("kunden.dbf"), "(12)->", SystemTextWidth()));
  EXPECT_FALSE(Exists("KUNDEN.STR"));

  run = Run({"--stdout", "--area=-5", Arg("kunden.dbf"), Arg("kunden.dbf")}, true);
  const std::string one = KundenInfo(Core("kunden.dbf"), "(-5)->", SystemTextWidth());
  EXPECT_EQ(run.out, one + "\r\n" + one);
}

TEST_F(Cli, AreaTakesWhatTheAreaFieldTakes) {
  for (const char* good : {"-9", "0", "7", "99"}) {
    auto run = Run({"--stdout", "--area", good, Arg("kunden.dbf")});
    EXPECT_EQ(run.status, 0) << good;
  }
  for (const char* bad : {"100", "-10", "x", "", "+5", " 5", "1.5"}) {
    auto run = Run({"--area", bad, Arg("kunden.dbf")});
    EXPECT_EQ(run.status, 2) << bad;
    EXPECT_EQ(run.err.rfind("meridan-cli: --area takes a number from -9 to 99", 0), 0u) << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(Exists("KUNDEN.STR"));
}

TEST_F(Cli, WrongUsageHelpAndVersion) {
  struct Case { std::vector<std::string> args; int status; };
  for (const Case& c : {Case{{}, 2}, Case{{"--frobnicate", Arg("kunden.dbf")}, 2}, Case{{"--area"}, 2},
                        Case{{"--stdout", "--open", Arg("kunden.dbf")}, 2}}) {
    auto run = Run(c.args);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(run.err.rfind("meridan-cli: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("--help"), std::string::npos);
  }
  auto help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: meridan-cli [--area N] [--stdout] [--open] [--report] TABLE...", 0), 0u);
  EXPECT_NE(help.out.find("--report"), std::string::npos);
  EXPECT_EQ(Run({"--version"}).out, "meridan-cli 1.0\n");
  EXPECT_FALSE(Exists("KUNDEN.STR"));
}

TEST_F(Cli, FailedTableIsReportedAndTheNextOneWritten) {
  auto run = Run({Arg("fehlt.dbf"), Arg("kunden.dbf")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "meridan-cli: " + Arg("fehlt.dbf") + ": (DOS Error 2) DBFNTX/1001  Open error: " +
                         Core("fehlt.dbf") + "\n");
  EXPECT_FALSE(Exists("FEHLT.STR"));
  EXPECT_EQ(Slurp("KUNDEN.STR"), KundenInfo(Core("kunden.dbf"), "", SystemTextWidth()));
  EXPECT_NE(run.out.find("KUNDEN.STR\n"), std::string::npos);
  EXPECT_EQ(run.out.find("FEHLT"), std::string::npos);
}

TEST_F(Cli, ErrorWithoutDefaultEndsOnlyThatTable) {
  // No memo kind but a memo field: the error permits no answer, only a break.
  Put("ohne.dbf", testing::NoMemoKindDbf());
  auto run = Run({"--stdout", Arg("ohne.dbf"), Arg("kunden.dbf")}, true);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.rfind("meridan-cli: " + Arg("ohne.dbf") + ": Error DBFNTX/1056  Open error: ", 0), 0u)
      << run.err;
  EXPECT_EQ(run.out, KundenInfo(Core("kunden.dbf"), "", SystemTextWidth()));
}

TEST_F(Cli, InfoFileThatCannotBeWrittenFailsTheTable) {
  // A directory in the way of the info file: it can be neither erased nor created.
  std::filesystem::create_directory(Native("KUNDEN.STR"));
  auto run = Run({Arg("kunden.dbf")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "meridan-cli: " + Arg("kunden.dbf") + ": Die Datei : " + InfoFileName(Core("kunden.dbf")) +
                         " wurde nicht erzeugt !\n");
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(std::filesystem::is_directory(Native("KUNDEN.STR")));
}

TEST_F(Cli, SampleTableGivesEverySection) {
  std::filesystem::create_directory(Native("sample"));
  for (const char* leaf : {"kunden.dbf", "kunden.dbt"})
    std::filesystem::copy_file(std::filesystem::path(MERIDAN_SAMPLES_DIR) / leaf, Native("sample") / leaf);
  // Written with "/" (on Windows after a "\" path): the alias is still KUNDEN.
  auto run = Run({"--stdout", "--area", "2", Native("sample").string() + "/kunden.dbf"}, true);
  EXPECT_EQ(run.status, 0) << run.err;
  for (const char* line : {"\r\nFIELD KUNDEN->RABATT,KUNDEN->NOTIZ,KUNDEN->AKTIV\r\n",
                           "\r\nLOCAL nNR, cNAME, dGEBURT, nUMSATZ, mNOTIZ, lAKTIV\r\n",
                           "\r\nmNOTIZ :=  \"\"\r\n", "\r\nnUMSATZ := (2)->UMSATZ\r\n", "\r\n(2)->AKTIV :=  lAKTIV"})
    EXPECT_NE(run.out.find(line), std::string::npos) << line;
  EXPECT_EQ(run.out.find("RABATT :="), std::string::npos);
}

}  // namespace
}  // namespace meridan
