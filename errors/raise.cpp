// The launch protocol, breaks, the substitute variant and unrecoverable errors.
#include "errors/raise.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "errors/fatal_display.h"
#include "errors/program.h"
#include "runtime/callstack.h"

namespace meridan {

namespace {
Value g_callback;
int g_nesting = 0;
int g_last_os_error = 0;
bool g_net_err = false;
// Set while a BreakSignal travels to its Sequence.
std::optional<Value> g_pending_break;
FatalDisplay g_fatal_display = &ShowFatalBox;

enum class Outcome { Answered, Broke };

// Steps 1 to 9 of both launches; `answer` is set when the callback returned.
Outcome CallCallback(const ErrorRef& e, Value& answer) {
  if (!g_callback.IsBlock()) Unrecoverable(9002, "No ERRORBLOCK() for error");
  if (g_nesting == kNestingLimit) Unrecoverable(9003, "Too many recursive error handler calls");
  ++g_nesting;
  g_last_os_error = e->OsCode;
  struct Unnest {
    ~Unnest() { --g_nesting; }
  } unnest;
  try {
    const Value callback = g_callback;  // the callback may replace itself
    const Value arg(std::static_pointer_cast<Object>(e));
    answer = callback.Eval(std::span<const Value>(&arg, 1));
  } catch (const BreakSignal&) {
    return Outcome::Broke;
  }
  // A ProgramEndSignal passes through: the program ends now.
  return Outcome::Answered;
}

bool Unwinding() { return std::uncaught_exceptions() > 0; }

[[noreturn]] void NoErrorObject() {
  Unrecoverable(9000, "Error object could not be created");
}
}  // namespace

Value ErrorBlock() { return g_callback; }

Value ErrorBlock(const Value& callback) {
  Value previous = g_callback;
  if (callback.IsBlock()) g_callback = callback;
  return previous;
}

Value MakeErrorCallback(std::function<Value(Error&)> handler) {
  return Value::MakeBlock([handler = std::move(handler)](std::span<const Value> args) -> Value {
    Error* e = args.empty() ? nullptr : args[0].As<Error>();
    if (!e) return Value();
    return handler(*e);
  });
}

Answer Launch(const ErrorRef& e) {
  if (QuitPending() || g_pending_break) return Answer::Break;
  if (!e) return Answer::Retry;
  Value answer;
  if (CallCallback(e, answer) == Outcome::Broke) return Answer::Break;
  if (!answer.IsLogical() || e->CanSubstitute) Unrecoverable(9001, "Error recovery failure");
  if (answer.AsLogical()) {
    if (!e->CanRetry) Unrecoverable(9001, "Error recovery failure");
    ++e->Tries;
    return Answer::Retry;
  }
  if (!e->CanDefault) Unrecoverable(9001, "Error recovery failure");
  return Answer::Default;
}

Value SubstituteLaunch(const ErrorRef& e) {
  if (QuitPending() || g_pending_break) return Value();
  if (!e) return Value();
  Value answer;
  if (CallCallback(e, answer) == Outcome::Broke) return Value();
  if (!e->CanSubstitute) Unrecoverable(9001, "Error recovery failure");
  return answer;
}

namespace {
// After a break answer: go on unwinding unless a destructor is running.
void ContinueUnwinding() {
  if (Unwinding()) return;
  if (QuitPending()) throw ProgramEndSignal{};
  if (g_pending_break) throw BreakSignal{*g_pending_break};
}
}  // namespace

bool Raise(const ErrorRef& e) {
  if (!e) NoErrorObject();
  switch (Launch(e)) {
    case Answer::Retry: return true;
    case Answer::Default: return false;
    case Answer::Break: ContinueUnwinding(); return false;
  }
  return false;
}

ErrorRef MakeBuiltinError(const BuiltinError& what) {
  ErrorRef e = ErrorNew({.SubSystem = what.SubSystem.empty() ? std::string("BASE") : what.SubSystem,
                         .GenCode = what.GenCode,
                         .SubCode = what.SubCode,
                         .Operation = what.Operation,
                         .Description = what.Description.value_or(GenCodeText(what.GenCode))});
  if (!e) NoErrorObject();
  e->Severity = 2;
  e->FileName = what.FileName;
  e->OsCode = what.OsCode;
  e->SetPermissions(what.Permissions);
  if (what.Args && !what.Args->empty()) e->Args = what.Args;
  return e;
}

ErrorRef MakeTableCommandError(int gen_code, int sub_code, const std::string& operation,
                               std::optional<unsigned> permissions) {
  return MakeBuiltinError({.SubSystem = "DBCMD",
                           .GenCode = gen_code,
                           .SubCode = sub_code,
                           .Operation = operation,
                           .Permissions = permissions.value_or(gen_code == EG_NOTABLE ? kCanDefault : 0u)});
}

bool RaiseBuiltin(const BuiltinError& what) { return Raise(MakeBuiltinError(what)); }

Value RaiseSubstitute(BuiltinError what) {
  what.Permissions |= kCanSubstitute;
  const ErrorRef e = MakeBuiltinError(what);
  Value v = SubstituteLaunch(e);
  if (g_pending_break || QuitPending()) ContinueUnwinding();
  return v;
}

namespace {
Value Arith(const Value& a, const Value& b, bool remainder) {
  Frame frame(remainder ? "%" : "/");
  const char* op = remainder ? "%" : "/";
  if (!a.IsNumber() || !b.IsNumber())
    return RaiseSubstitute({.GenCode = EG_ARG, .SubCode = remainder ? 1085 : 1083,
                            .Operation = op, .Args = Array{a, b}});
  if (b.AsNumber() == 0)
    return RaiseSubstitute({.GenCode = EG_ZERODIV, .SubCode = remainder ? 1341 : 1340,
                            .Operation = op, .Args = Array{a, b}});
  if (a.IsWhole() && b.IsWhole()) {
    const auto x = a.AsWhole(), y = b.AsWhole();
    if (remainder) return Value(static_cast<long long>(x % y));
    if (x % y == 0) return Value(static_cast<long long>(x / y));
  }
  const double r = remainder ? std::fmod(a.AsNumber(), b.AsNumber()) : a.AsNumber() / b.AsNumber();
  const int decimals = std::max({a.Decimals(), b.Decimals(), remainder ? 0 : 2});
  return Value(r, decimals);
}
}  // namespace

Value Divide(const Value& a, const Value& b) { return Arith(a, b, false); }
Value Modulo(const Value& a, const Value& b) { return Arith(a, b, true); }

void RaiseFrameworkError(int number, const std::string& operation) {
  const ErrorRef e = FrameworkError(number, operation);
  // An error object is never dropped: without a callback the program ends.
  if (!g_callback.IsBlock()) Unrecoverable(9002, "No ERRORBLOCK() for error");
  const Value callback = g_callback;
  const Value arg(std::static_pointer_cast<Object>(e));
  callback.Eval(std::span<const Value>(&arg, 1));
}

int LastOsError() { return g_last_os_error; }
bool NetErr() { return g_net_err; }
bool NetErr(bool flag) {
  const bool previous = g_net_err;
  g_net_err = flag;
  return previous;
}

void Break(Value value) {
  g_pending_break = value;
  throw BreakSignal{std::move(value)};
}

Value DOBREAK() { Break(); }

std::optional<Value> Sequence(const std::function<void()>& body) {
  try {
    body();
  } catch (BreakSignal& b) {
    g_pending_break.reset();
    return std::move(b.value);
  }
  return std::nullopt;
}

void Unrecoverable(unsigned long number, const std::string& text) {
  char caption[64];
  std::snprintf(caption, sizeof caption, "Unrecoverable error %lu: ", number);
  std::fflush(stdout);
  std::fprintf(stderr, "%s%s\n", caption, text.c_str());
  std::fflush(stderr);
  if (g_fatal_display) g_fatal_display(caption, text);
  std::_Exit(1);
}

FatalDisplay SetFatalDisplay(FatalDisplay display) {
  FatalDisplay previous = g_fatal_display;
  g_fatal_display = display;
  return previous;
}

namespace detail {
void ResetRaiseState() {
  g_callback = Value();
  g_nesting = 0;
  g_last_os_error = 0;
  g_net_err = false;
  g_pending_break.reset();
}
}  // namespace detail

}  // namespace meridan
