// Start-up order, the program-end request and the exit sequence.
#include "errors/program.h"

#include <gtest/gtest.h>

#include "errors/handler.h"
#include "errors/raise.h"
#include "runtime/clock.h"

namespace meridan {
namespace {

class Program : public ::testing::Test {
 protected:
  void SetUp() override { ResetRaisingStateForTests(); SetCloseAllHook({}); }
  void TearDown() override { ResetRaisingStateForTests(); SetCloseAllHook({}); }
};

TEST_F(Program, RunsInTheDocumentedOrder) {
  std::vector<std::string> order;
  AddInitProcedure([&] {
    order.push_back("init");
    EXPECT_FALSE(StartDate().Empty());  // the start stamp is taken before the others
    EXPECT_TRUE(ErrorBlock().IsBlock());
  });
  AddExitProcedure([&] { order.push_back("exit"); });
  SetCloseAllHook([&] { order.push_back("close"); });
  const int code = RunProgram(
      {.errorsys = [&] {
         order.push_back("errorsys");
         ERRORSYS();
       },
       .main = [&](const std::vector<std::string>& args) {
         order.push_back("main " + args.at(0));
       }},
      {"KUNDEN.DBF"});
  EXPECT_EQ(code, 0);
  EXPECT_EQ(order, (std::vector<std::string>{"errorsys", "init", "main KUNDEN.DBF", "exit", "close"}));
}

TEST_F(Program, AnEndRequestFromTheCallbackUnwindsAndExitsWithTheErrorLevel) {
  bool closed = false, after = false;
  SetCloseAllHook([&] { closed = true; });
  const int code = RunProgram(
      {.errorsys = [] {
         ErrorBlock(MakeErrorCallback([](Error&) -> Value {
           SetErrorLevel(1);
           QuitProgram();
         }));
       },
       .main = [&](const std::vector<std::string>&) {
         RaiseBuiltin({.GenCode = EG_OPEN, .Permissions = kCanDefault});
         after = true;
       }},
      {});
  EXPECT_EQ(code, 1);
  EXPECT_TRUE(closed);
  EXPECT_FALSE(after);
  EXPECT_TRUE(QuitPending());
  // Once the end is pending, further launches answer break at once.
  EXPECT_EQ(Launch(MakeBuiltinError({.GenCode = 1})), Answer::Break);
}

TEST(ErrorMessage, FormatsEachVariant) {
  Error e;
  e.SubSystem = "BASE";
  e.SubCode = 1340;
  e.Description = "Zero divisor";
  e.Operation = "/";
  EXPECT_EQ(ERRORMESSAGE(e), "Error BASE/1340  Zero divisor: /");
  e.Severity = 1;
  e.FileName = "KUNDEN.DBF";
  EXPECT_EQ(ERRORMESSAGE(e), "Warning BASE/1340  Zero divisor: KUNDEN.DBF");
  e.OsCode = 32;
  e.Operation.clear();
  e.FileName.clear();
  EXPECT_EQ(ERRORMESSAGE(e), "(DOS Error 32) BASE/1340  Zero divisor");
}

}  // namespace
}  // namespace meridan
