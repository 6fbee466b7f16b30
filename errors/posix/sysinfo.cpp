// System facts on Linux: /proc, uname, clock_gettime and the time-stamp counter.
#include "errors/sysinfo.h"

#include <sys/stat.h>
#include <sys/utsname.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace meridan {

char PathSeparator() { return '/'; }

namespace sys {

std::string ProgramPath() {
  std::error_code ec;
  auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : p.string().substr(0, 248);
}

long FileSize(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? static_cast<long>(st.st_size) : 0;
}

std::uint64_t PhysicalMemory() {
  const long pages = ::sysconf(_SC_PHYS_PAGES), size = ::sysconf(_SC_PAGESIZE);
  return pages > 0 && size > 0 ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(size) : 0;
}

OsVersion ReadOsVersion() {
  OsVersion v;
  struct utsname u {};
  if (::uname(&u) == 0) std::sscanf(u.release, "%d.%d.%d", &v.major, &v.minor, &v.build);
  return v;
}

std::vector<std::string> WindowTitles() { return {}; }

std::string CpuName() {
  std::ifstream in("/proc/cpuinfo");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("model name", 0) != 0) continue;
    const auto colon = line.find(':');
    if (colon == std::string::npos) return "";
    auto start = line.find_first_not_of(" \t", colon + 1);
    return start == std::string::npos ? "" : line.substr(start);
  }
  return "";
}

std::uint64_t PerfFrequency() { return 1000000000ull; }
std::uint64_t PerfCounter() {
  timespec ts{};
  ::clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::uint64_t>(ts.tv_sec) * 1000000000ull + static_cast<std::uint64_t>(ts.tv_nsec);
}
std::uint64_t TimeStamp() {
#if defined(__x86_64__) || defined(__i386__)
  return __rdtsc();
#else
  return PerfCounter();
#endif
}

bool DirectoryWritable(const std::string& dir) { return ::access(dir.c_str(), W_OK) == 0; }

std::string FallbackLogDirectory() {
  std::string base;
  if (const char* x = std::getenv("XDG_STATE_HOME"); x && *x) base = x;
  else if (const char* h = std::getenv("HOME"); h && *h) base = std::string(h) + "/.local/state";
  else return "";
  const std::string dir = base + "/meridan";
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  return dir;
}

}  // namespace sys
}  // namespace meridan
