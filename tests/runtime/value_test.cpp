// Value type letters, tolerant accessors and the calendar.
#include "runtime/value.h"

#include <gtest/gtest.h>

namespace meridan {
namespace {

struct Named : Object {
  std::string ClassName() const override { return "TNAMED"; }
};

TEST(Value, TypeLettersCoverEveryKind) {
  EXPECT_EQ(Value().TypeLetter(), 'U');
  EXPECT_EQ(Value(true).TypeLetter(), 'L');
  EXPECT_EQ(Value(12).TypeLetter(), 'N');
  EXPECT_EQ(Value(1.5, 1).TypeLetter(), 'N');
  EXPECT_EQ(Value("abc").TypeLetter(), 'C');
  EXPECT_EQ(Value(LongText{"memo"}).TypeLetter(), 'M');
  EXPECT_EQ(Value(Date::FromYmd(2026, 12, 11)).TypeLetter(), 'D');
  EXPECT_EQ(Value::MakeArray({1, 2}).TypeLetter(), 'A');
  EXPECT_EQ(Value(ObjectRef(std::make_shared<Named>())).TypeLetter(), 'O');
  EXPECT_EQ(Value::MakeBlock([](std::span<const Value>) { return Value(); }).TypeLetter(), 'B');
  // Empty references are no value, not a broken array or object.
  EXPECT_EQ(Value(ArrayRef()).TypeLetter(), 'U');
  EXPECT_EQ(Value(ObjectRef()).TypeLetter(), 'U');
}

TEST(Value, AccessorsOfTheWrongTypeGiveNeutralValues) {
  const Value text("x");
  EXPECT_FALSE(text.AsLogical());
  EXPECT_EQ(text.AsNumber(), 0);
  EXPECT_TRUE(text.AsDate().Empty());
  EXPECT_EQ(text.AsArray(), nullptr);
  EXPECT_EQ(Value(3).AsText(), "");
  EXPECT_EQ(Value(-7.9, 1).AsWhole(), -7);
  EXPECT_EQ(Value().Eval({1}).TypeLetter(), 'U');
}

TEST(Value, BlocksEvaluateWithTheirArguments) {
  const Value add = Value::MakeBlock([](std::span<const Value> a) {
    return Value(static_cast<long long>(a[0].AsWhole() + a[1].AsWhole()));
  });
  EXPECT_EQ(add.Eval({2, 40}).AsWhole(), 42);
  EXPECT_EQ(add, add);  // identity
  EXPECT_FALSE(add == Value::MakeBlock([](std::span<const Value>) { return Value(); }));
}

TEST(Date, RoundTripsAndRejectsInvalidDays) {
  struct Case { int y, m, d; bool valid; };
  for (const Case c : {Case{2000, 2, 29, true}, Case{1900, 2, 29, false}, Case{2024, 2, 29, true},
                       Case{2023, 2, 29, false}, Case{1999, 12, 31, true}, Case{2026, 4, 31, false},
                       Case{2026, 13, 1, false}, Case{1, 1, 1, true}, Case{2026, 1, 0, false}}) {
    const Date d = Date::FromYmd(c.y, c.m, c.d);
    EXPECT_EQ(!d.Empty(), c.valid) << c.y << "-" << c.m << "-" << c.d;
    if (c.valid) {
      EXPECT_EQ(d.Year(), c.y);
      EXPECT_EQ(d.Month(), c.m);
      EXPECT_EQ(d.Day(), c.d);
    }
  }
  EXPECT_EQ(Date::FromYmd(2001, 1, 1).DayNumber() - Date::FromYmd(2000, 12, 31).DayNumber(), 1);
  EXPECT_EQ(Date::FromYmd(2001, 3, 1).DayNumber() - Date::FromYmd(2000, 3, 1).DayNumber(), 365);
}

}  // namespace
}  // namespace meridan
