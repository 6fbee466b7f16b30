// Argument rules of the message boxes and the file dialog.
#include "ui/stddlg.h"

#include <gtest/gtest.h>

namespace meridan {
namespace {

TEST(MessageArgs, MessageAndTitleRules) {
  auto m = ReadMsgArgs({Value("Keine DBF-Datei gew\xe4hlt !"), Value("ACHTUNG")}, "Alert");
  EXPECT_EQ(m.message, "Keine DBF-Datei gew\xe4hlt !");
  EXPECT_EQ(m.title, "ACHTUNG");
  m = ReadMsgArgs({Value("a"), Value("b"), Value("c")}, "Alert");
  EXPECT_EQ(m.title, "Alert");
  m = ReadMsgArgs({}, "Stop");
  EXPECT_EQ(m.message, "");
  EXPECT_EQ(m.title, "Stop");
  EXPECT_EQ(MsgValueText(Value(5)), "5");
  EXPECT_EQ(MsgValueText(Value(true)), ".T.");
  EXPECT_EQ(MsgValueText(Value(1.5, 1)), "1.500000");
  EXPECT_EQ(MsgValueText(Value()), "nil");
  EXPECT_EQ(MsgValueText(Value::MakeArray()), "Array");
}

TEST(FileDialogArgs, ProgramCallAndDefaults) {
  auto a = ReadFileDialogArgs({Value("DBF-Files (*.dbf) | *.dbf"), Value("Auswahl DBF-Datei")});
  EXPECT_EQ(a.filterList, std::string("DBF-Files (*.dbf) \0 *.dbf\0\0", 27));
  EXPECT_EQ(a.title, "Auswahl DBF-Datei");
  EXPECT_EQ(a.fileName, "");
  EXPECT_EQ(a.flags, 0x80Cu);
  EXPECT_EQ(a.filterIndex, 1);

  a = ReadFileDialogArgs({Value("*.dbf"), Value(7)});
  EXPECT_EQ(a.fileName, "*.dbf");  // a filter without "|" is also the initial name
  EXPECT_EQ(a.title, "Select the file");

  a = ReadFileDialogArgs({Value("x|y"), Value(), Value(2), Value(std::string(300, 'd')), Value(true),
                          Value(true), Value(0), Value(std::string(300, 'n'))});
  EXPECT_EQ(a.flags, 0x808u | 0x4u | 0x200000u);
  EXPECT_EQ(a.initialDir.size(), 255u);
  EXPECT_EQ(a.fileName.size(), 255u);
  EXPECT_EQ(a.filterIndex, 2);
  EXPECT_TRUE(a.save);
  a = ReadFileDialogArgs({Value("x|y"), Value(), Value(), Value(), Value(false), Value(false), Value(0x1000)});
  EXPECT_EQ(a.flags, 0x1000u);
}

TEST(OemToAnsi, UmlautsConvertAndLengthStays) {
  // 850: 0x84 a-umlaut, 0x94 o-umlaut, 0x81 u-umlaut, 0xE1 sharp s.
  std::string oem("K\x84se \x94l \x81 \xe1", 11);
  EXPECT_EQ(OemToAnsi(Value(oem)), "K\xe4se \xf6l \xfc \xdf");
  std::string withNul("\x84\0\x84", 3);
  EXPECT_EQ(OemToAnsi(Value(withNul)).size(), 3u);
  EXPECT_EQ(OemToAnsi(Value(withNul))[0], '\xe4');
  EXPECT_EQ(OemToAnsi(Value(5)), "");
}

}  // namespace
}  // namespace meridan
