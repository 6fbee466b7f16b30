// POSIX part of the file functions: gives Windows' answers (names, error codes, share modes) on a POSIX file system.
#include "files/osfile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <map>
#include <optional>

#include "files/posix/errno_map.h"
#include "runtime/codepage.h"

namespace meridan::os {

int WindowsCode(int errnum) {
  struct Pair { int errnum, code; };
  static constexpr Pair kTable[] = {
      {0, 0},           {ENOENT, 2},   {ENOTDIR, 3},       {EACCES, 5},     {EPERM, 5},
      {EROFS, 19},      {EISDIR, 5},   {EMFILE, 4},        {ENFILE, 4},     {EBADF, 6},
      {ENOMEM, 8},      {EXDEV, 17},   {ETXTBSY, 32},      {EBUSY, 32},     {EAGAIN, 33},
      {EEXIST, 80},     {EINVAL, 87},  {ENOSPC, 112},      {EDQUOT, 112},   {EFBIG, 112},
      {EILSEQ, 123},    {ENOTEMPTY, 145}, {ENAMETOOLONG, 206}, {ELOOP, 1921}, {EIO, 1117},
  };
  for (const Pair& p : kTable)
    if (p.errnum == errnum) return p.code;
  return 31;  // a device attached to the system is not functioning: Windows' general failure
}

namespace {

// Names on disk are UTF-8; a name either converts whole or not at all.
std::optional<std::string> ToUtf8(const std::string& s) { return Utf8From1252(s); }
std::optional<std::string> FromUtf8(const std::string& s) { return Cp1252FromUtf8(s); }

// Upper case of one Windows-1252 letter, for matching names as Windows does.
unsigned char Fold(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
  }
  return c;
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

bool Matches(const char* p, const char* n) {
  for (; *p; ++p, ++n) {
    if (*p == '*') {
      while (p[1] == '*') ++p;
      if (!p[1]) return true;
      for (; *n; ++n)
        if (Matches(p + 1, n)) return true;
      return false;
    }
    if (!*n) return false;
    if (*p != '?' && Fold(*p) != Fold(*n)) return false;
  }
  return !*n;
}

bool Wild(const std::string& s) { return s.find_first_of("*?") != std::string::npos; }

// ---- names ------------------------------------------------------------------
// A Windows name taken apart into a directory that exists and a last part.
struct Place {
  std::string dir;        // POSIX path of the directory, "." for the current one
  std::string last;       // last component as found on disk (UTF-8), or as given
  std::string last_1252;  // last component in Windows-1252, as given
  bool exists = false;    // the last component exists (dir/last)
  std::string Path() const { return last.empty() ? dir : (dir == "/" ? "/" : dir + "/") + last; }
};

// The directory entry of `dir` named `name` exactly or else case-insensitively.
std::optional<std::string> Lookup(const std::string& dir, const std::string& name_utf8,
                                  const std::string& name_1252) {
  struct stat st;
  std::string exact = (dir == "/" ? "/" : dir + "/") + name_utf8;
  if (lstat(exact.c_str(), &st) == 0) return name_utf8;
  DIR* d = opendir(dir.c_str());
  if (!d) return std::nullopt;
  std::optional<std::string> found;
  while (dirent* e = readdir(d)) {
    auto n = FromUtf8(e->d_name);
    if (n && SameName(*n, name_1252)) {
      found = e->d_name;
      break;
    }
  }
  closedir(d);
  return found;
}

bool IsDir(const std::string& p) {
  struct stat st;
  return stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Windows form to a place on disk. "\" and "/" separate, "Z:" is the root,
// trailing blanks and dots of a component are dropped, each component is
// matched exactly and then case-insensitively. `wild_last` lets "*" and "?"
// through in the last component (for finding).
bool Resolve(const std::string& name, Place& out, int& err, bool wild_last = false) {
  if (name.empty()) { err = 2; return false; }
  if (name.size() >= 260) { err = 206; return false; }
  std::string rest = name;
  out.dir = ".";
  if (name.size() >= 2 && name[1] == ':') {
    if (Fold(name[0]) != 'Z') { err = 3; return false; }
    rest = name.substr(2);
    out.dir = "/";
  }
  if (!rest.empty() && (rest[0] == '\\' || rest[0] == '/')) out.dir = "/";
  std::vector<std::string> parts;
  std::string cur;
  for (char c : rest + "\\") {
    if (c == '\\' || c == '/') {
      if (cur != "." && cur != "..")
        while (!cur.empty() && (cur.back() == ' ' || cur.back() == '.')) cur.pop_back();
      if (!cur.empty()) parts.push_back(cur);
      cur.clear();
      continue;
    }
    unsigned char u = c;
    if (u < 0x20 || c == '<' || c == '>' || c == '"' || c == '|' || c == ':') { err = 123; return false; }
    cur += c;
  }
  out.last.clear();
  out.last_1252.clear();
  out.exists = true;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    bool last = i + 1 == parts.size();
    if (Wild(parts[i]) && !(last && wild_last)) { err = 123; return false; }
    auto utf8 = ToUtf8(parts[i]);
    if (!utf8) { err = 123; return false; }
    if (utf8->size() > 255) { err = 206; return false; }
    std::optional<std::string> found;
    if (*utf8 == "." || *utf8 == "..") found = *utf8;
    else if (!Wild(parts[i])) found = Lookup(out.dir, *utf8, parts[i]);
    if (last) {
      out.last = found ? *found : *utf8;
      out.last_1252 = parts[i];
      out.exists = found.has_value();
      break;
    }
    if (!found) { err = 3; return false; }
    out.dir = (out.dir == "/" ? "/" : (out.dir == "." ? "" : out.dir + "/")) + *found;
    if (out.dir.empty()) out.dir = ".";
    if (!IsDir(out.dir)) { err = 3; return false; }
  }
  err = 0;
  return true;
}

// ---- share modes ------------------------------------------------------------
// Windows refuses an open that conflicts with the access or sharing of any
// open handle, in this process or another. Each handle announces what it
// does by a shared lock on one of four bytes far beyond any data; an open
// tests the bytes it conflicts with for locks of other handles.
//
// These are open-file-description locks (F_OFD_*), not process-wide record
// locks (F_SETLK): record locks belong to the process, so two handles of
// this program would never see each other, and closing any descriptor of the
// file would drop the locks of all its handles. OFD locks belong to the one
// open(), conflict between handles of the same process and live until that
// handle is closed. The test-and-take runs under flock() on the same
// description so two opens cannot pass the test together. Programs that
// take no such locks cannot be seen.
constexpr off_t kShareBase = off_t(1) << 62;
enum Slot { kReadAccess = 0, kWriteAccess = 1, kDenyRead = 2, kDenyWrite = 3 };

bool Held(int fd, Slot s) {
  struct flock l{};
  l.l_type = F_WRLCK;
  l.l_whence = SEEK_SET;
  l.l_start = kShareBase + s;
  l.l_len = 1;
  if (fcntl(fd, F_OFD_GETLK, &l) != 0) return false;
  return l.l_type != F_UNLCK;
}

bool Take(int fd, Slot s) {
  struct flock l{};
  l.l_type = F_RDLCK;
  l.l_whence = SEEK_SET;
  l.l_start = kShareBase + s;
  l.l_len = 1;
  return fcntl(fd, F_OFD_SETLK, &l) == 0;
}

// Tests and takes the share slots of an open; false means sharing violation.
bool Share(int fd, bool read, bool write, bool deny_read, bool deny_write) {
  flock(fd, LOCK_EX);
  bool clash = (read && Held(fd, kDenyRead)) || (write && Held(fd, kDenyWrite)) ||
               (deny_read && Held(fd, kReadAccess)) || (deny_write && Held(fd, kWriteAccess));
  if (!clash) {
    if (read) Take(fd, kReadAccess);
    if (write) Take(fd, kWriteAccess);
    if (deny_read) Take(fd, kDenyRead);
    if (deny_write) Take(fd, kDenyWrite);
  }
  flock(fd, LOCK_UN);
  return !clash;
}

// Whether any handle has the file open (for erase and rename, which Windows
// refuses then).
bool InUse(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool used = Held(fd, kReadAccess) || Held(fd, kWriteAccess) || Held(fd, kDenyRead) || Held(fd, kDenyWrite);
  ::close(fd);
  return used;
}

bool ReadOnly(const struct stat& st) { return (st.st_mode & 0222) == 0; }

// Access of each open handle: Windows refuses a read on a write-only handle
// with 5, which POSIX would not (the descriptor may be opened read-write so
// that it can carry the share locks).
std::map<int, int>& Access() {
  static std::map<int, int> handles;
  return handles;
}

}  // namespace

FileHandle Open(const std::string& name, int mode, int& err) {
  Place p;
  if (!Resolve(name, p, err)) return kBadHandle;
  if (!p.exists) { err = 2; return kBadHandle; }
  std::string path = p.Path();
  struct stat st;
  if (stat(path.c_str(), &st) != 0) { err = WindowsCode(errno); return kBadHandle; }
  int access = mode & 3;
  if (access == 3) { err = 12; return kBadHandle; }  // invalid access code
  bool read = access != FO_WRITE, write = access != FO_READ;
  if (S_ISDIR(st.st_mode) || (write && ReadOnly(st))) { err = 5; return kBadHandle; }
  int share = mode & 0x70;
  bool deny_read = share == FO_EXCLUSIVE || share == FO_DENYREAD;
  bool deny_write = share == FO_EXCLUSIVE || share == FO_DENYWRITE;
  int fd = ::open(path.c_str(), (write ? O_RDWR : O_RDONLY) | O_CLOEXEC);
  if (fd < 0 && write && !read) fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) { err = WindowsCode(errno); return kBadHandle; }
  if (!Share(fd, read, write, deny_read, deny_write)) {
    ::close(fd);
    err = 32;
    return kBadHandle;
  }
  Access()[fd] = access;
  err = 0;
  return fd;
}

FileHandle Create(const std::string& name, int attr, int& err) {
  Place p;
  if (!Resolve(name, p, err)) return kBadHandle;
  if (p.last.empty()) { err = 3; return kBadHandle; }
  std::string path = p.Path();
  int fd = -1;
  if (!p.exists) {
    fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, (attr & FC_READONLY) ? 0444 : 0666);
    if (fd < 0 && errno != EEXIST) { err = WindowsCode(errno); return kBadHandle; }
  }
  if (fd < 0) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) { err = WindowsCode(errno); return kBadHandle; }
    if (S_ISDIR(st.st_mode) || ReadOnly(st)) { err = 5; return kBadHandle; }
    fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) { err = WindowsCode(errno); return kBadHandle; }
  }
  // Truncate only once the exclusive hold is ours: a file open elsewhere keeps its bytes.
  if (!Share(fd, true, true, true, true)) {
    ::close(fd);
    err = 32;
    return kBadHandle;
  }
  if (ftruncate(fd, 0) != 0) {
    err = WindowsCode(errno);
    ::close(fd);
    return kBadHandle;
  }
  Access()[fd] = FO_READWRITE;
  err = 0;
  return fd;
}

long Read(FileHandle h, char* buffer, long count, int& err) {
  auto it = Access().find(static_cast<int>(h));
  if (it == Access().end()) { err = 6; return 0; }
  if (it->second == FO_WRITE) { err = 5; return 0; }
  ssize_t n;
  do n = ::read(static_cast<int>(h), buffer, static_cast<std::size_t>(count));
  while (n < 0 && errno == EINTR);
  err = n < 0 ? WindowsCode(errno) : 0;
  return n < 0 ? 0 : static_cast<long>(n);
}

long Write(FileHandle h, const char* data, long count, int& err) {
  auto it = Access().find(static_cast<int>(h));
  if (it == Access().end()) { err = 6; return 0; }
  if (it->second == FO_READ) { err = 5; return 0; }
  long done = 0;
  while (done < count) {
    ssize_t n = ::write(static_cast<int>(h), data + done, static_cast<std::size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) { err = n < 0 ? WindowsCode(errno) : 112; return done; }
    done += n;
  }
  err = 0;
  return done;
}

long Seek(FileHandle h, long offset, int origin, int& err) {
  int fd = static_cast<int>(h);
  if (!Access().count(fd)) { err = 6; return 0; }
  int how = origin == 1 ? SEEK_CUR : origin == 2 ? SEEK_END : SEEK_SET;
  off_t pos = lseek(fd, offset, how);
  if (pos < 0) {
    // Windows refuses a position before the start with 131 and leaves the pointer.
    err = errno == EINVAL ? 131 : WindowsCode(errno);
    return static_cast<long>(lseek(fd, 0, SEEK_CUR));
  }
  err = 0;
  return static_cast<long>(pos);
}

bool Close(FileHandle h, int& err) {
  int fd = static_cast<int>(h);
  if (!Access().erase(fd)) { err = 6; return false; }
  err = ::close(fd) == 0 ? 0 : WindowsCode(errno);
  return err == 0;
}

int Erase(const std::string& name) {
  Place p;
  int err = 0;
  if (!Resolve(name, p, err)) return err;
  if (!p.exists) return 2;
  std::string path = p.Path();
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) return WindowsCode(errno);
  if (S_ISDIR(st.st_mode) || (!S_ISLNK(st.st_mode) && ReadOnly(st))) return 5;
  if (InUse(path)) return 32;
  return unlink(path.c_str()) == 0 ? 0 : WindowsCode(errno);
}

int Rename(const std::string& from, const std::string& to) {
  Place a, b;
  int err = 0;
  if (!Resolve(from, a, err)) return err;
  if (!a.exists) return 2;
  if (!Resolve(to, b, err)) return err;
  if (b.last.empty()) return 3;
  std::string src = a.Path(), dst = b.Path();
  if (b.exists && src != dst) return 183;
  if (!IsDir(src) && InUse(src)) return 32;
  return ::rename(src.c_str(), dst.c_str()) == 0 ? 0 : WindowsCode(errno);
}

std::vector<DirEntry> Find(const std::string& pattern, int& err) {
  std::vector<DirEntry> out;
  Place p;
  if (!Resolve(pattern, p, err, true)) return out;
  auto entry = [&](const std::string& dir, const std::string& utf8, const std::string& name) {
    struct stat st;
    std::string path = (dir == "/" ? "/" : dir + "/") + utf8;
    if (stat(path.c_str(), &st) != 0) return;
    DirEntry e;
    e.name = name;
    e.directory = S_ISDIR(st.st_mode);
    e.hidden = name.size() > 0 && name[0] == '.' && name != "." && name != "..";
    e.size = e.directory ? 0 : static_cast<std::uint64_t>(st.st_size);
    struct tm tm{};
    localtime_r(&st.st_mtime, &tm);
    e.year = tm.tm_year + 1900; e.month = tm.tm_mon + 1; e.day = tm.tm_mday;
    e.hour = tm.tm_hour; e.minute = tm.tm_min; e.second = tm.tm_sec;
    out.push_back(std::move(e));
  };
  if (p.last.empty()) { err = 2; return out; }  // a bare root or drive lists nothing
  if (!Wild(p.last_1252)) {
    if (p.exists) {
      auto n = FromUtf8(p.last);
      entry(p.dir, p.last, n ? *n : p.last_1252);
    }
  } else {
    std::string pat = p.last_1252 == "*.*" ? "*" : p.last_1252;
    std::vector<std::pair<std::string, std::string>> names;
    if (DIR* d = opendir(p.dir.c_str())) {
      while (dirent* e = readdir(d)) {
        std::string n = e->d_name;
        if ((n == "." || n == "..") && p.dir == "/") continue;
        auto w = FromUtf8(n);
        if (w && Matches(pat.c_str(), w->c_str())) names.emplace_back(*w, n);
      }
      closedir(d);
    }
    std::sort(names.begin(), names.end());
    for (auto& [w, n] : names) entry(p.dir, n, w);
  }
  err = out.empty() ? 2 : 0;
  return out;
}

std::string ProgramPath() {
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "";
  std::string utf8(buf, static_cast<std::size_t>(n));
  auto w = FromUtf8(utf8);
  std::string s = "Z:" + (w ? *w : utf8);
  std::replace(s.begin(), s.end(), '/', '\\');
  return s;
}

std::uint64_t TickMilliseconds() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::uint64_t>(ts.tv_sec) * 1000 + static_cast<std::uint64_t>(ts.tv_nsec / 1000000);
}

}  // namespace meridan::os
