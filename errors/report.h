// The German error report as a pure function of an error object, the system
// facts and the call-stack levels, and the formatting helpers it uses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "errors/error.h"
#include "runtime/value.h"

namespace meridan {

struct OrderFacts {
  std::string key;  // "" for an unused order slot
  std::string tag;
};
struct RelationFacts {
  int target_area = 0;  // 0 for an unused relation slot
  std::string expression;
  std::string target_alias;
};
struct OpenTableFacts {
  int area = 0;
  bool current = false;
  std::string alias;
  std::string driver;
  long recno = 0;
  long reccount = 0;
  bool bof = false;
  bool eof = false;
  int controlling_order = 0;
  std::vector<OrderFacts> orders;        // orders 1..15
  std::vector<RelationFacts> relations;  // relations 1..8
};

struct SystemFacts {
  std::string program_path;
  long file_size = 0;
  double elapsed_seconds = 0;
  Date today;
  double now_seconds = 0;
  std::string cpu_name;
  int cpu_mhz = 0;
  std::uint64_t physical_memory = 0;
  int free_resources = 90;
  std::string compiler;
  int os_major = 0, os_minor = 0, os_build = 0;
  std::string service_pack;
  bool nt_family = false;
  std::vector<std::string> window_titles;
  std::vector<std::string> drivers;
  std::vector<OpenTableFacts> tables;
  std::vector<std::string> classes;
  long static_variables = 0;
  long dynamic_current = 0;
  long dynamic_peak = 0;
};

// One named call-stack level as the report shows it.
struct ReportLevel {
  std::string name;
  std::string module;
  int line = 0;
  std::vector<Value> params;
  std::vector<Value> locals;
};

struct Report {
  std::string text;
  std::string message_line;
  std::vector<std::string> stack_list;
  int buttons = 1;
};

Report BuildReport(const Error& e, const SystemFacts& facts, const std::vector<ReportLevel>& levels);

// The named levels 2 to 73; the caller's own frame is level 0.
std::vector<ReportLevel> CollectLevels();

std::string CGETINFO(const Value& v);
std::string ByteSizeText(long size);  // the picture "9,999,999 bytes"
double ElapsedSeconds(Date start, double start_seconds, Date now, double now_seconds);
std::string ElapsedText(double seconds);
// Steps 4-8 of the clock-rate rounding applied to a measured rate in MHz.
int RoundProcessorSpeed(float mhz);
// Adds a window title unless a title already listed begins with it.
void AddWindowTitle(std::vector<std::string>& titles, const std::string& title);

}  // namespace meridan
