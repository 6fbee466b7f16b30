// The program's error handler: quiet cases, re-entrance, the stop box, the
// report, the log rotation and the choice afterwards.
#include "errors/handler.h"

#include <cstdio>
#include <span>
#include <system_error>

#include "errors/choice.h"
#include "errors/program.h"
#include "errors/raise.h"
#include "errors/sysinfo.h"
#include "files/fileio.h"
#include "runtime/callstack.h"

namespace meridan {

namespace {

LogFileOps& Ops() {
  static LogFileOps ops;
  return ops;
}
std::function<SystemFacts()>& FactsSource() {
  static std::function<SystemFacts()> s;
  return s;
}

// The log files go through the program's own by-name file functions, so the
// end-of-file byte and the name handling are the same as for every file.
bool DefaultExists(const std::string& p) { return File(Value(p)); }
void DefaultErase(const std::string& p) { FErase(Value(p)); }
void DefaultWrite(const std::string& p, const std::string& text) { MemoWrit(Value(p), Value(text)); }

std::string LogPath(const std::string& dir, int n) {
  return dir + PathSeparator() + "FEHLER_" + std::to_string(n) + ".log";
}

Value StopBoxCallback() {
  return MakeErrorCallback([](Error& e) -> Value {
    MERIDAN_FRAME(frame, "(b)ERRORDIALOG");
    const auto raiser = LevelAt(1);
    const int line = raiser ? raiser->line : 0;
    std::string num = std::to_string(line);
    if (num.size() < 3) num = std::string(3 - num.size(), ' ') + num;
    ShowStopBox(ERRORMESSAGE(e) + " von Errorsys, Zeile :" + num);
    // A program that stopped on an error must not report success.
    SetErrorLevel(1);
    QuitProgram();
  });
}

}  // namespace

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

void SetLogFileOps(LogFileOps ops) { Ops() = std::move(ops); }
void SetSystemFactsSource(std::function<SystemFacts()> source) { FactsSource() = std::move(source); }

int WriteLogFile(const std::string& directory, const std::string& report) {
  const auto exists = Ops().exists ? Ops().exists : DefaultExists;
  const auto erase = Ops().erase ? Ops().erase : DefaultErase;
  const auto write = Ops().write ? Ops().write : DefaultWrite;
  int number = 0;
  const Value saved = ErrorBlock(MakeErrorCallback([](Error&) -> Value { return DOBREAK(); }));
  Sequence([&] {
    for (int n = 1; n <= 11; ++n) {
      if (n == 11) {
        for (int k = 1; k <= 10; ++k) erase(LogPath(directory, k));
        number = 1;
        write(LogPath(directory, 1), report);
        break;
      }
      if (!exists(LogPath(directory, n))) {
        number = n;
        write(LogPath(directory, n), report);
        break;
      }
    }
  });
  ErrorBlock(saved);
  return number;
}

Value ERRORDIALOG(const ErrorRef& e) {
  MERIDAN_FRAME(frame, "ERRORDIALOG");
  frame.Param("oError", e);
  std::string cMessage, cLogFile;
  int nLog = 0, nButtons = 1;
  frame.Local("cMessage", cMessage).Local("cLogFile", cLogFile).Local("nLog", nLog).Local("nButtons", nButtons);

  MERIDAN_LINE(frame);
  if (e->GenCode == EG_ZERODIV) return Value(0);
  if ((e->GenCode == EG_OPEN && (e->OsCode == 32 || e->OsCode == 5) && e->CanDefault) ||
      (e->GenCode == EG_APPENDLOCK && e->CanDefault)) {
    NetErr(true);
    return Value(false);
  }
  if (const Frame* f = StackLevel(7); f && std::string(f->Name()).rfind("ERRORDIALO", 0) == 0)
    EndProgramAfterError();

  ErrorBlock(StopBoxCallback());

  MERIDAN_LINE(frame);
  const SystemFacts facts = FactsSource() ? FactsSource()() : ReadSystemFacts();
  const Report report = BuildReport(*e, facts, CollectLevels());
  cMessage = report.message_line;
  nButtons = report.buttons;

  MERIDAN_LINE(frame);
  const auto cut = facts.program_path.find_last_of("\\/");
  const std::string program_dir = cut == std::string::npos ? std::string(".") : facts.program_path.substr(0, cut);
  const std::string dir = LogDirectory(program_dir);
  nLog = WriteLogFile(dir, report.text);
  cLogFile = "FEHLER_" + std::to_string(nLog) + ".log";

  MERIDAN_LINE(frame);
  const ErrorChoiceContext context{*e, report.message_line, report.stack_list, dir, cLogFile,
                                   dir + PathSeparator() + cLogFile, report.buttons, facts.nt_family};
  const std::optional<bool> choice = CurrentErrorChooser().Choose(context);
  return Value(DecideAfterChoice(choice, RunningFlag()));
}

void ERRORSYS() {
  ErrorBlock(Value::MakeBlock([](std::span<const Value> args) -> Value {
    MERIDAN_FRAME(frame, "(b)ERRORSYS");
    const Value e = args.empty() ? Value() : args[0];
    frame.Param("e", e);
    auto error = e.IsObject() ? std::dynamic_pointer_cast<Error>(e.AsObject()) : nullptr;
    if (!error) return Value();
    MERIDAN_LINE(frame);
    return ERRORDIALOG(error);
  }));
}

}  // namespace meridan
