// Memo names and the memo-header check.
#include "table/memo.h"

#include <gtest/gtest.h>

namespace meridan {
namespace {

TEST(MemoName, DroppedExtensionAndDottedBaseNames) {
  EXPECT_EQ(MemoFileName(MemoBaseName("C:\\DATA\\KUNDEN.DBF"), MemoKind::Fpt), "C:\\DATA\\KUNDEN.fpt");
  EXPECT_EQ(MemoFileName(MemoBaseName("KUNDEN.dbf"), MemoKind::Dbt), "KUNDEN.dbt");
  EXPECT_EQ(MemoFileName(MemoBaseName("a/b.c/T.DBF"), MemoKind::Smt), "a/b.c/T.smt");
  EXPECT_EQ(MemoFileName(MemoBaseName("C:\\D\\KUNDEN.2008.DBF"), MemoKind::Fpt), "C:\\D\\KUNDEN.2008");
  EXPECT_EQ(MemoBaseName("C:\\DATA\\KUNDEN.DBF   "), "C:\\DATA\\KUNDEN");
  const NameParts p = SplitName("C:.hidden");
  EXPECT_EQ(p.directory, "C:");
  EXPECT_EQ(p.base, ".hidden");  // a leading dot starts no extension
  EXPECT_EQ(p.extension, "");
}

std::string Header(std::size_t size) { return std::string(size, '\0'); }

TEST(MemoHeader, BlockSizesAndFlavours) {
  EXPECT_EQ(CheckMemoHeader(MemoKind::Dbt, "").blockSize, 512);

  std::string fpt = Header(512);
  fpt[4] = '\x7F';
  fpt[5] = '\x7F';  // bytes 4 and 5 are no part of the FPT block size
  fpt[6] = '\x00';
  fpt[7] = '\x40';
  EXPECT_EQ(CheckMemoHeader(MemoKind::Fpt, fpt).blockSize, 64);
  EXPECT_EQ(CheckMemoHeader(MemoKind::Fpt, fpt.substr(0, 511)).blockSize, 0);

  std::string smt = Header(600);
  smt[4] = '\x20';
  EXPECT_EQ(CheckMemoHeader(MemoKind::Smt, smt).blockSize, 32);

  std::string flex = Header(1024);
  flex.replace(512, 10, std::string("FlexFile3\x03", 10));
  flex[540] = '\x40';
  MemoHeaderResult r = CheckMemoHeader(MemoKind::Fpt, flex);
  EXPECT_EQ(r.flavour, MemoFlavour::FlexFile);
  EXPECT_EQ(r.blockSize, 64);

  flex[7] = '\x20';  // a block size of its own wins over FlexFile's
  EXPECT_EQ(CheckMemoHeader(MemoKind::Fpt, flex).blockSize, 32);

  std::string six = flex;
  six.replace(8, 7, "SIxMemo");
  EXPECT_EQ(CheckMemoHeader(MemoKind::Fpt, six).flavour, MemoFlavour::SIx);
  std::string clip = Header(512);
  clip.replace(8, 12, "Made by CLIP");
  EXPECT_EQ(CheckMemoHeader(MemoKind::Fpt, clip).flavour, MemoFlavour::Clip);
  // A short header leaves the flavour the table chose.
  EXPECT_EQ(CheckMemoHeader(MemoKind::Fpt, "", MemoFlavour::SIx).flavour, MemoFlavour::SIx);
}

}  // namespace
}  // namespace meridan
