// Linux stand-ins for the system font's widths and for WinExec.
#include "ui/textmeasure.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace meridan {

int GetTextWidth(std::intptr_t, const std::string& text, std::intptr_t) {
  // A fixed table in place of the Windows system font: blank 5, all else 8.
  int w = 0;
  for (char c : text) w += c == ' ' ? 5 : 8;
  return w;
}

namespace {

std::vector<std::string> Words(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> out;
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

std::string Lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

int WinExecCode(int err) {
  switch (err) {
    case ENOENT: return 2;
    case ENOTDIR: return 3;
    case EACCES:
    case ENOEXEC: return 11;
    default: return 0;
  }
}

}  // namespace

int WinExec(const std::string& cmdLine, std::optional<int>) {
  std::size_t start = cmdLine.find_first_not_of(' ');
  if (start == std::string::npos) return 2;
  std::size_t end = cmdLine.find(' ', start);
  std::string program = cmdLine.substr(start, end == std::string::npos ? std::string::npos : end - start);
  std::string rest = end == std::string::npos ? "" : cmdLine.substr(end + 1);

  std::vector<std::string> argv;
  if (Lower(program) == "notepad.exe") {
    const char* ed = std::getenv("VISUAL");
    if (!ed || !*ed) ed = std::getenv("EDITOR");
    argv = Words(ed && *ed ? ed : "xdg-open");
    if (argv.empty()) argv.push_back("xdg-open");
    if (!rest.empty()) argv.push_back(rest);
  } else {
    argv.push_back(program);
    for (auto& w : Words(rest)) argv.push_back(w);
  }

  // The child reports a failed exec through a close-on-exec pipe; a second
  // fork detaches the program so it is never left as a zombie of ours.
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return 0;
  pid_t pid = fork();
  if (pid < 0) {
    close(fds[0]);
    close(fds[1]);
    return 0;
  }
  if (pid == 0) {
    close(fds[0]);
    setsid();
    pid_t grand = fork();
    if (grand != 0) _exit(grand < 0 ? 1 : 0);
    std::vector<char*> args;
    for (auto& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    execvp(args[0], args.data());
    int err = errno;
    (void)!write(fds[1], &err, sizeof err);
    _exit(127);
  }
  close(fds[1]);
  int status = 0;
  waitpid(pid, &status, 0);
  int err = 0;
  ssize_t n;
  do n = read(fds[0], &err, sizeof err); while (n < 0 && errno == EINTR);
  close(fds[0]);
  if (n == sizeof err) return WinExecCode(err);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return 0;
  return 33;
}

}  // namespace meridan
