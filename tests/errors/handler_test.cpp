// ERRORDIALOG: quiet cases, re-entrance, the log rotation, the stop box and
// the choice afterwards, with fake files, facts and chooser.
#include "errors/handler.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "errors/choice.h"
#include "errors/program.h"
#include "errors/raise.h"
#include "errors/sysinfo.h"
#include "runtime/callstack.h"

namespace meridan {
namespace {

struct FakeChooser : ErrorChooser {
  std::optional<bool> answer = false;
  int calls = 0;
  std::string log_path;
  std::vector<std::string> stack_list;
  std::optional<bool> Choose(const ErrorChoiceContext& c) override {
    ++calls;
    log_path = c.log_path;
    stack_list = c.stack_list;
    return answer;
  }
};

class Handler : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRaisingStateForTests();
    SetErrorLevel(0);
    SetLogFileOps({.exists = [this](const std::string& p) { return files.count(p) > 0; },
                   .erase = [this](const std::string& p) { files.erase(p); erased.push_back(p); },
                   .write = [this](const std::string& p, const std::string& t) {
                     files.insert(p);
                     written.push_back(p);
                     text = t;
                   }});
    SetSystemFactsSource([] {
      SystemFacts f;
      f.program_path = Dir() + PathSeparator() + "meridan";
      return f;
    });
    SetErrorChooser(chooser);
    SetStopBox([this](const std::string& title, const std::string& t) { stops.push_back(title + ": " + t); });
  }
  void TearDown() override {
    SetLogFileOps({});
    SetSystemFactsSource({});
    SetErrorChooser(nullptr);
    SetStopBox({});
    SetRunningFlagSource({});
    ResetRaisingStateForTests();
    SetErrorLevel(0);
  }
  // A writable directory, so the logs stay beside the program.
  static std::string Dir() { return (std::filesystem::temp_directory_path() / "x").parent_path().string(); }
  static std::string Log(int n) { return Dir() + PathSeparator() + "FEHLER_" + std::to_string(n) + ".log"; }

  std::set<std::string> files;
  std::vector<std::string> written, erased, stops;
  std::string text;
  std::shared_ptr<FakeChooser> chooser = std::make_shared<FakeChooser>();
};

ErrorRef MakeError(int gen_code, int os_code, unsigned permissions) {
  auto e = std::make_shared<Error>();
  e->SubSystem = "DBFNTX";
  e->GenCode = gen_code;
  e->SubCode = 1001;
  e->OsCode = os_code;
  e->Description = "Open error";
  e->FileName = "KUNDEN.DBF";
  e->SetPermissions(permissions);
  return e;
}

TEST_F(Handler, QuietCasesWriteAndShowNothing) {
  EXPECT_EQ(ERRORDIALOG(MakeError(EG_ZERODIV, 0, kCanSubstitute)).AsNumber(), 0);
  for (auto e : {MakeError(EG_OPEN, 32, kCanDefault), MakeError(EG_OPEN, 5, kCanDefault | kCanRetry),
                 MakeError(EG_APPENDLOCK, 0, kCanDefault)}) {
    NetErr(false);
    const Value answer = ERRORDIALOG(e);
    EXPECT_TRUE(answer.IsLogical() && !answer.AsLogical());
    EXPECT_TRUE(NetErr());
  }
  EXPECT_TRUE(written.empty());
  EXPECT_EQ(chooser->calls, 0);
  EXPECT_TRUE(stops.empty());
}

TEST_F(Handler, OpenErrorsThatAreNotQuietAreReported) {
  for (auto e : {MakeError(EG_OPEN, 2, kCanDefault), MakeError(EG_OPEN, 32, kCanRetry)}) {
    ResetRaisingStateForTests();
    chooser->answer = false;
    EXPECT_FALSE(ERRORDIALOG(e).AsLogical());
  }
  EXPECT_EQ(written, (std::vector<std::string>{Log(1), Log(2)}));
  EXPECT_EQ(chooser->calls, 2);
}

TEST_F(Handler, Rotation) {
  files = {Log(1), Log(2), Log(3)};
  EXPECT_EQ(WriteLogFile(Dir(), "r"), 4);
  for (int n = 1; n <= 10; ++n) files.insert(Log(n));
  files.erase(Log(2));
  EXPECT_EQ(WriteLogFile(Dir(), "r"), 2);
  EXPECT_TRUE(erased.empty());
  EXPECT_EQ(WriteLogFile(Dir(), "r"), 1);  // all ten existed
  EXPECT_EQ(erased.size(), 10u);
  EXPECT_EQ(files, (std::set<std::string>{Log(1)}));
  EXPECT_EQ(WriteLogFile(Dir(), "r"), 2);  // the next report of a later run
}

TEST_F(Handler, AnErrorWhileWritingEndsTheWritingQuietlyAndRestoresTheCallback) {
  bool after = false;
  SetLogFileOps({.exists = [](const std::string&) { return false; },
                 .erase = {},
                 .write = [&](const std::string&, const std::string&) {
                   RaiseBuiltin({.GenCode = EG_WRITE, .Permissions = kCanDefault});
                   after = true;
                 }});
  int outer = 0;
  ErrorBlock(MakeErrorCallback([&](Error&) -> Value { ++outer; return Value(false); }));
  EXPECT_EQ(WriteLogFile(Dir(), "r"), 1);
  EXPECT_FALSE(after);
  EXPECT_EQ(outer, 0);
  EXPECT_FALSE(RaiseBuiltin({.GenCode = EG_READ, .Permissions = kCanDefault}));
  EXPECT_EQ(outer, 1);
}

TEST_F(Handler, TheLogFileEndsWithTheEndOfFileByte) {
  SetLogFileOps({});
  const auto dir = std::filesystem::temp_directory_path() / "meridan_handler_test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  EXPECT_EQ(WriteLogFile(dir.string(), "Anwendung\r\n"), 1);
  std::string content;
  {
    std::ifstream in(dir / "FEHLER_1.log", std::ios::binary);
    content.assign(std::istreambuf_iterator<char>(in), {});
  }  // closed first: Windows cannot remove an open file
  EXPECT_EQ(content, "Anwendung\r\n\x1a");
  std::filesystem::remove_all(dir);
}

TEST_F(Handler, ReportShowsTheRaiserAndItsVariablesFromLevelTwo) {
  ERRORSYS();
  {
    MERIDAN_FRAME(frame, "MAKE_TXT");
    std::string cFile = "KUNDEN.DBF";
    int nArea = 1;
    frame.Param("cFile", cFile).Local("nArea", nArea);
    MERIDAN_LINE(frame);
    EXPECT_FALSE(RaiseBuiltin({.GenCode = EG_OPEN, .Permissions = kCanDefault}));
  }
  ASSERT_EQ(written, (std::vector<std::string>{Log(1)}));
  EXPECT_EQ(chooser->log_path, Log(1));
  ASSERT_FALSE(chooser->stack_list.empty());
  EXPECT_NE(chooser->stack_list[0].find(" => MAKE_TXT("), std::string::npos) << chooser->stack_list[0];
  EXPECT_NE(text.find("   MAKE_TXT\r\n     Param   1:    C    \"KUNDEN.DBF\"\r\n     Local   2:    N    1\r\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("(b)ERRORSYS"), std::string::npos);  // levels 0 and 1 are not listed
}

TEST_F(Handler, ASecondErrorShowsOnlyTheStopBoxAndEndsTheProgram) {
  bool after = false;
  const int code = RunProgram({.errorsys = ERRORSYS,
                               .main = [&](const std::vector<std::string>&) {
                                 MERIDAN_FRAME(frame, "MAIN");
                                 EXPECT_FALSE(RaiseBuiltin({.GenCode = EG_OPEN, .Permissions = kCanDefault}));
                                 frame.Line(321);
                                 RaiseBuiltin({.SubSystem = "BASE", .GenCode = EG_ARG, .SubCode = 1081,
                                               .Operation = "+", .Permissions = kCanDefault});
                                 after = true;
                               }},
                              {});
  EXPECT_FALSE(after);
  EXPECT_EQ(code, 1);
  EXPECT_EQ(written.size(), 1u);
  EXPECT_EQ(chooser->calls, 1);
  ASSERT_EQ(stops.size(), 1u);
  EXPECT_EQ(stops[0], "Stop: Error BASE/1081  Argument error: + von Errorsys, Zeile :321");
}

TEST_F(Handler, ReentranceAtLevelSevenEndsTheProgramWithoutAReport) {
  MERIDAN_FRAME(outer, "ERRORDIALOG");
  Frame f1("A"), f2("B"), f3("C"), f4("D"), f5("E"), f6("F");
  EXPECT_THROW(ERRORDIALOG(MakeError(EG_READ, 0, kCanDefault)), ProgramEndSignal);
  EXPECT_EQ(ErrorLevel(), 1);
  EXPECT_TRUE(written.empty());
  EXPECT_EQ(chooser->calls, 0);
}

TEST_F(Handler, DecisionTable) {
  EXPECT_TRUE(DecideAfterChoice(true, true));
  EXPECT_FALSE(DecideAfterChoice(false, true));
  EXPECT_FALSE(DecideAfterChoice(false, false));
  for (auto [choice, running] : {std::pair{std::optional<bool>{}, true}, std::pair{std::optional<bool>{}, false},
                                 std::pair{std::optional<bool>{true}, false}}) {
    SetErrorLevel(0);
    EXPECT_THROW(DecideAfterChoice(choice, running), ProgramEndSignal);
    EXPECT_EQ(ErrorLevel(), 1);
    ResetRaisingStateForTests();
  }
}

TEST_F(Handler, ARetryIsAnsweredOnlyWhileTheProgramsDialogRuns) {
  auto e = MakeError(EG_READ, 0, kCanRetry);
  chooser->answer = true;
  SetRunningFlagSource([] { return true; });
  EXPECT_TRUE(ERRORDIALOG(e).AsLogical());
  ResetRaisingStateForTests();
  SetRunningFlagSource([] { return false; });
  EXPECT_THROW(ERRORDIALOG(e), ProgramEndSignal);
}

TEST(ConsoleChooser, TakesTheDefaultWhenPermittedElseEnds) {
  ConsoleChooser c;
  Error e;
  e.CanDefault = true;
  ErrorChoiceContext ctx{e, "   Fehler Beschreibung : x\r\n", {}, "/p", "FEHLER_1.log", "/p/FEHLER_1.log"};
  testing::internal::CaptureStderr();
  EXPECT_EQ(c.Choose(ctx), std::optional<bool>(false));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "   Fehler Beschreibung : x\n/p/FEHLER_1.log\n");
  e.CanDefault = false;
  testing::internal::CaptureStderr();
  EXPECT_EQ(c.Choose(ctx), std::nullopt);
  testing::internal::GetCapturedStderr();
}

}  // namespace
}  // namespace meridan
