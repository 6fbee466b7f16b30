// The operating-system part of the file functions: one interface, a Win32 and a POSIX implementation.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/fileio.h"

namespace meridan::os {

// Every call answers a Windows error code in `err` (0 on success). Names are
// Windows-1252 text in Windows form.
FileHandle Open(const std::string& name, int mode, int& err);
FileHandle Create(const std::string& name, int attr, int& err);
long Read(FileHandle h, char* buffer, long count, int& err);
long Write(FileHandle h, const char* data, long count, int& err);
long Seek(FileHandle h, long offset, int origin, int& err);
bool Close(FileHandle h, int& err);
int Erase(const std::string& name);
int Rename(const std::string& from, const std::string& to);

// One directory entry found for a name or a pattern ("*" and "?").
struct DirEntry {
  std::string name;  // Windows-1252
  bool directory = false;
  bool hidden = false;
  bool system = false;
  std::uint64_t size = 0;
  // last write, local time
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
// Entries matching `pattern`, as the platform's find calls list them; `err`
// is 2 or 3 when nothing is found.
std::vector<DirEntry> Find(const std::string& pattern, int& err);

std::string ProgramPath();
std::uint64_t TickMilliseconds();

}  // namespace meridan::os
