// Opening tables from real files through the file functions: field lists, memo pairing, open errors, other processes, what an open reads.
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <filesystem>
#include <map>
#include <thread>

#include "dbf_builder.h"
#include "errors/program.h"
#include "errors/raise.h"
#include "files/fileio.h"
#include "table/tableio.h"
#include "table/workarea.h"
#include "tests/files/spawn.h"
#include "tests/files/temp_dir.h"

namespace meridan {
namespace {

using testing::DbfBytes;
using testing::Descriptor;

constexpr int kExclusiveReadWrite = FO_READWRITE | FO_EXCLUSIVE;

struct Row {
  std::string name;
  std::string type;
  int length;
  int decimals;
};

std::vector<Row> FieldRows() {
  std::vector<Row> rows;
  const Value list = DbStruct();
  for (const Value& r : *list.AsArray()) {
    const Array& a = *r.AsArray();
    rows.push_back({a[0].AsText(), a[1].AsText(), static_cast<int>(a[2].AsWhole()),
                    static_cast<int>(a[3].AsWhole())});
  }
  return rows;
}

bool operator==(const Row& a, const Row& b) {
  return a.name == b.name && a.type == b.type && a.length == b.length && a.decimals == b.decimals;
}

std::ostream& operator<<(std::ostream& o, const Row& r) {
  return o << r.name << "/" << r.type << "/" << r.length << "/" << r.decimals;
}

std::string Table(std::uint8_t version, std::vector<std::string> descriptors, std::string records = "",
                  std::uint8_t flags28 = 0) {
  const bool fox = version == 0x30 || version == 0x31;
  return DbfBytes{.version = version,
                  .flags28 = flags28,
                  .descriptors = std::move(descriptors),
                  .foxArea = fox ? 263u : 0u,
                  .records = std::move(records)}
      .Bytes();
}

std::string MemoHeader(std::size_t size, std::map<std::size_t, std::string> at) {
  std::string m(size, '\0');
  for (const auto& [offset, bytes] : at) m.replace(offset, bytes.size(), bytes);
  return m;
}

// True when this process can open `name` exclusively for writing, that is
// when no handle on it is left open anywhere.
bool Released(const std::string& name) {
  const FileHandle h = FOpen(Value(name), kExclusiveReadWrite);
  if (h == kBadHandle) return false;
  FClose(h);
  return true;
}

class RealTables : public testing::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ResetRaisingStateForTests();
    SetFatalDisplay(nullptr);
    SetTableFileIo(nullptr);
    DbCloseAll();
    DbSelectArea(1);
    ErrorBlock(MakeErrorCallback([this](Error& e) -> Value {
      seen_.push_back(e);
      objects_.push_back(&e);
      if (onError_) onError_(e);
      if (answers_.empty()) return false;
      Value a = answers_.front();
      answers_.pop_front();
      return a;
    }));
  }
  void TearDown() override {
    DbCloseAll();
    if (child_ != 0) Release();
    SetTableFileIo(nullptr);
    ResetRaisingStateForTests();
    TempDirTest::TearDown();
  }

  bool Use(const std::string& name) { return DbUseArea(false, {}, name, {}, {}, false); }

  // Starts the holder program on `leaf` with the FO_* `mode` and answers what
  // it said: "held", or "refused N" with the Windows code it got.
  std::string Hold(const std::string& leaf, int mode) {
    ++round_;
    const std::string ready = "ready" + std::to_string(round_);
    stop_ = Name("stop" + std::to_string(round_));
    // Under Wine on a loaded machine a process start has been seen to fail
    // now and then; that says nothing about the files, so it is tried again.
    for (int attempt = 0; attempt < 5 && child_ == 0; ++attempt) {
      child_ = testing::Spawn(testing::HolderPath(), {Name(leaf), std::to_string(mode), Name(ready), stop_});
      if (child_ == 0) std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    if (child_ == 0) return "not started";
    // The holder renames its answer into place once written; a read that
    // still finds nothing (the file briefly busy) is repeated.
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    std::string said;
    while (said.empty()) {
      if (std::chrono::steady_clock::now() > give_up) return "no answer";
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      if (std::filesystem::exists(Native(ready))) said = Slurp(ready);
    }
    if (said.back() == '\x1a') said.pop_back();  // MemoWrit's end marker
    return said;
  }
  void Release() {
    EXPECT_TRUE(MemoWrit(Value(stop_), Value("")));
    EXPECT_EQ(testing::WaitFor(child_), 0);
    child_ = 0;
  }

  void ExpectOpenError(const Error& e, int sub, const std::string& file, int os) {
    EXPECT_EQ(e.GenCode, 21);
    EXPECT_EQ(e.SubCode, sub);
    EXPECT_EQ(e.SubSystem, "DBFNTX");
    EXPECT_EQ(e.Description, "Open error");
    EXPECT_EQ(e.FileName, file);
    EXPECT_EQ(e.OsCode, os);
    EXPECT_EQ(e.Operation, "");
    EXPECT_EQ(e.Severity, 2);
    EXPECT_TRUE(e.CanRetry);
    EXPECT_TRUE(e.CanDefault);
    EXPECT_FALSE(e.CanSubstitute);
  }
  // A default answer: the open failed, area 1 is current and free.
  void ExpectAreaLeftFree() {
    EXPECT_EQ(Select(), 1);
    EXPECT_EQ(Alias(), "");
    EXPECT_EQ(RecNo(), 0);
    EXPECT_EQ(DbStruct().AsArray()->size(), 0u);
  }

  std::vector<Error> seen_;
  // The objects die with the failed step: only their identity is kept, and
  // `seen_` holds copies as each call saw them.
  std::vector<const Error*> objects_;
  std::deque<Value> answers_;
  std::function<void(Error&)> onError_;
  std::intptr_t child_ = 0;
  int round_ = 0;
  std::string stop_;
};

TEST_F(RealTables, OpensTablesWithTheirFieldListsAndMemoFiles) {
  // Deletion byte, C(20), N(10,2): 31 bytes.
  std::string name = "M\xfcller";
  name.resize(20, ' ');
  const std::string plainRecord = " " + name + " 123456.50";
  struct Case {
    const char* what;
    std::string table;
    std::string memoLeaf;  // "" for none
    std::string memo;
    std::vector<Row> rows;
    long records;
    int blockSize;
  };
  const Case cases[] = {
      {"plain, a partial record at the end",
       Table(0x03, {Descriptor("name", 'C', 20), Descriptor("SUM", 'N', 10, 2)},
             plainRecord + plainRecord + plainRecord.substr(0, 9) + "\x1a"),
       "", "", {{"NAME", "C", 20, 0}, {"SUM", "N", 10, 2}}, 2, 0},
      {"DBT, an empty memo file",
       Table(0x83, {Descriptor("KEY", 'C', 4), Descriptor("NOTE", 'M', 10)}, " ABCD0000000001"), "T.dbt", "",
       {{"KEY", "C", 4, 0}, {"NOTE", "M", 10, 0}}, 1, 512},
      {"FPT, block size big-endian at 6",
       Table(0xF5, {Descriptor("NOTE", 'M', 4), Descriptor("WHEN", 'D', 8)}), "T.fpt",
       MemoHeader(512, {{4, "\x12\x34"}, {6, std::string("\x00\x40", 2)}}),
       {{"NOTE", "M", 4, 0}, {"WHEN", "D", 8, 0}}, 0, 64},
      {"FPT, FlexFile block size",
       Table(0xF5, {Descriptor("NOTE", 'M', 4)}), "T.fpt",
       MemoHeader(1024, {{512, "FlexFile3\x03"}, {540, std::string("\x40\x00", 2)}}),
       {{"NOTE", "M", 4, 0}}, 0, 64},
      {"Visual FoxPro with its memo bit",
       Table(0x30, {Descriptor("PIC", 'G', 4), Descriptor("N", 'I', 4)}, "", 0x02), "T.fpt",
       MemoHeader(512, {{6, std::string("\x02\x00", 2)}}), {{"PIC", "G", 4, 0}, {"N", "I", 4, 0}}, 0, 512},
      {"SMT, block size little-endian at 4",
       Table(0xE5, {Descriptor("NOTE", 'M', 4)}), "T.smt", MemoHeader(512, {{4, std::string("\x20\x00", 2)}}),
       {{"NOTE", "M", 10, 0}}, 0, 32},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    seen_.clear();
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directory(dir_);
    Put("T.DBF", c.table);
    if (!c.memoLeaf.empty()) Put(c.memoLeaf, c.memo);
    NetErr(true);
    ASSERT_TRUE(Use(Name("T.DBF")));
    EXPECT_TRUE(seen_.empty());
    EXPECT_FALSE(NetErr());
    EXPECT_EQ(FieldRows(), c.rows);
    EXPECT_EQ(FCount(), static_cast<int>(c.rows.size()));
    EXPECT_EQ(RecCount(), c.records);
    EXPECT_EQ(MemoBlockSize(), c.blockSize);
    EXPECT_EQ(Alias(), "T");
    EXPECT_EQ(RddName(), "DBFNTX");
    EXPECT_EQ(Bof(), c.records == 0);
    EXPECT_EQ(Eof(), c.records == 0);
    // Held exclusively while open, released by the close.
    EXPECT_FALSE(Released(Name("T.DBF")));
    if (!c.memoLeaf.empty()) {
      EXPECT_FALSE(Released(Name(c.memoLeaf)));
    }
    DbCloseAll();
    EXPECT_TRUE(Released(Name("T.DBF")));
    if (!c.memoLeaf.empty()) {
      EXPECT_TRUE(Released(Name(c.memoLeaf)));
    }
  }
}

TEST_F(RealTables, NameWithoutDirectoryOpensInTheCurrentDirectory) {
  Put("KUNDEN.dbf", Table(0x03, {Descriptor("ID", 'N', 5)}));
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir_);
  const bool opened = Use("KUNDEN");
  std::filesystem::current_path(before);
  ASSERT_TRUE(opened);
  EXPECT_EQ(Alias(), "KUNDEN");
  EXPECT_EQ(FieldRows(), (std::vector<Row>{{"ID", "N", 5, 0}}));
}

TEST_F(RealTables, TableFileOpenErrorsAnsweredWithDefault) {
  Put("KUNDEN.DBF", Table(0x03, {Descriptor("ID", 'N', 5)}));
  struct Case {
    std::string name;   // as passed
    std::string tried;  // FileName of the error
    int os;
  };
  const Case cases[] = {
      {Name("NOTHERE"), Name("NOTHERE.dbf"), 2},
      // Trailing blanks of an edit buffer stay: no such file.
      {Name("KUNDEN   "), Name("KUNDEN   .dbf"), 2},
      {Name("NODIR\\KUNDEN.DBF"), Name("NODIR\\KUNDEN.DBF"), 3},
      {Name("K*.DBF"), Name("K*.DBF"), 123},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    seen_.clear();
    NetErr(true);
    EXPECT_FALSE(Use(c.name));
    ASSERT_EQ(seen_.size(), 1u);
    ExpectOpenError(seen_[0], 1001, c.tried, c.os);
    EXPECT_EQ(seen_[0].Tries, 0) << "no retry was answered";
    EXPECT_FALSE(NetErr()) << "reset by the open; only a handler sets it";
    ExpectAreaLeftFree();
  }
}

TEST_F(RealTables, RetryOfTheTableOpenRaisesTheSameObjectAgain) {
  answers_ = {true, true};
  onError_ = [this](Error&) {
    if (objects_.size() == 2) Put("LATE.DBF", Table(0x03, {Descriptor("ID", 'N', 5)}));
  };
  ASSERT_TRUE(Use(Name("LATE.DBF")));
  ASSERT_EQ(objects_.size(), 2u);
  EXPECT_EQ(objects_[0], objects_[1]);
  EXPECT_EQ(seen_[0].Tries, 0);
  EXPECT_EQ(seen_[1].Tries, 1) << "the second launch comes after one retry";
  ExpectOpenError(seen_[1], 1001, Name("LATE.DBF"), 2);
  EXPECT_EQ(Alias(), "LATE");
  EXPECT_EQ(FCount(), 1);
}

TEST_F(RealTables, MissingMemoFileFailsTheOpenAndReleasesTheTable) {
  Put("T.DBF", Table(0x83, {Descriptor("NOTE", 'M', 10)}));
  std::string aliasDuringOpen = "unset";
  onError_ = [&](Error&) { aliasDuringOpen = Alias(); };
  EXPECT_FALSE(Use(Name("T.DBF")));
  ASSERT_EQ(seen_.size(), 1u);
  ExpectOpenError(seen_[0], 1002, Name("T.dbt"), 2);
  EXPECT_EQ(aliasDuringOpen, "") << "the alias is not registered before the memo is paired";
  ExpectAreaLeftFree();
  EXPECT_TRUE(Released(Name("T.DBF")));

  // Retry finds the memo file the handler put there.
  seen_.clear();
  objects_.clear();
  answers_ = {true};
  onError_ = [this](Error&) { Put("T.dbt", ""); };
  ASSERT_TRUE(Use(Name("T.DBF")));
  ASSERT_EQ(objects_.size(), 1u);
  EXPECT_EQ(MemoBlockSize(), 512);
}

TEST_F(RealTables, FilesHeldByAnotherProcessAreRefusedWith32) {
  Put("T.DBF", Table(0x83, {Descriptor("NOTE", 'M', 10)}));
  Put("T.dbt", "");
  // The program's handler answers these quietly: NetErr set, default.
  onError_ = [](Error& e) {
    if (e.OsCode == 32 || e.OsCode == 5) NetErr(true);
  };
  struct Case {
    const char* held;
    int sub;
  };
  for (const Case& c : {Case{"T.DBF", 1001}, Case{"T.dbt", 1002}}) {
    SCOPED_TRACE(c.held);
    seen_.clear();
    ASSERT_EQ(Hold(c.held, kExclusiveReadWrite), "held");
    EXPECT_FALSE(Use(Name("T.DBF")));
    ASSERT_EQ(seen_.size(), 1u);
    ExpectOpenError(seen_[0], c.sub, Name(c.held), 32);
    EXPECT_TRUE(NetErr());
    ExpectAreaLeftFree();
    Release();
  }
  EXPECT_TRUE(Released(Name("T.DBF")));

  // Once we hold it, the other process is refused both files in any mode.
  seen_.clear();
  ASSERT_TRUE(Use(Name("T.DBF")));
  EXPECT_FALSE(NetErr());
  for (const char* leaf : {"T.DBF", "T.dbt"}) {
    EXPECT_EQ(Hold(leaf, FO_READ | FO_SHARED), "refused 32") << leaf;
    Release();
  }
  DbCloseAll();
  EXPECT_EQ(Hold("T.DBF", FO_READ | FO_SHARED), "held");
}

TEST_F(RealTables, ReadOnlyTableFileCannotBeOpenedForWriting) {
  Put("RO.DBF", Table(0x03, {Descriptor("ID", 'N', 5)}));
  std::filesystem::permissions(Native("RO.DBF"), std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                                     std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  // Read-only access is what the file allows.
  ASSERT_TRUE(DbUseArea(false, {}, Name("RO.DBF"), {}, {}, true));
  EXPECT_EQ(FCount(), 1);
  DbCloseAll();

#ifdef _WIN32
  // Wine running as root lets write opens of read-only files through, which
  // Windows refuses with access denied; the case cannot show there.
  if (Released(Name("RO.DBF"))) GTEST_SKIP() << "this platform opens read-only files for writing";
#endif
  // Access denied on an existing file is reported as a sharing violation.
  EXPECT_FALSE(Use(Name("RO.DBF")));
  ASSERT_EQ(seen_.size(), 1u);
  ExpectOpenError(seen_[0], 1001, Name("RO.DBF"), 32);
  ExpectAreaLeftFree();
}

// Forwards to the default file calls and writes down what the table layer asks of them.
class CountingIo final : public TableFileIo {
 public:
  struct ReadCall {
    std::string name;
    long offset;
    long count;
    bool operator==(const ReadCall&) const = default;
    friend std::ostream& operator<<(std::ostream& o, const ReadCall& r) {
      return o << r.name << "@" << r.offset << "+" << r.count;
    }
  };
  std::vector<std::pair<std::string, int>> opens;
  std::vector<ReadCall> reads;
  int closes = 0;
  int locks = 0;

  FileHandle Open(const std::string& name, int mode) override {
    opens.emplace_back(name, mode);
    const FileHandle h = io_.Open(name, mode);
    if (h != kBadHandle) at_[h] = {name, 0};
    return h;
  }
  long Read(FileHandle h, std::string& buffer, long count) override {
    auto& [name, pos] = at_[h];
    reads.push_back({name, pos, count});
    const long got = io_.Read(h, buffer, count);
    if (got > 0) pos += got;
    return got;
  }
  long Seek(FileHandle h, long offset, int origin) override {
    const long pos = io_.Seek(h, offset, origin);
    if (pos >= 0) at_[h].second = pos;
    return pos;
  }
  bool Close(FileHandle h) override {
    ++closes;
    at_.erase(h);
    return io_.Close(h);
  }
  int LastError() override { return io_.LastError(); }
  bool Exists(const std::string& name) override { return io_.Exists(name); }
  bool LockShared(FileHandle h, long offset, long length) override {
    ++locks;
    return io_.LockShared(h, offset, length);
  }
  void Unlock(FileHandle h, long offset, long length) override { io_.Unlock(h, offset, length); }

 private:
  TableFileIo& io_ = DefaultTableFileIo();
  std::map<FileHandle, std::pair<std::string, long>> at_;
};

// Every call of the file functions that could change a file, counted.
int g_changes = 0;
FileHandle CountedCreate(const std::string& name, int attr, int& err) {
  ++g_changes;
  return OsCalls().create(name, attr, err);
}
long CountedWrite(FileHandle h, const char* data, long count, int& err) {
  ++g_changes;
  return OsCalls().write(h, data, count, err);
}
int CountedErase(const std::string& name) {
  ++g_changes;
  return OsCalls().erase(name);
}

// Reads of exactly this size fail with error 30 (read fault); others go to the system.
long g_failingReadSize = 0;
long FailingRead(FileHandle h, char* buffer, long count, int& err) {
  if (count == g_failingReadSize) {
    err = 30;
    return -1;
  }
  return OsCalls().read(h, buffer, count, err);
}

TEST_F(RealTables, ShortAndFailingReadsOfRealFiles) {
  // A call that succeeds with too few bytes reports 0, also for an empty file.
  for (const std::string& bytes : {std::string(), Table(0x03, {Descriptor("ID", 'N', 5)}).substr(0, 20)}) {
    SCOPED_TRACE(bytes.size());
    seen_.clear();
    Put("S.DBF", bytes);
    EXPECT_FALSE(Use(Name("S.DBF")));
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ(seen_[0].GenCode, 32);
    EXPECT_EQ(seen_[0].SubCode, 1012);
    EXPECT_EQ(seen_[0].Description, "Corruption detected");
    EXPECT_EQ(seen_[0].FileName, Name("S.DBF"));
    EXPECT_EQ(seen_[0].OsCode, 0);
    EXPECT_EQ(seen_[0].Permissions(), kCanRetry | kCanDefault);
    ExpectAreaLeftFree();
    EXPECT_TRUE(Released(Name("S.DBF")));
  }

  // A failing call gives its own code: the header read, then the record read.
  const std::string record = " ABCD0000000001";
  Put("T.DBF", Table(0x83, {Descriptor("KEY", 'C', 4), Descriptor("NOTE", 'M', 10)}, record));
  Put("T.dbt", "");
  FileCallsGuard restore;
  Calls().read = &FailingRead;
  g_failingReadSize = 32;
  seen_.clear();
  EXPECT_FALSE(Use(Name("T.DBF")));
  ASSERT_EQ(seen_.size(), 1u);
  EXPECT_EQ(seen_[0].GenCode, 32);
  EXPECT_EQ(seen_[0].OsCode, 30);

  g_failingReadSize = static_cast<long>(record.size());
  seen_.clear();
  ASSERT_TRUE(Use(Name("T.DBF")));
  onError_ = [](Error&) { Break(); };  // the read error permits no answer
  EXPECT_TRUE(Sequence([] { DbStruct(); }).has_value());
  ASSERT_EQ(seen_.size(), 1u);
  EXPECT_EQ(seen_[0].GenCode, 23);
  EXPECT_EQ(seen_[0].SubCode, 1010);
  EXPECT_EQ(seen_[0].Description, "Read error");
  EXPECT_EQ(seen_[0].FileName, Name("T.DBF"));
  EXPECT_EQ(seen_[0].OsCode, 30);
  EXPECT_EQ(seen_[0].Permissions(), 0u);
}

TEST_F(RealTables, OpeningReadsHeaderDescriptorsAndMemoHeaderOnlyAndWritesNothing) {
  const std::string record = " ABCD0000000001";
  struct Case {
    const char* what;
    std::string table;
    std::string memoLeaf;
    std::string memo;
    std::vector<CountingIo::ReadCall> reads;
  };
  const std::string fox = Table(0x30, {Descriptor("ID", 'I', 4)}, std::string(" \x01\0\0\0", 5));
  const Case cases[] = {
      {"plain with records", Table(0x03, {Descriptor("KEY", 'C', 4), Descriptor("N", 'N', 10)}, record + record),
       "", "", {{"T.DBF", 0, 32}, {"T.DBF", 32, 64}}},
      {"DBT: the memo file is not read", Table(0x83, {Descriptor("KEY", 'C', 4), Descriptor("NOTE", 'M', 10)}, record),
       "T.dbt", "whatever", {{"T.DBF", 0, 32}, {"T.DBF", 32, 64}}},
      {"FPT: one read of its header", Table(0xF5, {Descriptor("NOTE", 'M', 10)}), "T.fpt",
       MemoHeader(2048, {{6, std::string("\x00\x40", 2)}}),
       {{"T.DBF", 0, 32}, {"T.DBF", 32, 32}, {"T.fpt", 0, 1024}}},
      {"Visual FoxPro: the area behind the terminator is in the slot read", fox, "", "",
       {{"T.DBF", 0, 32}, {"T.DBF", 32, 32 * 9}}},
  };
  FileCallsGuard restore;
  Calls().create = &CountedCreate;
  Calls().write = &CountedWrite;
  Calls().erase = &CountedErase;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directory(dir_);
    Put("T.DBF", c.table);
    if (!c.memoLeaf.empty()) Put(c.memoLeaf, c.memo);
    // Far in the past, so that any write would show in the time stamps.
    const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(48);
    std::filesystem::last_write_time(Native("T.DBF"), past);
    if (!c.memoLeaf.empty()) std::filesystem::last_write_time(Native(c.memoLeaf), past);
    // As stored: some file systems keep coarser stamps than the clock gives.
    const auto stamp = std::filesystem::last_write_time(Native("T.DBF"));
    const auto memoStamp = c.memoLeaf.empty() ? stamp : std::filesystem::last_write_time(Native(c.memoLeaf));

    CountingIo io;
    SetTableFileIo(&io);
    g_changes = 0;
    ASSERT_TRUE(Use(Name("T.DBF")));
    std::vector<CountingIo::ReadCall> want = c.reads;
    for (auto& r : want) r.name = Name(r.name);
    EXPECT_EQ(io.reads, want);
    std::vector<std::pair<std::string, int>> opens = {{Name("T.DBF"), kExclusiveReadWrite}};
    if (!c.memoLeaf.empty()) opens.emplace_back(Name(c.memoLeaf), kExclusiveReadWrite);
    EXPECT_EQ(io.opens, opens);
    EXPECT_EQ(io.locks, 0) << "an exclusive open takes no lock";
    // Nor do the queries the error report makes read anything.
    Alias();
    RecNo();
    RecCount();
    Bof();
    Eof();
    FCount();
    EXPECT_EQ(io.reads.size(), want.size());
    DbCloseAll();
    EXPECT_EQ(io.closes, static_cast<int>(opens.size()));
    SetTableFileIo(nullptr);

    EXPECT_EQ(g_changes, 0);
    EXPECT_EQ(Slurp("T.DBF"), c.table);
    EXPECT_EQ(std::filesystem::last_write_time(Native("T.DBF")), stamp);
    if (!c.memoLeaf.empty()) {
      EXPECT_EQ(Slurp(c.memoLeaf), c.memo);
      EXPECT_EQ(std::filesystem::last_write_time(Native(c.memoLeaf)), memoStamp);
    }
  }
}

TEST_F(RealTables, FieldListOfAMemoTableReadsTheFirstRecordOnce) {
  const std::string record = " ABCD0000000001";
  Put("T.DBF", Table(0x83, {Descriptor("KEY", 'C', 4), Descriptor("NOTE", 'M', 10)}, record + record));
  Put("T.dbt", "");
  CountingIo io;
  SetTableFileIo(&io);
  ASSERT_TRUE(Use(Name("T.DBF")));
  EXPECT_EQ(FieldRows().size(), 2u);
  EXPECT_EQ(FieldRows().size(), 2u);
  const std::vector<CountingIo::ReadCall> want = {
      {Name("T.DBF"), 0, 32}, {Name("T.DBF"), 32, 64}, {Name("T.DBF"), 32 + 64 + 1, 15}};
  EXPECT_EQ(io.reads, want);
  DbCloseAll();
  SetTableFileIo(nullptr);
  EXPECT_EQ(Slurp("T.DBF"), Table(0x83, {Descriptor("KEY", 'C', 4), Descriptor("NOTE", 'M', 10)}, record + record));
}

TEST_F(RealTables, ProgramEndClosesTheTables) {
  Put("T.DBF", Table(0x83, {Descriptor("NOTE", 'M', 10)}));
  Put("T.dbt", "");
  SetCloseAllHook({});  // whatever an earlier test left; the open must register it
  const std::string name = Name("T.DBF");
  bool opened = false;
  const int level = RunProgram({.main = [&](const std::vector<std::string>&) {
                                  opened = DbUseArea(false, {}, name, {}, {}, false);
                                }},
                               {});
  EXPECT_EQ(level, 0);
  ASSERT_TRUE(opened);
  EXPECT_EQ(Alias(1), "");
  EXPECT_TRUE(Released(Name("T.DBF")));
  EXPECT_TRUE(Released(Name("T.dbt")));

  // A program end requested while a table is open closes it too.
  ResetRaisingStateForTests();
  opened = false;
  RunProgram({.main = [&](const std::vector<std::string>&) {
               opened = DbUseArea(false, {}, name, {}, {}, false);
               QuitProgram();
             }},
             {});
  ASSERT_TRUE(opened);
  EXPECT_TRUE(Released(Name("T.DBF")));
}

}  // namespace
}  // namespace meridan
