// Win32 part of the file functions: CreateFileA and friends, FindFirstFileA; Windows gives the answers itself.
#include "files/osfile.h"

#include <windows.h>

namespace meridan::os {
namespace {

HANDLE AsHandle(FileHandle h) { return reinterpret_cast<HANDLE>(h); }
FileHandle FromHandle(HANDLE h) {
  return h == INVALID_HANDLE_VALUE ? kBadHandle : reinterpret_cast<FileHandle>(h);
}

DWORD ShareOf(int mode) {
  switch (mode & 0x70) {
    case FO_EXCLUSIVE: return 0;
    case FO_DENYWRITE: return FILE_SHARE_READ;
    case FO_DENYREAD: return FILE_SHARE_WRITE;
    default: return FILE_SHARE_READ | FILE_SHARE_WRITE;  // compatibility and shared
  }
}

DWORD AccessOf(int mode) {
  switch (mode & 3) {
    case FO_WRITE: return GENERIC_WRITE;
    case FO_READWRITE: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
  }
}

}  // namespace

FileHandle Open(const std::string& name, int mode, int& err) {
  HANDLE h = CreateFileA(name.c_str(), AccessOf(mode), ShareOf(mode), nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  err = h == INVALID_HANDLE_VALUE ? static_cast<int>(GetLastError()) : 0;
  return FromHandle(h);
}

FileHandle Create(const std::string& name, int attr, int& err) {
  DWORD flags = 0;
  if (attr & FC_READONLY) flags |= FILE_ATTRIBUTE_READONLY;
  if (attr & FC_HIDDEN) flags |= FILE_ATTRIBUTE_HIDDEN;
  if (attr & FC_SYSTEM) flags |= FILE_ATTRIBUTE_SYSTEM;
  if (flags == 0) flags = FILE_ATTRIBUTE_NORMAL;
  HANDLE h = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         flags, nullptr);
  err = h == INVALID_HANDLE_VALUE ? static_cast<int>(GetLastError()) : 0;
  return FromHandle(h);
}

long Read(FileHandle h, char* buffer, long count, int& err) {
  DWORD got = 0;
  err = ReadFile(AsHandle(h), buffer, static_cast<DWORD>(count), &got, nullptr) ? 0 : static_cast<int>(GetLastError());
  return static_cast<long>(got);
}

long Write(FileHandle h, const char* data, long count, int& err) {
  DWORD put = 0;
  err = WriteFile(AsHandle(h), data, static_cast<DWORD>(count), &put, nullptr) ? 0 : static_cast<int>(GetLastError());
  return static_cast<long>(put);
}

long Seek(FileHandle h, long offset, int origin, int& err) {
  DWORD how = origin == 1 ? FILE_CURRENT : origin == 2 ? FILE_END : FILE_BEGIN;
  LARGE_INTEGER dist, pos;
  dist.QuadPart = offset;
  if (!SetFilePointerEx(AsHandle(h), dist, &pos, how)) {
    err = static_cast<int>(GetLastError());
    dist.QuadPart = 0;
    SetFilePointerEx(AsHandle(h), dist, &pos, FILE_CURRENT);
    return static_cast<long>(pos.QuadPart);
  }
  err = 0;
  return static_cast<long>(pos.QuadPart);
}

bool Close(FileHandle h, int& err) {
  bool ok = CloseHandle(AsHandle(h)) != 0;
  err = ok ? 0 : static_cast<int>(GetLastError());
  return ok;
}

int Erase(const std::string& name) {
  return DeleteFileA(name.c_str()) ? 0 : static_cast<int>(GetLastError());
}

int Rename(const std::string& from, const std::string& to) {
  return MoveFileA(from.c_str(), to.c_str()) ? 0 : static_cast<int>(GetLastError());
}

std::vector<DirEntry> Find(const std::string& pattern, int& err) {
  std::vector<DirEntry> out;
  WIN32_FIND_DATAA fd;
  HANDLE f = FindFirstFileA(pattern.c_str(), &fd);
  if (f == INVALID_HANDLE_VALUE) {
    err = static_cast<int>(GetLastError());
    return out;
  }
  do {
    DirEntry e;
    e.name = fd.cFileName;
    e.directory = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    e.hidden = (fd.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    e.system = (fd.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    e.size = (static_cast<std::uint64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
    FILETIME local;
    SYSTEMTIME st;
    if (FileTimeToLocalFileTime(&fd.ftLastWriteTime, &local) && FileTimeToSystemTime(&local, &st)) {
      e.year = st.wYear; e.month = st.wMonth; e.day = st.wDay;
      e.hour = st.wHour; e.minute = st.wMinute; e.second = st.wSecond;
    }
    out.push_back(std::move(e));
  } while (FindNextFileA(f, &fd));
  FindClose(f);
  err = 0;
  return out;
}

std::string ProgramPath() {
  char buf[MAX_PATH + 1];
  DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
  return std::string(buf, n);
}

std::uint64_t TickMilliseconds() { return GetTickCount(); }

}  // namespace meridan::os
