// The value type shared by every layer: no value, logical, number, text, date,
// array, object and callback, as the error arguments, bindings and reports need.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace meridan {

class Value;

// A calendar date as a day number; 0 is the empty date.
class Date {
 public:
  constexpr Date() = default;
  static Date FromYmd(int year, int month, int day);  // empty date when invalid
  static constexpr Date FromDayNumber(std::int32_t n) { return Date(n); }
  constexpr bool Empty() const { return day_ == 0; }
  constexpr std::int32_t DayNumber() const { return day_; }
  int Year() const;   // 0 for the empty date
  int Month() const;  // 0 for the empty date
  int Day() const;    // 0 for the empty date
  friend constexpr bool operator==(Date, Date) = default;
  friend constexpr auto operator<=>(Date, Date) = default;

 private:
  constexpr explicit Date(std::int32_t n) : day_(n) {}
  std::int32_t day_ = 0;
};

bool IsValidYmd(int year, int month, int day);

// Base of everything the report shows as "Class: NAME".
class Object {
 public:
  virtual ~Object() = default;
  virtual std::string ClassName() const = 0;  // upper case, as the report shows it
};

using Array = std::vector<Value>;
using ArrayRef = std::shared_ptr<Array>;
using ObjectRef = std::shared_ptr<Object>;
// An action callback: evaluated with its arguments, answers a value.
using Block = std::function<Value(std::span<const Value>)>;
using BlockRef = std::shared_ptr<const Block>;

// A number carrying the decimals it is shown with; whole numbers have none.
struct Decimal {
  double value = 0;
  int decimals = 0;
  friend bool operator==(const Decimal&, const Decimal&) = default;
};

// Long text (type letter "M"): text that came from a memo field.
struct LongText {
  std::string text;
  friend bool operator==(const LongText&, const LongText&) = default;
};

class Value {
 public:
  Value() = default;
  Value(bool b) : v_(b) {}
  Value(int n) : v_(std::int64_t{n}) {}
  Value(long n) : v_(std::int64_t{n}) {}
  Value(long long n) : v_(std::int64_t{n}) {}
  Value(unsigned n) : v_(std::int64_t{n}) {}
  Value(unsigned long n) : v_(static_cast<std::int64_t>(n)) {}
  Value(double d, int decimals) : v_(Decimal{d, decimals}) {}
  Value(Decimal d) : v_(d) {}
  Value(std::string s) : v_(std::move(s)) {}
  Value(const char* s) : v_(std::string(s)) {}
  Value(LongText m) : v_(std::move(m)) {}
  Value(Date d) : v_(d) {}
  Value(ArrayRef a) : v_(std::move(a)) {}
  Value(ObjectRef o) : v_(std::move(o)) {}
  Value(BlockRef b) : v_(std::move(b)) {}

  static Value MakeArray(Array items = {}) {
    return Value(std::make_shared<Array>(std::move(items)));
  }
  static Value MakeBlock(Block b) {
    return Value(std::make_shared<const Block>(std::move(b)));
  }

  // "C", "M", "N", "D", "L", "A", "O", "B" or "U".
  char TypeLetter() const;

  bool IsNil() const { return std::holds_alternative<std::monostate>(v_); }
  bool IsLogical() const { return std::holds_alternative<bool>(v_); }
  bool IsNumber() const { return IsWhole() || std::holds_alternative<Decimal>(v_); }
  bool IsWhole() const { return std::holds_alternative<std::int64_t>(v_); }
  bool IsText() const { return std::holds_alternative<std::string>(v_); }
  bool IsLongText() const { return std::holds_alternative<LongText>(v_); }
  bool IsDate() const { return std::holds_alternative<Date>(v_); }
  bool IsArray() const { return std::holds_alternative<ArrayRef>(v_) && std::get<ArrayRef>(v_); }
  bool IsObject() const { return std::holds_alternative<ObjectRef>(v_) && std::get<ObjectRef>(v_); }
  bool IsBlock() const { return std::holds_alternative<BlockRef>(v_) && std::get<BlockRef>(v_); }

  // Accessors answer a neutral value for the wrong type, never throw.
  bool AsLogical() const;
  double AsNumber() const;
  std::int64_t AsWhole() const;  // truncated toward zero for decimals
  int Decimals() const;          // decimals a number carries, 0 otherwise
  const std::string& AsText() const;  // text and long text
  Date AsDate() const;
  const ArrayRef& AsArray() const;
  const ObjectRef& AsObject() const;
  const BlockRef& AsBlock() const;
  template <class T>
  T* As() const {  // the object as T, or nullptr
    return IsObject() ? dynamic_cast<T*>(AsObject().get()) : nullptr;
  }

  // Evaluates a callback; no value when this is not one.
  Value Eval(std::span<const Value> args = {}) const;
  Value Eval(std::initializer_list<Value> args) const;

  // Same type and value; arrays, objects and callbacks by identity.
  friend bool operator==(const Value& a, const Value& b);

 private:
  std::variant<std::monostate, bool, std::int64_t, Decimal, std::string, LongText, Date,
               ArrayRef, ObjectRef, BlockRef>
      v_;
};

}  // namespace meridan
