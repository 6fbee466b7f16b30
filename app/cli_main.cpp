// meridan-cli: writes the structure info file of dBASE tables from a shell.
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/cli_text.h"
#include "app/generator.h"
#include "app/infofile.h"
#include "errors/handler.h"
#include "errors/program.h"
#include "errors/raise.h"
#include "files/path.h"
#include "table/workarea.h"
#include "ui/textmeasure.h"

namespace meridan {
namespace {

constexpr const char* kUsage =
    "Usage: meridan-cli [--area N] [--stdout] [--open] [--report] TABLE...\n"
    "Writes NAME.STR, the structure info file of each table, beside the table\n"
    "and prints its name, one line per table.\n"
    "\n"
    "  --area N   work area written into the info file (-9 to 99, default 0:\n"
    "             no work-area prefix)\n"
    "  --stdout   write the info file's bytes to standard output instead of a\n"
    "             file (several tables: each after a CR LF)\n"
    "  --open     show each written file in the text editor\n"
    "  --report   hand errors to the program's error handler, which writes its\n"
    "             error report, instead of reporting them in one line\n"
    "  --help     show this text\n"
    "  --version  show the version\n"
    "\n"
    "A table that cannot be opened gets no info file; the others are still\n"
    "processed. Exit status: 0 all written, 1 a table failed, 2 wrong usage.\n";

struct Options {
  int area = 0;
  bool toStdout = false;
  bool open = false;
  bool report = false;
  std::vector<std::string> tables;
};

// The message of the first error raised for the table being processed.
std::optional<std::string> g_firstError;

// The tool's own handler: an error that permits the default takes it (the
// open fails and the tool says why); any other error ends the processing of
// that table by a break, never the program.
void InstallQuietHandler() {
  ErrorBlock(MakeErrorCallback([](Error& e) -> Value {
    if (e.CanDefault) return Value(false);
    Break();
  }));
}

// Puts a recorder in front of whichever handler is installed.
void RecordErrors() {
  Value inner = ErrorBlock();
  ErrorBlock(Value::MakeBlock([inner](std::span<const Value> args) -> Value {
    if (!g_firstError && !args.empty())
      if (const Error* e = args[0].As<Error>()) g_firstError = ERRORMESSAGE(*e);
    return inner.Eval(args);
  }));
}

void Say(std::FILE* to, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), to);
  std::fflush(to);
}

void Fail(const std::string& arg, const std::string& message1252) {
  Say(stderr, "meridan-cli: " + arg + ": " + TerminalText(message1252) + "\n");
}

// The area field's range: two positions, one of them may be a minus sign.
std::optional<int> ParseArea(const std::string& s) {
  std::size_t digits = !s.empty() && s[0] == '-' ? 1 : 0;
  if (s.size() <= digits || s.size() > 2) return std::nullopt;
  for (std::size_t i = digits; i < s.size(); ++i)
    if (s[i] < '0' || s[i] > '9') return std::nullopt;
  return std::stoi(s);
}

// Reads the command line; an error message when it is wrong.
std::optional<std::string> ParseArgs(const std::vector<std::string>& args, Options& o, bool& info) {
  info = false;
  bool options = true;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (!options || a.empty() || a[0] != '-' || a == "-") {
      o.tables.push_back(a);
    } else if (a == "--") {
      options = false;
    } else if (a == "--help") {
      Say(stdout, kUsage);
      info = true;
      return std::nullopt;
    } else if (a == "--version") {
      Say(stdout, "meridan-cli 1.0\n");
      info = true;
      return std::nullopt;
    } else if (a == "--area" || a.rfind("--area=", 0) == 0) {
      std::string n;
      if (a == "--area") {
        if (i + 1 == args.size()) return "--area needs a number";
        n = args[++i];
      } else {
        n = a.substr(7);
      }
      auto area = ParseArea(n);
      if (!area) return "--area takes a number from -9 to 99, not '" + n + "'";
      o.area = *area;
    } else if (a == "--stdout") {
      o.toStdout = true;
    } else if (a == "--open") {
      o.open = true;
    } else if (a == "--report") {
      o.report = true;
    } else {
      return "unknown option '" + a + "'";
    }
  }
  if (o.toStdout && o.open) return "--stdout writes no file that --open could show";
  if (o.tables.empty()) return "no table given";
  return std::nullopt;
}

// One table: true when its info file was written (or its bytes sent).
bool ProcessTable(const std::string& arg, const Options& o, const TextWidthFn& width, bool& sentOne) {
  const std::string cFile = CoreTableName(arg);
  const std::string cFile1 = InfoFileName(cFile);
  g_firstError.reset();
  bool opened = false;
  std::vector<std::string> lines;
  Sequence([&] {
    DbSelectArea(1);
    opened = DbUseArea(Value(false), Value(), Value(cFile));
    if (opened) lines = InfoLines({cFile, cFileNoExt(cFile), o.area, FieldRows(DbStruct())}, width);
  });
  if (!opened) {
    DbCloseAll();
    Fail(arg, g_firstError.value_or("the table was not opened"));
    return false;
  }

  if (o.toStdout) {
    DbCloseAll();
    std::string bytes = (sentOne ? "\r\n" : "") + JoinInfoLines(lines);
    sentOne = true;
    bool sent = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
    if (!sent) Fail(arg, "standard output: write failed");
    return sent;
  }

  bool written = WriteInfoFile(cFile1, lines);
  DbCloseAll();
  if (!written) {
    Fail(arg, "Die Datei : " + cFile1 + " wurde nicht erzeugt !");
    return false;
  }
  const std::string shown = ShownInfoName(arg, cFile1);
  Say(stdout, shown + "\n");
  if (o.open && WinExec("Notepad.exe " + shown) <= 31)
    Say(stderr, "meridan-cli: " + shown + ": the text editor could not be started\n");
  return true;
}

void CliMain(const std::vector<std::string>& args) {
  Options o;
  bool info = false;
  if (auto wrong = ParseArgs(args, o, info)) {
    Say(stderr, "meridan-cli: " + *wrong + "\nTry 'meridan-cli --help'.\n");
    SetErrorLevel(2);
    return;
  }
  if (info) return;
  if (o.report) ERRORSYS();
  RecordErrors();
  if (o.toStdout) BinaryStandardOutput();

  const TextWidthFn width = SystemTextWidth();
  bool failed = false, sentOne = false;
  for (const std::string& arg : o.tables)
    if (!ProcessTable(arg, o, width, sentOne)) failed = true;
  if (failed) SetErrorLevel(1);
}

}  // namespace
}  // namespace meridan

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return meridan::RunProgram({.errorsys = meridan::InstallQuietHandler, .main = meridan::CliMain}, args);
}
