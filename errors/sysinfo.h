// The system facts the error report shows, read from the running system.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "errors/report.h"

namespace meridan {

// Registered drivers and open tables come from the table layer through this
// provider; until it registers one, the report lists no drivers and no tables.
struct TableFactsProvider {
  std::function<std::vector<std::string>()> drivers;
  std::function<std::vector<OpenTableFacts>()> tables;
};
void SetTableFactsProvider(TableFactsProvider provider);

// Every fact of the report except the call stack.
SystemFacts ReadSystemFacts();

std::string GETCPU();
int ProcessorSpeed();
std::string CompilerVersion();

// The directory the log files go to: the program directory, or on a system
// where it may be read-only a per-user state directory instead.
std::string LogDirectory(const std::string& program_directory);
char PathSeparator();

// ---- the platform part -------------------------------------------------------
namespace sys {
std::string ProgramPath();
long FileSize(const std::string& path);
std::uint64_t PhysicalMemory();
struct OsVersion {
  int major = 0, minor = 0, build = 0;
  std::string service_pack;
  bool nt = false;
};
OsVersion ReadOsVersion();
std::vector<std::string> WindowTitles();
std::string CpuName();
std::uint64_t PerfFrequency();
std::uint64_t PerfCounter();
std::uint64_t TimeStamp();
bool DirectoryWritable(const std::string& dir);
std::string FallbackLogDirectory();  // "" where the program directory is always used
}  // namespace sys

}  // namespace meridan
