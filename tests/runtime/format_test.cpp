// Str with its asterisks, number text, cValToChar, date and time texts.
#include "runtime/format.h"

#include <gtest/gtest.h>

namespace meridan {
namespace {

TEST(Str, RightAlignsAndOverflowsToAsterisks) {
  struct Case { double n; int width; int dec; const char* out; };
  for (const Case c : {Case{5, 3, 0, "  5"}, Case{300, 3, 0, "300"}, Case{1000, 3, 0, "***"},
                       Case{10, 1, 0, "*"}, Case{9, 1, 0, "9"}, Case{-5, 3, 0, " -5"},
                       Case{-100, 3, 0, "***"}, Case{2.5, 3, 0, "  3"}, Case{-2.5, 3, 0, " -3"},
                       Case{1.005, 6, 2, "  1.01"}, Case{3.14159, 10, 2, "      3.14"},
                       Case{0, 1, 0, "0"}, Case{-0.001, 5, 2, " 0.00"}}) {
    EXPECT_EQ(Str(c.n, c.width, c.dec), c.out) << c.n << " " << c.width << " " << c.dec;
  }
}

TEST(CValToChar, GivesTheStandardTextOfEachType) {
  EXPECT_EQ(cValToChar(Value("  ab ")), "  ab ");
  EXPECT_EQ(cValToChar(Value(LongText{"memo"})), "memo");
  EXPECT_EQ(cValToChar(Value(true)), ".T.");
  EXPECT_EQ(cValToChar(Value(false)), ".F.");
  EXPECT_EQ(cValToChar(Value(-42)), "-42");
  EXPECT_EQ(cValToChar(Value(3.5, 2)), "3.50");
  EXPECT_EQ(cValToChar(Value(Date::FromYmd(2007, 3, 9))), "03/09/07");
  EXPECT_EQ(cValToChar(Value(Date())), "  /  /  ");
  EXPECT_EQ(cValToChar(Value::MakeArray({1})), "{ ... }");
  EXPECT_EQ(cValToChar(Value::MakeBlock([](std::span<const Value>) { return Value(); })),
            "{|| ... }");
  EXPECT_EQ(cValToChar(Value()), "");
}

TEST(TimeText, FormatsSecondsSinceMidnight) {
  EXPECT_EQ(TimeText(0), "00:00:00");
  EXPECT_EQ(TimeText(3725.4), "01:02:05");
  EXPECT_EQ(TimeText(86399.99), "23:59:59");
}

TEST(Padding, PadsAndCuts) {
  EXPECT_EQ(PadLeft("ab", 4), "  ab");
  EXPECT_EQ(PadRight("ab", 4), "ab  ");
  EXPECT_EQ(PadRight("abcdef", 4), "abcd");
  EXPECT_EQ(AllTrim("  a b  "), "a b");
  EXPECT_EQ(AllTrim("   "), "");
  EXPECT_EQ(UpperAscii("abc\xe4z"), "ABC\xe4Z");
}

}  // namespace
}  // namespace meridan
