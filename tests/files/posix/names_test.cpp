// POSIX build only: Windows names reach POSIX files (case, blanks, drives, Windows-1252), errno becomes Windows codes.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "files/fileio.h"
#include "files/posix/errno_map.h"
#include "tests/files/temp_dir.h"

namespace meridan {
namespace {

TEST(ErrnoMap, WindowsCodes) {
  struct Case { int errnum, code; };
  const Case cases[] = {{0, 0},        {ENOENT, 2},   {ENOTDIR, 3},  {EACCES, 5},       {EPERM, 5},
                        {ETXTBSY, 32}, {EEXIST, 80},  {ENOSPC, 112}, {ENAMETOOLONG, 206}, {EBADF, 6},
                        {EILSEQ, 123}, {EDOM, 31}};
  for (const Case& c : cases) EXPECT_EQ(os::WindowsCode(c.errnum), c.code) << c.errnum;
}

using PosixNames = testing::TempDirTest;

TEST_F(PosixNames, ComponentsMatchCaseInsensitivelyAfterExactly) {
  std::filesystem::create_directory(Native("Data"));
  Put("Data/KUNDEN.DBT", "memo");
  std::string dir = Name("Data");
  FileHandle h = FOpen(Value(dir + "\\kunden.dbt"));
  ASSERT_GT(h, 0);
  FClose(h);
  EXPECT_TRUE(File(Value(Name("DATA") + "/Kunden.Dbt")));
  EXPECT_EQ(FSize(Value(Name("data") + "\\*.dbt")), 4);
  // An exact match wins over a case-insensitive one.
  Put("Data/kunden.dbt", "other!");
  EXPECT_EQ(FSize(Value(dir + "\\kunden.dbt")), 6);
  EXPECT_EQ(FSize(Value(dir + "\\KUNDEN.DBT")), 4);
  // A new file keeps the case it is given in.
  h = FCreate(Value(dir + "\\New.Str"));
  ASSERT_GT(h, 0);
  FClose(h);
  EXPECT_TRUE(std::filesystem::exists(Native("Data/New.Str")));
}

TEST_F(PosixNames, TrailingBlanksAndDotsAreIgnored) {
  Put("KUNDEN.STR", "x");
  EXPECT_TRUE(File(Value(Name("KUNDEN.STR   "))));
  FileHandle h = FOpen(Value(Name("kunden.str. .")));
  EXPECT_GT(h, 0);
  FClose(h);
  h = FCreate(Value(Name("NEU.STR  ")));
  ASSERT_GT(h, 0);
  FClose(h);
  EXPECT_TRUE(std::filesystem::exists(Native("NEU.STR")));
}

TEST_F(PosixNames, DrivesAndRoots) {
  Put("z.txt", "abc");
  std::string name = Name("z.txt");
  ASSERT_EQ(name[0], '\\');
  EXPECT_EQ(FSize(Value("Z:" + name)), 3);
  EXPECT_EQ(FSize(Value("z:" + name)), 3);
  EXPECT_EQ(FOpen(Value("C:" + name)), kBadHandle);
  EXPECT_EQ(FError(), 3);
}

TEST_F(PosixNames, Windows1252NamesAreUtf8OnDisk) {
  EXPECT_TRUE(MemoWrit(Value(Name("M\xdcLLER.STR")), Value("x")));
  EXPECT_TRUE(std::filesystem::exists(Native("M\xc3\x9cLLER.STR")));
  EXPECT_TRUE(File(Value(Name("m\xfcller.str")))) << "Windows-1252 letters fold too";
  EXPECT_TRUE(MemoWrit(Value(Name("\x80.STR")), Value("x")));
  EXPECT_TRUE(std::filesystem::exists(Native("\xe2\x82\xac.STR")));
  EXPECT_EQ(FCreate(Value(Name("bad\x81.STR"))), kBadHandle);
  EXPECT_EQ(FError(), 123);
  EXPECT_EQ(FCreate(Value(Name("a|b"))), kBadHandle);
  EXPECT_EQ(FError(), 123);
}

TEST_F(PosixNames, LongNames) {
  EXPECT_EQ(FCreate(Value(Name(std::string(300, 'a')))), kBadHandle);
  EXPECT_EQ(FError(), 206);
}

TEST_F(PosixNames, WriteOnlyHandleCannotRead) {
  Put("w.txt", "abc");
  FileHandle h = FOpen(Value(Name("w.txt")), FO_WRITE);
  ASSERT_GT(h, 0);
  std::string buf(3, '\0');
  EXPECT_EQ(FRead(h, buf, 3), 0);
  EXPECT_EQ(FError(), 5);
  FClose(h);
}

}  // namespace
}  // namespace meridan
