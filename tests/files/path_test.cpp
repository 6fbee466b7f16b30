// Path pieces: one table of cases run on both targets, and the name helpers that look at the disk.
#include "files/path.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/fileio.h"
#include "tests/files/temp_dir.h"

namespace meridan {
namespace {

struct PieceCase {
  const char* in;
  const char* disc;
  const char* path;
  const char* nopath;
  const char* noext;
  const char* ext;
  const char* mask;
  const char* subdir;
};

TEST(PathPieces, TableOfNames) {
  const PieceCase cases[] = {
      {"c:\\data\\kunden.dbf", "C:", "C:\\DATA\\", "KUNDEN.DBF", "KUNDEN", "DBF", "", "C:\\DATA"},
      {"C:KUNDEN.DBF", "C:", "C:\\", "KUNDEN.DBF", "KUNDEN", "DBF", "", "C:"},
      {"KUNDEN.DBF", "", "", "KUNDEN.DBF", "KUNDEN", "DBF", "", ""},
      {"C:\\DATA\\KUNDEN.DBF   ", "C:", "C:\\DATA\\", "KUNDEN.DBF   ", "KUNDEN", "DBF", "", "C:\\DATA"},
      {"C:\\DATA\\KUNDEN   ", "C:", "C:\\DATA\\", "KUNDEN   ", "KUNDEN", "", "", "C:\\DATA"},
      {"c:\\data\\kunden.bak.dbf", "C:", "C:\\DATA\\", "KUNDEN.BAK.DBF", "KUNDEN", "DBF", "", "C:\\DATA"},
      {".DBF", "", "", ".DBF", "", "DBF", "", ""},
      {"C:\\DATA\\", "C:", "C:\\DATA\\", "\\DATA\\", "\\DATA\\", "", "", "C:\\DATA"},
      {"C:/DATA/KUNDEN.DBF", "C:", "C:\\", "/DATA/KUNDEN.DBF", "/DATA/KUNDEN", "DBF", "", "C:"},
      {"C:\\DATA\\*.STR", "C:", "C:\\DATA\\", "*.STR", "*", "STR", "*.STR", "C:\\DATA"},
      {"\\\\SRV\\SHARE\\A?.TXT", "", "\\\\SRV\\SHARE\\", "A?.TXT", "A?", "TXT", "A?.TXT", "\\\\SRV\\SHARE"},
      {"KUNDEN.", "", "", "KUNDEN.", "KUNDEN", "", "", ""},
      {"", "", "", "", "", "", "", ""},
      {"1:x", "1:", "1:\\", "X", "X", "", "", "1:"},
      {"ab:c", "", "", "C", "C", "", "", ""},
  };
  for (const PieceCase& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(cFileDisc(c.in), c.disc);
    EXPECT_EQ(cFilePath(c.in), c.path);
    EXPECT_EQ(cFileNoPath(c.in), c.nopath);
    EXPECT_EQ(cFileName(c.in), c.nopath);
    EXPECT_EQ(cFileNoExt(c.in), c.noext);
    EXPECT_EQ(cFileExt(c.in), c.ext);
    EXPECT_EQ(cFileMask(c.in), c.mask);
    EXPECT_EQ(cFileSubDir(c.in), c.subdir);
  }
}

using NameHelpers = testing::TempDirTest;

TEST_F(NameHelpers, NewFileNameTakesTheFirstFreeNumber) {
  std::string root = Name("LOG");
  EXPECT_EQ(cNewFileName(root, "TXT"), root + "1.TXT");
  Put("LOG1.TXT", "");
  Put("LOG2.TXT", "");
  EXPECT_EQ(cNewFileName(root, "TXT"), root + "3.TXT");
}

TEST_F(NameHelpers, TempFileNamesAreFreshAndDistinct) {
  std::string a = cTempFile(Name(""), "tmp");
  std::string b = cTempFile(Name(""), ".tmp");
  EXPECT_NE(a, b);
  EXPECT_EQ(a.substr(0, Name("").size()), Name(""));
  EXPECT_EQ(a.substr(a.size() - 4), ".tmp");
  EXPECT_FALSE(File(Value(a)));
}

TEST_F(NameHelpers, IsDirOnlyForADirectory) {
  std::filesystem::create_directory(Native("SUB"));
  Put("f.txt", "x");
  EXPECT_TRUE(lIsDir(Name("SUB")));
  EXPECT_TRUE(lIsDir(Name("SUB") + "\\"));
  EXPECT_FALSE(lIsDir(Name("f.txt")));
  EXPECT_FALSE(lIsDir(Name("none")));
  EXPECT_FALSE(lIsDir(Name("*")));
}

}  // namespace
}  // namespace meridan
