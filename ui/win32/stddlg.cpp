// The standard dialogs on Windows: GetOpenFileName/GetSaveFileName, MessageBox,
// ShellAbout, MessageBeep, OemToChar.
#include "ui/stddlg.h"

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <vector>

// windows.h names OemToAnsi as a macro for OemToCharA; ours is a function.
#undef OemToAnsi

namespace meridan {

std::string cGetFile(const std::vector<Value>& args) {
  if (args.empty()) return "";
  FileDialogArgs a = ReadFileDialogArgs(args);
  std::vector<char> file(256, '\0');
  a.fileName.copy(file.data(), 255);
  OPENFILENAMEA ofn{};
  // The 76-byte form of the structure, as the dialog has always been called.
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  ofn.hwndOwner = GetActiveWindow();
  ofn.lpstrFilter = a.filterList.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(a.filterIndex);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = 256;
  ofn.lpstrInitialDir = a.initialDir.empty() ? nullptr : a.initialDir.c_str();
  ofn.lpstrTitle = a.title.c_str();
  ofn.Flags = a.flags;
  BOOL ok = a.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!ok) return "";
  return std::string(file.data());
}

namespace {

int Box(const std::vector<Value>& args, const char* title, UINT style) {
  MsgArgs m = ReadMsgArgs(args, title);
  return MessageBoxA(GetActiveWindow(), m.message.c_str(), m.title.c_str(), style);
}

}  // namespace

void MsgInfo(const std::vector<Value>& args) { Box(args, "Information", 0x40); }
void MsgAlert(const std::vector<Value>& args) { Box(args, "Alert", 0x30); }
void MsgStop(const std::vector<Value>& args) { Box(args, "Stop", 0x10); }
bool MsgYesNo(const std::vector<Value>& args) { return Box(args, "Select an option", 0x24) == IDYES; }

void MsgAbout(const std::vector<Value>& args) {
  MsgArgs m = ReadMsgArgs(args, "About");
  ShellAboutA(GetActiveWindow(), m.message.c_str(), m.title.c_str(), nullptr);
}

void MsgBeep() { ::MessageBeep(0); }
void MessageBeep(int type) { ::MessageBeep(static_cast<UINT>(type)); }

std::string OemToAnsi(const Value& text) {
  if (!text.IsText()) return "";
  std::string s = text.AsText();
  std::string out = s;
  ::OemToCharA(s.c_str(), out.data());  // converts up to the first NUL
  return out;
}

}  // namespace meridan
