// Windows-1252 <-> UTF-8: the table's high half, undefined bytes, bad UTF-8.
#include "runtime/codepage.h"

#include <gtest/gtest.h>

namespace meridan {
namespace {

TEST(Codepage, ConvertsBothWaysAndFailsOrReplacesWhatHasNoPlace) {
  EXPECT_EQ(Utf8From1252("Gr\xf6\xdf" "e \x80"), "Gr\xc3\xb6\xc3\x9f" "e \xe2\x82\xac");
  EXPECT_EQ(Cp1252FromUtf8("Gr\xc3\xb6\xc3\x9f" "e \xe2\x82\xac"), "Gr\xf6\xdf" "e \x80");
  EXPECT_EQ(Utf8From1252("a\x81"), std::nullopt);
  EXPECT_EQ(Utf8From1252("a\x81", '?'), "a?");
  // A character outside the code page, a four-byte one, a stray continuation byte.
  EXPECT_EQ(Cp1252FromUtf8("\xe4\xb8\xad"), std::nullopt);
  EXPECT_EQ(Cp1252FromUtf8("\xe4\xb8\xad|\xf0\x9f\x98\x80|\x80x", '?'), "?|?|?x");
  EXPECT_EQ(Cp1252FromUtf8("\xc3", '?'), "?");
}

}  // namespace
}  // namespace meridan
