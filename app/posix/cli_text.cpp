// Linux part of meridan-cli's names and text: UTF-8 outside, Windows-1252 in Windows form inside.
#include "app/cli_text.h"

#include "files/path.h"
#include "runtime/codepage.h"

namespace meridan {

namespace {

// The terminal and the command line may hold anything; what has no place in
// the other code page shows as "?" rather than failing.
std::string FromUtf8(const std::string& s) { return *Cp1252FromUtf8(s, '?'); }
std::string ToUtf8(const std::string& s) { return *Utf8From1252(s, '?'); }

}  // namespace

std::string CoreTableName(const std::string& arg) {
  std::string name = FromUtf8(arg);
  for (char& c : name)
    if (c == '/') c = '\\';
  // The file layer takes "Z:" as the root, as Wine maps it; a relative name
  // stays relative, so headings show the name the user typed.
  if (!name.empty() && name[0] == '\\') name = "Z:" + name;
  return name;
}

std::string ShownInfoName(const std::string& arg, const std::string& cFile1) {
  std::size_t cut = arg.find_last_of("/\\");
  std::string dir = cut == std::string::npos ? "" : arg.substr(0, cut + 1);
  return dir + ToUtf8(cFileNoPath(cFile1));
}

std::string TerminalText(const std::string& text1252) { return ToUtf8(text1252); }

void BinaryStandardOutput() {}

}  // namespace meridan
