// POSIX start of the holder program with posix_spawn.
#include "tests/files/spawn.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>

extern char** environ;

namespace meridan::testing {

std::string HolderPath() {
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  std::string me(buf, n > 0 ? static_cast<std::size_t>(n) : 0);
  return me.substr(0, me.rfind('/') + 1) + "files_holder";
}

std::intptr_t Spawn(const std::string& program, const std::vector<std::string>& args) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return 0;
  return pid;
}

int WaitFor(std::intptr_t process) {
  int status = 0;
  if (waitpid(static_cast<pid_t>(process), &status, 0) < 0) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace meridan::testing
