// Running meridan-cli as a process of its own and collecting what it printed.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace meridan::testing {

struct ToolRun {
  int status = -1;  // exit code; -1 when it could not be started or waited for
  std::string out;  // standard output, bytes as written
  std::string err;  // standard error
};

// meridan-cli beside the running test program.
std::string ToolPath();

// Runs the tool with `args`; its output goes through files in `scratch`.
// `env` adds variables (NAME, value) to the tool's environment.
ToolRun RunTool(const std::vector<std::string>& args, const std::filesystem::path& scratch,
                const std::vector<std::pair<std::string, std::string>>& env = {});

}  // namespace meridan::testing
