// POSIX start of meridan-cli with posix_spawn, its output redirected to files.
#include "tests/app/run_tool.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <fstream>
#include <sstream>

extern char** environ;

namespace meridan::testing {

namespace {
std::string Slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}
}  // namespace

std::string ToolPath() {
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  std::string me(buf, n > 0 ? static_cast<std::size_t>(n) : 0);
  return me.substr(0, me.rfind('/') + 1) + "meridan-cli";
}

ToolRun RunTool(const std::vector<std::string>& args, const std::filesystem::path& scratch,
                const std::vector<std::pair<std::string, std::string>>& env) {
  const std::string program = ToolPath();
  const std::string outName = (scratch / "tool.out").string(), errName = (scratch / "tool.err").string();
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<std::string> vars;
  for (char** e = environ; *e; ++e) vars.emplace_back(*e);
  for (const auto& [name, value] : env) vars.push_back(name + "=" + value);
  std::vector<char*> envp;
  for (std::string& v : vars) envp.push_back(v.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outName.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errName.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ToolRun run;
  pid_t pid = 0;
  int started = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (started != 0) return run;
  int status = 0;
  if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.status = WEXITSTATUS(status);
  run.out = Slurp(outName);
  run.err = Slurp(errName);
  std::filesystem::remove(outName);
  std::filesystem::remove(errName);
  return run;
}

}  // namespace meridan::testing
