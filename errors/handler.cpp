// The program's error handler.
//
// Until the full handler with its German report lands, ERRORSYS installs a
// plain console handler: the failed division yields 0, an error that allows a
// default takes it after its message is written to standard error, and every
// other error ends the program with error level 1.
#include "errors/handler.h"

#include <cstdio>

#include "errors/program.h"
#include "errors/raise.h"
#include "runtime/callstack.h"

namespace meridan {

std::string ERRORMESSAGE(const Error& e) {
  std::string s;
  if (e.OsCode == 0)
    s = e.Severity > 1 ? "Error " : "Warning ";
  else
    s = "(DOS Error " + std::to_string(e.OsCode) + ") ";
  s += e.SubSystem;
  s += "/" + std::to_string(e.SubCode);
  s += "  " + e.Description;
  if (!e.FileName.empty())
    s += ": " + e.FileName;
  else if (!e.Operation.empty())
    s += ": " + e.Operation;
  return s;
}

void ERRORSYS() {
  ErrorBlock(MakeErrorCallback([](Error& e) -> Value {
    Frame frame("(b)ERRORSYS", __FILE__, __LINE__);
    if (e.GenCode == EG_ZERODIV) return Value(0);
    std::fprintf(stderr, "%s\n", ERRORMESSAGE(e).c_str());
    if (e.CanDefault) return Value(false);
    SetErrorLevel(1);
    QuitProgram();
  }));
}

}  // namespace meridan
