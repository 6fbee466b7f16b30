// Opening tables into work areas: reads, errors with retry and default,
// aliases, memo pairing, the field list, closing and the info queries.
#include "table/workarea.h"

#include <gtest/gtest.h>

#include <deque>

#include "dbf_builder.h"
#include "errors/program.h"
#include "errors/raise.h"
#include "table/memo.h"

namespace meridan {
namespace {

using testing::DbfBytes;
using testing::Descriptor;
using testing::MemoryFiles;

constexpr int kExclusiveReadWrite = FO_READWRITE | FO_EXCLUSIVE;

class Tables : public ::testing::Test {
 protected:
  void SetUp() override {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ResetRaisingStateForTests();
    SetFatalDisplay(nullptr);
    SetTableFileIo(&fs_);
    DbCloseAll();
    DbSelectArea(1);
    ErrorBlock(MakeErrorCallback([this](Error& e) -> Value {
      seen_.push_back(e);
      objects_.push_back(&e);
      tries_.push_back(e.Tries);
      if (onError_) onError_(e);
      if (answers_.empty()) return false;
      Value a = answers_.front();
      answers_.pop_front();
      return a;
    }));
  }
  void TearDown() override {
    DbCloseAll();
    SetTableFileIo(nullptr);
    ResetRaisingStateForTests();
  }

  static std::string Plain(std::uint8_t version = 0x03, std::string records = "") {
    return DbfBytes{.version = version,
                    .descriptors = {Descriptor("name", 'C', 20), Descriptor("SUM", 'N', 10, 2)},
                    .records = std::move(records)}
        .Bytes();
  }
  static std::string WithMemo(std::uint8_t version, std::string records = "") {
    return DbfBytes{.version = version,
                    .descriptors = {Descriptor("NAME", 'C', 5), Descriptor("NOTE", 'M', 10)},
                    .records = std::move(records)}
        .Bytes();
  }
  static std::string Fpt(std::uint16_t blockSize, std::size_t size = 512) {
    std::string f(size, '\0');
    f[6] = static_cast<char>(blockSize >> 8);
    f[7] = static_cast<char>(blockSize & 0xFF);
    return f;
  }

  bool Use(const std::string& name, Value alias = {}) {
    return DbUseArea(false, {}, name, alias, {}, false);
  }
  // For errors that permit no answer: the handler breaks out instead.
  bool UseBreaking(const std::string& name) {
    onError_ = [](Error&) { Break(); };
    bool opened = false;
    EXPECT_TRUE(Sequence([&] { opened = Use(name); }).has_value());
    onError_ = nullptr;
    return opened;
  }

  // The area the failed open used is free and current, nothing stays open.
  void ExpectFailedOpenLeftNothing(int area = 1) {
    EXPECT_EQ(Select(), area);
    EXPECT_EQ(DbStruct().AsArray()->size(), 0u);
    EXPECT_EQ(Alias(), "");
    EXPECT_EQ(fs_.OpenHandles(), 0);
  }

  void ExpectError(const Error& e, int gen, int sub, const std::string& subsystem,
                   const std::string& description, const std::string& file, int os,
                   const std::string& operation, unsigned permissions) {
    EXPECT_EQ(e.GenCode, gen);
    EXPECT_EQ(e.SubCode, sub);
    EXPECT_EQ(e.SubSystem, subsystem);
    EXPECT_EQ(e.Description, description);
    EXPECT_EQ(e.FileName, file);
    EXPECT_EQ(e.OsCode, os);
    EXPECT_EQ(e.Operation, operation);
    EXPECT_EQ(e.Permissions(), permissions);
    EXPECT_EQ(e.Severity, 2);
  }

  MemoryFiles fs_;
  std::vector<Error> seen_;
  // The objects die with the failed step, so only their identity and the
  // tries each call saw are kept.
  std::vector<const Error*> objects_;
  std::vector<int> tries_;
  std::deque<Value> answers_;
  std::function<void(Error&)> onError_;
};

TEST_F(Tables, OpenReadsHeaderAndSlotsOnceAndReportsTheFieldList) {
  const std::string record = " ABCDEFGHIJKLMNOPQRST      1.50";
  fs_.files["C:\\DATA\\KUNDEN.DBF"] = Plain(0x03, record + record + record.substr(0, 7));
  NetErr(true);
  ASSERT_TRUE(Use("C:\\DATA\\KUNDEN.DBF"));
  EXPECT_FALSE(NetErr());
  EXPECT_TRUE(seen_.empty());
  EXPECT_EQ(fs_.ReadSizes("C:\\DATA\\KUNDEN.DBF"), (std::vector<long>{32, 64}));
  ASSERT_EQ(fs_.opens.size(), 1u);
  EXPECT_EQ(fs_.opens[0].second, kExclusiveReadWrite);

  const ArrayRef rows = DbStruct().AsArray();
  ASSERT_EQ(rows->size(), 2u);
  const Array want0 = {Value("NAME"), Value("C"), Value(20), Value(0), Value(0)};
  const Array want1 = {Value("SUM"), Value("N"), Value(10), Value(2), Value(0)};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ((*(*rows)[0].AsArray())[i], want0[i]);
    EXPECT_EQ((*(*rows)[1].AsArray())[i], want1[i]);
  }
  EXPECT_EQ(FCount(), 2);
  EXPECT_EQ(Alias(), "KUNDEN");
  EXPECT_EQ(Alias(1), "KUNDEN");
  EXPECT_EQ(RddName(), "DBFNTX");
  EXPECT_EQ(RecCount(), 2);  // the partial third record is not counted
  EXPECT_EQ(LastRec(), 2);
  EXPECT_EQ(RecNo(), 1);
  EXPECT_FALSE(Bof());
  EXPECT_FALSE(Eof());
  EXPECT_EQ(fs_.reads.size(), 2u);  // no record was read by any of this
}

TEST_F(Tables, EmptyTableAndFreeAreaQueries) {
  fs_.files["T.dbf"] = Plain();
  ASSERT_TRUE(Use("T"));
  EXPECT_EQ(RecNo(), 1);
  EXPECT_EQ(RecCount(), 0);
  EXPECT_TRUE(Bof());
  EXPECT_TRUE(Eof());

  DbSelectArea(2);
  EXPECT_EQ(Select(), 2);
  EXPECT_EQ(RecNo(), 0);
  EXPECT_EQ(RecCount(), 0);
  EXPECT_TRUE(Bof() && Eof());
  EXPECT_EQ(Alias(), "");
  EXPECT_EQ(Alias(1), "T");
  EXPECT_EQ(IndexOrd(), 0);
  EXPECT_EQ(IndexKey(1), "");
  EXPECT_EQ(OrdName(1), "");
  EXPECT_EQ(DbRSelect(1), 0);
  EXPECT_EQ(DbRelation(1), "");
  const Array drivers = *RddList(1).AsArray();
  EXPECT_EQ(drivers, (Array{Value("DBF"), Value("DBFFPT"), Value("DBFBLOB"), Value("DBFNTX")}));

  EXPECT_EQ(RddName(), "");
  ASSERT_EQ(seen_.size(), 1u);
  ExpectError(seen_[0], 35, 2001, "DBCMD", "Workarea not in use", "", 0, "RDDNAME", kCanDefault);
}

TEST_F(Tables, TableFileOpenErrorsWithRetryAndDefault) {
  // Missing file: the name as tried, ".dbf" added; default leaves area 1 free.
  EXPECT_FALSE(Use("KUNDEN"));
  ASSERT_EQ(seen_.size(), 1u);
  ExpectError(seen_[0], 21, 1001, "DBFNTX", "Open error", "KUNDEN.dbf", 2, "", kCanRetry | kCanDefault);
  ExpectFailedOpenLeftNothing();

  // Held by another program (access denied on an existing file) reads 32,
  // "already exists" reads 5.
  struct Case { int windows; int reported; bool exists; };
  for (const Case& c : {Case{5, 32, true}, Case{32, 32, true}, Case{183, 5, true}, Case{5, 5, false}}) {
    seen_.clear();
    fs_.files.erase("H.dbf");
    if (c.exists) fs_.files["H.dbf"] = Plain();
    fs_.openErrors["H.dbf"] = c.windows;
    EXPECT_FALSE(Use("H.dbf"));
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ(seen_[0].OsCode, c.reported) << c.windows;
  }

  // Retry tries again with the same object; the second try succeeds.
  seen_.clear();
  objects_.clear();
  tries_.clear();
  fs_.files["R.dbf"] = Plain();
  fs_.openErrors["R.dbf"] = 32;
  fs_.openFailuresLeft["R.dbf"] = 2;
  answers_ = {true, true};
  ASSERT_TRUE(Use("R.dbf"));
  ASSERT_EQ(objects_.size(), 2u);
  EXPECT_EQ(objects_[0], objects_[1]);
  EXPECT_EQ(tries_, (std::vector<int>{0, 1}));
  EXPECT_EQ(Alias(), "R");
}

TEST_F(Tables, CorruptTablesFailWithTheirPermissions) {
  struct Case { const char* what; std::string bytes; unsigned permissions; };
  std::string shortSlots = Plain().substr(0, 70);
  const Case cases[] = {
      {"version 0x32", Plain(0x32), kCanRetry | kCanDefault},
      {"version 0x8B", Plain(0x8B), kCanRetry | kCanDefault},
      {"short header", Plain().substr(0, 20), kCanRetry | kCanDefault},
      {"header length 31", DbfBytes{.headerLength = 31}.Bytes(), kCanRetry | kCanDefault},
      {"short descriptors", shortSlots, kCanRetry | kCanDefault},
      {"B of length 4", DbfBytes{.descriptors = {Descriptor("X", 'B', 4)}}.Bytes(), kCanDefault},
      {"blank name", DbfBytes{.descriptors = {Descriptor("           ", 'C', 4)}}.Bytes(), kCanDefault},
      {"0 not null flags", DbfBytes{.descriptors = {Descriptor("FLAGS", '0', 1)}}.Bytes(), kCanDefault},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    seen_.clear();
    fs_.files["C.dbf"] = c.bytes;
    EXPECT_FALSE(Use("C.dbf"));
    ASSERT_EQ(seen_.size(), 1u);
    ExpectError(seen_[0], 32, 1012, "DBFNTX", "Corruption detected", "C.dbf", 0, "", c.permissions);
    ExpectFailedOpenLeftNothing();
  }
  // A failing read call gives its own code.
  seen_.clear();
  fs_.files["C.dbf"] = Plain();
  fs_.failReadsOf = 32;
  EXPECT_FALSE(Use("C.dbf"));
  ASSERT_EQ(seen_.size(), 1u);
  EXPECT_EQ(seen_[0].OsCode, 30);
}

TEST_F(Tables, RetryOfACorruptHeaderReadsAgain) {
  fs_.files["T.dbf"] = Plain(0x32);
  onError_ = [this](Error&) { fs_.files["T.dbf"] = Plain(); };  // the other program finished writing
  answers_ = {true};
  ASSERT_TRUE(Use("T.dbf"));
  EXPECT_EQ(seen_.size(), 1u);
  EXPECT_EQ(fs_.ReadSizes("T.dbf"), (std::vector<long>{32, 32, 64}));
  EXPECT_EQ(FCount(), 2);
}

TEST_F(Tables, MemoPairingReadsOnlyFptAndSmtHeaders) {
  // DBT: any content, not even read.
  fs_.files["DT.dbf"] = WithMemo(0x83);
  fs_.files["DT.dbt"] = "";
  ASSERT_TRUE(Use("DT.dbf"));
  EXPECT_TRUE(fs_.ReadSizes("DT.dbt").empty());
  EXPECT_EQ(fs_.opens.back(), (std::pair<std::string, int>{"DT.dbt", kExclusiveReadWrite}));

  // FPT: one read of up to 1024 bytes, no lock when exclusive.
  fs_.files["FT.dbf"] = WithMemo(0xF5);
  fs_.files["FT.fpt"] = Fpt(64);
  ASSERT_TRUE(Use("FT.dbf"));
  EXPECT_EQ(fs_.ReadSizes("FT.fpt"), (std::vector<long>{1024}));
  EXPECT_EQ(fs_.locks, 0);
  EXPECT_EQ(fs_.OpenHandles(), 2);
  DbCloseAll();
  EXPECT_EQ(fs_.OpenHandles(), 0);

  // Shared opens lock byte 0 while reading, with the table's access.
  ASSERT_TRUE(DbUseArea(false, {}, "FT.dbf", {}, true, true));
  EXPECT_EQ(fs_.locks, 1);
  EXPECT_EQ(fs_.opens.back().second, FO_READ | FO_SHARED);

  // 0x83 without memo fields still needs its file.
  fs_.files["N.dbf"] = Plain(0x83);
  EXPECT_FALSE(Use("N.dbf"));
  ASSERT_EQ(seen_.size(), 1u);
  ExpectError(seen_[0], 21, 1002, "DBFNTX", "Open error", "N.dbt", 2, "", kCanRetry | kCanDefault);
  ExpectFailedOpenLeftNothing();
}

TEST_F(Tables, MemoFileRetryAndDottedBaseName) {
  fs_.files["KUNDEN.2008.DBF"] = WithMemo(0xF5);
  onError_ = [this](Error&) { fs_.files["KUNDEN.2008"] = Fpt(32); };
  answers_ = {true};
  // The memo is found on retry; the alias of a dotted name is then refused.
  EXPECT_FALSE(Use("KUNDEN.2008.DBF"));
  ASSERT_EQ(seen_.size(), 2u);
  EXPECT_EQ(seen_[0].SubCode, 1002);
  EXPECT_EQ(seen_[0].FileName, "KUNDEN.2008");
  EXPECT_EQ(fs_.ReadSizes("KUNDEN.2008"), (std::vector<long>{1024}));
  ExpectError(seen_[1], 17, 1010, "DBCMD", "Illegal characters in alias", "", 0, "KUNDEN.2008", kCanDefault);
  ExpectFailedOpenLeftNothing();
  // With an explicit alias it opens.
  seen_.clear();
  onError_ = nullptr;
  EXPECT_TRUE(Use("KUNDEN.2008.DBF", "K2008"));
  EXPECT_EQ(Alias(), "K2008");
}

TEST_F(Tables, MemoErrorsWithoutPermissions) {
  // A memo field in a table whose version names no memo kind.
  fs_.files["T.dbf"] = WithMemo(0x03);
  EXPECT_FALSE(UseBreaking("T.dbf"));
  ASSERT_EQ(seen_.size(), 1u);
  ExpectError(seen_[0], 21, 1056, "DBFNTX", "Open error", "T", 0, "", 0);
  EXPECT_EQ(fs_.opens.size(), 1u);  // no memo file was looked for
  ExpectFailedOpenLeftNothing();

  // FPT header shorter than 512 bytes, and block size 0.
  for (const std::string& memo : {Fpt(64, 511), Fpt(0, 1024)}) {
    seen_.clear();
    fs_.files["FT.dbf"] = WithMemo(0xF5);
    fs_.files["FT.fpt"] = memo;
    EXPECT_FALSE(UseBreaking("FT.dbf"));
    ASSERT_EQ(seen_.size(), 1u);
    ExpectError(seen_[0], 32, 1012, "DBFNTX", "Corruption detected", "FT.fpt", 0, "", 0);
    ExpectFailedOpenLeftNothing();
  }

  // SMT block size from bytes 4-5, little-endian.
  seen_.clear();
  std::string smt(512, '\0');
  smt[4] = '\x20';
  fs_.files["ST.dbf"] = WithMemo(0xE5);
  fs_.files["ST.smt"] = smt;
  EXPECT_TRUE(Use("ST.dbf"));
  EXPECT_TRUE(seen_.empty());
}

TEST_F(Tables, NamesAndAliases) {
  // Trailing blanks of a fixed-length buffer stay part of the name.
  fs_.files["C:\\DATA\\KUNDEN.DBF   "] = Plain();
  ASSERT_TRUE(Use("C:\\DATA\\KUNDEN.DBF   "));
  EXPECT_EQ(Alias(), "KUNDEN");
  EXPECT_FALSE(Use("C:\\DATA\\KUNDEN   "));
  ASSERT_EQ(seen_.size(), 1u);
  EXPECT_EQ(seen_[0].FileName, "C:\\DATA\\KUNDEN   .dbf");
  EXPECT_EQ(seen_[0].OsCode, 2);

  const std::string longBase(40, 'x');
  fs_.files[longBase + ".dbf"] = Plain();
  ASSERT_TRUE(Use(longBase));
  EXPECT_EQ(Alias(), std::string(32, 'X'));

  struct Case { std::string file; int gen; std::string alias; };
  const Case cases[] = {
      {"MY-DATA.DBF", 17, "MY-DATA"}, {"2008.DBF", 17, "2008"}, {"MY DATA.DBF", 17, "MY DATA"},
      {"K\xe4SE.DBF", 17, "K\xe4SE"}, {"A.DBF", 18, "A"},       {"m.dbf", 18, "M"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    seen_.clear();
    fs_.opens.clear();
    fs_.files[c.file] = WithMemo(0x83);
    fs_.files[MemoBaseName(c.file) + ".dbt"] = "";
    EXPECT_FALSE(Use(c.file));
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ(seen_[0].GenCode, c.gen);
    EXPECT_EQ(seen_[0].SubCode, c.gen == 17 ? 1010 : 1011);
    EXPECT_EQ(seen_[0].Operation, c.alias);
    EXPECT_EQ(fs_.opens.size(), 2u);  // table and memo were opened, then closed
    ExpectFailedOpenLeftNothing();
  }
  // "L" is no area letter.
  fs_.files["L.DBF"] = Plain();
  EXPECT_TRUE(Use("L.DBF"));
}

TEST_F(Tables, AliasInUseInAnotherAreaAndSelectionByAlias) {
  fs_.files["C:\\A\\KUNDEN.DBF"] = Plain();
  fs_.files["C:\\B\\KUNDEN.DBF"] = Plain();
  ASSERT_TRUE(Use("C:\\A\\KUNDEN.DBF"));
  EXPECT_FALSE(DbUseArea(true, {}, "C:\\B\\KUNDEN.DBF"));
  ASSERT_EQ(seen_.size(), 1u);
  ExpectError(seen_[0], 18, 1011, "DBCMD", "Alias already in use", "", 0, "KUNDEN", kCanDefault);
  EXPECT_EQ(Select(), 2);
  EXPECT_EQ(Alias(2), "");
  EXPECT_EQ(fs_.OpenHandles(), 1);

  ASSERT_TRUE(DbUseArea(true, "dbfntx", "C:\\B\\KUNDEN.DBF", "other"));
  EXPECT_EQ(Alias(), "OTHER");
  DbSelectArea("kunden");
  EXPECT_EQ(Select(), 1);
  DbSelectArea(Value());  // lowest free area
  EXPECT_EQ(Select(), 3);
  DbSelectArea(65535);
  EXPECT_EQ(Select(), 3);
  DbSelectArea(40);
  EXPECT_EQ(Select(), 40);

  // EvalInArea switches and comes back.
  const Value n = EvalInArea(2, [] { return Value(Alias()); });
  EXPECT_EQ(n, Value("OTHER"));
  EXPECT_EQ(Select(), 40);

  // An alias that is not open: retry looks it up again.
  seen_.clear();
  objects_.clear();
  tries_.clear();
  answers_ = {true};
  onError_ = [this](Error&) {
    if (objects_.size() == 2) Break();
  };
  EXPECT_TRUE(Sequence([] { DbSelectArea("NOWHERE"); }).has_value());
  ASSERT_EQ(seen_.size(), 2u);
  ExpectError(seen_[0], 15, 1002, "BASE", "Alias does not exist", "", 0, "NOWHERE", kCanRetry);
  EXPECT_EQ(objects_[0], objects_[1]);
  EXPECT_EQ(tries_, (std::vector<int>{0, 1}));
}

TEST_F(Tables, ArgumentErrors) {
  fs_.files["T.dbf"] = Plain();
  onError_ = [](Error&) { Break(); };
  EXPECT_TRUE(Sequence([] { DbUseArea(false, "NOSUCH", "T.dbf"); }).has_value());
  EXPECT_TRUE(Sequence([] { DbUseArea(false, {}, 7); }).has_value());
  ASSERT_EQ(seen_.size(), 2u);
  ExpectError(seen_[0], 1, 1015, "DBCMD", "Argument error", "", 0, "DBUSEAREA", 0);
  ExpectError(seen_[1], 1, 1005, "DBCMD", "Argument error", "", 0, "DBUSEAREA", 0);
  ExpectFailedOpenLeftNothing();
}

TEST_F(Tables, DbStructReadsRecordOneOnceForMemoFields) {
  const std::string record = " ABCDE0000000001";
  fs_.files["MT.dbf"] = WithMemo(0x83, record + record);
  fs_.files["MT.dbt"] = "";
  ASSERT_TRUE(Use("MT.dbf"));
  EXPECT_EQ(DbStruct().AsArray()->size(), 2u);
  EXPECT_EQ(DbStruct().AsArray()->size(), 2u);
  EXPECT_EQ(fs_.ReadSizes("MT.dbf"), (std::vector<long>{32, 64, 16}));
  EXPECT_EQ(fs_.reads.back().offset, 32 + 64 + 1);

  // An empty table reads nothing.
  fs_.files["ET.dbf"] = WithMemo(0x83);
  fs_.files["ET.dbt"] = "";
  ASSERT_TRUE(Use("ET.dbf"));
  DbStruct();
  EXPECT_EQ(fs_.ReadSizes("ET.dbf"), (std::vector<long>{32, 64}));

  // A failing record read raises the read error.
  fs_.failReadsOf = 16;
  ASSERT_TRUE(Use("MT.dbf"));
  onError_ = [](Error&) { Break(); };
  EXPECT_TRUE(Sequence([] { DbStruct(); }).has_value());
  ASSERT_EQ(seen_.size(), 1u);
  ExpectError(seen_[0], 23, 1010, "DBFNTX", "Read error", "MT.dbf", 30, "", 0);
}

TEST_F(Tables, VisualFoxProSystemFieldsAreNotListed) {
  std::vector<std::string> slots;
  for (int i = 0; i < 10; ++i) slots.push_back(Descriptor("F" + std::to_string(i), 'V', 10, 0, 2));
  slots.push_back(Descriptor("SYS", 'C', 1, 0, 1));
  slots.push_back(Descriptor("_NullFlags", '0', 2, 0, 5));
  fs_.files["V.dbf"] = DbfBytes{.version = 0x30, .descriptors = slots, .foxArea = 263}.Bytes();
  ASSERT_TRUE(Use("V.dbf"));
  const ArrayRef rows = DbStruct().AsArray();
  ASSERT_EQ(rows->size(), 10u);
  EXPECT_EQ(FCount(), 10);
  EXPECT_EQ((*(*rows)[0].AsArray())[1], Value("Q"));
  EXPECT_EQ((*(*rows)[0].AsArray())[4], Value(2));
}

TEST_F(Tables, CloseAllAndTheProgramEnd) {
  DbSelectArea(7);
  DbCloseAll();
  EXPECT_EQ(Select(), 7);  // nothing was open: nothing changes

  fs_.files["T.dbf"] = Plain();
  ASSERT_TRUE(Use("T.dbf"));
  DbCloseAll();
  EXPECT_EQ(Select(), 1);
  EXPECT_EQ(DbStruct().AsArray()->size(), 0u);
  EXPECT_EQ(fs_.OpenHandles(), 0);
  // The alias is free again.
  ASSERT_TRUE(DbUseArea(true, {}, "T.dbf"));
  EXPECT_EQ(Select(), 1);

  // The first open registered the close-all hook with the program end.
  RunExitSequence();
  EXPECT_EQ(fs_.OpenHandles(), 0);
  EXPECT_EQ(Alias(1), "");
}

TEST_F(Tables, TablesAreClosedThroughTheFileCallsThatOpenedThem) {
  fs_.files["T.dbf"] = WithMemo(0x83, " ABCDE0000000001");
  fs_.files["T.dbt"] = "";
  ASSERT_TRUE(Use("T.dbf"));
  MemoryFiles other;
  SetTableFileIo(&other);
  EXPECT_EQ(DbStruct().AsArray()->size(), 2u);  // its record read too
  DbCloseAll();
  SetTableFileIo(&fs_);
  EXPECT_TRUE(other.reads.empty());
  EXPECT_EQ(fs_.ReadSizes("T.dbf"), (std::vector<long>{32, 64, 16}));
  EXPECT_EQ(fs_.OpenHandles(), 0);
}

TEST_F(Tables, FailedOpenInAnOccupiedAreaClosesTheOldTableFirst) {
  fs_.files["T.dbf"] = Plain();
  ASSERT_TRUE(Use("T.dbf"));
  EXPECT_FALSE(Use("MISSING.dbf"));
  ExpectFailedOpenLeftNothing();
}

}  // namespace
}  // namespace meridan
