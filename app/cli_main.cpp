// meridan-cli: writes the structure info file of dBASE tables from a shell.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "errors/handler.h"
#include "errors/program.h"

namespace {

constexpr const char* kUsage =
    "Usage: meridan-cli [--area N] [--stdout] [--open] TABLE...\n"
    "Writes NAME.STR, the structure info file of each table, beside the table.\n"
    "\n"
    "  --area N   work area written into the info file (-9 to 99, default 0)\n"
    "  --stdout   write the info file's bytes to standard output instead\n"
    "  --open     show each written file in the text editor\n"
    "  --help     show this text\n"
    "  --version  show the version\n";

void CliMain(const std::vector<std::string>& args) {
  for (const auto& a : args) {
    if (a == "--help") {
      std::fputs(kUsage, stdout);
      return;
    }
    if (a == "--version") {
      std::puts("meridan-cli 1.0");
      return;
    }
  }
  std::fputs(kUsage, stderr);
  meridan::SetErrorLevel(2);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return meridan::RunProgram({.errorsys = meridan::ERRORSYS, .main = CliMain}, args);
}
