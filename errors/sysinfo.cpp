// The platform-independent part of the system facts.
#include "errors/sysinfo.h"

#include "runtime/clock.h"

namespace meridan {

namespace {
TableFactsProvider& Provider() {
  static TableFactsProvider p;
  return p;
}
}  // namespace

void SetTableFactsProvider(TableFactsProvider provider) { Provider() = std::move(provider); }

std::string GETCPU() { return sys::CpuName(); }

std::string CompilerVersion() {
#if defined(__clang__)
  return "clang " __clang_version__;
#elif defined(__GNUC__)
  return "GNU C++ " __VERSION__;
#else
  return "C++";
#endif
}

int ProcessorSpeed() {
  const std::uint64_t freq = sys::PerfFrequency();
  if (freq == 0) return 0;
  const std::uint64_t c0 = sys::PerfCounter();
  const std::uint64_t t0 = sys::TimeStamp();
  while (sys::PerfCounter() - c0 < (freq >> 5)) {
  }
  const std::uint64_t c1 = sys::PerfCounter();
  const std::uint64_t t1 = sys::TimeStamp();
  const float f = static_cast<float>(static_cast<double>(t1 - t0) / static_cast<double>(c1 - c0) *
                                     static_cast<double>(freq) * 0.000001);
  return RoundProcessorSpeed(f);
}

std::string LogDirectory(const std::string& program_directory) {
  if (sys::DirectoryWritable(program_directory)) return program_directory;
  const std::string fallback = sys::FallbackLogDirectory();
  return fallback.empty() ? program_directory : fallback;
}

SystemFacts ReadSystemFacts() {
  SystemFacts f;
  f.program_path = sys::ProgramPath();
  f.file_size = sys::FileSize(f.program_path);
  f.today = Today();
  f.now_seconds = SecondsNow();
  f.elapsed_seconds = StartDate().Empty() ? 0 : ElapsedSeconds(StartDate(), StartSeconds(), f.today, f.now_seconds);
  f.cpu_name = GETCPU();
  f.cpu_mhz = ProcessorSpeed();
  f.physical_memory = sys::PhysicalMemory();
  f.compiler = CompilerVersion();
  const auto os = sys::ReadOsVersion();
  f.os_major = os.major;
  f.os_minor = os.minor;
  f.os_build = os.build;
  f.service_pack = os.service_pack;
  f.nt_family = os.nt;
  f.window_titles = sys::WindowTitles();
  if (Provider().drivers) f.drivers = Provider().drivers();
  if (Provider().tables) f.tables = Provider().tables();
  return f;
}

}  // namespace meridan
