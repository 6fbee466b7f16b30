// Windows start of meridan-cli.exe with CreateProcessA, its output redirected to files.
#include "tests/app/run_tool.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace meridan::testing {

namespace {
std::string Slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

HANDLE Inheritable(const std::string& name, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  return CreateFileA(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, disposition,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}
}  // namespace

std::string ToolPath() {
  char buf[MAX_PATH + 1];
  DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
  std::string me(buf, n);
  return me.substr(0, me.rfind('\\') + 1) + "meridan-cli.exe";
}

ToolRun RunTool(const std::vector<std::string>& args, const std::filesystem::path& scratch,
                const std::vector<std::pair<std::string, std::string>>& env) {
  const std::string program = ToolPath();
  const std::string outName = (scratch / "tool.out").string(), errName = (scratch / "tool.err").string();
  std::string cmd = "\"" + program + "\"";
  for (const std::string& a : args) cmd += " \"" + a + "\"";
  for (const auto& [name, value] : env) SetEnvironmentVariableA(name.c_str(), value.c_str());

  ToolRun run;
  HANDLE in = Inheritable("NUL", GENERIC_READ, OPEN_EXISTING);
  HANDLE out = Inheritable(outName, GENERIC_WRITE, CREATE_ALWAYS);
  HANDLE err = Inheritable(errName, GENERIC_WRITE, CREATE_ALWAYS);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = in;
  si.hStdOutput = out;
  si.hStdError = err;
  PROCESS_INFORMATION pi{};
  BOOL started = CreateProcessA(program.c_str(), cmd.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                nullptr, &si, &pi);
  CloseHandle(in);
  CloseHandle(out);
  CloseHandle(err);
  for (const auto& env_var : env) SetEnvironmentVariableA(env_var.first.c_str(), nullptr);
  if (started) {
    CloseHandle(pi.hThread);
    if (WaitForSingleObject(pi.hProcess, 120000) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(pi.hProcess, &code);
      run.status = static_cast<int>(code);
    }
    CloseHandle(pi.hProcess);
  }
  run.out = Slurp(outName);
  run.err = Slurp(errName);
  DeleteFileA(outName.c_str());
  DeleteFileA(errName.c_str());
  return run;
}

}  // namespace meridan::testing
