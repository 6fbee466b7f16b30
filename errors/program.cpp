// Start-up order and the program's end.
#include "errors/program.h"

#include "errors/raise.h"
#include "runtime/clock.h"

namespace meridan {

namespace detail {
void ResetRaiseState();
}

namespace {
std::vector<std::function<void()>>& InitProcedures() {
  static std::vector<std::function<void()>> procs;
  return procs;
}
std::vector<std::function<void()>>& ExitProcedures() {
  static std::vector<std::function<void()>> procs;
  return procs;
}
std::function<void()> g_close_all;
int g_error_level = 0;
bool g_quit_pending = false;
bool g_exit_sequence_done = false;

// An exit step that raises or ends must not keep the others from running.
void RunGuarded(const std::function<void()>& step) {
  try {
    step();
  } catch (const ProgramEndSignal&) {
  } catch (const BreakSignal&) {
  }
}
}  // namespace

void AddInitProcedure(std::function<void()> proc) { InitProcedures().push_back(std::move(proc)); }
void AddExitProcedure(std::function<void()> proc) { ExitProcedures().push_back(std::move(proc)); }
void SetCloseAllHook(std::function<void()> hook) { g_close_all = std::move(hook); }

int ErrorLevel() { return g_error_level; }
void SetErrorLevel(int level) { g_error_level = level; }

void QuitProgram() {
  g_quit_pending = true;
  throw ProgramEndSignal{};
}

bool QuitPending() { return g_quit_pending; }

void RunExitSequence() {
  if (g_exit_sequence_done) return;
  g_exit_sequence_done = true;
  for (const auto& proc : ExitProcedures()) RunGuarded(proc);
  if (g_close_all) RunGuarded(g_close_all);
}

int RunProgram(const ProgramParts& parts, const std::vector<std::string>& args) {
  try {
    if (parts.errorsys) parts.errorsys();
    RecordStartStamp();
    for (const auto& proc : InitProcedures()) proc();
    if (parts.main) parts.main(args);
  } catch (const ProgramEndSignal&) {
  } catch (const BreakSignal&) {
    // A break outside every protected sequence ends the program normally.
  }
  RunExitSequence();
  return g_error_level;
}

void ResetRaisingStateForTests() {
  detail::ResetRaiseState();
  g_error_level = 0;
  g_quit_pending = false;
  g_exit_sequence_done = false;
  ExitProcedures().clear();
  InitProcedures().clear();
}

}  // namespace meridan
