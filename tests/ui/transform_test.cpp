// The picture formatter and its round trip through the Get engine's conversion back.
#include "runtime/transform.h"

#include <gtest/gtest.h>

#include "ui/get.h"

namespace meridan {
namespace {

TEST(Transform, Numbers) {
  struct Case { Value v; const char* pic; const char* out; };
  const Case cases[] = {
      {Value(0), "99", " 0"},       {Value(5), "99", " 5"},        {Value(57), "99", "57"},
      {Value(-5), "99", "-5"},      {Value(-9), "99", "-9"},       {Value(99), "99", "99"},
      {Value(100), "99", "**"},     {Value(-10), "99", "**"},      {Value(3.5, 2), "999.99", "  3.50"},
      {Value(0.5, 1), "9.99", "0.50"}, {Value(-1.25, 2), "99.9", "-1.3"},
      {Value(1234.5, 1), "9,999.99", "1,234.50"}, {Value(12, 0), "9,999", "   12"},
      {Value(1234.5, 1), "@E 9,999.99", "1.234,50"}, {Value(-5), "@( 999", " (5)"}, {Value(5), "@( 999", "  5 "}, {Value(-5), "@X 99", " 5 DB"},
      {Value(5), "@C 99", " 5   "},  {Value(0), "@Z 99", "  "},      {Value(5), "@B 999", "5  "},
      {Value(7), "*999", "*  7"},   {Value(5), "", "         5"},
  };
  for (const Case& c : cases) EXPECT_EQ(Transform(c.v, c.pic), c.out) << c.pic;
}

TEST(Transform, TextDatesLogicals) {
  EXPECT_EQ(Transform(Value("abc"), ""), "abc");
  EXPECT_EQ(Transform(Value("abc"), "@!"), "ABC");
  EXPECT_EQ(Transform(Value("abcd"), "!X-XX"), "Ab-d ");
  EXPECT_EQ(Transform(Value("abcd"), "@R XX-XX"), "ab-cd");
  const Date d = Date::FromYmd(2026, 12, 3);
  EXPECT_EQ(Transform(Value(d), ""), "12/03/26");
  EXPECT_EQ(Transform(Value(d), "@E"), "03/12/26");
  EXPECT_EQ(Transform(Value(Date()), ""), "  /  /  ");
  EXPECT_EQ(DateToText(d, "dd.mm.yyyy"), "03.12.2026");
  EXPECT_EQ(Transform(Value(true), ""), "T");
  EXPECT_EQ(Transform(Value(false), "Y"), "N");
}

TEST(TextToDate, Validity) {
  struct Case { const char* text; bool valid; Date d; };
  const Case cases[] = {
      {"  /  /  ", true, Date()},          {"02/29/96", true, Date::FromYmd(1996, 2, 29)},
      {"02/29/99", false, Date()},          {"13/01/99", false, Date()},
      {"00/10/99", false, Date()},          {"1 /  /  ", false, Date()},
      {"12/31/99", true, Date::FromYmd(1999, 12, 31)},
  };
  for (const Case& c : cases) {
    bool valid = !c.valid;
    EXPECT_EQ(TextToDate(c.text, "mm/dd/yy", &valid), c.d) << c.text;
    EXPECT_EQ(valid, c.valid) << c.text;
  }
}

// Rendering a value for editing and converting the untouched buffer back gives the value again.
TEST(Transform, RoundTripThroughTheEngine) {
  struct Case { Value v; const char* pic; const char* buffer; };
  const Case cases[] = {
      {Value(Date::FromYmd(2026, 12, 3)), "", "12/03/26"},
      {Value(Date::FromYmd(2026, 12, 3)), "@E", "03/12/26"},
      {Value(Date()), "@D", "  /  /  "},
      {Value(true), "", "T"},
      {Value(false), "L", "F"},
      {Value(true), "Y", "Y"},
      {Value(1234.5, 2), "9,999.99", "1,234.50"},
      {Value(1234.5, 2), "@E 9,999.99", "1.234,50"},
      {Value(-12.25, 2), "999.99", "-12.25"},
      {Value(-12.25, 2), "@( 999.99", "(12.25)"},
      {Value(-7), "@X 999", "  7 DB"},
      {Value(42), "", "        42"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pic);
    Value var = c.v;
    Get g([&var](std::span<const Value> a) -> Value {
      if (!a.empty()) var = a[0];
      return var;
    }, c.pic);
    g.SetFocus();
    EXPECT_EQ(g.Buffer, c.buffer);
    EXPECT_EQ(g.UnTransform(), c.v);
  }
}

}  // namespace
}  // namespace meridan
