// The console chooser, the decision table and the program end after an error.
#include "errors/choice.h"

#include <cstdio>

#include "errors/program.h"
#include "ui/stddlg.h"

namespace meridan {

namespace {
std::shared_ptr<ErrorChooser>& Chooser() {
  static std::shared_ptr<ErrorChooser> c = std::make_shared<ConsoleChooser>();
  return c;
}
std::function<bool()>& RunningSource() {
  static std::function<bool()> s;
  return s;
}
StopBox& Box() {
  static StopBox b;
  return b;
}
}  // namespace

std::optional<bool> ConsoleChooser::Choose(const ErrorChoiceContext& c) {
  std::string line = c.message_line;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  std::fprintf(stderr, "%s\n%s\n", line.c_str(), c.log_path.c_str());
  std::fflush(stderr);
  if (c.error.CanDefault) return false;
  return std::nullopt;
}

void SetErrorChooser(std::shared_ptr<ErrorChooser> chooser) {
  Chooser() = chooser ? std::move(chooser) : std::make_shared<ConsoleChooser>();
}
ErrorChooser& CurrentErrorChooser() { return *Chooser(); }

void SetRunningFlagSource(std::function<bool()> source) { RunningSource() = std::move(source); }
bool RunningFlag() { return RunningSource() ? RunningSource()() : false; }

bool DecideAfterChoice(std::optional<bool> choice, bool running) {
  if (!choice) EndProgramAfterError();
  if (*choice && !running) EndProgramAfterError();
  return *choice;
}

void EndProgramAfterError() {
  // No resource libraries are loaded separately in this program.
  SetErrorLevel(1);
  sys::PostQuitMessageZero();
  QuitProgram();
}

StopBox SetStopBox(StopBox box) {
  StopBox old = Box();
  Box() = std::move(box);
  return old;
}

void ShowStopBox(const std::string& text) {
  if (Box()) Box()("Stop", text);
  else MsgStop({Value(text)});
}

}  // namespace meridan
