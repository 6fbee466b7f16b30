// The error object (class ERROR), its generic codes and the error factories.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "runtime/value.h"

namespace meridan {

// Permission bits when the three flags are handled together.
enum Permission : unsigned {
  kCanRetry = 1,
  kCanSubstitute = 2,
  kCanDefault = 4,
};

struct StackEntry {
  std::string module;
  std::string proc;
  int line = 0;
  friend bool operator==(const StackEntry&, const StackEntry&) = default;
};

class Error : public Object {
 public:
  std::optional<Array> Args;
  bool CanDefault = false;
  bool CanRetry = false;
  bool CanSubstitute = false;
  Value Cargo;
  std::string Description;
  std::string FileName;
  int GenCode = 0;
  std::string Operation;
  int OsCode = 0;
  int Severity = 2;
  int SubCode = 0;
  std::string SubSystem;
  int Tries = 0;
  std::optional<std::string> ProcName;
  std::optional<int> ProcLine;
  std::string ModuleName;
  std::vector<StackEntry> aaStack;  // innermost first

  std::string ClassName() const override { return "ERROR"; }
  unsigned Permissions() const;
  void SetPermissions(unsigned bits);
};

using ErrorRef = std::shared_ptr<Error>;

// English text of a generic code 0-51; "" for codes without text.
std::string GenCodeText(int gen_code);

// Generic codes the layers use by name.
enum GenCode : int {
  EG_ARG = 1,
  EG_BOUND = 2,
  EG_ZERODIV = 5,
  EG_NOALIAS = 15,
  EG_BADALIAS = 17,
  EG_DUPALIAS = 18,
  EG_CREATE = 20,
  EG_OPEN = 21,
  EG_CLOSE = 22,
  EG_READ = 23,
  EG_WRITE = 24,
  EG_UNSUPPORTED = 30,
  EG_LIMIT = 31,
  EG_CORRUPTION = 32,
  EG_DATATYPE = 33,
  EG_DATAWIDTH = 34,
  EG_NOTABLE = 35,
  EG_APPENDLOCK = 40,
};

// Every argument of ErrorNew is optional.
struct ErrorNewArgs {
  std::optional<std::string> SubSystem;
  std::optional<int> GenCode;
  std::optional<int> SubCode;
  std::optional<std::string> Operation;
  std::optional<std::string> Description;
  std::optional<Array> Args;
  std::optional<std::string> ModuleName;
  std::optional<std::string> ProcName;
  std::optional<int> ProcLine;
};

// A new error object; ModuleName, ProcName and ProcLine default to the
// innermost running frame, and aaStack lists the frames from there outwards.
// A call made while another ErrorNew runs answers nullptr.
ErrorRef ErrorNew(const ErrorNewArgs& args = {});

// The dialog framework's factory (numbers 1-6); any other number gives an
// object with every field at its initial value.
ErrorRef FrameworkError(int number, const std::string& operation);

}  // namespace meridan
