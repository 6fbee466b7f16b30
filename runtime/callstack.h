// Call-stack levels of the program's own procedures, methods and callbacks.
//
// A procedure takes part by declaring a Frame for as long as it runs:
//
//   void MAKE_TXT(const std::string& cFile, int nArea) {
//     MERIDAN_FRAME(frame, "MAKE_TXT");
//     frame.Param("cFile", cFile).Param("nArea", nArea);
//     std::string cFile1;
//     frame.Local("cFile1", cFile1);
//     MERIDAN_LINE(frame);          // before a statement that may raise
//     ...
//   }
//
// Registering costs a few stores: the name and module are literals, variables
// are kept as pointers and turned into values only when a report reads them.
// Built-in functions that raise declare a Frame with no module (line 0).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/value.h"

namespace meridan {

// Turns a variable the program keeps in a C++ type into a value for reports.
inline Value ToValue(const Value& v) { return v; }
inline Value ToValue(bool b) { return Value(b); }
inline Value ToValue(int n) { return Value(n); }
inline Value ToValue(long n) { return Value(n); }
inline Value ToValue(long long n) { return Value(n); }
inline Value ToValue(unsigned n) { return Value(n); }
inline Value ToValue(double d) { return Value(d, 2); }
inline Value ToValue(const std::string& s) { return Value(s); }
inline Value ToValue(const char* s) { return s ? Value(s) : Value(); }
inline Value ToValue(Date d) { return Value(d); }
inline Value ToValue(const ArrayRef& a) { return Value(a); }
inline Value ToValue(const ObjectRef& o) { return Value(o); }
template <class T>
Value ToValue(const std::shared_ptr<T>& p) {
  return p ? Value(std::static_pointer_cast<Object>(p)) : Value();
}
template <class T>
Value ToValue(const std::optional<T>& o) {
  return o ? ToValue(*o) : Value();
}
template <class T>
Value ToValue(const std::vector<T>& items) {
  Array a;
  a.reserve(items.size());
  for (const auto& item : items) a.push_back(ToValue(item));
  return Value::MakeArray(std::move(a));
}

struct Variable {
  std::string name;
  Value value;
};

class Frame {
 public:
  static constexpr std::size_t kMaxVariables = 24;

  // `name` as reports show it ("MAKE_TXT", "TDIALOG:ACTIVATE", "(b)MAIN");
  // `file` is the source file (__FILE__), "" for built-in functions.
  Frame(const char* name, const char* file = "", int line = 0) noexcept;
  ~Frame();
  Frame(const Frame&) = delete;
  Frame& operator=(const Frame&) = delete;

  void Line(int line) noexcept { line_ = line; }

  // Parameters must be registered before locals; variables beyond
  // kMaxVariables are not shown.
  template <class T>
  Frame& Param(const char* name, const T& var) noexcept {
    return Add(name, &var, &Read<T>, true);
  }
  template <class T>
  Frame& Local(const char* name, const T& var) noexcept {
    return Add(name, &var, &Read<T>, false);
  }

  const char* Name() const { return name_; }
  std::string Module() const;  // file name without directories
  int CurrentLine() const { return line_; }
  std::vector<Variable> Params() const;
  std::vector<Variable> Locals() const;
  const Frame* Caller() const { return caller_; }

 private:
  using Reader = Value (*)(const void*);
  struct Slot {
    const char* name;
    const void* var;
    Reader read;
    bool param;
  };
  template <class T>
  static Value Read(const void* p) {
    return ToValue(*static_cast<const T*>(p));
  }
  Frame& Add(const char* name, const void* var, Reader read, bool param) noexcept;
  std::vector<Variable> Collect(bool params) const;

  const char* name_;
  const char* file_;
  int line_;
  Frame* caller_;
  std::array<Slot, kMaxVariables> slots_;
  std::uint8_t count_ = 0;
};

#define MERIDAN_FRAME(var, name) ::meridan::Frame var((name), __FILE__, __LINE__)
#define MERIDAN_LINE(frame) (frame).Line(__LINE__)

// Level 0 is the innermost running frame; nullptr beyond the outermost.
const Frame* StackLevel(std::size_t level);
std::size_t StackDepth();

// A snapshot of one level for error objects and reports.
struct LevelInfo {
  std::string module;
  std::string name;
  int line = 0;
};
std::optional<LevelInfo> LevelAt(std::size_t level);

}  // namespace meridan
