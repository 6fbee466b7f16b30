// The launch protocol: answers, permissions, Tries, nesting, unrecoverable
// errors, substitutes, breaks and the framework's direct call.
#include "errors/raise.h"

#include <gtest/gtest.h>

#include "errors/program.h"
#include "runtime/callstack.h"

namespace meridan {
namespace {

class Raising : public ::testing::Test {
 protected:
  void SetUp() override {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ResetRaisingStateForTests();
    SetFatalDisplay(nullptr);  // no message box waiting for a click
  }
  void TearDown() override { ResetRaisingStateForTests(); }

  static ErrorRef Object(unsigned permissions) {
    auto e = MakeBuiltinError({.GenCode = EG_OPEN, .SubCode = 1001, .Permissions = permissions});
    return e;
  }
  // Installs a callback that answers `answer` and counts its calls.
  void Answering(Value answer) {
    ErrorBlock(MakeErrorCallback([this, answer](Error&) {
      ++calls_;
      return answer;
    }));
  }
  int calls_ = 0;
};

TEST_F(Raising, AnswersFollowThePermissions) {
  Answering(true);
  auto e = Object(kCanRetry | kCanDefault);
  EXPECT_EQ(Launch(e), Answer::Retry);
  EXPECT_EQ(Launch(e), Answer::Retry);
  EXPECT_EQ(e->Tries, 2);

  Answering(false);
  EXPECT_EQ(Launch(e), Answer::Default);
  EXPECT_EQ(e->Tries, 2);  // a default leaves Tries alone
  EXPECT_EQ(calls_, 3);
}

TEST_F(Raising, NoObjectAnswersRetryWithoutCallingTheCallback) {
  Answering(false);
  EXPECT_EQ(Launch(nullptr), Answer::Retry);
  EXPECT_EQ(calls_, 0);
}

TEST_F(Raising, UnpermittedAnswersAreUnrecoverable) {
  struct Case { unsigned permissions; Value answer; };
  const Case cases[] = {
      {kCanDefault, true},             // retry not allowed
      {kCanRetry, false},              // default not allowed
      {kCanRetry | kCanDefault, 3},    // not a logical value
      {kCanRetry | kCanDefault, Value()},
  };
  for (const Case& c : cases) {
    EXPECT_EXIT(
        {
          Answering(c.answer);
          Launch(Object(c.permissions));
        },
        ::testing::ExitedWithCode(1), "Unrecoverable error 9001: Error recovery failure");
  }
}

TEST_F(Raising, ALogicalAnswerToASubstitutableObjectIsUnrecoverable) {
  EXPECT_EXIT(
      {
        Answering(true);
        Launch(Object(kCanRetry | kCanSubstitute));
      },
      ::testing::ExitedWithCode(1), "Unrecoverable error 9001: ");
}

TEST_F(Raising, NoCallbackIsUnrecoverable) {
  EXPECT_EXIT(Launch(Object(kCanDefault)), ::testing::ExitedWithCode(1),
              "Unrecoverable error 9002: No ERRORBLOCK\\(\\) for error");
}

TEST_F(Raising, TheNinthNestedLaunchIsUnrecoverable) {
  EXPECT_EXIT(
      {
        int depth = 0;
        ErrorBlock(MakeErrorCallback([&depth](Error&) {
          ++depth;
          fprintf(stderr, "depth %d\n", depth);
          Launch(MakeBuiltinError({.GenCode = 1, .Permissions = kCanDefault}));
          return Value(false);
        }));
        Launch(Object(kCanDefault));
      },
      ::testing::ExitedWithCode(1),
      "depth 8\nUnrecoverable error 9003: Too many recursive error handler calls");
}

TEST_F(Raising, EightNestedLaunchesAreAllowed) {
  int depth = 0;
  ErrorBlock(MakeErrorCallback([&depth](Error&) {
    if (++depth < kNestingLimit) Launch(MakeBuiltinError({.GenCode = 1, .Permissions = kCanDefault}));
    return Value(false);
  }));
  EXPECT_EQ(Launch(Object(kCanDefault)), Answer::Default);
  EXPECT_EQ(depth, kNestingLimit);
}

TEST_F(Raising, ErrorBlockReturnsThePreviousCallbackAndIgnoresOtherValues) {
  EXPECT_TRUE(ErrorBlock().IsNil());
  const Value first = MakeErrorCallback([](Error&) { return Value(false); });
  const Value second = MakeErrorCallback([](Error&) { return Value(true); });
  EXPECT_TRUE(ErrorBlock(first).IsNil());
  EXPECT_EQ(ErrorBlock(second), first);
  EXPECT_EQ(ErrorBlock(Value("not a callback")), second);
  EXPECT_EQ(ErrorBlock(Value(7)), second);
  EXPECT_EQ(ErrorBlock(), second);
}

TEST_F(Raising, ZeroDivideYieldsTheCallbacksSubstitute) {
  Error seen;
  ErrorBlock(MakeErrorCallback([&seen](Error& e) {
    seen = e;
    return Value(0);
  }));
  const Value r = Divide(Value(10), Value(0));
  EXPECT_EQ(r.TypeLetter(), 'N');
  EXPECT_EQ(r.AsNumber(), 0);
  EXPECT_EQ(seen.GenCode, EG_ZERODIV);
  EXPECT_EQ(seen.SubSystem, "BASE");
  EXPECT_EQ(seen.SubCode, 1340);
  EXPECT_EQ(seen.Description, "Zero divisor");
  EXPECT_EQ(seen.Operation, "/");
  EXPECT_TRUE(seen.CanSubstitute);
  ASSERT_TRUE(seen.Args);
  ASSERT_EQ(seen.Args->size(), 2u);
  EXPECT_EQ((*seen.Args)[0].AsWhole(), 10);
  EXPECT_EQ((*seen.Args)[1].AsWhole(), 0);
  EXPECT_EQ(seen.ProcName, "/");  // the operator is a built-in level
  EXPECT_EQ(seen.ModuleName, "");
  EXPECT_EQ(seen.ProcLine, 0);

  EXPECT_EQ(Modulo(Value(7), Value(0)).AsNumber(), 0);
  EXPECT_EQ(seen.Operation, "%");
  EXPECT_EQ(Divide(Value(7), Value(2)).AsNumber(), 3.5);
  EXPECT_EQ(Divide(Value(8), Value(2)).AsWhole(), 4);
}

TEST_F(Raising, ASubstituteLaunchOfANonSubstitutableObjectIsUnrecoverable) {
  EXPECT_EXIT(
      {
        Answering(0);
        SubstituteLaunch(Object(kCanDefault));
      },
      ::testing::ExitedWithCode(1), "Unrecoverable error 9001: ");
}

TEST_F(Raising, FrameworkErrorsReachTheCallbackDirectly) {
  std::vector<Error> seen;
  ErrorBlock(MakeErrorCallback([&seen](Error& e) {
    seen.push_back(e);
    return Value(true);  // ignored, not checked
  }));
  RaiseFrameworkError(1, "ReDefine");
  RaiseFrameworkError(4, "");
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].Description, "Non defined Id");
  EXPECT_EQ(seen[0].Severity, 3);
  EXPECT_EQ(seen[0].SubSystem, "Vantor");
  EXPECT_EQ(seen[0].SubCode, 1);
  EXPECT_EQ(seen[0].Operation, "ReDefine");
  EXPECT_FALSE(seen[0].CanDefault);
  EXPECT_FALSE(seen[0].CanRetry);
  EXPECT_FALSE(seen[0].CanSubstitute);
  EXPECT_EQ(seen[1].SubSystem, "BASE");
  EXPECT_EQ(seen[1].SubCode, 5300);
  EXPECT_TRUE(seen[1].CanDefault);  // severity 1 allows a default
  EXPECT_EQ(LastOsError(), 0);
}

TEST_F(Raising, FrameworkFactoryRowsAndUnknownNumbers) {
  const char* texts[] = {"Non defined Id", "Duplicated Id", "Cannot create Dialog Box", "Memory Low",
                         "GPF occurred", "Cannot create window or control"};
  const int subcodes[] = {1, 2, 3, 5300, 5, 6};
  for (int n = 1; n <= 6; ++n) {
    const auto e = FrameworkError(n, "op");
    EXPECT_EQ(e->Description, texts[n - 1]);
    EXPECT_EQ(e->SubCode, subcodes[n - 1]);
    EXPECT_EQ(e->CanDefault, e->Severity < 3);
  }
  const auto none = FrameworkError(7, "op");
  EXPECT_EQ(none->Description, "");
  EXPECT_EQ(none->Severity, 2);
  EXPECT_EQ(none->Operation, "");
  EXPECT_EQ(none->SubSystem, "");
}

TEST_F(Raising, ErrorNewTakesTheCallersLevelAndTheStack) {
  MERIDAN_FRAME(outer, "MAIN");
  MERIDAN_FRAME(inner, "MAKE_TXT");
  MERIDAN_LINE(inner);
  const int line = __LINE__ - 1;
  const auto e = ErrorNew({.GenCode = 21});
  ASSERT_TRUE(e);
  EXPECT_EQ(e->ClassName(), "ERROR");
  EXPECT_EQ(e->ProcName, "MAKE_TXT");
  EXPECT_EQ(e->ProcLine, line);
  EXPECT_EQ(e->ModuleName, "raise_test.cpp");
  ASSERT_GE(e->aaStack.size(), 2u);
  EXPECT_EQ(e->aaStack[0], (StackEntry{"raise_test.cpp", "MAKE_TXT", line}));
  EXPECT_EQ(e->aaStack[1].proc, "MAIN");
  // Initial values of the fields not given.
  EXPECT_EQ(e->Severity, 2);
  EXPECT_EQ(e->Description, "");
  EXPECT_FALSE(e->Args);
  EXPECT_EQ(e->Permissions(), 0u);

  const auto given = ErrorNew({.ModuleName = "X.PRG", .ProcName = "P", .ProcLine = 9});
  EXPECT_EQ(given->ModuleName, "X.PRG");
  EXPECT_EQ(given->ProcName, "P");
  EXPECT_EQ(given->ProcLine, 9);
}

TEST_F(Raising, BuiltinVariantsSetTheirDefaults) {
  const auto base = MakeBuiltinError({.GenCode = 23, .OsCode = 5, .Permissions = kCanRetry});
  EXPECT_EQ(base->SubSystem, "BASE");
  EXPECT_EQ(base->Description, "Read error");
  EXPECT_EQ(base->Severity, 2);
  EXPECT_TRUE(base->CanRetry);
  EXPECT_FALSE(base->Args);  // no arguments, no array

  const auto area = MakeTableCommandError(35, 1001, "DBSTRUCT");
  EXPECT_EQ(area->SubSystem, "DBCMD");
  EXPECT_EQ(area->Description, "Workarea not in use");
  EXPECT_EQ(area->Permissions(), static_cast<unsigned>(kCanDefault));
  EXPECT_EQ(MakeTableCommandError(15, 1002, "x")->Permissions(), 0u);
  EXPECT_EQ(MakeTableCommandError(17, 1010, "1ABC", kCanDefault)->Permissions(),
            static_cast<unsigned>(kCanDefault));
}

TEST_F(Raising, TheLastOsErrorValueFollowsEachLaunch) {
  Answering(false);
  Launch(MakeBuiltinError({.GenCode = 21, .OsCode = 32, .Permissions = kCanDefault}));
  EXPECT_EQ(LastOsError(), 32);
}

TEST_F(Raising, ABreakFromTheCallbackEndsTheProtectedSequence) {
  ErrorBlock(MakeErrorCallback([](Error&) -> Value { Break(Value("why")); }));
  bool after = false;
  const auto broke = Sequence([&] {
    RaiseBuiltin({.GenCode = 21, .Permissions = kCanDefault});
    after = true;
  });
  ASSERT_TRUE(broke);
  EXPECT_EQ(broke->AsText(), "why");
  EXPECT_FALSE(after);
  // After the sequence, launches call the callback again.
  Answering(false);
  EXPECT_EQ(Launch(Object(kCanDefault)), Answer::Default);
}

TEST_F(Raising, DoBreakEndsTheSequenceWithNoValue) {
  const auto broke = Sequence([] { DOBREAK(); });
  ASSERT_TRUE(broke);
  EXPECT_TRUE(broke->IsNil());
  EXPECT_FALSE(Sequence([] {}));
}

TEST_F(Raising, RetryRepeatsTheStepWithTheSameObject) {
  int attempts = 0;
  ErrorBlock(MakeErrorCallback([](Error& e) { return Value(e.Tries < 2); }));
  const auto e = Object(kCanRetry | kCanDefault);
  while (++attempts, Raise(e)) {
  }
  EXPECT_EQ(attempts, 3);
  EXPECT_EQ(e->Tries, 2);
}

}  // namespace
}  // namespace meridan
