// Handle-level file functions, functions on file names and the last file
// error code. None of them raises an error except FOpen for a name that is
// not a text; failures show as false, -1 or 0 and in the last file error code
// (a Windows error code on every platform).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "runtime/value.h"

namespace meridan {

using FileHandle = std::intptr_t;
inline constexpr FileHandle kBadHandle = -1;

// Open modes: one access value plus one sharing value.
enum FileMode : int {
  FO_READ = 0,
  FO_WRITE = 1,
  FO_READWRITE = 2,
  FO_COMPAT = 0,
  FO_EXCLUSIVE = 16,
  FO_DENYWRITE = 32,
  FO_DENYREAD = 48,
  FO_SHARED = 64,
};

// Attributes of FCreate.
enum FileAttr : int {
  FC_NORMAL = 0,
  FC_READONLY = 1,
  FC_HIDDEN = 2,
  FC_SYSTEM = 4,
  FC_TEMPORARY = 8,
};

// ---- handle level ----------------------------------------------------------
// Names are Windows-1252 text in Windows form; a Value that holds no text is
// the "not a text" case of each function.
FileHandle FOpen(const Value& cName, int nMode = FO_READ);
FileHandle FCreate(const Value& cName, int nAttr = FC_NORMAL);
long FRead(FileHandle h, std::string& cBuffer, long nCount);
long FWrite(FileHandle h, const std::string& cText, std::optional<long> nCount = std::nullopt);
long FSeek(FileHandle h, long nOffset, int nOrigin = 0);
bool FClose(FileHandle h);
int FError();  // last file error code, 32 reported as 5
int FRename(const Value& cOld, const Value& cNew);

// The last file error code as stored (183 already stored as 5).
int LastFileError();
void SetLastFileError(int code);

// ---- by name -------------------------------------------------------------------
bool File(const Value& cName);
int FErase(const Value& cName);
bool MemoWrit(const Value& cName, const Value& cText);
long FSize(const Value& cName);
Date FDate(const Value& cName);
std::string FTime(const Value& cName);

// Full path of the running program file, in Windows form.
std::string ProgramPath();

// ---- replaceable calls -----------------------------------------------------
// The few operating-system calls a test must be able to fail. Every function
// above goes through this table, so a test can replace an entry (keep the old
// one and put it back, e.g. with FileCallsGuard) to force error 32 on an
// open, count reads, give a short read or prove that nothing is written.
// Each call answers the Windows error code in `err` (0 on success); names are
// already checked texts in Windows form.
struct FileCalls {
  FileHandle (*open)(const std::string& name, int mode, int& err);
  FileHandle (*create)(const std::string& name, int attr, int& err);
  long (*read)(FileHandle h, char* buffer, long count, int& err);
  long (*write)(FileHandle h, const char* data, long count, int& err);
  int (*erase)(const std::string& name);  // the error code, 0 when erased
};
FileCalls& Calls();            // the table in use
const FileCalls& OsCalls();    // the operating system's own entries

// Restores the table on leaving a test's scope.
class FileCallsGuard {
 public:
  FileCallsGuard() : saved_(Calls()) {}
  ~FileCallsGuard() { Calls() = saved_; }
  FileCallsGuard(const FileCallsGuard&) = delete;
  FileCallsGuard& operator=(const FileCallsGuard&) = delete;

 private:
  FileCalls saved_;
};

}  // namespace meridan
