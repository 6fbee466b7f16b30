// Handle-level and by-name file functions on top of the platform part; keeps the last file error code.
#include "files/fileio.h"

#include "errors/raise.h"
#include "files/osfile.h"
#include "runtime/callstack.h"

#include <cstdio>

namespace meridan {
namespace {

int g_last_error = 0;

FileCalls& Table() {
  static FileCalls calls = OsCalls();
  return calls;
}

// Windows answers "already exists" (183) where the runtime reports 5.
void Store(int code) { g_last_error = code == 183 ? 5 : code; }

bool HasWildcard(const std::string& s) { return s.find_first_of("*?") != std::string::npos; }

bool UsableName(const Value& v) { return v.IsText() && !v.AsText().empty(); }

}  // namespace

const FileCalls& OsCalls() {
  static const FileCalls calls{&os::Open, &os::Create, &os::Read, &os::Write, &os::Erase};
  return calls;
}
FileCalls& Calls() { return Table(); }

int LastFileError() { return g_last_error; }
void SetLastFileError(int code) { Store(code); }
int FError() { return g_last_error == 32 ? 5 : g_last_error; }

FileHandle FOpen(const Value& cName, int nMode) {
  if (!cName.IsText()) {
    Frame frame("FOPEN");
    BuiltinError what;
    what.GenCode = 1;  // argument error
    what.SubCode = 2021;
    what.Operation = "FOPEN";
    Array args;
    args.push_back(cName);
    args.push_back(Value(nMode));
    what.Args = std::move(args);
    RaiseBuiltin(what);
    return kBadHandle;
  }
  int err = 0;
  FileHandle h = cName.AsText().empty() ? (err = 2, kBadHandle) : Table().open(cName.AsText(), nMode, err);
  Store(h == kBadHandle ? err : 0);
  return h;
}

FileHandle FCreate(const Value& cName, int nAttr) {
  if (!cName.IsText()) {
    Store(3);
    return kBadHandle;
  }
  int err = 0;
  FileHandle h = cName.AsText().empty() ? (err = 3, kBadHandle) : Table().create(cName.AsText(), nAttr, err);
  Store(h == kBadHandle ? err : 0);
  return h;
}

long FRead(FileHandle h, std::string& cBuffer, long nCount) {
  if (nCount < 0 || static_cast<std::size_t>(nCount) > cBuffer.size()) {
    Store(0);
    return 0;
  }
  if (h <= 0) {
    Store(6);
    return 0;
  }
  int err = 0;
  long n = nCount == 0 ? 0 : Table().read(h, cBuffer.data(), nCount, err);
  Store(err);
  return n < 0 ? 0 : n;
}

long FWrite(FileHandle h, const std::string& cText, std::optional<long> nCount) {
  long count = nCount ? *nCount : static_cast<long>(cText.size());
  if (count < 0) count = 0;
  // Writing past the text would hand out bytes that are not the caller's.
  if (static_cast<std::size_t>(count) > cText.size()) count = static_cast<long>(cText.size());
  if (h <= 0) {
    Store(6);
    return 0;
  }
  int err = 0;
  long n = count == 0 ? 0 : Table().write(h, cText.data(), count, err);
  Store(err);
  return n < 0 ? 0 : n;
}

long FSeek(FileHandle h, long nOffset, int nOrigin) {
  if (h <= 0) {
    Store(6);
    return 0;
  }
  int err = 0;
  long pos = os::Seek(h, nOffset, nOrigin, err);
  Store(err);
  return pos < 0 ? 0 : pos;
}

bool FClose(FileHandle h) {
  if (h <= 0) {
    Store(6);
    return false;
  }
  int err = 0;
  bool ok = os::Close(h, err);
  Store(err);
  return ok;
}

int FRename(const Value& cOld, const Value& cNew) {
  if (!UsableName(cOld) || !UsableName(cNew)) {
    Store(cOld.IsText() && cNew.IsText() ? 2 : 3);
    return -1;
  }
  int err = os::Rename(cOld.AsText(), cNew.AsText());
  Store(err);
  return err == 0 ? 0 : -1;
}

bool File(const Value& cName) {
  bool found = false;
  if (cName.IsText() && cName.AsText().size() < 255) {
    // No default directory and no search path are set: a name without a
    // directory part is looked for in the current directory, as is any other.
    const std::string& name = cName.AsText();
    if (!name.empty() && name.back() != '\\') {
      int err = 0;
      std::vector<os::DirEntry> entries = os::Find(name, err);
      if (!entries.empty()) {
        if (!entries.front().directory) {
          found = true;
        } else if (HasWildcard(name)) {
          for (std::size_t i = 1; i < entries.size() && !found; ++i) found = !entries[i].directory;
        }
      }
    }
  }
  Store(0);
  return found;
}

int FErase(const Value& cName) {
  if (!cName.IsText()) {
    Store(3);
    return -1;
  }
  const std::string& name = cName.AsText();
  if (name.empty()) {
    Store(2);
    return -1;
  }
  if (HasWildcard(name)) {
    Store(123);
    return -1;
  }
  int err = Table().erase(name);
  Store(err);
  return err == 0 ? 0 : -1;
}

bool MemoWrit(const Value& cName, const Value& cText) {
  if (!cName.IsText() || !(cText.IsText() || cText.IsLongText())) return false;
  FileHandle h = FCreate(cName, FC_NORMAL);
  if (h == kBadHandle) return false;
  const std::string& text = cText.AsText();
  long written = FWrite(h, text);
  int write_err = LastFileError();
  FWrite(h, std::string(1, '\x1a'));
  FClose(h);
  bool ok = written == static_cast<long>(text.size());
  // A failed text write is what the caller needs to see, not the close.
  if (!ok && write_err != 0) Store(write_err);
  return ok;
}

namespace {
// The first entry for FSize, FDate and FTime: no directory, no hidden or system file.
std::optional<os::DirEntry> FirstPlainEntry(const Value& cName) {
  if (!cName.IsText() || cName.AsText().empty() || cName.AsText().size() >= 255) return std::nullopt;
  int err = 0;
  for (const os::DirEntry& e : os::Find(cName.AsText(), err)) {
    if (!e.directory && !e.hidden && !e.system) return e;
  }
  return std::nullopt;
}
}  // namespace

long FSize(const Value& cName) {
  auto e = FirstPlainEntry(cName);
  return e ? static_cast<long>(e->size) : 0;
}

Date FDate(const Value& cName) {
  auto e = FirstPlainEntry(cName);
  return e ? Date::FromYmd(e->year, e->month, e->day) : Date();
}

std::string FTime(const Value& cName) {
  auto e = FirstPlainEntry(cName);
  if (!e) return "";
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", e->hour, e->minute, e->second);
  return buf;
}

std::string ProgramPath() { return os::ProgramPath(); }

}  // namespace meridan
