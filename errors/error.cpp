// Error objects, generic code texts and the framework's factory.
#include "errors/error.h"

#include <array>

#include "runtime/callstack.h"

namespace meridan {

unsigned Error::Permissions() const {
  return (CanRetry ? kCanRetry : 0u) | (CanSubstitute ? kCanSubstitute : 0u) |
         (CanDefault ? kCanDefault : 0u);
}

void Error::SetPermissions(unsigned bits) {
  CanRetry = (bits & kCanRetry) != 0;
  CanSubstitute = (bits & kCanSubstitute) != 0;
  CanDefault = (bits & kCanDefault) != 0;
}

std::string GenCodeText(int gen_code) {
  static constexpr std::array<const char*, 52> kTexts = {
      "Unknown error", "Argument error", "Bound error", "String overflow",
      "Numeric overflow", "Zero divisor", "Numeric error", "Syntax error",
      "Operation too complex", "", "", "Memory low", "Undefined function",
      "No exported method", "Variable does not exist", "Alias does not exist",
      "No exported variable", "Illegal characters in alias", "Alias already in use", "",
      "Create error", "Open error", "Close error", "Read error", "Write error",
      "Print error", "", "", "", "", "Operation not supported", "Limit exceeded",
      "Corruption detected", "Data type error", "Data width error", "Workarea not in use",
      "Workarea not indexed", "Exclusive required", "Lock required", "Write not allowed",
      "Append lock failed", "Lock Failure", "", "", "", "", "array access", "array assign",
      "array dimension", "not an array", "conditional", "Invalid self"};
  if (gen_code < 0 || gen_code >= static_cast<int>(kTexts.size())) return "";
  return kTexts[static_cast<std::size_t>(gen_code)];
}

namespace {
bool g_in_error_new = false;
}

ErrorRef ErrorNew(const ErrorNewArgs& args) {
  if (g_in_error_new) return nullptr;
  g_in_error_new = true;
  struct Guard {
    ~Guard() { g_in_error_new = false; }
  } guard;

  auto e = std::make_shared<Error>();
  if (const auto caller = LevelAt(0)) {
    e->ModuleName = caller->module;
    e->ProcName = caller->name;
    e->ProcLine = caller->line;
  }
  for (std::size_t level = 0;; ++level) {
    const auto info = LevelAt(level);
    if (!info || info->name.empty()) break;
    e->aaStack.push_back({info->module, info->name, info->line});
  }
  if (args.SubSystem) e->SubSystem = *args.SubSystem;
  if (args.GenCode) e->GenCode = *args.GenCode;
  if (args.SubCode) e->SubCode = *args.SubCode;
  if (args.Operation) e->Operation = *args.Operation;
  if (args.Description) e->Description = *args.Description;
  if (args.Args) e->Args = *args.Args;
  if (args.ModuleName) e->ModuleName = *args.ModuleName;
  if (args.ProcName) e->ProcName = *args.ProcName;
  if (args.ProcLine) e->ProcLine = *args.ProcLine;
  return e;
}

ErrorRef FrameworkError(int number, const std::string& operation) {
  struct Row {
    const char* description;
    int severity;
    const char* subsystem;
    int subcode;
  };
  static constexpr std::array<Row, 6> kRows = {{
      {"Non defined Id", 3, "Vantor", 1},
      {"Duplicated Id", 3, "Vantor", 2},
      {"Cannot create Dialog Box", 3, "Vantor", 3},
      {"Memory Low", 1, "BASE", 5300},
      {"GPF occurred", 3, "Vantor", 5},
      {"Cannot create window or control", 3, "Vantor", 6},
  }};
  auto e = std::make_shared<Error>();
  if (number < 1 || number > 6) return e;
  const Row& row = kRows[static_cast<std::size_t>(number - 1)];
  e->Description = row.description;
  e->Severity = row.severity;
  e->SubSystem = row.subsystem;
  e->SubCode = row.subcode;
  e->CanDefault = row.severity < 3;
  e->Operation = operation;
  return e;
}

}  // namespace meridan
