// Header and descriptor parsing: slot rule, type table, names, record count.
#include "table/dbfheader.h"

#include <gtest/gtest.h>

#include "dbf_builder.h"

namespace meridan {
namespace {

using testing::DbfBytes;
using testing::Descriptor;

DescriptorResult Parse(const DbfBytes& dbf) {
  const std::string bytes = dbf.Bytes();
  const HeaderResult h = ParseTableHeader(std::string_view(bytes).substr(0, 32));
  EXPECT_EQ(h.status, ParseStatus::Ok);
  return ParseDescriptors(h.header, std::string_view(bytes).substr(32, DescriptorSlotCount(h.header) * 32));
}

TEST(TableHeader, VersionBytesSelectKindMemoAndEncryption) {
  struct Case { std::uint8_t version, flags28; TableKind kind; MemoKind memo; bool encrypted, autoinc; };
  const Case cases[] = {
      {0x03, 0, TableKind::Standard, MemoKind::None, false, false},
      {0x06, 0, TableKind::Standard, MemoKind::None, true, false},
      {0x30, 0, TableKind::VisualFoxPro, MemoKind::None, false, false},
      {0x30, 2, TableKind::VisualFoxPro, MemoKind::Fpt, false, false},
      {0x31, 3, TableKind::VisualFoxPro, MemoKind::Fpt, false, true},
      {0x83, 2, TableKind::Standard, MemoKind::Dbt, false, false},  // bit 1 only counts for FoxPro
      {0x86, 0, TableKind::Standard, MemoKind::Dbt, true, false},
      {0xE5, 0, TableKind::Standard, MemoKind::Smt, false, false},
      {0xE6, 0, TableKind::Standard, MemoKind::Smt, true, false},
      {0xF5, 0, TableKind::Standard, MemoKind::Fpt, false, false},
      {0xF6, 0, TableKind::Standard, MemoKind::Fpt, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.version));
    DbfBytes dbf{.version = c.version, .flags28 = c.flags28, .storedCount = 77};
    const HeaderResult r = ParseTableHeader(dbf.Bytes());
    ASSERT_EQ(r.status, ParseStatus::Ok);
    EXPECT_EQ(r.header.kind, c.kind);
    EXPECT_EQ(r.header.memo, c.memo);
    EXPECT_EQ(r.header.encrypted, c.encrypted);
    EXPECT_EQ(r.header.autoIncrement, c.autoinc);
    EXPECT_EQ(r.header.productionIndex, (c.flags28 & 1) != 0);
    EXPECT_EQ(r.header.storedRecordCount, 77u);
    EXPECT_EQ(r.header.headerLength, 33);
  }
}

TEST(TableHeader, RejectionsSayWhichCheckFailedWhere) {
  for (std::uint8_t v : {0x02, 0x04, 0x32, 0x43, 0x7B, 0x8B, 0x8E, 0xCB, 0xFB}) {
    const HeaderResult r = ParseTableHeader(DbfBytes{.version = v}.Bytes());
    EXPECT_EQ(r.status, ParseStatus::BadVersion) << static_cast<int>(v);
    EXPECT_EQ(r.offset, 0u);
  }
  const HeaderResult shortHeader = ParseTableHeader(DbfBytes{}.Bytes().substr(0, 31));
  EXPECT_EQ(shortHeader.status, ParseStatus::ShortHeader);
  EXPECT_EQ(shortHeader.offset, 31u);
  const HeaderResult tiny = ParseTableHeader(DbfBytes{.headerLength = 31}.Bytes());
  EXPECT_EQ(tiny.status, ParseStatus::BadHeaderLength);
  EXPECT_EQ(tiny.offset, 8u);
}

TEST(TableDescriptors, SlotRuleAndTerminator) {
  // Header length 65: one descriptor, the terminator at 64.
  DescriptorResult r = Parse({.descriptors = {Descriptor("NAME", 'C', 10)}});
  ASSERT_EQ(r.status, ParseStatus::Ok);
  ASSERT_EQ(r.fields.size(), 1u);
  EXPECT_EQ(r.recordLength, 11u);

  // Visual FoxPro: the 263 bytes behind the terminator are no fields, even
  // when they look like descriptors.
  DbfBytes fox{.version = 0x30, .descriptors = {Descriptor("A", 'C', 1), Descriptor("B", 'N', 5, 2)},
               .foxArea = 263};
  std::string bytes = fox.Bytes();
  bytes.replace(32 + 64 + 1, 32, Descriptor("GHOST", 'C', 1));
  const HeaderResult h = ParseTableHeader(bytes);
  EXPECT_EQ(h.header.headerLength, 32 + 64 + 1 + 263);
  r = ParseDescriptors(h.header, std::string_view(bytes).substr(32, DescriptorSlotCount(h.header) * 32));
  EXPECT_EQ(r.fields.size(), 2u);

  // No 0x0D anywhere: every slot is a field.
  r = Parse({.descriptors = {Descriptor("A", 'C', 1), Descriptor("B", 'C', 2)}, .terminator = false});
  ASSERT_EQ(r.fields.size(), 2u);
  EXPECT_EQ(r.fields[1].position, 2);

  // Fewer slot bytes than announced.
  const HeaderResult h2 = ParseTableHeader(DbfBytes{.headerLength = 32 + 64}.Bytes());
  r = ParseDescriptors(h2.header, std::string(40, 'x'));
  EXPECT_EQ(r.status, ParseStatus::ShortDescriptors);
  EXPECT_EQ(r.offset, 72u);
}

TEST(TableDescriptors, TypeTable) {
  struct Case { char type; std::uint8_t b16, b17; char reported; int length, decimals, flags; };
  const Case cases[] = {
      {'C', 44, 1, 'C', 300, 0, 0}, {'C', 255, 254, 'C', 65279, 0, 0},
      {'N', 10, 2, 'N', 10, 2, 0},  {'F', 20, 5, 'F', 20, 5, 0},
      {'D', 10, 3, 'D', 8, 0, 0},   {'D', 3, 0, 'D', 3, 0, 0},    {'D', 4, 0, 'D', 4, 0, 0},
      {'L', 5, 2, 'L', 1, 0, 0},
      {'I', 0, 0, 'I', 4, 0, 0},    {'I', 6, 0, 'I', 4, 0, 0},    {'I', 8, 1, 'I', 8, 1, 0},
      {'I', 2, 0, 'I', 2, 0, 0},    {'2', 9, 9, 'I', 2, 0, 0},    {'4', 9, 9, 'I', 4, 0, 0},
      {'Y', 6, 4, 'Y', 8, 4, 0},    {'Y', 4, 0, 'Y', 4, 0, 0},
      {'8', 8, 3, 'B', 8, 3, 0},    {'B', 8, 0, 'B', 8, 0, 0},
      {'T', 4, 0, 'T', 4, 0, 0},    {'T', 8, 9, 'T', 8, 0, 0},
      {'@', 8, 0, '@', 8, 0, 0},    {'=', 8, 0, '=', 8, 0, 0},    {'^', 8, 0, '^', 8, 0, 0},
      {'+', 4, 0, '+', 4, 0, 0},
      {'M', 10, 0, 'M', 10, 0, 0},  {'M', 4, 0, 'M', 4, 0, 0},
      {'P', 10, 0, 'P', 10, 0, 4},  {'W', 10, 0, 'W', 10, 0, 4},  {'G', 4, 0, 'G', 4, 0, 4},
      {'Q', 20, 3, 'Q', 20, 0, 4},  {'V', 12, 3, 'V', 12, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.type) + " b16=" + std::to_string(c.b16));
    const DescriptorResult r = Parse({.descriptors = {Descriptor("X", c.type, c.b16, c.b17)}});
    ASSERT_EQ(r.status, ParseStatus::Ok);
    EXPECT_EQ(r.fields[0].type, c.reported);
    EXPECT_EQ(r.fields[0].length, c.length);
    EXPECT_EQ(r.fields[0].decimals, c.decimals);
    EXPECT_EQ(r.fields[0].flags, c.flags);
    EXPECT_EQ(r.recordLength, 1u + c.length);
  }
}

TEST(TableDescriptors, MemoNeedsStampsAndAutoIncrement) {
  EXPECT_FALSE(Parse({.descriptors = {Descriptor("A", 'C', 1)}}).needsMemo);
  EXPECT_TRUE(Parse({.version = 0x83, .descriptors = {Descriptor("A", 'C', 1)}}).needsMemo);
  EXPECT_TRUE(Parse({.descriptors = {Descriptor("A", 'G', 4)}}).needsMemo);
  const DescriptorResult six = Parse({.descriptors = {Descriptor("A", 'V', 6)}});
  EXPECT_TRUE(six.needsMemo);
  EXPECT_TRUE(six.sixMemo);
  EXPECT_FALSE(Parse({.descriptors = {Descriptor("A", 'V', 5)}}).needsMemo);
  const DescriptorResult foxV = Parse({.version = 0x30, .descriptors = {Descriptor("A", 'V', 20)}});
  EXPECT_FALSE(foxV.needsMemo);
  EXPECT_EQ(foxV.fields[0].type, 'Q');
  // SMT tables give memo fields length 10 whatever the file says.
  EXPECT_EQ(Parse({.version = 0xE5, .descriptors = {Descriptor("A", 'M', 4)}}).fields[0].length, 10);

  EXPECT_TRUE(Parse({.descriptors = {Descriptor("A", '@', 8)}}).modificationStamps);
  EXPECT_TRUE(Parse({.descriptors = {Descriptor("A", '+', 4)}}).autoIncrement);
  // Flags count only in Visual FoxPro tables; the step only with bit 3.
  const DescriptorResult fox = Parse({.version = 0x30, .descriptors = {Descriptor("A", 'I', 4, 0, 8, 5)}});
  EXPECT_TRUE(fox.autoIncrement);
  EXPECT_EQ(fox.fields[0].flags, 8);
  EXPECT_EQ(fox.fields[0].autoIncStep, 5);
  const DescriptorResult plain = Parse({.descriptors = {Descriptor("A", 'I', 4, 0, 8, 5)}});
  EXPECT_FALSE(plain.autoIncrement);
  EXPECT_EQ(plain.fields[0].flags, 0);
  EXPECT_EQ(plain.fields[0].autoIncStep, 0);
}

TEST(TableDescriptors, InvalidDescriptorsStopAtTheirOffset) {
  struct Case { std::string name; char type; std::uint8_t b16; std::size_t offset; };
  const Case cases[] = {
      {"X", 'B', 4, 16}, {"X", '8', 4, 16}, {"X", 'T', 6, 16}, {"X", '@', 4, 16},
      {"X", '+', 8, 16}, {"X", 'c', 4, 11}, {"X", 'Z', 4, 11}, {"OTHER", '0', 1, 11},
      {std::string(11, ' '), 'C', 4, 0}, {std::string("\0AB", 3), 'C', 4, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name + " " + c.type);
    const DescriptorResult r =
        Parse({.descriptors = {Descriptor("OK", 'C', 1), Descriptor(c.name, c.type, c.b16), Descriptor("LATER", 'Z', 1)}});
    EXPECT_EQ(r.status, ParseStatus::InvalidDescriptor);
    EXPECT_EQ(r.offset, 64 + c.offset);
  }
  // 65534 bytes of fields fit the 16-bit record length, one more does not.
  const auto big = Descriptor("BIG", 'C', 0xFF, 0xFF);  // 65535
  EXPECT_EQ(Parse({.descriptors = {Descriptor("BIG", 'C', 0xFE, 0xFF)}}).status, ParseStatus::Ok);
  EXPECT_EQ(Parse({.descriptors = {big}}).status, ParseStatus::InvalidDescriptor);
  EXPECT_EQ(Parse({.descriptors = {Descriptor("A", 'C', 0xFE, 0xFF), Descriptor("B", 'L', 1)}}).status,
            ParseStatus::InvalidDescriptor);
}

TEST(TableDescriptors, NamesAreTrimmedAndAsciiUpperCased) {
  const DescriptorResult r = Parse({.descriptors = {
      Descriptor("  abc", 'C', 1),
      Descriptor("\t\r\nx y  ", 'C', 1),
      Descriptor("k\xe4se", 'C', 1),               // the umlaut stays as it is
      Descriptor("ABCDEFGHIJK", 'C', 1),           // byte 10 is never part of it
      Descriptor(std::string("AB\0CD", 5), 'C', 1),
      Descriptor("_NullFlags", '0', 1, 0, 1),
  }});
  ASSERT_EQ(r.status, ParseStatus::Ok);
  const std::vector<std::string> want = {"ABC", "X Y", "K\xe4SE", "ABCDEFGHIJ", "AB", "_NULLFLAGS"};
  ASSERT_EQ(r.fields.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) EXPECT_EQ(r.fields[i].name, want[i]);
  EXPECT_EQ(r.fields[5].type, 'U');
  // "_NULLFLAGS" as common tools write it is the same field.
  EXPECT_EQ(Parse({.descriptors = {Descriptor("_NULLFLAGS", '0', 1)}}).fields[0].type, 'U');
}

TEST(TableDescriptors, RecordCountAndSystemFields) {
  EXPECT_EQ(RecordCountFromSize(65 + 3 * 11 + 5, 65, 11), 3u);  // partial record not counted
  EXPECT_EQ(RecordCountFromSize(65 + 2 * 11 + 1, 65, 11), 2u);  // end-of-file byte
  EXPECT_EQ(RecordCountFromSize(40, 65, 11), 0u);               // shorter than its header
  std::vector<std::string> slots;
  for (int i = 0; i < 10; ++i) slots.push_back(Descriptor("F" + std::to_string(i), 'C', 1));
  slots.push_back(Descriptor("SYS", 'C', 1, 0, 1));
  slots.push_back(Descriptor("_NullFlags", '0', 1, 0, 1));
  EXPECT_EQ(VisibleFieldCount(Parse({.version = 0x30, .descriptors = slots, .foxArea = 263}).fields), 10u);
  EXPECT_EQ(VisibleFieldCount(Parse({.version = 0x03, .descriptors = slots}).fields), 12u);
}

}  // namespace
}  // namespace meridan
