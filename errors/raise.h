// Raising errors to the one process-wide error callback, and the unwinding
// that a break or a program-end request causes.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "errors/error.h"
#include "runtime/value.h"

namespace meridan {

// ---- the callback slot -----------------------------------------------------

// The current error callback (no value while none is installed).
Value ErrorBlock();
// Installs `callback` when it is one and answers the previous callback; any
// other argument changes nothing and answers the current one.
Value ErrorBlock(const Value& callback);
// Wraps a typed handler as the callback value ErrorBlock takes; the callback
// receives the error object as its only argument.
Value MakeErrorCallback(std::function<Value(Error&)> handler);

// ---- launching ---------------------------------------------------------------

enum class Answer { Retry, Default, Break };

inline constexpr int kNestingLimit = 8;

// The launch protocol; a callback answer the object does not permit ends the
// program with an unrecoverable error.
Answer Launch(const ErrorRef& e);
// The substitute launch: the callback's value, or no value after a break.
Value SubstituteLaunch(const ErrorRef& e);

// Launches and acts on a break by continuing the unwinding, so the raising
// code sees only true (retry the step) or false (give up with the default
// result). Inside a destructor that runs during unwinding a break answers false.
bool Raise(const ErrorRef& e);

// What a built-in raiser gives; severity 2 and subsystem "BASE" by default,
// the description defaults to the generic text.
struct BuiltinError {
  std::string SubSystem = "BASE";
  int GenCode = 0;
  int SubCode = 0;
  std::optional<std::string> Description;
  std::string Operation;
  std::string FileName;
  int OsCode = 0;
  unsigned Permissions = 0;
  std::optional<Array> Args;
};

// Builds the object of a built-in failure, attributed to the innermost frame.
ErrorRef MakeBuiltinError(const BuiltinError& what);
// The table-command variant: subsystem "DBCMD", CanDefault exactly for code 35
// unless `permissions` is given.
ErrorRef MakeTableCommandError(int gen_code, int sub_code, const std::string& operation,
                               std::optional<unsigned> permissions = std::nullopt);

// Raises a built-in error once and answers the launch: true retry, false default.
bool RaiseBuiltin(const BuiltinError& what);
// The substitute variant: CanSubstitute in addition, answers the callback's value.
Value RaiseSubstitute(BuiltinError what);

// Division and remainder; by zero they raise generic code 5 with both
// operands as Args and answer the callback's substitute.
Value Divide(const Value& a, const Value& b);
Value Modulo(const Value& a, const Value& b);

// The dialog framework calls the callback directly and ignores the answer.
void RaiseFrameworkError(int number, const std::string& operation);

// ---- last OS error value, network-error flag -----------------------------------

int LastOsError();  // OsCode of the last launched object
bool NetErr();
bool NetErr(bool flag);  // sets the flag, answers the previous one

// ---- breaks and protected sequences -------------------------------------------

// Thrown by Break; caught by Sequence. Not derived from std::exception so that
// no generic handler swallows it by accident.
struct BreakSignal {
  Value value;
};

// Ends the innermost running protected sequence.
[[noreturn]] void Break(Value value = {});
Value DOBREAK();  // Break with no value

// Runs `body` as a protected sequence: answers no optional when it ran to the
// end, else the value handed to Break.
std::optional<Value> Sequence(const std::function<void()>& body);

// ---- unrecoverable errors ------------------------------------------------------

// Writes "Unrecoverable error N: " + text to standard error, shows it in a
// message box in the Windows build and exits with code 1 at once.
[[noreturn]] void Unrecoverable(unsigned long number, const std::string& text);

// Tests replace the box with nothing so that no window waits for a click.
using FatalDisplay = void (*)(const std::string& caption, const std::string& text);
FatalDisplay SetFatalDisplay(FatalDisplay display);

}  // namespace meridan
