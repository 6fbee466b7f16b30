// How meridan-cli hands its command-line names to the core and shows text on this platform.
#pragma once

#include <string>

namespace meridan {

// A table name from the command line as the core takes it: Windows form,
// Windows-1252: "/" becomes "\" on both platforms. Linux: UTF-8 becomes
// Windows-1252 (a character the code page lacks becomes "?") and an
// absolute name starts with "Z:".
std::string CoreTableName(const std::string& arg);
// The info file the core wrote for `arg`, named as the user's shell names
// it: Linux gives the directory of `arg` as typed and the file's own name in
// UTF-8; Windows gives `cFile1` itself.
std::string ShownInfoName(const std::string& arg, const std::string& cFile1);
// Windows-1252 text as it goes to the terminal (UTF-8 on Linux).
std::string TerminalText(const std::string& text1252);
// Standard output takes bytes unchanged (no CR inserted before LF).
void BinaryStandardOutput();

}  // namespace meridan
