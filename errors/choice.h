// How the choice after the report is made, what it leads to, and the stop box.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "errors/error.h"
#include "runtime/value.h"

namespace meridan {

// What the chooser is shown.
struct ErrorChoiceContext {
  const Error& error;
  std::string message_line;  // with its CR LF
  std::vector<std::string> stack_list;
  std::string log_directory;
  std::string log_file_name;  // "FEHLER_n.log"
  std::string log_path;       // directory + separator + name
  int buttons = 1;
  bool nt_family = false;
};

// true: retry, false: take the default, no value: end the program.
class ErrorChooser {
 public:
  virtual ~ErrorChooser() = default;
  virtual std::optional<bool> Choose(const ErrorChoiceContext& context) = 0;
};

// Writes the message line and the log file's path to standard error and takes
// the default when the error permits it, else ends the program.
class ConsoleChooser : public ErrorChooser {
 public:
  std::optional<bool> Choose(const ErrorChoiceContext& context) override;
};

// The chooser ERRORDIALOG uses; the console one until another is installed.
void SetErrorChooser(std::shared_ptr<ErrorChooser> chooser);
ErrorChooser& CurrentErrorChooser();

// The framework's running flag: true while a modal dialog or the main
// window's loop is active. Reported by the window layer; false until then.
void SetRunningFlagSource(std::function<bool()> source);
bool RunningFlag();

// The decision table: answers true or false, or ends the program.
bool DecideAfterChoice(std::optional<bool> choice, bool running);

// Release resource libraries, error level 1, quit message 0, end request.
[[noreturn]] void EndProgramAfterError();

// The stop box is MsgStop with its default title "Stop" (a line on standard
// error where there is no desktop). Tests replace it.
using StopBox = std::function<void(const std::string& title, const std::string& text)>;
StopBox SetStopBox(StopBox box);  // answers the previous one; empty restores the default
void ShowStopBox(const std::string& text);

namespace sys {
void PostQuitMessageZero();
}  // namespace sys

}  // namespace meridan
