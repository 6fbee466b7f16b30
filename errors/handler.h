// The program's error handler: ERRORSYS installs the callback, ERRORDIALOG
// settles or reports an error, ERRORMESSAGE gives its one-line message.
#pragma once

#include <functional>
#include <string>

#include "errors/error.h"
#include "errors/report.h"
#include "runtime/value.h"

namespace meridan {

// Installs the program's error callback with ErrorBlock.
void ERRORSYS();

// The handler: answers 0, false or true, or ends the program.
Value ERRORDIALOG(const ErrorRef& e);

// "Error BASE/1340  Zero divisor: /" and its variants.
std::string ERRORMESSAGE(const Error& e);

// The by-name file operations the log rotation uses; the default works on the
// real file system and appends the end-of-file byte 0x1A to what it writes.
struct LogFileOps {
  std::function<bool(const std::string& path)> exists;
  std::function<void(const std::string& path)> erase;
  std::function<void(const std::string& path, const std::string& text)> write;
};
void SetLogFileOps(LogFileOps ops);  // empty members restore the defaults

// Writes `report` to the first free FEHLER_n.log in `directory` as a
// protected sequence; an error raised meanwhile ends the writing quietly.
// Answers the log number.
int WriteLogFile(const std::string& directory, const std::string& report);

// Where the facts come from; tests inject fixed ones.
void SetSystemFactsSource(std::function<SystemFacts()> source);  // empty: the real system

}  // namespace meridan
