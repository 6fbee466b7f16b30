// Start-up and program end: the order in which the process begins and ends,
// the program-end request and the error level.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace meridan {

using MainProc = std::function<void(const std::vector<std::string>& args)>;

struct ProgramParts {
  std::function<void()> errorsys;  // installs the error callback
  MainProc main;
};

// Static values are set by C++ before this runs. Then: `errorsys`, the
// initialisation procedures (the start stamp first), `main` with the
// arguments; at the end the exit procedures, all tables closed. Answers the
// error level, which the caller returns from main().
int RunProgram(const ProgramParts& parts, const std::vector<std::string>& args);

void AddInitProcedure(std::function<void()> proc);
void AddExitProcedure(std::function<void()> proc);
// The table layer registers how all tables are closed at the program's end.
void SetCloseAllHook(std::function<void()> hook);

int ErrorLevel();
void SetErrorLevel(int level);

// Thrown by QuitProgram and caught only by RunProgram. Window and dialog
// procedures catch it, remember it and rethrow once the modal loop returns.
struct ProgramEndSignal {};

// Requests the program's end: everything running is unwound, then the exit
// procedures run and tables are closed; the exit code is the error level.
[[noreturn]] void QuitProgram();
bool QuitPending();

// Runs the end of the program (exit procedures, close-all hook) once; used
// by RunProgram and by tests.
void RunExitSequence();

// Forgets pending breaks and end requests, callbacks and counters; tests only.
void ResetRaisingStateForTests();

}  // namespace meridan
