// TFile and TTxtFile: the info-file path exactly, then the byte and line members.
#include "files/tfile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/files/temp_dir.h"

namespace meridan {
namespace {

using TxtFile = testing::TempDirTest;

TEST_F(TxtFile, NewCreatesAnEmptyFileAtOnce) {
  TTxtFile f(Name("K.STR"));
  EXPECT_TRUE(f.Open());
  EXPECT_EQ(f.nTLines, 0);
  EXPECT_EQ(f.cLine, "");
  EXPECT_TRUE(std::filesystem::exists(Native("K.STR")));
  f.Close();
  EXPECT_EQ(f.hFile, 0);
  EXPECT_FALSE(f.Open());
}

TEST_F(TxtFile, AddJoinsLinesWithoutATrailingBreak) {
  TTxtFile f(Name("K.STR"));
  f.Add("A");
  f.Add("");
  f.Add("B");
  EXPECT_EQ(f.nTLines, 3);
  EXPECT_EQ(f.nLine, 3);
  f.Close();
  EXPECT_EQ(Slurp("K.STR"), "A\r\n\r\nB");
}

TEST_F(TxtFile, AnEmptyFirstLineIsNotKept) {
  TTxtFile f(Name("K.STR"));
  f.Add("");
  f.Add("X\xe4\r\n");
  f.Close();
  EXPECT_EQ(Slurp("K.STR"), "X\xe4\r\n");
}

TEST_F(TxtFile, NewOnAnExistingFileAppends) {
  Put("K.STR", "one\r\ntwo");
  TTxtFile f(Name("K.STR"));
  ASSERT_TRUE(f.Open());
  EXPECT_EQ(f.nMode, FO_READWRITE);
  EXPECT_EQ(f.nLen, 8);
  EXPECT_EQ(f.nTLines, 1);
  EXPECT_EQ(f.cLine, "one");
  f.Add("three");
  f.Close();
  EXPECT_EQ(Slurp("K.STR"), "one\r\ntwo\r\nthree");
}

TEST_F(TxtFile, NewFailsQuietly) {
  TTxtFile missing(Name("nodir") + "\\K.STR");
  EXPECT_EQ(missing.hFile, kBadHandle);
  EXPECT_FALSE(missing.Open());
  TFile holder(Name("H.STR"));  // created, so held exclusively
  ASSERT_TRUE(holder.Open());
  TTxtFile second(Name("H.STR"));
  EXPECT_EQ(second.hFile, kBadHandle);
  EXPECT_FALSE(second.Open());
}

TEST_F(TxtFile, ReadLineStopsAt1024Bytes) {
  Put("L.TXT", std::string(1500, 'x') + "\r\nnext");
  TTxtFile f(Name("L.TXT"));
  EXPECT_EQ(f.cLine, std::string(1024, 'x'));
  EXPECT_EQ(f.nRecNo(), 0) << "ReadLine keeps the position";
}

TEST_F(TxtFile, CreateErasesFirst) {
  Put("C.TXT", "old");
  TFile f;
  f.Create(Name("C.TXT"));
  ASSERT_TRUE(f.Open());
  EXPECT_EQ(f.nLen, 0);
  f.Close();
  EXPECT_EQ(Slurp("C.TXT"), "");
}

using ByteFile = testing::TempDirTest;

TEST_F(ByteFile, BytesWordsAndPositions) {
  TFile f(Name("B.BIN"));
  EXPECT_EQ(f.AppByte(0x41), 1);
  EXPECT_EQ(f.AppWord(-2), 2);
  EXPECT_EQ(f.AppStr("xyz"), 3);
  EXPECT_EQ(f.nLen, 6);
  f.GoTop();
  EXPECT_TRUE(f.lBoF());
  EXPECT_EQ(f.nGetByte(), 0x41);
  EXPECT_EQ(f.nGetWord(), -2);
  EXPECT_EQ(f.cGetStr(10), "xyz");
  EXPECT_TRUE(f.lEoF());
  EXPECT_EQ(f.nGetByte(), -1);
  EXPECT_EQ(f.GoTo(5), 5);
  EXPECT_EQ(f.nGetWord(), -1) << "one byte left";
  EXPECT_EQ(f.Skip(-3), 3);
  EXPECT_EQ(f.PutWord(0x1234), 2);
  f.Close();
  EXPECT_EQ(Slurp("B.BIN"), std::string("A\xfe\xff\x34\x12z", 6));
}

TEST_F(ByteFile, CountAndSeekAcrossChunks) {
  // Matches straddling the 2048-byte chunk edges must be found once.
  std::string body(2047, '.');
  body += "\r\n";
  body += std::string(2045, '.') + "NeEdLe" + std::string(100, '.') + "\r\n";
  Put("S.TXT", body);
  TFile f(Name("S.TXT"));
  EXPECT_EQ(f.Count(), 2);
  EXPECT_EQ(f.Count("."), static_cast<long>(body.size()) - 10);
  EXPECT_EQ(f.nRecNo(), 0);
  EXPECT_FALSE(f.Seek("NEEDLE"));
  EXPECT_EQ(f.nRecNo(), 0) << "a failed search moves back";
  ASSERT_TRUE(f.Seek("NEEDLE", 0, 1));
  long at = f.nRecNo();
  EXPECT_EQ(at, 2049 + 2045);
  ASSERT_TRUE(f.Seek("needle", 0, 2));
  EXPECT_EQ(f.nRecNo(), at);
  f.GoBottom();
  ASSERT_TRUE(f.Seek("\r\n", 1));
  EXPECT_EQ(f.nRecNo(), static_cast<long>(body.size()) - 2);
  f.GoTo(at);
  ASSERT_TRUE(f.Seek("\r\n", 1));
  EXPECT_EQ(f.nRecNo(), 2047);
}

TEST_F(ByteFile, InsertAndDeleteBytes) {
  Put("D.TXT", "abcdefgh");
  TFile f(Name("D.TXT"));
  f.GoTo(2);
  ASSERT_TRUE(f.InsBytes(3));
  EXPECT_EQ(f.nRecNo(), 2);
  EXPECT_EQ(f.nLen, 11);
  EXPECT_EQ(f.nMode, FO_READWRITE | FO_EXCLUSIVE);
  f.PutStr("XYZ");
  f.GoTo(0);
  ASSERT_TRUE(f.DelBytes(1));
  EXPECT_EQ(f.nLen, 10);
  EXPECT_EQ(f.nRecNo(), 2);
  EXPECT_FALSE(f.DelBytes(0));
  EXPECT_FALSE(f.InsBytes(-1));
  f.GoBottom();
  ASSERT_TRUE(f.InsBytes(2));
  EXPECT_EQ(f.nLen, 12);
  f.Close();
  EXPECT_EQ(Slurp("D.TXT"), "bXYZcdefgh  ");
  EXPECT_FALSE(std::filesystem::exists(Native("D.#$#")));
}

TEST_F(ByteFile, ACopyThatCannotBeMadeChangesNothing) {
  Put("E.TXT", "abc");
  TFile holder(Name("E.#$#"));  // holds the temporary name exclusively
  TFile f(Name("E.TXT"));
  f.GoTo(1);
  EXPECT_FALSE(f.DelBytes(1));
  EXPECT_TRUE(f.Open());
  EXPECT_EQ(f.nLen, 3);
  f.Close();
  EXPECT_EQ(Slurp("E.TXT"), "abc");
}

TEST_F(TxtFile, LineNavigation) {
  Put("N.TXT", "one\r\ntwo\r\nthree");
  TTxtFile f(Name("N.TXT"));
  EXPECT_TRUE(f.Advance());
  EXPECT_EQ(f.cLine, "two");
  EXPECT_EQ(f.nLine, 2);
  EXPECT_EQ(f.nOffset, 5);
  EXPECT_TRUE(f.Skip(1));
  EXPECT_EQ(f.cLine, "three");
  EXPECT_FALSE(f.Advance());
  EXPECT_TRUE(f.lEoF());
  f.GoTo(2);
  EXPECT_EQ(f.cLine, "two");
  EXPECT_TRUE(f.Rewind());
  EXPECT_EQ(f.cLine, "one");
  EXPECT_EQ(f.nLine, 1);
  EXPECT_FALSE(f.Rewind());
  EXPECT_EQ(f.nLine, 1);
  EXPECT_EQ(f.nRecNo(), 0);
  f.GoBottom();
  EXPECT_EQ(f.cLine, "three");
  f.GoTop();
  EXPECT_EQ(f.cLine, "one");
  EXPECT_EQ(f.RecCount(), 2);
}

TEST_F(TxtFile, InsertDeleteAndReplaceLines) {
  Put("I.TXT", "one\r\ntwo\r\nthree");
  TTxtFile f(Name("I.TXT"));
  f.GoTo(2);
  f.InsLine("new");
  EXPECT_EQ(f.cLine, "new");
  EXPECT_EQ(f.nTLines, 3);
  f.RepLine("NEW!");
  EXPECT_EQ(f.cLine, "NEW!");
  f.GoTo(4);
  EXPECT_EQ(f.cLine, "three");
  f.DelLine();
  EXPECT_EQ(f.nLine, 3);
  EXPECT_EQ(f.cLine, "two");
  f.GoTo(1);
  f.DelLine();
  EXPECT_EQ(f.nLine, 1);
  f.Close();
  EXPECT_EQ(Slurp("I.TXT"), "NEW!\r\ntwo");
}

TEST_F(TxtFile, IniValues) {
  Put("S.INI", "[Main]\r\nNameX=no\r\nName = Meridan \r\nCount=12\r\nOn=.T.\r\nDay=03/04/99\r\n[Other]\r\nName=o");
  TTxtFile f(Name("S.INI"));
  EXPECT_EQ(f.GetValue("Main", "Name").AsText(), "Meridan");
  EXPECT_EQ(f.GetValue("Main", "Count", Value(0)).AsNumber(), 12);
  EXPECT_TRUE(f.GetValue("Main", "On", Value(false)).AsLogical());
  EXPECT_EQ(f.GetValue("Main", "Day", Value(Date())).AsDate(), Date::FromYmd(1999, 3, 4));
  EXPECT_EQ(f.GetValue("Main", "None", Value("dflt")).AsText(), "dflt");
  EXPECT_EQ(f.GetValue("Nope", "Name", Value("d")).AsText(), "d");
  EXPECT_EQ(f.GetValue("Other", "Name").AsText(), "o");

  f.SetValue("Main", "Count", Value(13));
  f.SetValue("Main", "Added", Value("x"));
  f.SetValue("New", "K", Value("v"));
  EXPECT_EQ(f.GetValue("Main", "Count", Value(0)).AsNumber(), 13);
  f.Close();
  EXPECT_EQ(Slurp("S.INI"),
            "[Main]\r\nNameX=no\r\nName = Meridan \r\nCount=13\r\nOn=.T.\r\nDay=03/04/99\r\nAdded=x\r\n"
            "[Other]\r\nName=o\r\n\r\n[New]\r\nK=v");
}

}  // namespace
}  // namespace meridan
