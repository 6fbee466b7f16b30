// Windows part of meridan-cli's names and text: already Windows-1252 in Windows form.
#include "app/cli_text.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace meridan {

// cFilePath and cFileNoExt split at "\" only; "/" would end up in the alias.
std::string CoreTableName(const std::string& arg) {
  std::string name = arg;
  for (char& c : name)
    if (c == '/') c = '\\';
  return name;
}
std::string ShownInfoName(const std::string&, const std::string& cFile1) { return cFile1; }
std::string TerminalText(const std::string& text1252) { return text1252; }

// The C runtime's text mode would turn the info file's CR LF into CR CR LF.
void BinaryStandardOutput() { _setmode(_fileno(stdout), _O_BINARY); }

}  // namespace meridan
