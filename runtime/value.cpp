// Value type: type letters, tolerant accessors and the date calendar.
#include "runtime/value.h"

namespace meridan {

namespace {
const std::string kEmptyText;
const ArrayRef kNoArray;
const ObjectRef kNoObject;
const BlockRef kNoBlock;

// Day numbers follow the Julian day count, so that dates compare and subtract
// as whole numbers; 0 is left free for the empty date.
std::int32_t ToJulian(int y, int m, int d) {
  const int a = (14 - m) / 12;
  const int yy = y + 4800 - a;
  const int mm = m + 12 * a - 3;
  return d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
}

void FromJulian(std::int32_t j, int& y, int& m, int& d) {
  const std::int32_t a = j + 32044;
  const std::int32_t b = (4 * a + 3) / 146097;
  const std::int32_t c = a - 146097 * b / 4;
  const std::int32_t dd = (4 * c + 3) / 1461;
  const std::int32_t e = c - 1461 * dd / 4;
  const std::int32_t mm = (5 * e + 2) / 153;
  d = static_cast<int>(e - (153 * mm + 2) / 5 + 1);
  m = static_cast<int>(mm + 3 - 12 * (mm / 10));
  y = static_cast<int>(100 * b + dd - 4800 + mm / 10);
}
}  // namespace

bool IsValidYmd(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  const int last = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
  return day <= last;
}

Date Date::FromYmd(int year, int month, int day) {
  if (!IsValidYmd(year, month, day)) return Date();
  return Date(ToJulian(year, month, day));
}

int Date::Year() const {
  if (Empty()) return 0;
  int y, m, d;
  FromJulian(day_, y, m, d);
  return y;
}
int Date::Month() const {
  if (Empty()) return 0;
  int y, m, d;
  FromJulian(day_, y, m, d);
  return m;
}
int Date::Day() const {
  if (Empty()) return 0;
  int y, m, d;
  FromJulian(day_, y, m, d);
  return d;
}

char Value::TypeLetter() const {
  switch (v_.index()) {
    case 1: return 'L';
    case 2:
    case 3: return 'N';
    case 4: return 'C';
    case 5: return 'M';
    case 6: return 'D';
    case 7: return IsArray() ? 'A' : 'U';
    case 8: return IsObject() ? 'O' : 'U';
    case 9: return IsBlock() ? 'B' : 'U';
    default: return 'U';
  }
}

bool Value::AsLogical() const { return IsLogical() && std::get<bool>(v_); }

double Value::AsNumber() const {
  if (IsWhole()) return static_cast<double>(std::get<std::int64_t>(v_));
  if (auto* d = std::get_if<Decimal>(&v_)) return d->value;
  return 0;
}

std::int64_t Value::AsWhole() const {
  if (IsWhole()) return std::get<std::int64_t>(v_);
  if (auto* d = std::get_if<Decimal>(&v_)) return static_cast<std::int64_t>(d->value);
  return 0;
}

int Value::Decimals() const {
  if (auto* d = std::get_if<Decimal>(&v_)) return d->decimals;
  return 0;
}

const std::string& Value::AsText() const {
  if (auto* s = std::get_if<std::string>(&v_)) return *s;
  if (auto* m = std::get_if<LongText>(&v_)) return m->text;
  return kEmptyText;
}

Date Value::AsDate() const { return IsDate() ? std::get<Date>(v_) : Date(); }

const ArrayRef& Value::AsArray() const {
  return IsArray() ? std::get<ArrayRef>(v_) : kNoArray;
}
const ObjectRef& Value::AsObject() const {
  return IsObject() ? std::get<ObjectRef>(v_) : kNoObject;
}
const BlockRef& Value::AsBlock() const {
  return IsBlock() ? std::get<BlockRef>(v_) : kNoBlock;
}

Value Value::Eval(std::span<const Value> args) const {
  if (!IsBlock()) return Value();
  return (*AsBlock())(args);
}

Value Value::Eval(std::initializer_list<Value> args) const {
  return Eval(std::span<const Value>(args.begin(), args.size()));
}

bool operator==(const Value& a, const Value& b) { return a.v_ == b.v_; }

}  // namespace meridan
