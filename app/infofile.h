// MAKE_TXT, and the pieces of it the command-line tool shares: the info
// file's name, the field list as the generator reads it, and the writer.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/generator.h"
#include "runtime/value.h"
#include "ui/textmeasure.h"

namespace meridan {

// cFilePath(cFile) + cFileNoExt(cFile) + ".STR": C:\DATA\KUNDEN.STR for
// c:\data\kunden.dbf.
std::string InfoFileName(const std::string& cFile);

// The rows of a DbStruct() result as the generator reads them (name, type
// letter, length, decimals); anything that is not such a row is skipped.
std::vector<FieldRow> FieldRows(const Value& aFeld);

// Replaces the info file `cFile1` by `lines` joined with CR LF, written line
// by line through TTxtFile. True only when the file now holds exactly these
// bytes. An old file that cannot be erased is left alone and never appended
// to; a new file that cannot be written completely is removed again.
bool WriteInfoFile(const std::string& cFile1, const std::vector<std::string>& lines);

// What MAKE_TXT measures with and how it shows its result. The defaults are
// the system font's widths, WinExec and MsgAlert; tests put recorders here
// so that no editor is started and no box waits for a click.
struct MakeTxtShow {
  TextWidthFn width;
  std::function<int(const std::string& cmdLine)> launch;
  std::function<void(const std::string& text, const std::string& title)> alert;
};
// The one in use; a member left empty takes its default.
MakeTxtShow& MakeTxtShowing();

// The generate action: opens `cFile` in work area 1, writes its info file
// beside it, closes all tables and opens the info file in the text editor,
// or warns that it was not written. `cFile` is taken as the dialog holds it
// (trailing blanks included); `nArea` 0 means no work-area prefix.
void MAKE_TXT(const std::string& cFile, int nArea);

}  // namespace meridan
