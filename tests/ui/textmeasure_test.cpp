// Pixel padding with an injected width function, and the platform's widths.
#include "ui/textmeasure.h"

#include <gtest/gtest.h>

namespace meridan {
namespace {

int Fixed(const std::string& s) {
  int w = 0;
  for (char c : s) w += c == ' ' ? 5 : 8;
  return w;
}

TEST(PixelPadding, PadsUntilWidthReachedAndNeverShortens) {
  struct Case { const char* text; int width; const char* left; const char* right; };
  for (Case c : {Case{" 30", 15, " 30", " 30"}, Case{"0", 10, " 0", "0 "}, Case{"0", 0, "0", "0"},
                 Case{"", 11, "   ", "   "}, Case{"12345", 20, "12345", "12345"}}) {
    EXPECT_EQ(xPadL(c.text, c.width, " ", Fixed), c.left) << c.text << " " << c.width;
    EXPECT_EQ(xPadR(c.text, c.width, " ", Fixed), c.right) << c.text << " " << c.width;
  }
  EXPECT_EQ(xPadL("7", 24, "*", Fixed), "**7");
  // A fill that measures nothing can never reach the width.
  EXPECT_EQ(xPadL("7", 24, "", Fixed), "7");
}

TEST(PixelPadding, CentresTheTrimmedText) {
  // "ab" is 16 pixels; 36 wanted: 20 more pixels hold 4 blanks, field of 6.
  EXPECT_EQ(xPadC("ab", 36, " ", Fixed), "  ab  ");
  // Odd number of fill characters: the left side gets the smaller half.
  EXPECT_EQ(xPadC("ab", 31, " ", Fixed), " ab  ");
  EXPECT_EQ(xPadC("  ab  ", 10, " ", Fixed), "ab");
}

TEST(TextWidth, EmptyTextIsZeroAndLongerTextIsWider) {
  EXPECT_EQ(GetTextWidth(0, ""), 0);
  EXPECT_GT(GetTextWidth(0, "00"), GetTextWidth(0, "0"));
  EXPECT_GT(GetTextWidth(0, " "), 0);
  EXPECT_EQ(xPadL(" 30", 15), xPadL(" 30", 15, " ", SystemTextWidth()));
}

}  // namespace
}  // namespace meridan
