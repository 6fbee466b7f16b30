// MAKE_TXT on real files: the info file beside the table, the editor or the
// warning, and the failures that must never leave stale or partial content.
#include "app/infofile.h"

#include <gtest/gtest.h>

#include <optional>

#include "errors/program.h"
#include "errors/raise.h"
#include "files/fileio.h"
#include "files/path.h"
#include "runtime/callstack.h"
#include "table/workarea.h"
#include "tests/app/kunden.h"
#include "tests/files/temp_dir.h"

namespace meridan {
namespace {

using testing::FixedWidth;
using testing::HeadingsOnly;
using testing::KundenInfo;

class MakeTxt : public testing::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    ResetRaisingStateForTests();
    SetFatalDisplay(nullptr);
    DbCloseAll();
    saved_ = MakeTxtShowing();
    MakeTxtShowing() = {FixedWidth, [this](const std::string& cmd) {
                          launched_.push_back(cmd);
                          return 33;
                        },
                        [this](const std::string& text, const std::string& title) {
                          alerts_.push_back(title + ": " + text);
                        }};
    // The program's handler would show a dialog; the default answer is
    // what the user gets there with "Standard" and what a quietly settled
    // refusal gives.
    ErrorBlock(MakeErrorCallback([this](Error& e) -> Value {
      errors_.push_back(e.SubCode);
      if (onError_) onError_(e);
      return Value(false);
    }));
    Put("kunden.dbf", testing::KundenDbf());
    Put("kunden.dbt", testing::KundenDbt());
  }
  void TearDown() override {
    MakeTxtShowing() = saved_;
    DbCloseAll();
    ResetRaisingStateForTests();
    TempDirTest::TearDown();
  }
  // The info file's name as MAKE_TXT derives it (upper-case directory).
  std::string Info(const std::string& table = "kunden.dbf") const { return InfoFileName(Name(table)); }

  MakeTxtShow saved_;
  std::vector<std::string> launched_, alerts_;
  std::vector<int> errors_;
  std::function<void(Error&)> onError_;
};

TEST_F(MakeTxt, WritesTheInfoFileAndOpensIt) {
  MAKE_TXT(Name("kunden.dbf"), 3);
  EXPECT_EQ(Slurp("KUNDEN.STR"), KundenInfo(Name("kunden.dbf"), "(3)->", FixedWidth));
  EXPECT_EQ(launched_, std::vector<std::string>{"Notepad.exe " + Info()});
  EXPECT_TRUE(alerts_.empty());
  EXPECT_TRUE(errors_.empty());
  EXPECT_EQ(cFileNoPath(Info()), "KUNDEN.STR");
  // Pinned once in literal form, so the helper cannot drift with the code.
  EXPECT_NE(Slurp("KUNDEN.STR").find("\r\nAADD(DBFARRAY, {\"NR\",  \"N\",  5, 0})\r\n"), std::string::npos);
}

TEST_F(MakeTxt, ReplacesAnOldInfoFileAndClosesEveryTable) {
  Put("KUNDEN.STR", "old content that must not survive");
  Put("other.dbf", testing::KundenDbf());
  Put("other.dbt", testing::KundenDbt());
  DbSelectArea(2);
  ASSERT_TRUE(DbUseArea(Value(false), Value(), Value(Name("other.dbf"))));
  MAKE_TXT(Name("kunden.dbf"), 0);
  EXPECT_EQ(Slurp("KUNDEN.STR"), KundenInfo(Name("kunden.dbf"), "", FixedWidth));
  EXPECT_EQ(EvalInArea(2, [] { return Value(FCount()); }).AsWhole(), 0);
  EXPECT_EQ(FCount(), 0);
  EXPECT_EQ(Select(), 1);
}

TEST_F(MakeTxt, TypedNameKeepsItsBlanksInTheHeadings) {
  const std::string typed = Name("kunden.dbf") + std::string(20, ' ');
  MAKE_TXT(typed, 0);
  EXPECT_EQ(Slurp("KUNDEN.STR"), KundenInfo(typed, "", FixedWidth));
  EXPECT_EQ(launched_, std::vector<std::string>{"Notepad.exe " + Info()});
}

TEST_F(MakeTxt, FailedOpenGivesTheHeadingsOnly) {
  // A missing table, and a typed name without extension (".dbf" goes after
  // the blanks): both opens fail with code 2 and take the default.
  struct Case { std::string table; std::string info; };
  for (const Case& c : {Case{Name("fehlt.dbf"), "FEHLT.STR"}, Case{Name("kunden") + "     ", "KUNDEN.STR"}}) {
    launched_.clear();
    errors_.clear();
    MAKE_TXT(c.table, 5);
    EXPECT_EQ(Slurp(c.info), HeadingsOnly(c.table)) << c.table;
    EXPECT_EQ(launched_, std::vector<std::string>{"Notepad.exe " + InfoFileName(c.table)});
    EXPECT_EQ(errors_, std::vector<int>{1001}) << c.table;
  }
}

TEST_F(MakeTxt, ErrorsSeeMakeTxtWithItsVariables) {
  std::optional<Value> cFile1;
  onError_ = [&](Error&) {
    for (std::size_t i = 0; const Frame* f = StackLevel(i); ++i) {
      if (std::string(f->Name()) != "MAKE_TXT") continue;
      EXPECT_EQ(f->Module(), "infofile.cpp");
      EXPECT_GT(f->CurrentLine(), 0);
      ASSERT_EQ(f->Params().size(), 2u);
      EXPECT_EQ(f->Params()[1].value, Value(7));
      for (const Variable& v : f->Locals())
        if (v.name == "cFile1") cFile1 = v.value;
    }
  };
  MAKE_TXT(Name("fehlt.dbf"), 7);
  ASSERT_TRUE(cFile1.has_value());
  EXPECT_EQ(*cFile1, Value(Info("fehlt.dbf")));
}

TEST_F(MakeTxt, OldFileThatCannotBeErasedIsNeitherAppendedToNorShown) {
  Put("KUNDEN.STR", "OLD");
  FileCallsGuard guard;
  Calls().erase = [](const std::string&) { return 5; };
  MAKE_TXT(Name("kunden.dbf"), 0);
  EXPECT_EQ(Slurp("KUNDEN.STR"), "OLD");
  EXPECT_TRUE(launched_.empty());
  EXPECT_EQ(alerts_, std::vector<std::string>{"ACHTUNG: Die Datei : " + Info() + " wurde nicht erzeugt !"});
}

TEST_F(MakeTxt, InfoFileThatCannotBeCreatedIsReported) {
  FileCallsGuard guard;
  Calls().create = [](const std::string&, int, int& err) -> FileHandle {
    err = 5;
    return kBadHandle;
  };
  MAKE_TXT(Name("kunden.dbf"), 0);
  EXPECT_FALSE(std::filesystem::exists(Native("KUNDEN.STR")));
  EXPECT_TRUE(launched_.empty());
  EXPECT_EQ(alerts_, std::vector<std::string>{"ACHTUNG: Die Datei : " + Info() + " wurde nicht erzeugt !"});
}

// The disk fills up after `budget` bytes: the write that crosses it is short.
long g_budget = 0;
long FullDiskWrite(FileHandle h, const char* data, long count, int& err) {
  long n = std::min(count, g_budget);
  long written = n > 0 ? OsCalls().write(h, data, n, err) : 0;
  g_budget -= written;
  if (written < count) err = 112;
  return written;
}

TEST_F(MakeTxt, ShortWriteRemovesThePartialFile) {
  for (long budget : {0L, 100L, 700L}) {
    alerts_.clear();
    g_budget = budget;
    {
      FileCallsGuard guard;
      Calls().write = FullDiskWrite;
      MAKE_TXT(Name("kunden.dbf"), 0);
    }
    EXPECT_FALSE(std::filesystem::exists(Native("KUNDEN.STR"))) << budget;
    EXPECT_TRUE(launched_.empty()) << budget;
    EXPECT_EQ(alerts_.size(), 1u) << budget;
  }
}

TEST_F(MakeTxt, WriterReportsEveryLineOrNothing) {
  const std::vector<std::string> lines = {"A", "", "B"};
  EXPECT_TRUE(WriteInfoFile(Name("X.STR"), lines));
  EXPECT_EQ(Slurp("X.STR"), "A\r\n\r\nB");
  // A directory that does not exist: nothing to create, nothing left.
  EXPECT_FALSE(WriteInfoFile(Name("fehlt\\X.STR"), lines));
}

}  // namespace
}  // namespace meridan
