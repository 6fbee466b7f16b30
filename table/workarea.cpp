// Work-area set, table open (header, descriptors, memo pairing, alias) and
// the queries on open tables.
#include "table/workarea.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>

#include "errors/program.h"
#include "errors/raise.h"
#include "runtime/callstack.h"
#include "table/dbfheader.h"
#include "table/memo.h"
#include "table/tableio.h"

namespace meridan {
namespace {

constexpr int kLastArea = 65535;
constexpr std::array<const char*, 4> kDrivers = {"DBF", "DBFFPT", "DBFBLOB", "DBFNTX"};
constexpr const char* kDefaultDriver = "DBFNTX";

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperAscii(std::string s) {
  for (char& c : s) c = AsciiUpper(c);
  return s;
}

std::string TrimRightBlanks(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool ValidAlias(const std::string& alias) {
  const std::string name = TrimRightBlanks(alias);
  if (name.empty() || !(IsAsciiLetter(name[0]) || name[0] == '_')) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_';
  });
}

// The single letters that name areas: A-K areas 1-11, M area 65535.
std::optional<int> LetterArea(const std::string& alias) {
  if (alias.size() != 1) return std::nullopt;
  const char c = AsciiUpper(alias[0]);
  if (c >= 'A' && c <= 'K') return c - 'A' + 1;
  if (c == 'M') return kLastArea;
  return std::nullopt;
}

struct OpenTable {
  std::string driver;
  std::string alias;
  std::string fileName;
  std::string memoName;
  // The handles belong to the file calls that gave them out; the close and
  // the record read go there even if other calls are installed meanwhile.
  TableFileIo* io = nullptr;
  FileHandle handle = kBadHandle;
  FileHandle memoHandle = kBadHandle;
  bool shared = false;
  bool readOnly = false;
  TableHeader header;
  std::vector<FieldInfo> fields;
  std::uint32_t recordLength = 1;
  std::uint32_t recordCount = 0;
  bool autoIncrement = false;
  bool modificationStamps = false;
  MemoFlavour memoFlavour = MemoFlavour::Standard;
  std::uint16_t memoBlockSize = 0;
  std::string record;
  bool recordLoaded = false;
  std::uint32_t recNo = 0;
  bool bof = true;
  bool eof = true;

  OpenTable() = default;
  OpenTable(const OpenTable&) = delete;
  OpenTable& operator=(const OpenTable&) = delete;
  // Closing releases both files; an open that fails half-way, or is left by
  // a break, closes what it had opened the same way.
  ~OpenTable() {
    if (!io) return;
    if (memoHandle != kBadHandle) io->Close(memoHandle);
    if (handle != kBadHandle) io->Close(handle);
  }
};

struct AreaSet {
  int current = 1;
  std::map<int, std::unique_ptr<OpenTable>> tables;
};

AreaSet& Areas() {
  static AreaSet set;
  return set;
}

OpenTable* TableIn(int area) {
  auto& tables = Areas().tables;
  const auto it = tables.find(area);
  return it == tables.end() ? nullptr : it->second.get();
}

OpenTable* CurrentTable() { return TableIn(Areas().current); }

int LowestFreeArea() {
  int area = 1;
  for (const auto& [n, table] : Areas().tables) {
    if (n != area) break;
    ++area;
  }
  return std::min(area, kLastArea - 1);
}

bool AliasInUse(const std::string& alias) {
  for (const auto& [n, table] : Areas().tables)
    if (table->alias == alias) return true;
  return false;
}

// Windows reports a sharing conflict on an existing file as access denied;
// callers and the error handler expect 32 for it, and 5 for "already exists".
int OpenOsCode(TableFileIo& io, const std::string& name) {
  const int code = io.LastError();
  if (code == 5 && io.Exists(name)) return 32;
  if (code == 183) return 5;
  return code;
}

ErrorRef DriverError(const std::string& driver, int gen, int sub, const std::string& file, int os,
                     unsigned permissions) {
  return MakeBuiltinError({.SubSystem = driver,
                           .GenCode = gen,
                           .SubCode = sub,
                           .FileName = file,
                           .OsCode = os,
                           .Permissions = permissions});
}

int FileMode(const OpenTable& t) {
  return (t.readOnly ? FO_READ : FO_READWRITE) | (t.shared ? FO_SHARED : FO_EXCLUSIVE);
}

bool OpenTableFile(TableFileIo& io, OpenTable& t) {
  ErrorRef error;
  for (;;) {
    t.handle = io.Open(t.fileName, FileMode(t));
    if (t.handle != kBadHandle) return true;
    const int os = OpenOsCode(io, t.fileName);
    if (!error) {
      error = DriverError(t.driver, EG_OPEN, 1001, t.fileName, os, kCanRetry | kCanDefault);
    } else {
      error->FileName = t.fileName;
      error->OsCode = os;
      error->GenCode = EG_OPEN;
    }
    if (!Raise(error)) return false;
  }
}

bool ReadHeaderAndFields(TableFileIo& io, OpenTable& t, DescriptorResult& fields) {
  ErrorRef error;
  for (;;) {
    std::string bytes;
    io.Seek(t.handle, 0, 0);
    const long got = io.Read(t.handle, bytes, 32);
    const int os = io.LastError();
    bytes.resize(static_cast<std::size_t>(std::max(got, 0L)));
    const HeaderResult header = ParseTableHeader(bytes);
    if (header.status == ParseStatus::Ok) {
      t.header = header.header;
      break;
    }
    if (!error) {
      error = DriverError(t.driver, EG_CORRUPTION, 1012, t.fileName, got < 0 ? os : 0,
                          kCanRetry | kCanDefault);
    }
    if (!Raise(error)) return false;
  }
  const std::size_t slots = DescriptorSlotCount(t.header);
  error.reset();
  for (;;) {
    std::string bytes;
    if (slots > 0) {
      io.Seek(t.handle, 32, 0);
      const long got = io.Read(t.handle, bytes, static_cast<long>(slots * 32));
      bytes.resize(static_cast<std::size_t>(std::max(got, 0L)));
    }
    fields = ParseDescriptors(t.header, bytes);
    if (fields.status != ParseStatus::ShortDescriptors) break;
    if (!error) error = DriverError(t.driver, EG_CORRUPTION, 1012, t.fileName, 0, kCanRetry | kCanDefault);
    if (!Raise(error)) return false;
  }
  if (fields.status != ParseStatus::Ok) {
    Raise(DriverError(t.driver, EG_CORRUPTION, 1012, t.fileName, 0, kCanDefault));
    return false;
  }
  return true;
}

bool PairMemo(TableFileIo& io, OpenTable& t, const DescriptorResult& fields) {
  const std::string base = MemoBaseName(t.fileName);
  if (t.header.memo == MemoKind::None) {
    Raise(DriverError(t.driver, EG_OPEN, 1056, base, io.LastError(), 0));
    return false;
  }
  t.memoName = MemoFileName(base, t.header.memo);
  ErrorRef error;
  for (;;) {
    t.memoHandle = io.Open(t.memoName, FileMode(t));
    if (t.memoHandle != kBadHandle) break;
    if (!error) error = DriverError(t.driver, EG_OPEN, 1002, t.memoName, io.LastError(), kCanRetry | kCanDefault);
    else error->OsCode = io.LastError();
    if (!Raise(error)) return false;
  }
  MemoFlavour flavour = fields.sixMemo ? MemoFlavour::SIx : MemoFlavour::Standard;
  MemoHeaderResult memo;
  if (t.header.memo == MemoKind::Dbt) {
    memo = CheckMemoHeader(MemoKind::Dbt, {}, flavour);
  } else {
    const bool locked = t.shared && io.LockShared(t.memoHandle, 0, 1);
    std::string bytes;
    io.Seek(t.memoHandle, 0, 0);
    const long got = io.Read(t.memoHandle, bytes, 1024);
    bytes.resize(static_cast<std::size_t>(std::max(got, 0L)));
    memo = CheckMemoHeader(t.header.memo, bytes, flavour);
    if (locked) io.Unlock(t.memoHandle, 0, 1);
  }
  t.memoFlavour = memo.flavour;
  t.memoBlockSize = memo.blockSize;
  if (t.memoBlockSize == 0) {
    Raise(DriverError(t.driver, EG_CORRUPTION, 1012, t.memoName, io.LastError(), 0));
    return false;
  }
  return true;
}

bool RegisterAlias(OpenTable& t, const std::string& alias) {
  if (alias.empty()) return true;
  if (!ValidAlias(alias)) {
    Raise(MakeTableCommandError(EG_BADALIAS, 1010, alias, kCanDefault));
    return false;
  }
  if (LetterArea(alias) || AliasInUse(alias)) {
    Raise(MakeTableCommandError(EG_DUPALIAS, 1011, alias, kCanDefault));
    return false;
  }
  t.alias = alias;
  return true;
}

void CloseArea(int area) { Areas().tables.erase(area); }

bool IsMemoType(char fileType) {
  return fileType == 'M' || fileType == 'P' || fileType == 'W' || fileType == 'G';
}

void LoadCurrentRecord(OpenTable& t) {
  if (t.recordLoaded || t.recordCount == 0 || t.recNo == 0 || t.recNo > t.recordCount) return;
  TableFileIo& io = *t.io;
  const long offset = static_cast<long>(t.header.headerLength + (t.recNo - 1) * t.recordLength);
  std::string bytes;
  const long got = io.Seek(t.handle, offset, 0) == offset
                       ? io.Read(t.handle, bytes, static_cast<long>(t.recordLength))
                       : -1;
  if (got == static_cast<long>(t.recordLength)) {
    t.record = std::move(bytes);
    t.recordLoaded = true;
    return;
  }
  Raise(DriverError(t.driver, EG_READ, 1010, t.fileName, io.LastError(), 0));
}

}  // namespace

void RegisterTableCloseAllHook() {
  SetCloseAllHook([] { DbCloseAll(); });
}

void DbSelectArea(const Value& area) {
  Frame frame("DBSELECTAREA");
  AreaSet& set = Areas();
  if (area.IsText()) {
    const std::string alias = UpperAscii(TrimRightBlanks(area.AsText()));
    ErrorRef error;
    for (;;) {
      for (const auto& [n, table] : set.tables) {
        if (table->alias == alias) {
          set.current = n;
          return;
        }
      }
      if (const auto letter = LetterArea(alias)) {
        set.current = *letter;
        return;
      }
      if (!error) {
        error = MakeBuiltinError({.SubSystem = "BASE",
                                  .GenCode = EG_NOALIAS,
                                  .SubCode = 1002,
                                  .Operation = area.AsText(),
                                  .Permissions = kCanRetry});
      }
      if (!Raise(error)) return;
    }
  }
  if (area.IsNumber()) {
    const std::int64_t n = area.AsWhole();
    if (n >= 1 && n <= kLastArea - 1) {
      set.current = static_cast<int>(n);
      return;
    }
  }
  set.current = LowestFreeArea();
}

bool DbUseArea(const Value& newArea, const Value& driver, const Value& fileName, const Value& alias,
               const Value& shared, const Value& readOnly, const Value& codePage,
               const Value& connection) {
  Frame frame("DBUSEAREA");
  AreaSet& set = Areas();
  if (newArea.IsLogical() && newArea.AsLogical()) {
    set.current = LowestFreeArea();
  } else if (TableIn(set.current)) {
    CloseArea(set.current);
  }
  const int area = set.current;
  NetErr(false);

  std::string driverName = kDefaultDriver;
  if (driver.IsText() && !driver.AsText().empty()) driverName = UpperAscii(driver.AsText().substr(0, 32));
  if (std::find(kDrivers.begin(), kDrivers.end(), driverName) == kDrivers.end() || TableIn(area)) {
    Raise(MakeTableCommandError(EG_ARG, 1015, "DBUSEAREA", 0));
    return false;
  }
  if (!fileName.IsText()) {
    Raise(MakeTableCommandError(EG_ARG, 1005, "DBUSEAREA", 0));
    return false;
  }

  auto table = std::make_unique<OpenTable>();
  OpenTable& t = *table;
  t.driver = driverName;
  t.readOnly = readOnly.IsLogical() && readOnly.AsLogical();
  // The exclusive setting is on for the whole run, so unset means exclusive.
  t.shared = shared.IsLogical() && shared.AsLogical();
  t.fileName = fileName.AsText().substr(0, 255);
  const NameParts parts = SplitName(t.fileName);
  if (parts.extension.empty()) t.fileName += ".dbf";
  std::string aliasName;
  if (alias.IsText() && !TrimRightBlanks(alias.AsText()).empty()) {
    aliasName = UpperAscii(TrimRightBlanks(alias.AsText().substr(0, 32)));
  } else if (!parts.base.empty()) {
    aliasName = UpperAscii(TrimRightBlanks(parts.base.substr(0, 32)));
  }

  TableFileIo& io = CurrentTableFileIo();
  t.io = &io;
  // With no default directory and no search path, a name is opened as given.
  if (!OpenTableFile(io, t)) return false;
  DescriptorResult fields;
  if (!ReadHeaderAndFields(io, t, fields)) return false;
  t.fields = std::move(fields.fields);
  t.recordLength = fields.recordLength;
  t.autoIncrement = fields.autoIncrement;
  t.modificationStamps = fields.modificationStamps;
  if (fields.needsMemo && !PairMemo(io, t, fields)) return false;
  if (!RegisterAlias(t, aliasName)) return false;

  const long size = io.Seek(t.handle, 0, 2);
  t.recordCount = RecordCountFromSize(size < 0 ? 0 : static_cast<std::uint64_t>(size),
                                      t.header.headerLength, t.recordLength);
  t.record.assign(t.recordLength, ' ');
  t.recNo = 1;
  t.bof = t.eof = t.recordCount == 0;
  set.tables[area] = std::move(table);
  // Cheap, and survives a reset of the program-end state between runs.
  RegisterTableCloseAllHook();
  return true;
}

Value DbStruct() {
  Frame frame("DBSTRUCT");
  Array rows;
  OpenTable* t = CurrentTable();
  if (!t) return Value::MakeArray();
  const std::size_t count = VisibleFieldCount(t->fields);
  for (std::size_t i = 0; i < t->fields.size() && rows.size() < count; ++i) {
    const FieldInfo& f = t->fields[i];
    if (f.flags & kFieldSystem) continue;
    if (IsMemoType(f.fileType) && t->memoHandle != kBadHandle) LoadCurrentRecord(*t);
    rows.push_back(Value::MakeArray({Value(f.name), Value(std::string(1, f.type)),
                                     Value(static_cast<int>(f.length)),
                                     Value(static_cast<int>(f.decimals)),
                                     Value(static_cast<int>(f.flags))}));
  }
  return Value::MakeArray(std::move(rows));
}

void DbCloseAll() {
  AreaSet& set = Areas();
  if (set.tables.empty()) return;
  // No relations are ever set, so one pass in area order closes everything.
  while (!set.tables.empty()) set.tables.erase(set.tables.begin());
  set.current = 1;
}

int FCount() {
  const OpenTable* t = CurrentTable();
  return t ? static_cast<int>(VisibleFieldCount(t->fields)) : 0;
}

Value EvalInArea(int area, const std::function<Value()>& expr) {
  const int previous = Areas().current;
  DbSelectArea(Value(area));
  struct Restore {
    int area;
    ~Restore() { Areas().current = area; }
  } restore{previous};
  return expr();
}

Value RddList(int) {
  Array names;
  for (const char* name : kDrivers) names.push_back(Value(std::string(name)));
  return Value::MakeArray(std::move(names));
}

std::string Alias(int area) {
  const OpenTable* t = TableIn(area <= 0 ? Areas().current : area);
  return t ? t->alias : std::string();
}

int Select() { return Areas().current; }

std::string RddName() {
  Frame frame("RDDNAME");
  if (const OpenTable* t = CurrentTable()) return t->driver;
  Raise(MakeTableCommandError(EG_NOTABLE, 2001, "RDDNAME"));
  return std::string();
}

long RecNo() {
  const OpenTable* t = CurrentTable();
  return t ? static_cast<long>(t->recNo) : 0;
}

long RecCount() {
  const OpenTable* t = CurrentTable();
  return t ? static_cast<long>(t->recordCount) : 0;
}

long LastRec() { return RecCount(); }

bool Bof() {
  const OpenTable* t = CurrentTable();
  return t ? t->bof : true;
}

bool Eof() {
  const OpenTable* t = CurrentTable();
  return t ? t->eof : true;
}

int IndexOrd() { return 0; }
std::string IndexKey(int) { return std::string(); }
std::string OrdName(int) { return std::string(); }
int DbRSelect(int) { return 0; }
std::string DbRelation(int) { return std::string(); }

int MemoBlockSize(int area) {
  const OpenTable* t = TableIn(area <= 0 ? Areas().current : area);
  return t && t->memoHandle != kBadHandle ? t->memoBlockSize : 0;
}

namespace {
// A program that links the table layer has its tables in every error report,
// even when the first open is the one that fails.
const bool kReportFactsRegistered = (RegisterTableReportFacts(), true);
}  // namespace

}  // namespace meridan
