// Argument rules shared by the file dialog and the message boxes, and the
// code page 850 table used where Windows' own conversion is not at hand.
#include "ui/stddlg.h"

#include <cstdio>

#include "runtime/format.h"

namespace meridan {

std::string MsgValueText(const Value& v) {
  char buf[64];
  if (v.IsNil()) return "nil";
  if (v.IsText() || v.IsLongText()) return v.AsText();
  if (v.IsWhole()) return std::to_string(v.AsWhole());
  if (v.IsNumber()) {
    std::snprintf(buf, sizeof buf, "%.6f", v.AsNumber());
    return buf;
  }
  if (v.IsDate()) return DateText(v.AsDate());
  if (v.IsLogical()) return v.AsLogical() ? ".T." : ".F.";
  if (v.IsArray()) return "Array";
  if (v.IsObject()) return "Object";
  return "ValtoChar not suported type yet";
}

MsgArgs ReadMsgArgs(const std::vector<Value>& args, const char* defaultTitle) {
  MsgArgs m{"", defaultTitle};
  if (!args.empty()) m.message = MsgValueText(args[0]);
  if (args.size() == 2) m.title = MsgValueText(args[1]);
  return m;
}

namespace {

std::string Cut(const std::string& s, std::size_t n) { return s.size() > n ? s.substr(0, n) : s; }

const Value& Arg(const std::vector<Value>& args, std::size_t i) {
  static const Value none;
  return i < args.size() ? args[i] : none;
}

}  // namespace

FileDialogArgs ReadFileDialogArgs(const std::vector<Value>& args) {
  FileDialogArgs a;
  std::string filter = Cut(Arg(args, 0).AsText(), 398);
  a.title = Arg(args, 1).IsText() ? Cut(Arg(args, 1).AsText(), 255) : "Select the file";
  int index = static_cast<int>(Arg(args, 2).AsWhole() & 0xFF);
  a.filterIndex = index == 0 ? 1 : index;
  if (Arg(args, 3).IsText()) a.initialDir = Cut(Arg(args, 3).AsText(), 255);
  a.save = Arg(args, 4).IsLogical() && Arg(args, 4).AsLogical();
  bool longNames = Arg(args, 5).AsLogical();
  if (Arg(args, 6).IsNumber()) {
    auto f = static_cast<unsigned>(Arg(args, 6).AsWhole());
    a.flags = f != 0 ? f : 0x808u | (a.save ? 0x4u : 0u) | (longNames ? 0x200000u : 0u);
  }
  a.filterList = filter;
  for (auto& c : a.filterList) if (c == '|') c = '\0';
  a.filterList += std::string(2, '\0');
  if (Arg(args, 7).IsText()) {
    a.fileName = Cut(Arg(args, 7).AsText(), 255);
  } else if (filter.find('|') == std::string::npos) {
    a.fileName = Cut(filter, 255);
  }
  return a;
}

}  // namespace meridan
