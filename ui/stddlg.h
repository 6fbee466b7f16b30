// The Windows file dialog, message boxes, beeps and OEM-to-ANSI conversion.
#pragma once

#include <string>
#include <vector>

#include "runtime/value.h"

namespace meridan {

// Arguments by position: filter ("desc|pattern|..."), title, filter index,
// initial directory, save, long names, flags, initial file name. Arguments of
// the wrong type take their defaults. The chosen path, or empty text when
// cancelled or failed (and at once without arguments). On Linux there is no
// dialog: the result is always empty text.
std::string cGetFile(const std::vector<Value>& args);

// Message boxes: the first argument is the message, the second the title only
// when exactly two are given. On Linux they write "TITLE: text" to standard
// error; MsgYesNo asks on the terminal and is false without one.
void MsgInfo(const std::vector<Value>& args = {});
void MsgAlert(const std::vector<Value>& args = {});
void MsgStop(const std::vector<Value>& args = {});
bool MsgYesNo(const std::vector<Value>& args = {});
void MsgAbout(const std::vector<Value>& args = {});
void MsgBeep();
void MessageBeep(int type);

// Text of the same length converted from the OEM code page (850) to the ANSI
// code page (1252); empty text for anything other than text.
std::string OemToAnsi(const Value& text);

// The message text of a box's argument, as the boxes show it.
std::string MsgValueText(const Value& v);

// The shared argument rules, for the platform parts and tests.
struct MsgArgs {
  std::string message;
  std::string title;
};
MsgArgs ReadMsgArgs(const std::vector<Value>& args, const char* defaultTitle);

struct FileDialogArgs {
  std::string filterList;   // "|" turned into NUL, two NULs at the end
  std::string title;        // at most 255 characters
  int filterIndex = 1;
  std::string initialDir;   // at most 255 characters
  bool save = false;
  unsigned flags = 0x80C;
  std::string fileName;     // the initial file-name buffer, at most 255
};
FileDialogArgs ReadFileDialogArgs(const std::vector<Value>& args);

}  // namespace meridan
