// Frames register and unregister with their scope, also when unwinding.
#include "runtime/callstack.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace meridan {
namespace {

int Inner(int nArea) {
  MERIDAN_FRAME(frame, "INNER");
  frame.Param("nArea", nArea);
  std::string cFile = "KUNDEN.DBF";
  frame.Local("cFile", cFile);
  cFile = "CHANGED";  // variables are read when asked, not when registered
  MERIDAN_LINE(frame);
  const int line = __LINE__ - 1;
  const Frame* top = StackLevel(0);
  EXPECT_EQ(top, &frame);
  EXPECT_STREQ(top->Name(), "INNER");
  EXPECT_EQ(top->Module(), "callstack_test.cpp");
  EXPECT_EQ(top->CurrentLine(), line);
  const auto params = top->Params();
  const auto locals = top->Locals();
  EXPECT_EQ(params.size(), 1u);
  EXPECT_EQ(params[0].name, "nArea");
  EXPECT_EQ(params[0].value.AsWhole(), nArea);
  EXPECT_EQ(locals.size(), 1u);
  EXPECT_EQ(locals[0].value.AsText(), "CHANGED");
  EXPECT_STREQ(StackLevel(1)->Name(), "OUTER");
  return static_cast<int>(StackDepth());
}

TEST(CallStack, LevelsFollowTheCallsInnermostFirst) {
  const std::size_t base = StackDepth();
  {
    MERIDAN_FRAME(outer, "OUTER");
    EXPECT_EQ(Inner(7), static_cast<int>(base + 2));
    EXPECT_EQ(StackLevel(0), &outer);
  }
  EXPECT_EQ(StackDepth(), base);
}

TEST(CallStack, BuiltinLevelsHaveNoModuleAndLineZero) {
  Frame builtin("DBUSEAREA");
  const auto info = LevelAt(0);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->module, "");
  EXPECT_EQ(info->name, "DBUSEAREA");
  EXPECT_EQ(info->line, 0);
}

TEST(CallStack, UnwindingPopsFrames) {
  const std::size_t base = StackDepth();
  try {
    MERIDAN_FRAME(a, "A");
    MERIDAN_FRAME(b, "B");
    throw std::runtime_error("x");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(StackDepth(), base);
}

TEST(CallStack, VariablesBeyondTheLimitAreDropped) {
  Frame f("MANY", __FILE__, __LINE__);
  int vars[Frame::kMaxVariables + 3] = {};
  for (int& v : vars) f.Local("v", v);
  EXPECT_EQ(f.Locals().size(), Frame::kMaxVariables);
}

}  // namespace
}  // namespace meridan
