// System facts on Windows: module path, memory status, version, registry,
// the window z-order and the performance counter.
#include "errors/sysinfo.h"

#include <windows.h>
#include <intrin.h>

#include <algorithm>

namespace meridan {

char PathSeparator() { return '\\'; }

namespace sys {

std::string ProgramPath() {
  char buf[249] = {};
  const DWORD n = GetModuleFileNameA(nullptr, buf, 248);
  return std::string(buf, n);
}

long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA d{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d)) return 0;
  return static_cast<long>(d.nFileSizeLow);
}

std::uint64_t PhysicalMemory() {
  MEMORYSTATUSEX m{};
  m.dwLength = sizeof m;
  return GlobalMemoryStatusEx(&m) ? m.ullTotalPhys : 0;
}

OsVersion ReadOsVersion() {
  OsVersion v;
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (GetVersionExA(&info)) {
#pragma GCC diagnostic pop
    v.major = static_cast<int>(info.dwMajorVersion);
    v.minor = static_cast<int>(info.dwMinorVersion);
    v.build = static_cast<int>(info.dwBuildNumber & 0xffff);
    v.service_pack = info.szCSDVersion;
    v.nt = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
  }
  return v;
}

std::vector<std::string> WindowTitles() {
  std::vector<std::string> titles;
  HWND active = GetActiveWindow();
  if (!active) return titles;
  for (HWND w = GetWindow(active, GW_HWNDFIRST); w; w = GetWindow(w, GW_HWNDNEXT)) {
    char buf[256] = {};
    const int n = GetWindowTextA(w, buf, sizeof buf);
    AddWindowTitle(titles, std::string(buf, n > 0 ? n : 0));
  }
  return titles;
}

std::string CpuName() {
  HKEY key = nullptr;
  const char* path = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS &&
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return "";
  char buf[512] = {};
  DWORD size = sizeof buf - 1, type = 0;
  std::string name;
  if (RegQueryValueExA(key, "ProcessorNameString", nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) ==
      ERROR_SUCCESS)
    name.assign(buf, size);
  RegCloseKey(key);
  name.erase(std::remove(name.begin(), name.end(), '\0'), name.end());
  return name;
}

std::uint64_t PerfFrequency() {
  LARGE_INTEGER f{};
  return QueryPerformanceFrequency(&f) ? static_cast<std::uint64_t>(f.QuadPart) : 0;
}
std::uint64_t PerfCounter() {
  LARGE_INTEGER c{};
  QueryPerformanceCounter(&c);
  return static_cast<std::uint64_t>(c.QuadPart);
}
std::uint64_t TimeStamp() { return __rdtsc(); }

// The program directory is where the user looks for the logs; on Windows it
// stays the only place, as the dialog's log button opens it there.
bool DirectoryWritable(const std::string&) { return true; }
std::string FallbackLogDirectory() { return ""; }

}  // namespace sys
}  // namespace meridan
